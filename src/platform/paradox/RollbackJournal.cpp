#include "platform/paradox/RollbackJournal.h"

#include "platform/DurableFiles.h"
#include "platform/SysUtils.h"

#include <algorithm>

namespace paradox {
namespace {

constexpr std::string_view kMagic = "TSLJRNL1";
constexpr size_t kChecksumSize = 8;
// Differences closer than this are journaled and written as one region: a
// region costs 12 bytes of journal and one system call.
constexpr size_t kRegionGap = 64;

uint64_t Fnv1a(std::string_view bytes)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

void Put(std::string& out, uint64_t value, size_t bytes)
{
    for (size_t i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
}

// Reads from the front of a view, checking every length first.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool Take(size_t count, uint64_t& value)
    {
        if (bytes_.size() < count) return false;
        value = 0;
        for (size_t i = count; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes_[i]);
        bytes_.remove_prefix(count);
        return true;
    }
    bool TakeBytes(uint64_t count, std::string& out)
    {
        if (bytes_.size() < count) return false;
        out.assign(bytes_.substr(0, static_cast<size_t>(count)));
        bytes_.remove_prefix(static_cast<size_t>(count));
        return true;
    }
    bool Empty() const { return bytes_.empty(); }

private:
    std::string_view bytes_;
};

// Runs of bytes of `before` that the change overwrites or cuts off.
std::vector<std::pair<size_t, size_t>> ChangedRuns(const std::string& before, const std::string& after)
{
    std::vector<std::pair<size_t, size_t>> runs;  // offset, length
    const size_t common = std::min(before.size(), after.size());
    size_t i = 0;
    while (i < common) {
        if (before[i] == after[i]) {
            ++i;
            continue;
        }
        size_t end = i + 1, same = 0;
        for (size_t j = end; j < common && same < kRegionGap; ++j) {
            if (before[j] == after[j]) {
                ++same;
            } else {
                same = 0;
                end = j + 1;
            }
        }
        runs.emplace_back(i, end - i);
        i = end;
    }
    if (before.size() > after.size()) runs.emplace_back(after.size(), before.size() - after.size());
    return runs;
}

std::string FolderJoin(const std::string& journalPath, const std::string& name)
{
    return FolderOfPath(journalPath) + "/" + name;
}

void RollBack(const std::string& journalPath, const std::vector<JournalFile>& journal, DurableFiles& files)
{
    for (const JournalFile& f : journal) {
        const std::string path = FolderJoin(journalPath, f.name);
        for (const JournalRegion& r : f.regions) files.WriteAt(path, r.offset, r.bytes);
        files.Resize(path, f.originalSize);
        files.Sync(path);
    }
    files.Remove(journalPath);
    files.SyncFolder(FolderOfPath(journalPath));
}

}  // namespace

std::string JournalPathFor(const std::string& tablePath) { return tablePath + "-journal"; }

std::string EncodeJournal(const std::vector<JournalFile>& journal)
{
    std::string out(kMagic);
    Put(out, journal.size(), 4);
    for (const JournalFile& f : journal) {
        Put(out, f.name.size(), 2);
        out += f.name;
        Put(out, f.originalSize, 8);
        Put(out, f.regions.size(), 4);
        for (const JournalRegion& r : f.regions) {
            Put(out, r.offset, 8);
            Put(out, r.bytes.size(), 4);
            out += r.bytes;
        }
    }
    Put(out, Fnv1a(out), kChecksumSize);
    return out;
}

std::optional<std::vector<JournalFile>> ParseJournal(std::string_view bytes)
{
    if (bytes.size() < kMagic.size() + kChecksumSize || bytes.substr(0, kMagic.size()) != kMagic) return std::nullopt;
    const std::string_view body = bytes.substr(0, bytes.size() - kChecksumSize);
    uint64_t checksum = 0;
    Reader tail(bytes.substr(body.size()));
    if (!tail.Take(kChecksumSize, checksum) || checksum != Fnv1a(body)) return std::nullopt;

    Reader in(body.substr(kMagic.size()));
    std::vector<JournalFile> journal;
    uint64_t fileCount = 0;
    if (!in.Take(4, fileCount)) return std::nullopt;
    for (uint64_t i = 0; i < fileCount; ++i) {
        JournalFile f;
        uint64_t nameLength = 0, regionCount = 0;
        if (!in.Take(2, nameLength) || !in.TakeBytes(nameLength, f.name) || !in.Take(8, f.originalSize) ||
            !in.Take(4, regionCount))
            return std::nullopt;
        // A name with a folder in it could send the rollback elsewhere.
        if (f.name.empty() || f.name.find('/') != std::string::npos || f.name.find('\0') != std::string::npos ||
            f.name == "." || f.name == "..")
            return std::nullopt;
        for (uint64_t r = 0; r < regionCount; ++r) {
            JournalRegion region;
            uint64_t length = 0;
            if (!in.Take(8, region.offset) || !in.Take(4, length) || !in.TakeBytes(length, region.bytes))
                return std::nullopt;
            if (region.offset > f.originalSize || length > f.originalSize - region.offset) return std::nullopt;
            f.regions.push_back(std::move(region));
        }
        journal.push_back(std::move(f));
    }
    if (!in.Empty()) return std::nullopt;
    return journal;
}

bool RecoverFromJournal(const std::string& journalPath, DurableFiles& files)
{
    if (!files.Exists(journalPath)) return false;
    const auto journal = ParseJournal(files.ReadAll(journalPath));
    if (!journal) {
        // Never completely written, so never acted on: the files are as before.
        files.Remove(journalPath);
        files.SyncFolder(FolderOfPath(journalPath));
        return true;
    }
    RollBack(journalPath, *journal, files);
    return true;
}

void CommitChanges(const std::string& journalPath, const std::vector<FileChange>& changes, DurableFiles& files)
{
    RecoverFromJournal(journalPath, files);

    std::vector<JournalFile> journal;
    for (const FileChange& c : changes) {
        if (c.before == c.after) continue;
        JournalFile f{c.name, c.before.size(), {}};
        for (const auto& [offset, length] : ChangedRuns(c.before, c.after))
            f.regions.push_back({offset, c.before.substr(offset, length)});
        journal.push_back(std::move(f));
    }
    if (journal.empty()) return;

    const std::string folder = FolderOfPath(journalPath);
    files.WriteAt(journalPath, 0, EncodeJournal(journal));
    files.Sync(journalPath);
    files.SyncFolder(folder);
    try {
        for (const FileChange& c : changes) {
            if (c.before == c.after) continue;
            const std::string path = FolderJoin(journalPath, c.name);
            for (const auto& [offset, length] : ChangedRuns(c.before, c.after))
                if (offset < c.after.size())
                    files.WriteAt(path, offset, std::string_view(c.after).substr(offset, length));
            if (c.after.size() > c.before.size())
                files.WriteAt(path, c.before.size(), std::string_view(c.after).substr(c.before.size()));
            if (c.after.size() < c.before.size()) files.Resize(path, c.after.size());
            files.Sync(path);
        }
    } catch (...) {
        try {
            RollBack(journalPath, journal, files);
        } catch (...) {
            // The journal stays hot; the next open rolls it back.
        }
        throw;
    }
    files.Remove(journalPath);
    files.SyncFolder(folder);
}

}  // namespace paradox
