// A counted interface reference: holding one keeps one reference on the
// object, emptying it (or letting it go) releases that reference once.
#pragma once

#include "platform/ComUnknown.h"

#include <utility>

template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(Interface* object) : object_(object)  // takes a new reference
    {
        if (object_) object_->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.object_) {}
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(object_, other.object_);
        return *this;
    }
    ~ComPtr() { Clear(); }

    // Adopts a reference the caller already owns (an out-parameter's).
    static ComPtr Attach(Interface* object)
    {
        ComPtr held;
        held.object_ = object;
        return held;
    }

    // Releases the held reference once and empties the field.
    void Clear()
    {
        if (Interface* object = std::exchange(object_, nullptr)) object->Release();
    }

    // For out-parameters: releases what is held and gives the slot to fill.
    Interface** Put()
    {
        Clear();
        return &object_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    Interface* Get() const { return object_; }
    Interface* operator->() const { return object_; }
    Interface& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

    // QueryInterface for Other; S_OK fills `result`.
    template <class Other>
    HRESULT As(ComPtr<Other>& result) const
    {
        if (!object_) return E_POINTER;
        return object_->QueryInterface(Other::Iid, result.PutVoid());
    }

private:
    Interface* object_ = nullptr;
};
