// Song libraries shaped like EasyWorship 6/7's, written with SQLite itself:
// "Songs.db" (table `song`) and "SongWords.db" (table `word`), text columns
// declared with the UTF8_U_CI collation as EasyWorship declares them.
#pragma once

#include "platform/sqlite/Utf8Collation.h"

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace ew6 {

struct Song {
    int64_t rowid;
    std::string title, author, copyright;  // UTF-8
    std::optional<std::string> words;      // none: no `word` row
};

inline int Collate(void*, int n1, const void* s1, int n2, const void* s2)
{
    return sqlite::CompareUtf8IgnoringCase(std::string_view(static_cast<const char*>(s1), static_cast<size_t>(n1)),
                                           std::string_view(static_cast<const char*>(s2), static_cast<size_t>(n2)));
}

// Runs `sql` on a new database at `path`, the parameters ?1.. bound per row.
inline void WriteDatabase(const std::string& path, const std::string& schema, const std::string& insert,
                          const std::vector<std::vector<std::optional<std::string>>>& rows)
{
    sqlite3* db = nullptr;
    auto check = [&](int rc) {
        if (rc != SQLITE_OK && rc != SQLITE_DONE) {
            const std::string message = sqlite3_errmsg(db);
            sqlite3_close(db);
            throw std::runtime_error(path + ": " + message);
        }
    };
    check(sqlite3_open(path.c_str(), &db));
    check(sqlite3_create_collation(db, "UTF8_U_CI", SQLITE_UTF8, nullptr, Collate));
    check(sqlite3_exec(db, schema.c_str(), nullptr, nullptr, nullptr));
    sqlite3_stmt* stmt = nullptr;
    check(sqlite3_prepare_v2(db, insert.c_str(), -1, &stmt, nullptr));
    for (const auto& row : rows) {
        sqlite3_reset(stmt);
        for (size_t i = 0; i < row.size(); ++i) {
            const int index = static_cast<int>(i) + 1;
            if (row[i]) sqlite3_bind_text(stmt, index, row[i]->data(), static_cast<int>(row[i]->size()), SQLITE_TRANSIENT);
            else sqlite3_bind_null(stmt, index);
        }
        const int rc = sqlite3_step(stmt);
        if (rc != SQLITE_DONE) {
            sqlite3_finalize(stmt);
            check(rc);
        }
    }
    sqlite3_finalize(stmt);
    check(sqlite3_close(db));
}

inline const char* kSongSchema =
    "CREATE TABLE song (rowid INTEGER PRIMARY KEY AUTOINCREMENT, song_item_uid TEXT, song_rev_uid TEXT,"
    " title TEXT NOT NULL COLLATE UTF8_U_CI, author TEXT COLLATE UTF8_U_CI, copyright TEXT COLLATE UTF8_U_CI,"
    " administrator TEXT COLLATE UTF8_U_CI, description TEXT COLLATE UTF8_U_CI, tags TEXT COLLATE UTF8_U_CI,"
    " reference_number TEXT COLLATE UTF8_U_CI, vendor_id INTEGER);"
    "CREATE INDEX song_title_idx ON song (title);";
inline const char* kWordSchema =
    "CREATE TABLE word (rowid INTEGER PRIMARY KEY AUTOINCREMENT, song_id INTEGER, words TEXT,"
    " slide_uids TEXT, slide_layout_revisions TEXT, slide_revisions TEXT);"
    "CREATE INDEX word_song_id_idx ON word (song_id);";

// Writes `songs` as `songsName` and `wordsName` in `folder`.
inline void WriteLibrary(const std::string& folder, const std::vector<Song>& songs,
                         const std::string& songsName = "Songs.db", const std::string& wordsName = "SongWords.db")
{
    std::vector<std::vector<std::optional<std::string>>> songRows, wordRows;
    for (const Song& s : songs) {
        songRows.push_back({std::to_string(s.rowid), s.title, s.author, s.copyright});
        if (s.words) wordRows.push_back({std::to_string(s.rowid), *s.words});
    }
    WriteDatabase(folder + "/" + songsName, kSongSchema,
                  "INSERT INTO song (rowid, title, author, copyright, vendor_id) VALUES (?1, ?2, ?3, ?4, 0)", songRows);
    WriteDatabase(folder + "/" + wordsName, kWordSchema, "INSERT INTO word (song_id, words) VALUES (?1, ?2)",
                  wordRows);
}

// Lyrics in EasyWorship 6/7's rich text: for each slide a label paragraph,
// then its lines; a slide-marker paragraph between slides. Lines are ASCII
// with \uN escapes, as EasyWorship writes them.
inline std::string Ew6RichText(const std::vector<std::pair<std::string, std::vector<std::string>>>& slides)
{
    const std::string format =
        "\\qc\\qdef\\sdewparatemplatestyle101\\plain\\sdewtemplatestyle101\\fs146{\\*\\sdfsreal 72.9}\\sdfsauto ";
    std::string rtf = "{\\rtf1\\ansi\\deff0\\sdeasyworship2\r\n{\\fonttbl{\\f0 Tahoma;}}\r\n{\\colortbl ;}\r\n";
    for (size_t i = 0; i < slides.size(); ++i) {
        if (i > 0) rtf += "{\\pard\\sdslidemarker" + format + "\\par}\r\n";
        rtf += "{\\pard\\sdparawysiwghidden" + format + slides[i].first + "\\par}\r\n";
        for (const std::string& line : slides[i].second) rtf += "{\\pard" + format + line + "\\par}\r\n";
    }
    return rtf + "}";
}

// A small library: EasyWorship's own rich text with labels, umlauts as \uN
// and raw UTF-8; a song imported from elsewhere (plain paragraphs); text
// outside code page 1252 (Polish, Cyrillic); a gap in the row ids; a song
// without a `word` row.
inline std::vector<Song> SampleLibrary()
{
    return {
        {1, "Gro\u00DFer Gott, wir loben dich", "Ignaz Franz", "Gemeinfrei",
         Ew6RichText({{"Verse 1", {"Gro\\u223?er Gott, wir loben dich,", "Herr, wir preisen deine St\\u228?rke."}},
                      {"Verse 2", {"Alles, was dich preisen kann,", "Cherubim und Seraphinen"}}})},
        {2, "B\u00F3g si\u0119 rodzi", "Franciszek Karpi\u0144ski", "Kol\u0119da, \u0141\u00F3d\u017A",
         std::string("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\r\n\\pard B\u00F3g si\u0119 rodzi, moc truchleje,"
                     "\\par Pan niebiosów obnażony;\\par\\par Ogie\\u324? krzepnie, blask ciemnieje\\par}")},
        {4, "\u0422\u0435\u0431\u0435 \u043F\u043E\u0451\u043C", "", "",
         Ew6RichText({{"Chorus", {"\\u1058?\\u1077?\\u1073?\\u1077? (Tebe poyom)"}}})},
        {7, "Without lyrics", "", "", std::nullopt},
    };
}

}  // namespace ew6
