// The shell's auto-complete object and its string lists, as COM sees them:
// the interfaces in the platform's slot order, their option flags and the
// class ids by which the objects are created.
#pragma once

#include "platform/ComUnknown.h"

// Binds completion to an edit window and a string source.
struct IAutoComplete : IUnknown {
    static constexpr GUID Iid = GuidFromText("{00BB2762-6A77-11D0-A535-00C04FD7D062}");

    // `source` must offer IEnumString; the registry key path and the
    // quick-complete format may be null.
    virtual HRESULT Init(HWND edit, IUnknown* source, const char16_t* registryKeyPath,
                         const char16_t* quickCompleteFormat) = 0;
    virtual HRESULT Enable(BOOL enable) = 0;

protected:
    ~IAutoComplete() = default;
};

struct IAutoComplete2 : IAutoComplete {
    static constexpr GUID Iid = GuidFromText("{EAC04BC0-3791-11D2-BB95-0060977B464C}");

    virtual HRESULT SetOptions(DWORD flags) = 0;
    virtual HRESULT GetOptions(DWORD* flags) = 0;

protected:
    ~IAutoComplete2() = default;
};

struct IAutoCompleteDropDown : IUnknown {
    static constexpr GUID Iid = GuidFromText("{3CD141F4-3C6A-11D2-BCAA-00C04FD929DB}");

    // *flags gets ACDD_VISIBLE while the drop-down shows; *highlighted the
    // highlighted item's text in task memory (the caller frees it), or null.
    virtual HRESULT GetDropDownStatus(DWORD* flags, char16_t** highlighted) = 0;
    // Makes the drop-down read its string source again.
    virtual HRESULT ResetEnumerator() = 0;

protected:
    ~IAutoCompleteDropDown() = default;
};

// Offered by string sources whose strings depend on the typed text (the shell
// namespace list): the engine tells them the part up to the last separator.
struct IACList : IUnknown {
    static constexpr GUID Iid = GuidFromText("{77A130B0-94FD-11D0-A544-00C04FD7D062}");

    virtual HRESULT Expand(const char16_t* prefix) = 0;

protected:
    ~IACList() = default;
};

inline constexpr const GUID& IID_IAutoComplete = IAutoComplete::Iid;
inline constexpr const GUID& IID_IAutoComplete2 = IAutoComplete2::Iid;
inline constexpr const GUID& IID_IAutoCompleteDropDown = IAutoCompleteDropDown::Iid;
inline constexpr const GUID& IID_IACList = IACList::Iid;

// IAutoComplete2 options.
inline constexpr DWORD ACO_NONE = 0x0;
inline constexpr DWORD ACO_AUTOSUGGEST = 0x1;          // drop-down of suggestions while typing
inline constexpr DWORD ACO_AUTOAPPEND = 0x2;           // completes the typed text inline
inline constexpr DWORD ACO_UPDOWNKEYDROPSLIST = 0x20;  // Up and Down keys open the drop-down

// GetDropDownStatus flags.
inline constexpr DWORD ACDD_VISIBLE = 0x1;

// The completion engine.
inline constexpr GUID CLSID_AutoComplete = GuidFromText("{00BB2763-6A77-11D0-A535-00C04FD7D062}");
// The shell's history list, its recently-used list and its namespace list.
inline constexpr GUID CLSID_ACLHistory = GuidFromText("{00BB2764-6A77-11D0-A535-00C04FD7D062}");
inline constexpr GUID CLSID_ACLMRU = GuidFromText("{6756A641-DE71-11D0-831B-00AA005B4383}");
inline constexpr GUID CLSID_ACListISF = GuidFromText("{03C036F1-A186-11D0-824A-00AA005B4383}");
