#include "platform/DurableFiles.h"

#include "platform/FileSystem.h"
#include "platform/SysUtils.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path, int errorNumber)
{
    throw EInOutError("Cannot " + what + " \"" + path + "\". " + SystemErrorText(errorNumber));
}

// A file descriptor closed on every way out.
class Descriptor {
public:
    Descriptor(const std::string& path, int flags, const char* what) : fd_(::open(path.c_str(), flags | O_CLOEXEC, 0666))
    {
        if (fd_ < 0) Fail(what, path, errno);
    }
    ~Descriptor() { ::close(fd_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

class SystemDurableFiles final : public DurableFiles {
public:
    bool Exists(const std::string& path) override
    {
        struct stat st{};
        return ::stat(path.c_str(), &st) == 0;
    }

    std::string ReadAll(const std::string& path) override
    {
        Descriptor fd(path, O_RDONLY, "read");
        struct stat st{};
        if (::fstat(fd.Get(), &st) != 0) Fail("read", path, errno);
        std::string bytes(static_cast<size_t>(st.st_size), '\0');
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::pread(fd.Get(), bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) Fail("read", path, errno);
            if (n == 0) break;
            done += static_cast<size_t>(n);
        }
        bytes.resize(done);
        return bytes;
    }

    void WriteAt(const std::string& path, uint64_t offset, std::string_view bytes) override
    {
        Descriptor fd(path, O_WRONLY | O_CREAT, "write");
        while (!bytes.empty()) {
            const ssize_t n = ::pwrite(fd.Get(), bytes.data(), bytes.size(), static_cast<off_t>(offset));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) Fail("write", path, errno);
            bytes.remove_prefix(static_cast<size_t>(n));
            offset += static_cast<uint64_t>(n);
        }
    }

    void Resize(const std::string& path, uint64_t size) override
    {
        Descriptor fd(path, O_WRONLY, "resize");
        if (::ftruncate(fd.Get(), static_cast<off_t>(size)) != 0) Fail("resize", path, errno);
    }

    void Sync(const std::string& path) override
    {
        // fsync flushes the file's pages whichever descriptor wrote them.
        Descriptor fd(path, O_RDONLY, "flush");
        if (::fsync(fd.Get()) != 0) Fail("flush", path, errno);
    }

    void SyncFolder(const std::string& folder) override
    {
        Descriptor fd(folder, O_RDONLY | O_DIRECTORY, "flush the folder");
        // Some file systems cannot flush a folder; their entries are then
        // as durable as they get, which is not a reason to fail the change.
        if (::fsync(fd.Get()) != 0 && errno != EINVAL && errno != ENOTSUP) Fail("flush the folder", folder, errno);
    }

    void Remove(const std::string& path) override
    {
        if (::unlink(path.c_str()) != 0) Fail("delete", path, errno);
    }

    std::vector<std::string> ListFolder(const std::string& folder) override
    {
        DIR* dir = ::opendir(folder.c_str());
        if (dir == nullptr) Fail("list the folder", folder, errno);
        std::vector<std::string> names;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..") names.emplace_back(name);
        }
        ::closedir(dir);
        return names;
    }
};

}  // namespace

DurableFiles& SystemFiles()
{
    static SystemDurableFiles files;
    return files;
}

std::string FolderOfPath(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}
