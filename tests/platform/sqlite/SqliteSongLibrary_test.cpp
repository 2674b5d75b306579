// EasyWorship 6/7 libraries through the table component: columns, order,
// text conversion, refused changes, damaged and foreign files, and the
// choice of reader by content rather than by name.
#include "platform/Table.h"

#include "platform/CodePage.h"
#include "platform/SysUtils.h"
#include "platform/rtf/RichText.h"
#include "support/EasyWorshipSongs.h"
#include "EasyWorship6Library.h"
#include "../../GoldenFiles.h"
#include "../../TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace {

class SqliteLibrary : public ::testing::Test {
protected:
    void SetUp() override { SetACP(1252); }
    void TearDown() override { SetACP(0); }

    // The EDatabaseError text of opening `path`; the component stays closed.
    static std::string OpenError(const std::string& path)
    {
        TTable table("Table1");
        try {
            table.Open(path);
        } catch (const EDatabaseError& e) {
            EXPECT_FALSE(table.Active());
            return e.what();
        }
        ADD_FAILURE() << "opened " << path;
        return {};
    }
};

TEST_F(SqliteLibrary, ServesTheFourColumnsInRowidOrderAsAnsi)
{
    TempFolder folder;
    ew6::WriteLibrary(folder.Path().string(), ew6::SampleLibrary());
    TTable table("Table1");
    table.Open(folder / "Songs.db");
    ASSERT_TRUE(table.Active());
    EXPECT_EQ(table.TableCodePage(), 0);
    ASSERT_EQ(table.RecordCount(), 4u);
    EXPECT_EQ(table.FieldIndex("title"), 0);
    EXPECT_EQ(table.FieldIndex("WORDS"), 3);
    EXPECT_THROW(table.FieldIndex("Administrator"), EDatabaseError);

    // Best fit into 1252: ß and ó kept, ę ń Ł ź to their base letters,
    // Cyrillic to "?".
    const std::vector<std::vector<std::string>> expected = {
        {"Gro\xDF" "er Gott, wir loben dich", "Ignaz Franz", "Gemeinfrei"},
        {"B\xF3g sie rodzi", "Franciszek Karpinski", "Koleda, L\xF3" "dz"},
        {"???? ????", "", ""},
        {"Without lyrics", "", ""},
    };
    size_t row = 0;
    for (table.First(); !table.Eof(); table.Next(), ++row) {
        ASSERT_LT(row, expected.size());
        EXPECT_EQ(table.RecNo(), row);
        for (int field = 0; field < 3; ++field) EXPECT_EQ(table.AsText(field), expected[row][static_cast<size_t>(field)]);
        if (row == table.RecordCount() - 1) break;
    }
    EXPECT_EQ(row, 3u);

    // The lyrics as stored, UTF-8 turned into ANSI; no `word` row: empty.
    EXPECT_EQ(table.RecordText(3, 3), "");
    EXPECT_NE(table.RecordText(1, 3).find("Pan niebios\xF3w obnazony;"), std::string::npos);
    EXPECT_EQ(RichTextToPlain(table.RecordText(0, 3), 1252),
              "Verse 1\r\nGro\xDF" "er Gott, wir loben dich,\r\nHerr, wir preisen deine St\xE4rke.\r\n\r\n"
              "Verse 2\r\nAlles, was dich preisen kann,\r\nCherubim und Seraphinen");
    EXPECT_THROW(table.RecordText(4, 0), EDatabaseError);
}

TEST_F(SqliteLibrary, EditsAndDeletesAreRefusedAndTheFilesStayAsTheyWere)
{
    TempFolder folder;
    ew6::WriteLibrary(folder.Path().string(), ew6::SampleLibrary());
    const std::string songs = ReadFileBytes(folder / "Songs.db"), words = ReadFileBytes(folder / "SongWords.db");
    TTable table("Table1");
    table.Open(folder / "Songs.db");
    const std::string reason =
        "Table1: Cannot change an EasyWorship 6 or 7 library: EasyWorship keeps search indexes and references "
        "for its songs that this tool does not maintain. Make the change in EasyWorship";
    try {
        table.PostFieldText(0, 0, u"Neu");
        ADD_FAILURE() << "edit accepted";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(std::string(e.what()), reason);
    }
    try {
        table.DeleteRecord(1);
        ADD_FAILURE() << "delete accepted";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(std::string(e.what()), reason);
    }
    EXPECT_TRUE(table.Active());
    EXPECT_EQ(table.RecordCount(), 4u);
    EXPECT_EQ(table.RecordText(0, 1), "Ignaz Franz");
    table.Close();
    // Read-only: no journal or WAL file beside the library, bytes unchanged.
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"SongWords.db", "Songs.db"}));
    EXPECT_EQ(ReadFileBytes(folder / "Songs.db"), songs);
    EXPECT_EQ(ReadFileBytes(folder / "SongWords.db"), words);
}

TEST_F(SqliteLibrary, DamagedAndForeignLibrariesGiveClearErrors)
{
    TempFolder folder;
    const std::string base = folder.Path().string();
    struct Case {
        std::string name;
        std::function<void(const std::string& dir)> make;
        std::string message;  // after "<dir>/"
    };
    const auto library = [](const std::string& dir) { ew6::WriteLibrary(dir, ew6::SampleLibrary()); };
    const auto truncate = [](const std::string& file, size_t size) {
        const std::string bytes = ReadFileBytes(file);
        std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(size));
    };
    const Case cases[] = {
        {"missing words",
         [&](const std::string& dir) { library(dir); fs::remove(dir + "/SongWords.db"); },
         "Songs.db: The lyrics database SongWords.db of this EasyWorship library is missing from its folder"},
        {"foreign songs",
         [&](const std::string& dir) {
             ew6::WriteDatabase(dir + "/Songs.db", "CREATE TABLE customer (name TEXT);", "SELECT 1", {});
             ew6::WriteDatabase(dir + "/SongWords.db", ew6::kWordSchema, "SELECT 1", {});
         },
         "Songs.db: Not an EasyWorship song library (it has no table \"song\")"},
        {"foreign words",
         [&](const std::string& dir) {
             library(dir);
             fs::remove(dir + "/SongWords.db");
             ew6::WriteDatabase(dir + "/SongWords.db", "CREATE TABLE other (x);", "SELECT 1", {});
         },
         "SongWords.db: Not an EasyWorship lyrics database (it has no table \"word\")"},
        {"truncated songs",
         [&](const std::string& dir) { library(dir); truncate(dir + "/Songs.db", 100); },
         "Songs.db: Cannot read the database: "},
        {"signature only",
         [&](const std::string& dir) { library(dir); truncate(dir + "/Songs.db", 16); },
         "Songs.db: Cannot read the database: "},
        {"truncated words",
         [&](const std::string& dir) { library(dir); truncate(dir + "/SongWords.db", 100); },
         "SongWords.db: Cannot read the database: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string dir = base + "/" + std::to_string(&c - cases);
        fs::create_directory(dir);
        c.make(dir);
        const std::string error = OpenError(dir + "/Songs.db");
        EXPECT_EQ(error.rfind(dir + "/" + c.message, 0), 0u) << error;
    }
}

TEST_F(SqliteLibrary, LyricsLostAfterOpeningAreAnErrorOfThatValue)
{
    TempFolder folder;
    ew6::WriteLibrary(folder.Path().string(), ew6::SampleLibrary());
    TTable table("Table1");
    table.Open(folder / "Songs.db");
    // Another program damages the lyrics while the grid shows the library.
    std::ofstream(folder / "SongWords.db", std::ios::binary | std::ios::trunc) << "garbage";
    EXPECT_THROW(table.RecordText(0, 3), EDatabaseError);
    EXPECT_EQ(table.RecordText(0, 1), "Ignaz Franz");  // what is in memory still reads
}

TEST_F(SqliteLibrary, TheContentDecidesTheReaderNotTheName)
{
    TempFolder folder;
    // A Paradox table named as EasyWorship 6 names its SQLite file.
    fs::create_directory(folder / "paradox");
    sample::WriteEasyWorshipTable(folder / "paradox/Songs.db", {{"Alt", "A", "C", "Worte"}});
    TTable paradox("Table1");
    paradox.Open(folder / "paradox/Songs.db");
    EXPECT_EQ(paradox.Fields().size(), 45u);
    EXPECT_EQ(paradox.RecordText(0, paradox.FieldIndex("Title")), "Alt");

    // An SQLite library named as EasyWorship 2009 names its Paradox file;
    // the lyrics database is found whatever the case of its name.
    fs::create_directory(folder / "sqlite");
    ew6::WriteLibrary(folder / "sqlite", ew6::SampleLibrary(), "Songs.DB", "SONGWORDS.DB");
    TTable sqlite("Table1");
    sqlite.Open(folder / "sqlite/Songs.DB");
    EXPECT_EQ(sqlite.Fields().size(), 4u);
    EXPECT_EQ(sqlite.RecordCount(), 4u);
    EXPECT_NE(sqlite.RecordText(0, 3).find("sdslidemarker"), std::string::npos);
}

}  // namespace
