// The root interface of every COM object and the string enumerator.
//
// Slot order matters to COM: a caller reaches a method by its position in the
// table, so the declaration order below is the platform's and must not change.
// Objects are released through Release, never deleted by their users; hence
// the protected destructors.
#pragma once

#include "platform/ComGuid.h"
#include "platform/ComTypes.h"

struct IUnknown {
    static constexpr GUID Iid = GuidFromText("{00000000-0000-0000-C000-000000000046}");

    // S_OK and a counted reference in *object for an interface the object
    // offers; E_NOINTERFACE and null otherwise.
    virtual HRESULT QueryInterface(const GUID& iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

// Hands out strings one block at a time. Every block is a zero-terminated
// UTF-16 string from CoTaskMemAlloc that belongs to the caller.
struct IEnumString : IUnknown {
    static constexpr GUID Iid = GuidFromText("{00000101-0000-0000-C000-000000000046}");

    virtual HRESULT Next(ULONG celt, char16_t** rgelt, ULONG* pceltFetched) = 0;
    virtual HRESULT Skip(ULONG celt) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumString** ppenum) = 0;

protected:
    ~IEnumString() = default;
};

inline constexpr const GUID& IID_IUnknown = IUnknown::Iid;
inline constexpr const GUID& IID_IEnumString = IEnumString::Iid;
