// Crash safety for a change that spans several files (table, memo file,
// index): a rollback journal, as SQLite keeps one.
//
// Before any file changes, the original bytes of every region about to change
// (and each file's original size) go to the journal beside the table, which
// is flushed together with its folder. Only then are the files changed and
// flushed; deleting the journal is the moment the change is done. A journal
// found later ("hot") means the change did not finish: its bytes are written
// back. A journal whose checksum does not hold was never completely written,
// so no file was touched yet, and it is simply deleted.
//
// Journal layout (all integers little-endian):
//   magic "TSLJRNL1"
//   u32 file count, then per file:
//     u16 name length, the file's name (no folder: the journal lies beside it)
//     u64 original size, u32 region count, then per region:
//       u64 offset, u32 length, the original bytes
//   u64 checksum (FNV-1a, 64 bit) of everything before it
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class DurableFiles;

namespace paradox {

// One file of a change: its name in the journal's folder, its bytes now and
// the bytes it is to have.
struct FileChange {
    std::string name;
    std::string before;
    std::string after;
};

// The journal of a table file: "<table path>-journal".
std::string JournalPathFor(const std::string& tablePath);

// Makes all `changes` durable as one step, journaled at `journalPath`. Any
// hot journal there is rolled back first. When a step fails, the change is
// rolled back at once where the files still allow it, otherwise the journal
// stays for the next open; either way the error is passed on.
void CommitChanges(const std::string& journalPath, const std::vector<FileChange>& changes, DurableFiles& files);

// Completes the recovery from a change that did not finish: rolls a hot
// journal back, or deletes one that was never completely written. True when
// there was a journal. Throws EInOutError when a file cannot be restored (the
// journal then stays).
bool RecoverFromJournal(const std::string& journalPath, DurableFiles& files);

// The decoded journal; nothing when the bytes are not a complete journal.
struct JournalRegion {
    uint64_t offset;
    std::string bytes;
};
struct JournalFile {
    std::string name;
    uint64_t originalSize;
    std::vector<JournalRegion> regions;
};
std::optional<std::vector<JournalFile>> ParseJournal(std::string_view bytes);
std::string EncodeJournal(const std::vector<JournalFile>& files);

}  // namespace paradox
