// Tables written by our writer read back value for value: every field type,
// every memo placement, nulls, many blocks, key order.
#include "ParadoxFixtures.h"

#include "platform/paradox/MemoFile.h"

#include <gtest/gtest.h>

namespace paradox {
namespace {

using testing::AllText;
using testing::GetU16;
using testing::GetU32;
using testing::OpenBuilt;

TableSpec EveryTypeSpec()
{
    TableSpec shape;
    shape.fields = {
        {"Alpha", FieldType::Alpha, 20},       {"Short", FieldType::Short},
        {"Long", FieldType::Long},             {"AutoInc", FieldType::AutoIncrement},
        {"Number", FieldType::Number},         {"Money", FieldType::Currency},
        {"Bcd", FieldType::Bcd, 4},            {"Flag", FieldType::Logical},
        {"Day", FieldType::Date},              {"Clock", FieldType::Time},
        {"Stamp", FieldType::Timestamp},       {"Memo", FieldType::Memo, 20},
        {"FmtMemo", FieldType::FormattedMemo, 15}, {"Blob", FieldType::Blob, 10},
        {"Graphic", FieldType::Graphic, 10},   {"Ole", FieldType::Ole, 12},
        {"Bytes", FieldType::Bytes, 6},
    };
    return shape;
}

TEST(ParadoxRoundTrip, EveryFieldTypeReadsBackAsWritten)
{
    const std::string binary("\x00\x01\xFF\x80\x00z", 6);
    const std::vector<RecordValues> records = {
        {"Amazing Grace \xF8", "-32767", "2147483647", "1", "3.25", "1234.50", "-12.3400", "True", "2009-03-14",
         "13:45:07", "2009-03-14 13:45:07", "short memo", "{\\rtf1 x}", binary, "GIF89a", "ole", binary},
        {"A", "0", "-2147483647", "2", "-0.1", "-0.05", "0.0001", "False", "0001-01-01", "00:00:00.001",
         "9999-12-31 23:59:59.999", std::string(300, 'm'), std::string(5000, 'f'), std::string(2049, 'b'),
         std::string(16, 'g'), std::string(2048, 'o'), "b"},
        {"", "32767", "7", "3", "1e+20", "0.00", "99999999.0000", "True", "2024-02-29", "23:59:59",
         "1970-01-01 00:00:00", "", "x", "", "", "", ""},
    };
    const TableFiles files = BuildParadoxTable(EveryTypeSpec(), records);
    const auto table = OpenBuilt(files);

    std::vector<std::vector<std::string>> expected;
    for (const auto& r : records) {
        expected.emplace_back();
        for (const auto& v : r) expected.back().push_back(v.value_or(""));
    }
    // The writer keeps bytes fields at their width.
    expected[0][16] = binary;
    expected[1][16] = std::string("b\0\0\0\0\0", 6);
    EXPECT_EQ(AllText(*table), expected);
}

TEST(ParadoxRoundTrip, NullValuesGiveEmptyTextForEveryType)
{
    const TableSpec shape = EveryTypeSpec();
    const TableFiles files = BuildParadoxTable(shape, {RecordValues(shape.fields.size()), RecordValues{}});
    const auto table = OpenBuilt(files);
    ASSERT_EQ(table->RecordCount(), 2u);
    for (const auto& row : AllText(*table))
        for (const auto& value : row) EXPECT_EQ(value, "");
}

TEST(ParadoxRoundTrip, ZeroIsNotNull)
{
    TableSpec shape;
    shape.fields = {{"S", FieldType::Short}, {"N", FieldType::Number}, {"B", FieldType::Bcd, 0}, {"L", FieldType::Logical}};
    const TableFiles files = BuildParadoxTable(shape, {{"0", "0", "0", "False"}});
    EXPECT_EQ(AllText(*OpenBuilt(files)), (std::vector<std::vector<std::string>>{{"0", "0", "0", "False"}}));
}

// Where each memo length lands: in the record alone, in a sub-allocated block,
// or in blocks of its own; read back through the memo file each time.
TEST(ParadoxRoundTrip, MemosInEveryPlacement)
{
    struct Case {
        size_t length;
        uint32_t offsetLowByte;  // of the leader: 0xFF for a single blob, else the entry
        uint8_t blockType;       // 0: no memo block
    };
    const size_t inlineSize = 30 - kBlobLeaderSize;
    const std::vector<Case> cases = {
        {1, 0, 0}, {inlineSize, 0, 0}, {inlineSize + 1, 0, memo::kSubAllocated}, {16, 0, 0},
        {memo::kSubAllocationThreshold, 1, memo::kSubAllocated},
        {memo::kSubAllocationThreshold + 1, 0xFF, memo::kSingleBlob},
        {4096 - memo::kSingleDataStart, 0xFF, memo::kSingleBlob},
        {4096 - memo::kSingleDataStart + 1, 0xFF, memo::kSingleBlob},
        {70000, 0xFF, memo::kSingleBlob},
    };
    std::vector<RecordValues> records;
    for (size_t i = 0; i < cases.size(); ++i) {
        std::string memoText(cases[i].length, '\0');
        for (size_t k = 0; k < memoText.size(); ++k) memoText[k] = static_cast<char>('a' + (k * 7 + i) % 26);
        records.push_back({std::to_string(i), "", memoText});
    }
    const TableFiles files = BuildParadoxTable(testing::SongSpec(), records);
    const auto table = OpenBuilt(files);
    ASSERT_EQ(table->RecordCount(), cases.size());

    const TableHeader& h = table->Header();
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE("memo of " + std::to_string(cases[i].length) + " bytes");
        EXPECT_EQ(table->Text(i, 2), *records[i][2]);
        const size_t perBlock = (h.blockSize - kBlockHeaderSize) / h.recordSize;
        const size_t leaderAt = h.headerSize + (i / perBlock) * h.blockSize + kBlockHeaderSize +
                                (i % perBlock) * h.recordSize + h.fields[2].offset + inlineSize;
        const uint32_t offset = GetU32(files.table, leaderAt);
        EXPECT_EQ(GetU32(files.table, leaderAt + 4), cases[i].length);
        if (cases[i].blockType == 0) {
            EXPECT_EQ(offset, 0u);
            continue;
        }
        EXPECT_EQ(static_cast<uint8_t>(files.memo[offset & ~0xFFu]), cases[i].blockType);
        EXPECT_EQ(offset & 0xFF, cases[i].offsetLowByte);
    }
}

TEST(ParadoxRoundTrip, SubAllocatedBlocksFillUpAndMoveOn)
{
    // 100 small memos: more than the 64 entries of one block.
    std::vector<RecordValues> records;
    for (int i = 0; i < 100; ++i) records.push_back({"t" + std::to_string(i), "", std::string(40 + i, 'a' + i % 26)});
    const TableFiles files = BuildParadoxTable(testing::SongSpec(), records);
    const auto table = OpenBuilt(files);
    for (size_t i = 0; i < records.size(); ++i) EXPECT_EQ(table->Text(i, 2), *records[i][2]) << i;
    EXPECT_GE(files.memo.size(), 3 * memo::kBlockSize);  // header block and at least two sub-allocated blocks
}

TEST(ParadoxRoundTrip, ManyBlocksInEveryBlockSize)
{
    for (uint8_t kib : {1, 2, 3, 4, 8, 16, 32}) {
        SCOPED_TRACE("blocks of " + std::to_string(kib) + " KiB");
        TableSpec shape = testing::SongSpec();
        shape.blockSizeKiB = kib;
        std::vector<RecordValues> records;
        for (int i = 0; i < 1500; ++i)
            records.push_back({"Song " + std::to_string(i), "Author " + std::to_string(i % 7), std::string(i % 50, 'w')});
        const TableFiles files = BuildParadoxTable(shape, records);
        const auto table = OpenBuilt(files);
        ASSERT_EQ(table->RecordCount(), records.size());
        EXPECT_EQ(table->Header().blockSize, kib * 1024u);
        EXPECT_GT(table->Header().fileBlocks, 1u);
        // Forward, then backward, then a jump: the one kept block follows.
        for (size_t i = 0; i < records.size(); i += 37) EXPECT_EQ(table->Text(i, 0), *records[i][0]);
        for (size_t i = records.size(); i-- > 0;) ASSERT_EQ(table->Text(i, 1), *records[i][1]);
        EXPECT_EQ(table->Text(1499, 2), *records[1499][2]);
        EXPECT_EQ(table->Text(0, 0), "Song 0");
    }
}

TEST(ParadoxRoundTrip, EmptyTableHasNoBlocks)
{
    const TableFiles files = BuildParadoxTable(testing::SongSpec(), {});
    const auto table = OpenBuilt(files);
    EXPECT_EQ(table->RecordCount(), 0u);
    EXPECT_EQ(table->Header().firstBlock, 0u);
    EXPECT_EQ(files.table.size(), table->Header().headerSize);
}

TEST(ParadoxRoundTrip, KeyedTableIsWrittenInKeyOrder)
{
    // Key of two fields: a number first (negative before positive), then text.
    TableSpec shape;
    shape.keyFieldCount = 2;
    shape.fields = {{"N", FieldType::Long}, {"T", FieldType::Alpha, 10}, {"Rest", FieldType::Alpha, 10}};
    const TableFiles files =
        BuildParadoxTable(shape, {{"5", "b", "1"}, {"-3", "z", "2"}, {"5", "a", "3"}, {"0", "", "4"}, {"-300", "m", "5"}});
    const auto table = OpenBuilt(files);
    EXPECT_EQ(table->Header().fileType, kKeyedTable);
    EXPECT_EQ(table->Header().keyFieldCount, 2u);
    std::vector<std::string> order;
    for (size_t i = 0; i < table->RecordCount(); ++i) order.push_back(table->Text(i, 2));
    EXPECT_EQ(order, (std::vector<std::string>{"5", "2", "4", "3", "1"}));

    const TableFiles unkeyed = BuildParadoxTable(testing::SongSpec(0), {{"b"}, {"a"}});
    const auto plain = OpenBuilt(unkeyed);
    EXPECT_EQ(plain->Header().fileType, kUnkeyedTable);
    EXPECT_EQ(plain->Text(0, 0), "b");
}

TEST(ParadoxWriter, RefusesWhatATableCannotHold)
{
    TableSpec shape;
    shape.fields = {{"A", FieldType::Alpha, 3}, {"S", FieldType::Short}, {"D", FieldType::Date}, {"T", FieldType::Time},
                   {"B", FieldType::Bcd, 2}, {"L", FieldType::Logical}, {"N", FieldType::Number}};
    const std::vector<RecordValues> bad = {
        {"abcd"}, {"", "32768"}, {"", "-32768"}, {"", "1.5"}, {"", "", "2023-02-29"}, {"", "", "2023-13-01"},
        {"", "", "", "24:00:00"}, {"", "", "", "", "1.234"}, {"", "", "", "", "x"}, {"", "", "", "", "", "yes"},
        {"", "", "", "", "", "", "nan"}, {"", "", "", "", "", "", "inf"}, {"", "", "", "", "", "", "", "extra"},
    };
    for (const auto& record : bad) {
        std::string shown;
        for (const auto& v : record) shown += "[" + v.value_or("") + "]";
        EXPECT_THROW(BuildParadoxTable(shape, {record}), std::invalid_argument) << shown;
    }

    TableSpec memoKey;
    memoKey.keyFieldCount = 1;
    memoKey.fields = {{"M", FieldType::Memo, 20}};
    EXPECT_THROW(BuildParadoxTable(memoKey, {}), std::invalid_argument);
    TableSpec tooWide;
    tooWide.blockSizeKiB = 1;
    tooWide.fields = {{"A", FieldType::Alpha, 255}, {"B", FieldType::Alpha, 255}, {"C", FieldType::Alpha, 255},
                      {"D", FieldType::Alpha, 255}, {"E", FieldType::Alpha, 255}};
    EXPECT_THROW(BuildParadoxTable(tooWide, {}), std::invalid_argument);
}

}  // namespace
}  // namespace paradox
