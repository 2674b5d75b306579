// TEnumString: the IEnumString through which the completion engine reads a
// TTntStringList.
//
// The list is read live: every change shows at the next call. The enumerator
// does not own the list; it watches it through a weak handle, so one still
// held by the engine after the control and its list are gone reads an empty
// list instead of freed memory.
#pragma once

#include "controls/TntStringList.h"
#include "platform/ComUnknown.h"

#include <atomic>
#include <cstdint>
#include <memory>

class TEnumString final : public IEnumString {
public:
    // Reference count 0, position 0; the first counted reference keeps it.
    explicit TEnumString(std::weak_ptr<const TTntStringList> strings);

    // IUnknown and IEnumString answer S_OK; anything else E_NOINTERFACE.
    HRESULT QueryInterface(const GUID& iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;  // deletes the object at 0

    // Hands out up to celt strings from the position on, each in a zero-filled
    // task-memory block; S_OK when celt were handed out, else S_FALSE. When a
    // block cannot be had, the blocks of this call are freed, the position is
    // left where it was, *pceltFetched gets 0 and the result is E_OUTOFMEMORY.
    HRESULT Next(ULONG celt, char16_t** rgelt, ULONG* pceltFetched) override;

    // Moves on by celt: S_OK when that stays inside the list; otherwise the
    // position wraps to the first string and the result is S_FALSE.
    HRESULT Skip(ULONG celt) override;

    HRESULT Reset() override;

    // A new enumerator over the same list at this one's position, holding one
    // reference for the caller. A null ppenum gives E_POINTER and makes nothing.
    HRESULT Clone(IEnumString** ppenum) override;

    int32_t Position() const { return position_; }

private:
    ~TEnumString() = default;
    int ListCount() const;

    std::atomic<ULONG> references_{0};
    std::weak_ptr<const TTntStringList> strings_;
    int32_t position_ = 0;
};
