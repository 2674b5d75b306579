#include "song/CreateSngUnit.h"

#include "platform/FileSystem.h"
#include "platform/SysUtils.h"

namespace {

// Everything up to and including the last separator; empty when there is none.
std::string ParentPart(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

// The recursion ends at a part shorter than three bytes, so an absolute path
// never raises (it can only fail to be made), and neither does a relative one
// whose first folder name is one or two bytes long. A relative path with a
// longer first folder name that is missing walks down to an empty part, which
// raises: such a folder text is almost always a typing mistake.
bool CreateFolderChain(const std::string& folder)
{
    if (folder.empty()) throw EInOutError(kUnableToCreateDirectory);

    std::string path = folder;
    if (path.back() == '/') path.pop_back();

    const std::string parent = ParentPart(path);
    if (path.size() < 3 || DirectoryExists(path) || parent == path) return true;

    return CreateFolderChain(parent) && CreateDir(path);
}
