#include "platform/FileSystem.h"

#include "platform/SysUtils.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void ThrowCannotCreate(const std::string& path, int errorNumber)
{
    throw EFCreateError(CannotCreateFileMessage(path, SystemErrorText(errorNumber)));
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Opens a new, uniquely named file in `folder`. The name does not derive from
// the target's, so a target name near the system's length limit still works.
int CreateTemporaryBeside(const std::string& folder, std::string& tempPath)
{
    static std::atomic<unsigned> counter{0};
    static const std::string processId = std::to_string(::getpid());
    for (;;) {
        tempPath = folder + "/.tessaline-" + processId + "-" + std::to_string(counter++) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
}

int WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

}  // namespace

bool DirectoryExists(const std::string& path)
{
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDir(const std::string& path)
{
    return ::mkdir(path.c_str(), 0777) == 0;
}

void ReplaceFileContents(const std::string& path, std::string_view bytes)
{
    if (path.empty()) ThrowCannotCreate(path, ENOENT);

    struct stat st{};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) ThrowCannotCreate(path, EISDIR);
        // Read-only is a property of the file, not of who runs us: as root the
        // system would let us replace it, but the user marked it to be kept.
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) ThrowCannotCreate(path, EACCES);
    }

    std::string tempPath;
    const int fd = CreateTemporaryBeside(FolderOf(path), tempPath);
    if (fd < 0) ThrowCannotCreate(path, errno);

    int error = WriteAll(fd, bytes);
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(tempPath.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(tempPath.c_str());
        ThrowCannotCreate(path, error);
    }
}

std::string SystemErrorText(int errorNumber)
{
    return std::strerror(errorNumber);
}
