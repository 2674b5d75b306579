#include "platform/SysUtils.h"

std::string CannotCreateFileMessage(const std::string& path, const std::string& reason)
{
    return "Cannot create file \"" + path + "\". " + reason;
}
