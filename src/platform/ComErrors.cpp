#include "platform/ComErrors.h"

#include "platform/ComRuntime.h"

#include <cstdio>

std::string SysErrorMessage(HRESULT result)
{
    switch (result) {
    case S_OK: return "The operation completed successfully";
    case E_NOTIMPL: return "Not implemented";
    case E_NOINTERFACE: return "No such interface supported";
    case E_POINTER: return "Invalid pointer";
    case E_FAIL: return "Unspecified error";
    case E_OUTOFMEMORY: return "Not enough storage is available to complete this operation";
    case E_INVALIDARG: return "The parameter is incorrect";
    case CLASS_E_NOAGGREGATION: return "Class does not support aggregation (or class object is remote)";
    case REGDB_E_CLASSNOTREG: return "Class not registered";
    case CO_E_NOTINITIALIZED: return "CoInitialize has not been called";
    case RPC_E_CHANGED_MODE: return "Cannot change thread mode after it is set";
    }
    char text[32];
    std::snprintf(text, sizeof text, "Error 0x%08X", static_cast<unsigned>(result));
    return text;
}

void OleCheck(HRESULT result)
{
    if (Failed(result)) throw EOleSysError(SysErrorMessage(result), result);
}

ComPtr<IUnknown> CreateComObject(const GUID& clsid)
{
    ComPtr<IUnknown> object;
    const HRESULT result =
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown, object.PutVoid());
    if (Failed(result))
        throw EOleSysError(SysErrorMessage(result) + ", ClassID: " + GuidToString(clsid), result);
    return object;
}
