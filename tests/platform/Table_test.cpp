// The table component as the import run and the grid use it: opening by
// path, column lookup, moving through the records, values as text.
#include "platform/Table.h"

#include "platform/CodePage.h"
#include "platform/SysUtils.h"
#include "platform/paradox/TableWriter.h"
#include "../TempFolder.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace {

using paradox::FieldType;

paradox::TableSpec SongShape()
{
    paradox::TableSpec shape;
    shape.fields = {{"Title", FieldType::Alpha, 40},
                   {"Author", FieldType::Alpha, 40},
                   {"Copyright", FieldType::Alpha, 40},
                   {"Words", FieldType::Memo, 20},
                   {"\xC4nderung", FieldType::Short}};
    shape.codePage = 1252;
    return shape;
}

const std::vector<paradox::RecordValues> kSongs = {
    {"First", "A", "(c) 1", std::string(3000, 'w'), "1"},
    {"Second", "", "", "plain", std::nullopt},
    {"Third", "C", "", std::string(100, 'x'), "-3"},
};

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EDatabaseError& e) {
        return e.what();
    }
    return "(no error)";
}

class TableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetACP(1252);
        paradox::WriteParadoxTable(folder / "Songs.DB", SongShape(), kSongs);
    }
    void TearDown() override { SetACP(0); }
    TempFolder folder;
};

TEST_F(TableTest, WalksTheRecordsInTableOrder)
{
    TTable table("Table1");
    table.Open(folder / "Songs.DB");
    EXPECT_TRUE(table.Active());
    EXPECT_EQ(table.TableCodePage(), 1252);
    EXPECT_EQ(table.RecordCount(), 3u);

    const int title = table.FieldIndex("Title"), words = table.FieldIndex("Words");
    std::vector<std::string> seen;
    for (table.First(); !table.Eof(); table.Next()) seen.push_back(table.AsText(title) + "|" + table.AsText(words));
    EXPECT_EQ(seen, (std::vector<std::string>{"First|" + std::string(3000, 'w'), "Second|plain",
                                              "Third|" + std::string(100, 'x')}));
    // Past the end, the current record stays the last one.
    EXPECT_EQ(table.RecNo(), 2u);
    EXPECT_EQ(table.AsText(title), "Third");
    table.Next();
    EXPECT_TRUE(table.Eof());
    table.First();
    EXPECT_FALSE(table.Eof());
    EXPECT_EQ(table.AsText(table.FieldIndex("Author")), "A");
}

TEST_F(TableTest, GridReadsAnyRowAndTheFieldList)
{
    TTable table("Table1");
    table.Open(folder / "Songs.DB");
    table.First();
    EXPECT_EQ(table.RecordText(2, 4), "-3");
    EXPECT_EQ(table.RecordText(1, 4), "");  // null
    EXPECT_EQ(table.RecordText(0, 2), "(c) 1");
    EXPECT_EQ(table.RecNo(), 0u);  // random access does not move the position
    ASSERT_EQ(table.Fields().size(), 5u);
    EXPECT_EQ(table.Fields()[3].name, "Words");
    EXPECT_EQ(table.Fields()[3].typeName, "memo");
    EXPECT_EQ(table.Fields()[3].size, 20u);
    EXPECT_EQ(table.Fields()[0].size, 40u);
    EXPECT_EQ(ErrorOf([&] { table.RecordText(3, 0); }), "Table1: Record 3 out of range");
    EXPECT_EQ(ErrorOf([&] { table.AsText(5); }), "Table1: Field index 5 out of range");
}

TEST_F(TableTest, ColumnLookupIgnoresCaseByTheCodePage)
{
    TTable table("Table1");
    table.Open(folder / "Songs.DB");
    EXPECT_EQ(table.FieldIndex("title"), 0);
    EXPECT_EQ(table.FieldIndex("WORDS"), 3);
    EXPECT_EQ(table.FieldIndex("cOpYrIgHt"), 2);
    EXPECT_EQ(table.FieldIndex("\xE4NDERUNG"), 4);  // ä and Ä are one letter in 1252
    for (const char* missing : {"Word", "Words ", "Title2", ""})
        EXPECT_EQ(ErrorOf([&] { table.FieldIndex(missing); }),
                  std::string("Table1: Field '") + missing + "' not found");
}

TEST_F(TableTest, ClosedTableHasNoColumnsAndNoRecords)
{
    TTable table("Table1");
    EXPECT_FALSE(table.Active());
    EXPECT_EQ(ErrorOf([&] { table.FieldIndex("Words"); }), "Table1: Field 'Words' not found");
    table.First();
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.RecordCount(), 0u);
    EXPECT_TRUE(table.Fields().empty());

    table.Open(folder / "Songs.DB");
    table.Close();
    EXPECT_FALSE(table.Active());
    EXPECT_EQ(ErrorOf([&] { table.FieldIndex("Title"); }), "Table1: Field 'Title' not found");
    TTable other("Table2");
    EXPECT_EQ(ErrorOf([&] { other.FieldIndex("Title"); }), "Table2: Field 'Title' not found");
}

TEST_F(TableTest, MemoFileIsFoundWhateverItsCase)
{
    const std::string lyrics(3000, 'w');
    for (const char* memoName : {"songs.mb", "SONGS.MB", "Songs.mB"}) {
        std::filesystem::rename(folder / "Songs.MB", folder / memoName);
        TTable table("Table1");
        table.Open(folder / "Songs.DB");
        table.First();
        EXPECT_EQ(table.AsText(3), lyrics) << memoName;
        std::filesystem::rename(folder / memoName, folder / "Songs.MB");
    }
}

TEST_F(TableTest, MissingMemoFileShowsOnlyWhereAMemoIsNeeded)
{
    std::filesystem::remove(folder / "Songs.MB");
    TTable table("Table1");
    table.Open(folder / "Songs.DB");
    const int words = table.FieldIndex("Words");
    table.First();
    EXPECT_EQ(ErrorOf([&] { table.AsText(words); }),
              folder / "Songs.DB" + ": record 1, field 'Words': the memo file (.MB) beside the table is missing");
    EXPECT_EQ(table.RecNo(), 0u);  // the position stays where it was
    EXPECT_EQ(table.AsText(0), "First");
    table.Next();
    EXPECT_EQ(table.AsText(words), "plain");  // lives in the record alone
}

TEST_F(TableTest, OpenErrorsNameTheFileAndLeaveTheComponentClosed)
{
    TTable table("Table1");
    const std::string missing = folder / "None.DB";
    const std::string error = ErrorOf([&] { table.Open(missing); });
    EXPECT_EQ(error, missing + ": cannot open the file: No such file or directory");
    EXPECT_FALSE(table.Active());
    EXPECT_EQ(ErrorOf([&] { table.FieldIndex("Title"); }), "Table1: Field 'Title' not found");

    WriteFileBytes(folder / "Empty.DB", "");
    EXPECT_EQ(ErrorOf([&] { table.Open(folder / "Empty.DB"); }),
              folder / "Empty.DB" + ": the file is empty, not a Paradox table");
    EXPECT_EQ(ErrorOf([&] { table.Open(folder.Path().string()); }), folder.Path().string() + ": not a file");

    table.Open(folder / "Songs.DB");  // and it opens again afterwards
    EXPECT_EQ(table.TableName(), folder / "Songs.DB");
}

TEST_F(TableTest, AnOpenTableKeepsItsFile)
{
    paradox::WriteParadoxTable(folder / "Other.DB", SongShape(), {});
    TTable table("Table1");
    table.Open(folder / "Songs.DB");
    table.Next();
    const size_t position = table.RecNo();
    table.Open(folder / "Songs.DB");  // the same file again changes nothing
    EXPECT_EQ(table.RecNo(), position);
    EXPECT_EQ(ErrorOf([&] { table.Open(folder / "Other.DB"); }),
              "Table1: Cannot perform this operation on an open dataset");
    EXPECT_EQ(table.TableName(), folder / "Songs.DB");
    table.Close();
    table.Open(folder / "Other.DB");
    EXPECT_EQ(table.TableName(), folder / "Other.DB");
}

TEST_F(TableTest, EmptyTable)
{
    paradox::WriteParadoxTable(folder / "Empty.DB", SongShape(), {});
    TTable table("Table1");
    table.Open(folder / "Empty.DB");
    table.First();
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.AsText(table.FieldIndex("Title")), "");
}

}  // namespace

// The grid's edits and deletions reach the file; a following open sees them.
TEST_F(TableTest, PostedEditsAndDeletionsReachTheFile)
{
    TTable table("Table1");
    table.Open(folder / "Songs.DB");
    table.First();
    table.Next();
    table.Next();
    // Unicode from the grid, stored best fit in the system code page (1252).
    EXPECT_EQ(table.PostFieldText(2, 0, u"Ærlig \u201Cł\u201D \u0142"), 2u);
    EXPECT_EQ(table.RecordText(2, 0), "\xC6rlig \x93l\x94 l");
    EXPECT_EQ(table.RecNo(), 2u);
    table.DeleteRecord(0);
    EXPECT_EQ(table.RecordCount(), 2u);
    EXPECT_EQ(table.RecNo(), 1u);  // the position stays on its row number, moved back when that row is gone

    TTable again("Table2");
    again.Open(folder / "Songs.DB");
    EXPECT_EQ(again.RecordText(0, 0), "Second");
    EXPECT_EQ(again.RecordText(1, 0), "\xC6rlig \x93l\x94 l");
    EXPECT_EQ(again.RecordText(1, 3), std::string(100, 'x'));
    EXPECT_NE(ErrorOf([&] { table.PostFieldText(0, 2, std::u16string(41, u'c')); })
                  .find("field 'Copyright' holds at most 40 characters; the value has 41"),
              std::string::npos);
    EXPECT_EQ(ErrorOf([&] { table.DeleteRecord(2); }), "Table1: Record 2 out of range");
}

TEST_F(TableTest, AKeyedTableMovesAnEditedKeyAndRefusesADuplicate)
{
    paradox::TableSpec shape = SongShape();
    shape.keyFieldCount = 2;
    paradox::WriteParadoxTable(folder / "Keyed.DB", shape, kSongs);
    TTable table("Table1");
    table.Open(folder / "Keyed.DB");
    EXPECT_EQ(table.PostFieldText(0, 0, u"Zulu"), 2u);
    EXPECT_EQ(table.RecordText(2, 0), "Zulu");
    EXPECT_EQ(table.RecordText(0, 0), "Second");
    EXPECT_EQ(table.PostFieldText(1, 0, u"Second"), 1u);  // ("Second", "C") after ("Second", "")
    // Without the component's name in front, as the platform raised it.
    EXPECT_EQ(ErrorOf([&] { table.PostFieldText(1, 1, u""); }), "Key violation");
    EXPECT_EQ(table.RecordText(1, 1), "C");
    EXPECT_TRUE(std::filesystem::exists(folder / "Keyed.PX"));
}
