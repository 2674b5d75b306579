// Edits and deletions written back to a Paradox table: round trips through
// the reader, the block chain and memo file afterwards, keyed tables kept in
// key order with their primary index, and the refusals that change nothing.
#include "IndexCheck.h"
#include "ParadoxFixtures.h"

#include "platform/CodePage.h"
#include "platform/DurableFiles.h"
#include "platform/SysUtils.h"
#include "platform/paradox/MemoFile.h"
#include "platform/paradox/TableUpdate.h"
#include "../../TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

namespace paradox {
namespace {

using testing::AllText;
using testing::GetU16;
using testing::OpenBuilt;

constexpr size_t kFirstFreeBlock = 0x4D;

// Title, author and words of each record, as the reader gives them.
using Rows = std::vector<std::vector<std::string>>;

// A song table in 1 KiB blocks (ten records a block), written to a folder.
class UpdateTest : public ::testing::Test {
protected:
    void Make(uint16_t keyFields, size_t count, const std::function<std::string(size_t)>& words)
    {
        TableSpec shape = testing::SongSpec(keyFields);
        shape.blockSizeKiB = 1;
        std::vector<RecordValues> records;
        for (size_t i = 0; i < count; ++i) {
            char title[32];
            std::snprintf(title, sizeof title, "Song %03zu", i);
            records.push_back({title, "Author " + std::to_string(i % 7), words(i)});
        }
        WriteParadoxTable(Path(), shape, records);
    }
    std::string Path() const { return folder / "Songs.DB"; }
    TableFiles Files() const
    {
        return {ReadFileBytes(folder / "Songs.DB"), ReadFileBytes(folder / "Songs.MB"),
                std::filesystem::exists(folder / "Songs.PX") ? ReadFileBytes(folder / "Songs.PX") : ""};
    }
    Rows Read() const
    {
        const TableFiles files = Files();
        return AllText(*OpenBuilt(files));
    }
    size_t Edit(size_t row, size_t field, std::string_view value)
    {
        return UpdateAlphaField(Path(), row, field, value, SystemFiles());
    }
    void Delete(size_t row) { DeleteTableRecord(Path(), row, SystemFiles()); }

    TempFolder folder;
};

std::string NoWords(size_t) { return ""; }

TEST_F(UpdateTest, EditsAndDeletionsOfAnUnkeyedTableRoundTrip)
{
    Make(0, 25, [](size_t i) { return "words " + std::to_string(i); });
    Rows expected = Read();

    EXPECT_EQ(Edit(3, 0, "Amazing Grace"), 3u);
    expected[3][0] = "Amazing Grace";
    EXPECT_EQ(Edit(24, 1, ""), 24u);  // empty stores null
    expected[24][1] = "";
    EXPECT_EQ(Edit(0, 1, std::string(30, 'x')), 0u);  // exactly the width
    expected[0][1] = std::string(30, 'x');
    Delete(0);
    expected.erase(expected.begin());
    EXPECT_EQ(Read(), expected);

    const TableFiles files = Files();
    const auto table = OpenBuilt(files);
    EXPECT_EQ(table->RecordCount(), 24u);
    // A null value is all zero bytes, nothing left of the old text. Records
    // do not move between blocks: the edited one is still block 3's fifth.
    const FieldDescriptor& author = table->Fields()[1];
    const size_t lastRecord = 2048 + 2 * 1024 + kBlockHeaderSize + 4 * table->Header().recordSize;
    EXPECT_EQ(files.table.substr(lastRecord + author.offset, author.width), std::string(author.width, '\0'));
}

TEST_F(UpdateTest, ABlockThatBecomesEmptyIsUnlinkedAndFreed)
{
    Make(0, 25, NoWords);
    Rows expected = Read();
    for (int i = 0; i < 10; ++i) Delete(10);  // all of block 2
    expected.erase(expected.begin() + 10, expected.begin() + 20);
    EXPECT_EQ(Read(), expected);

    const TableFiles files = Files();
    const TableHeader h = OpenBuilt(files)->Header();
    EXPECT_EQ(h.recordCount, 15u);
    EXPECT_EQ(h.fileBlocks, 3);  // the file keeps its blocks
    EXPECT_EQ(GetU16(files.table, header::kBlocksInUse), 2);
    EXPECT_EQ(GetU16(files.table, kFirstFreeBlock), 2);
    EXPECT_EQ(GetU16(files.table, 2048 + 0 * 1024 + block::kNext), 3);  // block 1 now leads to block 3
    EXPECT_EQ(GetU16(files.table, 2048 + 2 * 1024 + block::kPrevious), 1);
    EXPECT_EQ(static_cast<int16_t>(GetU16(files.table, 2048 + 1 * 1024 + block::kLastRecord)),
              -static_cast<int>(h.recordSize));
}

TEST_F(UpdateTest, BlockOneIsNeverFreedAndAnEmptyTableKeepsIt)
{
    Make(0, 15, NoWords);
    Rows expected = Read();
    for (int i = 0; i < 10; ++i) Delete(0);
    expected.erase(expected.begin(), expected.begin() + 10);
    EXPECT_EQ(Read(), expected);
    TableFiles files = Files();
    EXPECT_EQ(GetU16(files.table, header::kFirstBlock), 1);  // block 2's records moved into block 1
    EXPECT_EQ(GetU16(files.table, kFirstFreeBlock), 2);

    for (int i = 0; i < 5; ++i) Delete(0);
    EXPECT_TRUE(Read().empty());
    files = Files();
    EXPECT_EQ(GetU16(files.table, header::kFirstBlock), 1);
    EXPECT_EQ(GetU16(files.table, header::kLastBlock), 1);
    EXPECT_EQ(GetU16(files.table, 2048 + block::kNext), 0);
}

TEST_F(UpdateTest, DeletedMemosFreeTheirSpaceInTheMemoFile)
{
    // Records 0 and 1: values of their own blocks; 2 to 4: sub-allocated in
    // one block; 5: in the record alone.
    Make(0, 6, [](size_t i) {
        return i < 2 ? std::string(5000 + i, 'L') : i < 5 ? std::string(100 + i, 's') : std::string("short");
    });
    const auto blockType = [this](size_t block) { return static_cast<unsigned char>(Files().memo[block * 4096]); };
    ASSERT_EQ(blockType(1), memo::kSingleBlob);
    ASSERT_EQ(blockType(3), memo::kSingleBlob);
    ASSERT_EQ(blockType(5), memo::kSubAllocated);
    const size_t memoSize = Files().memo.size();

    Rows expected = Read();
    Delete(0);
    EXPECT_EQ(blockType(1), memo::kFreeBlock);
    EXPECT_EQ(GetU16(Files().memo, 4096 + memo::kBlockCount), 2);  // keeps its length
    EXPECT_EQ(blockType(3), memo::kSingleBlob);

    Delete(1);  // the first sub-allocated value: its entry is cleared
    const std::string memoFile = Files().memo;
    EXPECT_EQ(memoFile.substr(5 * 4096 + memo::kEntryTable, memo::kEntrySize), std::string(memo::kEntrySize, '\0'));
    EXPECT_EQ(blockType(5), memo::kSubAllocated);
    Delete(1);
    Delete(1);  // the block's last value: the block is free
    EXPECT_EQ(blockType(5), memo::kFreeBlock);
    expected.erase(expected.begin(), expected.begin() + 1);
    expected.erase(expected.begin() + 1, expected.begin() + 4);
    EXPECT_EQ(Read(), expected);  // the other values still read
    EXPECT_EQ(Files().memo.size(), memoSize);

    const std::string memoBefore = Files().memo;
    Delete(1);  // a memo in the record alone: the memo file does not change
    EXPECT_EQ(Files().memo, memoBefore);
    EXPECT_EQ(Read(), Rows{expected[0]});
}

TEST_F(UpdateTest, AnEditedKeyMovesTheRecordAcrossFullBlocks)
{
    Make(2, 40, NoWords);  // four full blocks
    Rows expected = Read();
    // Song 035 becomes the first in key order: block 1 is full and splits.
    EXPECT_EQ(Edit(35, 0, "Aaa first"), 0u);
    auto moved = expected[35];
    expected.erase(expected.begin() + 35);
    moved[0] = "Aaa first";
    expected.insert(expected.begin(), moved);
    EXPECT_EQ(Read(), expected);
    EXPECT_EQ(GetU16(Files().table, header::kFileBlocks), 5);

    // Song 002 moves to the end, into the last block.
    EXPECT_EQ(Edit(3, 0, "Zzz last"), 39u);
    moved = expected[3];
    expected.erase(expected.begin() + 3);
    moved[0] = "Zzz last";
    expected.push_back(moved);
    EXPECT_EQ(Read(), expected);
    // An edit of a non-key field leaves the record where it is.
    EXPECT_EQ(Edit(39, 1, "Someone"), 39u);
    expected[39][1] = "Someone";
    EXPECT_EQ(Read(), expected);
    testing::ExpectIndexMatchesTable(Files().table, Files().index);
}

TEST_F(UpdateTest, ADuplicateKeyIsAKeyViolationAndChangesNothing)
{
    Make(2, 12, NoWords);
    const Rows rows = Read();
    // Song 009 by the author of song 005: a new key, so the record moves
    // behind the other song 009.
    EXPECT_EQ(Edit(5, 0, rows[9][0]), 9u);
    Rows expected = rows;
    expected[5][0] = rows[9][0];
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Read(), expected);

    const TableFiles before = Files();
    try {
        Edit(9, 1, rows[9][1]);  // now the same title and author as song 009
        FAIL() << "no key violation";
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Key violation");
    }
    const TableFiles after = Files();
    EXPECT_EQ(after.table, before.table);
    EXPECT_EQ(after.memo, before.memo);
    EXPECT_EQ(after.index, before.index);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"Songs.DB", "Songs.MB", "Songs.PX"}));
    // Keys compare as bytes: another letter case is another key.
    EXPECT_NO_THROW(Edit(9, 1, AnsiUpperCase(rows[9][1])));
}

// Sizes of table around the index's levels: 1 KiB index blocks name 13
// data blocks of ten records, two levels 169.
class IndexLevels : public UpdateTest, public ::testing::WithParamInterface<std::pair<size_t, int>> {};

TEST_P(IndexLevels, ThePrimaryIndexFollowsEveryChange)
{
    const auto [count, levels] = GetParam();
    Make(2, count, NoWords);
    EXPECT_EQ(testing::ExpectIndexMatchesTable(Files().table, Files().index), levels);
    Rows expected = Read();
    for (size_t i = 0; i < 20; ++i) {
        const size_t row = (i * 37) % (count - i);
        Delete(row);
        expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(row));
    }
    for (size_t i = 0; i < 10; ++i) {
        const size_t row = (i * 11) % (count - 20);
        const std::string title = "Moved " + std::to_string(1000 - i);
        Edit(row, 0, title);
        expected[row][0] = title;
        std::sort(expected.begin(), expected.end());
    }
    EXPECT_EQ(Read(), expected);
    EXPECT_EQ(testing::ExpectIndexMatchesTable(Files().table, Files().index), levels);
}

INSTANTIATE_TEST_SUITE_P(OneAndTwo, IndexLevels, ::testing::Values(std::pair<size_t, int>{100, 1},
                                                                   std::pair<size_t, int>{600, 2}));

TEST_F(UpdateTest, TheIndexGainsAndLosesItsSecondLevel)
{
    Make(2, 130, NoWords);  // 13 full data blocks: one index block names them all
    EXPECT_EQ(testing::ExpectIndexMatchesTable(Files().table, Files().index), 1);
    Rows expected = Read();
    // Song 050 becomes the first: block 1 splits into a 14th data block.
    EXPECT_EQ(Edit(50, 0, "Aaa"), 0u);
    expected[50][0] = "Aaa";
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Read(), expected);
    EXPECT_EQ(testing::ExpectIndexMatchesTable(Files().table, Files().index), 2);
    // Emptying the last block unlinks it: 13 data blocks again.
    for (size_t i = 0; i < 10; ++i) Delete(expected.size() - 1 - i);
    expected.resize(expected.size() - 10);
    EXPECT_EQ(Read(), expected);
    EXPECT_EQ(testing::ExpectIndexMatchesTable(Files().table, Files().index), 1);
}

TEST_F(UpdateTest, ATableNeedingAnIndexOfThreeLevelsIsRefused)
{
    Make(2, 1690, NoWords);  // 169 full data blocks: all two levels name
    EXPECT_EQ(testing::ExpectIndexMatchesTable(Files().table, Files().index), 2);
    // The record in row 50 becomes the first: block 1 splits into a 170th data block.
    const TableFiles before = Files();
    try {
        Edit(50, 0, "Aaa");
        FAIL() << "not refused";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("more data blocks (170) than two levels of its primary index name (169), "
                                             "and a primary index of more levels is not written by this program"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(Files().table, before.table);
    EXPECT_EQ(Files().index, before.index);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"Songs.DB", "Songs.MB", "Songs.PX"}));
}

}  // namespace
}  // namespace paradox
