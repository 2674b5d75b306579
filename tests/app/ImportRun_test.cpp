#include "app/ImportRun.h"

#include "app/ImportSummary.h"
#include "platform/CodePage.h"
#include "platform/SongTable.h"
#include "platform/SysUtils.h"
#include "platform/System.h"
#include "platform/rtf/RichText.h"
#include "../TempFolder.h"

#include <gtest/gtest.h>

namespace {

// An in-memory song table: the run's behaviour does not depend on the file
// format, and this one can fail on any record.
class MemoryTable : public SongTable {
public:
    MemoryTable(std::vector<std::string> columns, std::vector<std::vector<std::string>> rows)
        : rows_(std::move(rows))
    {
        for (auto& c : columns) fields_.push_back({c, "alpha", 50});
    }
    size_t failOnRecord = SIZE_MAX;

    const std::string& Name() const override { return name_; }
    const std::vector<SongTableField>& Fields() const override { return fields_; }
    int TableCodePage() const override { return 0; }
    void First() override { current_ = 0; eof_ = rows_.empty(); }
    void Next() override
    {
        if (current_ + 1 < rows_.size()) ++current_;
        else eof_ = true;
    }
    bool Eof() const override { return eof_; }
    size_t RecNo() const override { return current_; }
    std::string AsText(int field) const override
    {
        if (current_ == failOnRecord) throw EDatabaseError("Table1: damaged memo");
        return rows_[current_][static_cast<size_t>(field)];
    }
    size_t RecordCount() const override { return rows_.size(); }
    std::string RecordText(size_t row, int field) const override { return rows_[row][static_cast<size_t>(field)]; }

private:
    std::string name_ = "Table1";
    std::vector<SongTableField> fields_;
    std::vector<std::vector<std::string>> rows_;
    size_t current_ = 0;
    bool eof_ = true;
};

const std::string kRtfHead = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset1 Arial;}}";

std::string Rtf(const std::string& body) { return kRtfHead + body + "}"; }

class ImportRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetACP(1252);
        RandSeed = 0;
    }
    void TearDown() override { SetACP(0); }

    // Column order differs from the lookup order on purpose.
    MemoryTable Songs(std::vector<std::vector<std::string>> rows)
    {
        return MemoryTable({"RecID", "copyright", "Words", "AUTHOR", "Title"}, std::move(rows));
    }

    TempFolder folder;
    RichTextConverter richText;
    ImportSummary summary;
};

}  // namespace

TEST_F(ImportRun, WritesOneTidySongFilePerRecordWithLyrics)
{
    auto table = Songs({
        {"1", "Public domain", Rtf("\\par Verse 1\\par Amazing grace  \\par\\par\\par Verse 2\\par Twas grace\\par\\par"),
         "John Newton", "Amazing Grace"},
        {"2", "", "", "Nobody", "No Lyrics"},
        {"3", "", "plain first line\r\n\r\nsecond slide", "", ""},
        {"4", "", Rtf("Gro\\'df"), "", "?!"},
    });
    ImportSongs(folder.Path().string(), table, richText, &summary);

    EXPECT_EQ(ReadFileBytes(folder / "Amazing Grace.sng"),
              "#Title=Amazing Grace\r\n#Author=John Newton\r\n#(c)=Public domain\r\n#Editor=Tessaline 1.0\r\n"
              "---\r\nVerse 1\r\nAmazing grace\r\n---\r\nVerse 2\r\nTwas grace\r\n");
    EXPECT_EQ(ReadFileBytes(folder / "plain first line.sng"),
              "#Editor=Tessaline 1.0\r\n---\r\nplain first line\r\n---\r\nsecond slide\r\n");
    EXPECT_EQ(ReadFileBytes(folder / "Unbenannt 0.sng"), "#Title=?!\r\n#Editor=Tessaline 1.0\r\n---\r\nGro\xDF\r\n");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"Amazing Grace.sng", "Unbenannt 0.sng", "plain first line.sng"}));

    EXPECT_EQ(summary.Written(), 3u);
    EXPECT_EQ(summary.Skipped(), 1u);
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.RecNo(), 3u);   // on the last record
}

TEST_F(ImportRun, TheLaterRecordOfTheSameNameWins)
{
    auto table = Songs({{"1", "", "first", "", "Same"}, {"2", "", "second", "", "Same"}});
    ImportSongs(folder.Path().string(), table, richText, &summary);
    EXPECT_EQ(ReadFileBytes(folder / "Same.sng"), "#Title=Same\r\n#Editor=Tessaline 1.0\r\n---\r\nsecond\r\n");
    EXPECT_EQ(summary.SharedFiles().size(), 1u);
}

TEST_F(ImportRun, EmptyTableAndEmptyFolderTextWriteNothing)
{
    auto empty = Songs({});
    ImportSongs(folder.Path().string(), empty, richText, &summary);
    auto one = Songs({{"1", "", "text", "", "Song"}});
    ImportSongs("", one, richText, &summary);
    EXPECT_TRUE(folder.Names().empty());
    EXPECT_EQ(summary.Written() + summary.Skipped(), 0u);
}

TEST_F(ImportRun, FailuresEndTheRunAndKeepWhatWasWritten)
{
    struct Case {
        std::vector<std::string> columns;
        std::string folder;
        std::string error;
        bool folderMade;
    };
    const std::string out = folder / "out";
    const Case cases[] = {
        {{}, out, "Table1: Field 'Words' not found", true},   // no table open: no columns
        {{"Title", "Author", "Copyright"}, out, "Table1: Field 'Words' not found", true},
        {{"Words", "Title", "Copyright"}, out, "Table1: Field 'Author' not found", true},
        {{"Words", "Title", "Author"}, out, "Table1: Field 'Copyright' not found", true},
        {{"Words"}, "zzzz-missing-first-folder/sub", "Unable to create directory", false},
    };
    for (const Case& c : cases) {
        MemoryTable table(c.columns, {});
        try {
            ImportSongs(c.folder, table, richText);
            ADD_FAILURE() << "no error: " << c.error;
        } catch (const Exception& e) {
            EXPECT_EQ(std::string(e.what()), c.error);
        }
        EXPECT_EQ(std::filesystem::is_directory(c.folder), c.folderMade) << c.error;
        std::filesystem::remove_all(out);
    }

    auto table = Songs({{"1", "", "a", "", "One"}, {"2", "", "b", "", "Two"}, {"3", "", "c", "", "Three"}});
    table.failOnRecord = 1;
    EXPECT_THROW(ImportSongs(folder.Path().string(), table, richText, &summary), EDatabaseError);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"One.sng"});
    EXPECT_EQ(table.RecNo(), 1u);   // stays on the record being converted
}

TEST_F(ImportRun, AFileThatCannotBeCreatedStopsTheRun)
{
    std::filesystem::create_directory(folder / "Two.sng");
    auto table = Songs({{"1", "", "a", "", "One"}, {"2", "", "b", "", "Two"}, {"3", "", "c", "", "Three"}});
    EXPECT_THROW(ImportSongs(folder.Path().string(), table, richText), EFCreateError);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"One.sng", "Two.sng"}));
    EXPECT_EQ(table.RecNo(), 1u);
}
