#include "util/DUtil.h"

#include "platform/SpecialFolders.h"

#include <algorithm>

std::string CutText(std::string& source, int start, int count)
{
    const size_t from = static_cast<size_t>(std::max(start, 1) - 1);
    if (from >= source.size() || count <= 0) return {};
    const size_t n = std::min(static_cast<size_t>(count), source.size() - from);
    std::string slice = source.substr(from, n);
    source.erase(from, n);
    return slice;
}

std::string FetchBefore(std::string& source, char delimiter)
{
    const size_t at = source.find(delimiter);
    const int n = static_cast<int>(at == std::string::npos ? source.size() : at);
    std::string head = CutText(source, 1, n);
    CutText(source, 1, 1);  // the delimiter itself, if there was one
    return head;
}

std::string GetSpecialFolderPath(int folderId)
{
    std::string path;
    if (folderId == CSIDL_PERSONAL) path = UserDocumentsFolder();
    if (folderId == CSIDL_PROFILE) path = UserHomeFolder();
    if (!path.empty() && path.back() != '/') path += '/';
    return path;
}

std::string GetMyDocumentsPath()
{
    return GetSpecialFolderPath(CSIDL_PERSONAL);
}
