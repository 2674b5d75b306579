// Where the reader's bytes come from: a file on disk, or memory (tests and
// the fuzz target, which should not need a disk).
//
// A source knows its size; reads inside it succeed or throw. The reader checks
// every offset against Size() before reading, so a throw from ReadAt means the
// file changed under us or the system failed, not a damaged table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace paradox {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // The name used in error texts: the file's path.
    virtual const std::string& Name() const = 0;
    virtual uint64_t Size() const = 0;
    // Copies `count` bytes at `offset` into `out`. Throws EDatabaseError when
    // the range is not inside the source or the system cannot read it.
    virtual void ReadAt(uint64_t offset, void* out, size_t count) const = 0;
};

// Opens a file for reading; throws EDatabaseError naming the file and the
// system's reason when it cannot.
std::unique_ptr<ByteSource> OpenFileSource(const std::string& path);

// Bytes held by the caller; they must outlive the source.
std::unique_ptr<ByteSource> MemorySource(std::string name, std::string_view bytes);

// The path of the entry in `path`'s folder whose name equals `path`'s file
// name with `extension` in place of its own, compared without regard to ASCII
// letter case ("Songs.DB" + ".MB" finds "songs.mb"). An exact match wins;
// otherwise the first match in name order. Nothing when there is none.
std::optional<std::string> FindSiblingIgnoringCase(const std::string& path, std::string_view extension);

}  // namespace paradox
