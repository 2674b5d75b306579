#include "platform/sqlite/SqliteSongLibrary.h"

#include "platform/CodePage.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

namespace sqlite {
namespace {

// The first 16 bytes of every SQLite database file.
constexpr std::string_view kSignature{"SQLite format 3\0", 16};

constexpr const char* kWordsFileName = "SongWords.db";

enum Column : size_t { kTitle, kAuthor, kCopyright, kWords };

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; };
        return lower(x) == lower(y);
    });
}

// The entry of `folder` named `name` whatever its letter case (EasyWorship's
// files come from Windows): an exact match wins, else the first in name order.
std::optional<std::string> FindInFolderIgnoringCase(const std::filesystem::path& folder, std::string_view name)
{
    std::error_code error;
    std::vector<std::string> matches;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string entry = it->path().filename().string();
        if (SameIgnoringAsciiCase(entry, name)) matches.push_back(std::move(entry));
    }
    if (matches.empty()) return std::nullopt;
    std::sort(matches.begin(), matches.end());
    const auto exact = std::find(matches.begin(), matches.end(), name);
    return (folder / (exact != matches.end() ? *exact : matches.front())).string();
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

std::string ToAnsi(std::string_view utf8) { return Utf8ToAnsi(utf8); }

}  // namespace

bool HasSqliteSignature(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::array<char, kSignature.size()> head{};
    if (!file.read(head.data(), static_cast<std::streamsize>(head.size()))) return false;
    return std::string_view(head.data(), head.size()) == kSignature;
}

SqliteSongLibrary::SqliteSongLibrary(const std::string& path)
{
    const Database songs(path);
    if (!songs.HasTable("song"))
        throw EDatabaseError(path + ": Not an EasyWorship song library (it has no table \"song\")");

    const auto wordsPath = FindInFolderIgnoringCase(FolderOf(path), kWordsFileName);
    if (!wordsPath)
        throw EDatabaseError(path + ": The lyrics database " + kWordsFileName +
                             " of this EasyWorship library is missing from its folder");
    words_ = std::make_unique<Database>(*wordsPath);
    if (!words_->HasTable("word"))
        throw EDatabaseError(*wordsPath + ": Not an EasyWorship lyrics database (it has no table \"word\")");
    // The first row wins should a song have several: EasyWorship keeps one.
    wordsQuery_ = std::make_unique<Statement>(*words_, "SELECT words FROM word WHERE song_id = ?1 ORDER BY rowid LIMIT 1");

    Statement all(songs, "SELECT rowid, title, author, copyright FROM song ORDER BY rowid");
    while (all.Step())
        songs_.push_back({all.Int64(0), ToAnsi(all.Bytes(1)), ToAnsi(all.Bytes(2)), ToAnsi(all.Bytes(3))});

    // No declared sizes: SQLite's text has no length limit.
    fields_ = {{"Title", "text", 0}, {"Author", "text", 0}, {"Copyright", "text", 0}, {"Words", "text", 0}};
}

SqliteSongLibrary::~SqliteSongLibrary() = default;

std::string SqliteSongLibrary::Text(size_t row, size_t field) const
{
    const Song& song = songs_.at(row);
    switch (field) {
    case kTitle: return song.title;
    case kAuthor: return song.author;
    case kCopyright: return song.copyright;
    default: return Words(song.id);
    }
}

std::string SqliteSongLibrary::Words(int64_t songId) const
{
    Statement& query = *wordsQuery_;
    query.Reset();
    query.BindInt64(1, songId);
    std::string words = query.Step() ? ToAnsi(query.Bytes(0)) : std::string();
    query.Reset();  // ends the read, so EasyWorship is never kept from writing
    return words;
}

std::string SqliteSongLibrary::ReadOnlyReason() const
{
    return "Cannot change an EasyWorship 6 or 7 library: EasyWorship keeps search indexes and references "
           "for its songs that this tool does not maintain. Make the change in EasyWorship";
}

}  // namespace sqlite
