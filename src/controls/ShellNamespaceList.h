// The shell namespace list (CLSID_ACListISF): the names of files and folders
// for a typed path, as strings for the completion engine.
//
// The engine calls Expand with the typed text up to and including its last
// "/"; the list then holds that folder's entries as whole paths (the folder
// text as typed, then the name), in byte order. Hidden entries (names
// starting with ".") are left out, as the shell leaves out hidden files. A
// folder that cannot be read gives an empty list.
#pragma once

#include "controls/EnumString.h"
#include "platform/ComAutoComplete.h"
#include "platform/ComPtr.h"

#include <atomic>
#include <memory>

class TShellNamespaceList final : public IEnumString, public IACList {
public:
    TShellNamespaceList();

    // IUnknown, IEnumString and IACList.
    HRESULT QueryInterface(const GUID& iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    // As TEnumString, over the entries of the last Expand; empty before one.
    HRESULT Next(ULONG celt, char16_t** rgelt, ULONG* pceltFetched) override;
    HRESULT Skip(ULONG celt) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumString** ppenum) override;

    // Reads the folder named by `prefix` and starts again from its first entry.
    HRESULT Expand(const char16_t* prefix) override;

private:
    ~TShellNamespaceList() = default;

    std::atomic<ULONG> references_{0};
    std::shared_ptr<TTntStringList> entries_;
    ComPtr<IEnumString> walker_;
};

// A new namespace list with reference count 0, for the class registry.
IUnknown* NewShellNamespaceList();
