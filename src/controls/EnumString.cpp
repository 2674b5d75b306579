#include "controls/EnumString.h"

#include "platform/ComMemory.h"

#include <cstring>

TEnumString::TEnumString(std::weak_ptr<const TTntStringList> strings) : strings_(std::move(strings)) {}

HRESULT TEnumString::QueryInterface(const GUID& iid, void** object)
{
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IEnumString) {
        *object = static_cast<IEnumString*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG TEnumString::AddRef()
{
    return ++references_;
}

ULONG TEnumString::Release()
{
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

int TEnumString::ListCount() const
{
    const auto strings = strings_.lock();
    return strings ? strings->Count() : 0;
}

HRESULT TEnumString::Next(ULONG celt, char16_t** rgelt, ULONG* pceltFetched)
{
    if (celt > 0 && !rgelt) return E_POINTER;
    const auto strings = strings_.lock();
    const int count = strings ? strings->Count() : 0;
    ULONG fetched = 0;
    while (fetched < celt && position_ < count) {
        const std::u16string& text = strings->Strings(position_);
        const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
        auto* block = static_cast<char16_t*>(CoTaskMemAlloc(bytes));
        if (!block) {
            // All or nothing, so the caller can simply try again later.
            for (ULONG i = 0; i < fetched; ++i) {
                CoTaskMemFree(rgelt[i]);
                rgelt[i] = nullptr;
            }
            position_ -= static_cast<int32_t>(fetched);
            if (pceltFetched) *pceltFetched = 0;
            return E_OUTOFMEMORY;
        }
        std::memset(block, 0, bytes);
        std::memcpy(block, text.data(), text.size() * sizeof(char16_t));
        rgelt[fetched] = block;
        ++fetched;
        ++position_;
    }
    if (pceltFetched) *pceltFetched = fetched;
    return fetched == celt ? S_OK : S_FALSE;
}

HRESULT TEnumString::Skip(ULONG celt)
{
    // Summed wide: a huge celt must wrap to the start, not overflow into a
    // negative position.
    const int64_t target = int64_t{position_} + celt;
    if (target < ListCount()) {
        position_ = static_cast<int32_t>(target);
        return S_OK;
    }
    position_ = 0;
    return S_FALSE;
}

HRESULT TEnumString::Reset()
{
    position_ = 0;
    return S_OK;
}

HRESULT TEnumString::Clone(IEnumString** ppenum)
{
    if (!ppenum) return E_POINTER;
    *ppenum = nullptr;
    auto* clone = new TEnumString(strings_);
    clone->AddRef();
    clone->position_ = position_;
    *ppenum = clone;
    return S_OK;
}
