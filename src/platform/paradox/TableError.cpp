#include "platform/paradox/TableError.h"

#include "platform/SysUtils.h"

namespace paradox {

void ThrowTableError(const std::string& file, const std::string& what)
{
    throw EDatabaseError(file + ": " + what);
}

std::string ValueLocation::Text() const
{
    return "record " + std::to_string(row + 1) + ", field '" + std::string(field) + "'";
}

}  // namespace paradox
