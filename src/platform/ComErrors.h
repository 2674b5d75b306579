// The platform's COM failures as exceptions, and the calls that raise them.
#pragma once

#include "platform/ComPtr.h"
#include "platform/SysUtils.h"

#include <string>

class EOleError : public Exception {
public:
    using Exception::Exception;
};

// A failed COM call; carries its result.
class EOleSysError : public EOleError {
public:
    EOleSysError(std::string message, HRESULT errorCode)
        : EOleError(std::move(message)), errorCode_(errorCode) {}
    HRESULT ErrorCode() const noexcept { return errorCode_; }

private:
    HRESULT errorCode_;
};

inline constexpr const char* kInterfaceNotSupported = "Interface not supported";

// The system's text for a result, as the platform gives it: without a final
// full stop or line break ("Class not registered"); "Error 0x%08X" for a
// result the system has no text for.
std::string SysErrorMessage(HRESULT result);

// Raises EOleSysError with the system's text for a failed result.
void OleCheck(HRESULT result);

// Creates an object of a class in-process or local, as IUnknown. A failure
// raises EOleSysError with "<system's text>, ClassID: <class id>".
ComPtr<IUnknown> CreateComObject(const GUID& clsid);

// The object's `Interface`, or EIntfCastError "Interface not supported".
// An empty reference gives an empty one.
template <class Interface>
ComPtr<Interface> CastInterface(const ComPtr<IUnknown>& object)
{
    ComPtr<Interface> result;
    if (object && object.As(result) != S_OK) throw EIntfCastError(kInterfaceNotSupported);
    return result;
}
