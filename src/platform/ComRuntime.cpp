#include "platform/ComRuntime.h"

#include <utility>
#include <vector>

int CoInitFlags = kCoInitModeNotChosen;

namespace {

struct ThreadState {
    int initialisations = 0;
    int mode = kCoInitModeNotChosen;
};

thread_local ThreadState thisThread;

struct RegisteredClass {
    GUID clsid;
    ComClassFactory factory;
};

// A function-local list, so units may register from their static
// initialisers in any order.
std::vector<RegisteredClass>& Registry()
{
    static std::vector<RegisteredClass> classes;
    return classes;
}

RegisteredClass* FindClass(const GUID& clsid)
{
    for (auto& registered : Registry())
        if (registered.clsid == clsid) return &registered;
    return nullptr;
}

}  // namespace

void ChooseCoInitMode(int mode)
{
    if (CoInitFlags == kCoInitModeNotChosen) CoInitFlags = mode;
}

HRESULT CoInitializeEx(void*, int mode)
{
    if (thisThread.initialisations > 0 && thisThread.mode != mode) return RPC_E_CHANGED_MODE;
    thisThread.mode = mode;
    return thisThread.initialisations++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize()
{
    if (thisThread.initialisations > 0 && --thisThread.initialisations == 0)
        thisThread.mode = kCoInitModeNotChosen;
}

HRESULT InitComObj()
{
    return CoInitializeEx(nullptr, CoInitFlags == kCoInitModeNotChosen ? COINIT_APARTMENTTHREADED : CoInitFlags);
}

ComClassFactory CoRegisterClass(const GUID& clsid, ComClassFactory factory)
{
    if (RegisteredClass* registered = FindClass(clsid))
        return std::exchange(registered->factory, std::move(factory));
    Registry().push_back({clsid, std::move(factory)});
    return {};
}

void CoUnregisterClass(const GUID& clsid)
{
    std::erase_if(Registry(), [&](const RegisteredClass& registered) { return registered.clsid == clsid; });
}

HRESULT CoCreateInstance(const GUID& clsid, IUnknown* outer, DWORD context, const GUID& iid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (thisThread.initialisations == 0) return CO_E_NOTINITIALIZED;
    if (outer) return CLASS_E_NOAGGREGATION;
    const RegisteredClass* registered = FindClass(clsid);
    if (!registered || !registered->factory || !(context & (CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER)))
        return REGDB_E_CLASSNOTREG;
    // Holding the new object while asking keeps it alive through the question
    // and frees it if the answer is no.
    const ComPtr<IUnknown> created(registered->factory());
    if (!created) return E_OUTOFMEMORY;
    return created->QueryInterface(iid, object);
}
