// The song library of EasyWorship 6 and 7: "Songs.db" (table `song`) with
// the lyrics in "SongWords.db" beside it (table `word`, one row per song by
// `song_id`), both SQLite. Served as the columns Title, Author, Copyright
// and Words in rowid order, text converted from UTF-8 to the system ANSI
// code page (best fit).
//
// Only the record ids and the three short columns stay in memory; lyrics are
// read when asked for, so a library of thousands of songs opens quickly and
// stays small. A song without a `word` row has empty lyrics.
#pragma once

#include "platform/TableSource.h"
#include "platform/sqlite/SqliteDatabase.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sqlite {

// Whether the file at `path` begins with SQLite's signature. False when it
// cannot be read: the caller's own open then reports why.
bool HasSqliteSignature(const std::string& path);

class SqliteSongLibrary final : public TableSource {
public:
    // Opens the library whose "Songs.db" is at `path`; "SongWords.db" is
    // found in the same folder whatever the case of its name. Throws
    // EDatabaseError naming the file for a missing lyrics database, a
    // database that is not EasyWorship's, and a damaged one.
    explicit SqliteSongLibrary(const std::string& path);
    ~SqliteSongLibrary() override;

    const std::vector<SongTableField>& Fields() const override { return fields_; }
    int CodePage() const override { return 0; }  // UTF-8: no ANSI page declared
    size_t RecordCount() const override { return songs_.size(); }
    std::string Text(size_t row, size_t field) const override;
    std::string ReadOnlyReason() const override;

private:
    struct Song {
        int64_t id;
        std::string title, author, copyright;  // ANSI
    };

    std::string Words(int64_t songId) const;

    std::vector<SongTableField> fields_;
    std::vector<Song> songs_;
    std::unique_ptr<Database> words_;
    std::unique_ptr<Statement> wordsQuery_;
};

}  // namespace sqlite
