#include "platform/paradox/ByteSource.h"

#include "platform/FileSystem.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace paradox {
namespace {

[[noreturn]] void ThrowReadError(const std::string& name, const std::string& what)
{
    throw EDatabaseError(name + ": " + what);
}

class FileSource final : public ByteSource {
public:
    FileSource(std::string path, int fd, uint64_t size) : path_(std::move(path)), fd_(fd), size_(size) {}
    ~FileSource() override { ::close(fd_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    const std::string& Name() const override { return path_; }
    uint64_t Size() const override { return size_; }

    void ReadAt(uint64_t offset, void* out, size_t count) const override
    {
        if (offset > size_ || count > size_ - offset)
            ThrowReadError(path_, "read past the end of the file at offset " + std::to_string(offset));
        auto* dst = static_cast<char*>(out);
        while (count > 0) {
            const ssize_t n = ::pread(fd_, dst, count, static_cast<off_t>(offset));
            if (n < 0) {
                if (errno == EINTR) continue;
                ThrowReadError(path_, "cannot read: " + SystemErrorText(errno));
            }
            if (n == 0) ThrowReadError(path_, "the file became shorter while it was read");
            dst += n;
            offset += static_cast<uint64_t>(n);
            count -= static_cast<size_t>(n);
        }
    }

private:
    std::string path_;
    int fd_;
    uint64_t size_;
};

class BytesSource final : public ByteSource {
public:
    BytesSource(std::string name, std::string_view bytes) : name_(std::move(name)), bytes_(bytes) {}
    const std::string& Name() const override { return name_; }
    uint64_t Size() const override { return bytes_.size(); }
    void ReadAt(uint64_t offset, void* out, size_t count) const override
    {
        if (offset > bytes_.size() || count > bytes_.size() - offset)
            ThrowReadError(name_, "read past the end of the file at offset " + std::to_string(offset));
        if (count > 0) std::memcpy(out, bytes_.data() + offset, count);
    }

private:
    std::string name_;
    std::string_view bytes_;
};

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
               return lower(x) == lower(y);
           });
}

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) ThrowReadError(path, "cannot open the file: " + SystemErrorText(errno));
    struct stat st{};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        ThrowReadError(path, "cannot read the file: " + SystemErrorText(error));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        ThrowReadError(path, "not a file");
    }
    return std::make_unique<FileSource>(path, fd, static_cast<uint64_t>(st.st_size));
}

std::unique_ptr<ByteSource> MemorySource(std::string name, std::string_view bytes)
{
    return std::make_unique<BytesSource>(std::move(name), bytes);
}

std::optional<std::string> FindSiblingIgnoringCase(const std::string& path, std::string_view extension)
{
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const std::string prefix = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    std::string wanted = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = wanted.rfind('.');
    if (dot != std::string::npos) wanted.erase(dot);
    wanted += extension;

    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return std::nullopt;
    std::vector<std::string> matches;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (SameIgnoringAsciiCase(name, wanted)) matches.emplace_back(name);
    }
    ::closedir(dir);
    if (matches.empty()) return std::nullopt;
    std::sort(matches.begin(), matches.end());
    const auto exact = std::find(matches.begin(), matches.end(), wanted);
    return prefix + (exact != matches.end() ? *exact : matches.front());
}

}  // namespace paradox
