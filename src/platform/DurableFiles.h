// The file operations a crash-safe change of a table needs, one system call
// each, behind an interface so that a test can stop a change after any one of
// them (a write layer that "crashes") and show what a real crash would leave.
//
// Paths are native paths. Every failure throws EInOutError with the path and
// the system's reason; nothing here retries or cleans up.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class DurableFiles {
public:
    virtual ~DurableFiles() = default;

    virtual bool Exists(const std::string& path) = 0;
    // The whole file.
    virtual std::string ReadAll(const std::string& path) = 0;
    // Writes `bytes` at `offset`, creating the file (0666 less the umask) when
    // it is missing. Not durable until Sync.
    virtual void WriteAt(const std::string& path, uint64_t offset, std::string_view bytes) = 0;
    // Cuts or extends the file to `size` bytes.
    virtual void Resize(const std::string& path, uint64_t size) = 0;
    // Flushes the file's data and size to the disk (fsync).
    virtual void Sync(const std::string& path) = 0;
    // Flushes a folder's entries, so that a created or removed file stays so
    // after a power cut.
    virtual void SyncFolder(const std::string& folder) = 0;
    virtual void Remove(const std::string& path) = 0;
    // The names of the entries of a folder (no "." and ".."), unsorted.
    virtual std::vector<std::string> ListFolder(const std::string& folder) = 0;
};

// The operating system's files.
DurableFiles& SystemFiles();

// The folder part of a path ("." for a bare name).
std::string FolderOfPath(const std::string& path);
