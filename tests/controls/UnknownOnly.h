// A COM object that offers nothing but IUnknown: what a class without the
// interface a caller asks for looks like. Counts its live objects.
#pragma once

#include "platform/ComUnknown.h"

#include <atomic>

struct UnknownOnly final : IUnknown {
    static inline std::atomic<int> live{0};

    UnknownOnly() { ++live; }
    HRESULT QueryInterface(const GUID& iid, void** object) override
    {
        *object = nullptr;
        if (!(iid == IID_IUnknown)) return E_NOINTERFACE;
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++references; }
    ULONG Release() override
    {
        const ULONG left = --references;
        if (left == 0) delete this;
        return left;
    }
    ULONG references = 0;

private:
    ~UnknownOnly() { --live; }
};
