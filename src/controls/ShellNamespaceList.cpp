#include "controls/ShellNamespaceList.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace {

// File names are case-sensitive here: "Songs" and "songs" are two entries.
int OrdinalCompare(std::u16string_view a, std::u16string_view b)
{
    return a.compare(b);
}

}  // namespace

TShellNamespaceList::TShellNamespaceList()
    : entries_(std::make_shared<TTntStringList>(OrdinalCompare)), walker_(new TEnumString(entries_))
{
}

HRESULT TShellNamespaceList::QueryInterface(const GUID& iid, void** object)
{
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IEnumString)
        *object = static_cast<IEnumString*>(this);
    else if (iid == IID_IACList)
        *object = static_cast<IACList*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG TShellNamespaceList::AddRef()
{
    return ++references_;
}

ULONG TShellNamespaceList::Release()
{
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT TShellNamespaceList::Next(ULONG celt, char16_t** rgelt, ULONG* pceltFetched)
{
    return walker_->Next(celt, rgelt, pceltFetched);
}

HRESULT TShellNamespaceList::Skip(ULONG celt)
{
    return walker_->Skip(celt);
}

HRESULT TShellNamespaceList::Reset()
{
    return walker_->Reset();
}

HRESULT TShellNamespaceList::Clone(IEnumString** ppenum)
{
    return walker_->Clone(ppenum);
}

HRESULT TShellNamespaceList::Expand(const char16_t* prefix)
{
    entries_->Clear();
    walker_->Reset();
    if (!prefix || !*prefix) return S_OK;
    const std::u16string folderText(prefix);
    std::filesystem::path folder;
    try {
        folder = std::filesystem::path(folderText);
    } catch (const std::exception&) {
        return S_OK;  // a lone surrogate: no folder can have that name
    }
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::u16string name;
        try {
            name = entry->path().filename().u16string();
        } catch (const std::exception&) {
            continue;  // a name that is no valid UTF-8 cannot be shown or typed
        }
        if (!name.empty() && name.front() != u'.') entries_->Add(folderText + name);
    }
    return S_OK;
}

IUnknown* NewShellNamespaceList()
{
    return static_cast<IEnumString*>(new TShellNamespaceList());
}
