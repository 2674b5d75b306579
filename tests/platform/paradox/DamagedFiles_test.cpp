// Damaged and foreign files: each gives an EDatabaseError that names the file
// and what is wrong, never a crash. Faults of the table itself show at open;
// a damaged memo shows only when its record's memo is read, so the records
// around it still convert.
#include "ParadoxFixtures.h"

#include "platform/SysUtils.h"
#include "platform/paradox/Format.h"
#include "platform/paradox/MemoFile.h"

#include <functional>
#include <optional>

#include <gtest/gtest.h>

namespace paradox {
namespace {

using testing::GetU32;
using testing::OpenBuilt;
using testing::PutU16;
using testing::PutU32;

// 35 songs in blocks of 1 KiB (10 records of 100 bytes each, so 4 blocks).
// Record 0's memo lives in the record, 1's in a single-blob block at 4096,
// 2's in a sub-allocated block at 8192, 3's in two blocks at 12288.
constexpr size_t kHeaderSize = 2048;
constexpr size_t kBlockSize = 1024;
constexpr size_t kRecords = 35;
constexpr size_t kLeader = 6 + 70 + 20;  // from a record's block: block header, Words' offset, its inline part

size_t LeaderAt(size_t row) { return kHeaderSize + row / 10 * kBlockSize + (row % 10) * 100 + kLeader; }
size_t BlockAt(size_t number) { return kHeaderSize + (number - 1) * kBlockSize; }

TableFiles SampleFiles()
{
    TableSpec shape = testing::SongSpec();
    shape.blockSizeKiB = 1;
    std::vector<RecordValues> records;
    for (size_t i = 0; i < kRecords; ++i) records.push_back({"Song " + std::to_string(i), "Author", "short"});
    records[1][2] = std::string(3000, 'L');
    records[2][2] = std::string(100, 'S');
    records[3][2] = std::string(5000, 'D');
    TableFiles files = BuildParadoxTable(shape, records);
    // The layout the cases below rely on.
    EXPECT_EQ(GetU32(files.table, LeaderAt(1)), 4096u | 0xFF);
    EXPECT_EQ(GetU32(files.table, LeaderAt(2)), 8192u);
    EXPECT_EQ(GetU32(files.table, LeaderAt(3)), 12288u | 0xFF);
    EXPECT_EQ(files.table.size(), kHeaderSize + 4 * kBlockSize);
    EXPECT_EQ(files.memo.size(), 20480u);
    return files;
}

struct Damage {
    const char* what;
    std::function<void(TableFiles&)> apply;
    std::string error;
    std::optional<size_t> memoRow = std::nullopt;  // set: the open succeeds, this record's memo fails
};

const std::vector<Damage>& Damages()
{
    static const std::vector<Damage> damages = {
        {"empty file", [](TableFiles& f) { f.table.clear(); }, "Songs.DB: the file is empty, not a Paradox table"},
        {"shorter than a header", [](TableFiles& f) { f.table.resize(50); },
         "Songs.DB: the file is too short (50 bytes) to be a Paradox table"},
        {"text file", [](TableFiles& f) { f.table = std::string(200, 'T'); },
         "Songs.DB: not a Paradox table (file type 84)"},
        {"primary index file", [](TableFiles& f) { f.table[header::kFileType] = 1; },
         "Songs.DB: not a Paradox table (file type 1)"},
        {"unknown level", [](TableFiles& f) { f.table[header::kFileVersion] = 2; },
         "Songs.DB: not a Paradox table of a known level (version byte 2)"},
        {"encrypted", [](TableFiles& f) { PutU32(f.table, header::kEncryption2, 1); },
         "Songs.DB: the table is encrypted (password protected); remove the password in Paradox or EasyWorship first"},
        {"header larger than the file", [](TableFiles& f) { PutU16(f.table, header::kHeaderSize, 0xFFFF); },
         "Songs.DB: header size 65535 does not fit the file (6144 bytes)"},
        {"header smaller than its fixed part", [](TableFiles& f) { PutU16(f.table, header::kHeaderSize, 0x60); },
         "Songs.DB: header size 96 does not fit the file (6144 bytes)"},
        {"block size code", [](TableFiles& f) { f.table[header::kBlockSizeCode] = 5; },
         "Songs.DB: unknown block size code 5"},
        {"no fields", [](TableFiles& f) { PutU16(f.table, header::kFieldCount, 0); },
         "Songs.DB: field count 0 is not between 1 and 255"},
        {"too many fields", [](TableFiles& f) { PutU16(f.table, header::kFieldCount, 300); },
         "Songs.DB: field count 300 is not between 1 and 255"},
        {"fields beyond the header",
         [](TableFiles& f) {
             PutU16(f.table, header::kFieldCount, 255);
             PutU16(f.table, header::kHeaderSize, 512);
         },
         "Songs.DB: the header (512 bytes) is too small for 255 fields"},
        {"more fields than described", [](TableFiles& f) { PutU16(f.table, header::kFieldCount, 4); },
         "Songs.DB: field 4 has the unknown type code 0"},
        {"key beyond the fields", [](TableFiles& f) { PutU16(f.table, header::kKeyFieldCount, 4); },
         "Songs.DB: key field count 4 exceeds the field count 3"},
        {"unknown field type", [](TableFiles& f) { f.table[header::kDataPartEnd] = 7; },
         "Songs.DB: field 1 has the unknown type code 7"},
        {"alpha of size 0", [](TableFiles& f) { f.table[header::kDataPartEnd + 1] = 0; },
         "Songs.DB: field 1 (alpha) has the impossible size 0"},
        {"memo slot without room for its leader", [](TableFiles& f) { f.table[header::kDataPartEnd + 5] = 9; },
         "Songs.DB: field 3 (memo) has the impossible size 9"},
        {"record size", [](TableFiles& f) { PutU16(f.table, header::kRecordSize, 101); },
         "Songs.DB: record size 101 does not match its fields (100 bytes)"},
        {"first block beyond the file's blocks", [](TableFiles& f) { PutU16(f.table, header::kFirstBlock, 9); },
         "Songs.DB: data block 9 (the first) is beyond the 4 blocks of the table"},
        {"next block beyond the file's blocks", [](TableFiles& f) { PutU16(f.table, BlockAt(2), 99); },
         "Songs.DB: data block 99 (after block 2) is beyond the 4 blocks of the table"},
        {"chain loops", [](TableFiles& f) { PutU16(f.table, BlockAt(4), 2); },
         "Songs.DB: the chain of data blocks loops back to block 2"},
        {"chain points at itself", [](TableFiles& f) { PutU16(f.table, BlockAt(1), 1); },
         "Songs.DB: the chain of data blocks loops back to block 1"},
        {"truncated in the last block", [](TableFiles& f) { f.table.resize(f.table.size() - 100); },
         "Songs.DB: data block 4 lies beyond the end of the file (the file is truncated)"},
        {"block record count not a whole record", [](TableFiles& f) { PutU16(f.table, BlockAt(1) + 4, 5); },
         "Songs.DB: data block 1 claims an impossible record count (last record at offset 5)"},
        {"block record count beyond the block", [](TableFiles& f) { PutU16(f.table, BlockAt(1) + 4, 1000); },
         "Songs.DB: data block 1 claims an impossible record count (last record at offset 1000)"},
        {"block record count negative", [](TableFiles& f) { PutU16(f.table, BlockAt(1) + 4, 0xFF00); },
         "Songs.DB: data block 1 claims an impossible record count (last record at offset -256)"},
        {"header counts more records", [](TableFiles& f) { PutU32(f.table, header::kRecordCount, 36); },
         "Songs.DB: the header counts 36 records but the data blocks hold 35"},
        {"header counts fewer records", [](TableFiles& f) { PutU32(f.table, header::kRecordCount, 20); },
         "Songs.DB: the data blocks hold more records than the 20 the header counts"},
        {"no first block", [](TableFiles& f) { PutU16(f.table, header::kFirstBlock, 0); },
         "Songs.DB: the header counts 35 records but the data blocks hold 0"},
        {"name past the header",
         [](TableFiles& f) { std::fill(f.table.begin() + 0x78 + 6 + 4 + 12 + 261, f.table.begin() + kHeaderSize, 'x'); },
         "Songs.DB: the name of field 1 runs past the end of the header"},

        // Memo faults: reported for the one record.
        {"memo file missing", [](TableFiles& f) { f.memo.clear(); },
         "Songs.DB: record 2, field 'Words': the memo file (.MB) beside the table is missing", 1},
        {"memo pointer beyond the memo file", [](TableFiles& f) { PutU32(f.table, LeaderAt(1), 40960 | 0xFF); },
         "Songs.MB: record 2, field 'Words': the memo pointer 41215 lies beyond the end of the memo file (20480 bytes)", 1},
        {"memo pointer into the header block", [](TableFiles& f) { PutU32(f.table, LeaderAt(1), 0xFF); },
         "Songs.MB: record 2, field 'Words': the memo pointer 255 names no block of the memo file", 1},
        {"memo pointer between blocks", [](TableFiles& f) { PutU32(f.table, LeaderAt(1), 4096 + 512 + 0xFF); },
         "Songs.MB: record 2, field 'Words': the memo pointer 4863 names no block of the memo file", 1},
        {"memo length differs", [](TableFiles& f) { PutU32(f.table, LeaderAt(1) + 4, 3001); },
         "Songs.MB: record 2, field 'Words': length 3001 in the record, 3000 in the memo file", 1},
        {"memo modification number differs", [](TableFiles& f) { PutU16(f.table, LeaderAt(1) + 8, 2); },
         "Songs.MB: record 2, field 'Words': modification number 2 in the record, 1 in the memo file", 1},
        {"single blob longer than its blocks", [](TableFiles& f) { PutU16(f.memo, 12288 + memo::kBlockCount, 1); },
         "Songs.MB: record 4, field 'Words': the value of 5000 bytes does not fit its 1 memo blocks", 3},
        {"memo file truncated inside a value", [](TableFiles& f) { f.memo.resize(16384 + 100); },
         "Songs.MB: record 4, field 'Words': the value of 5000 bytes runs past the end of the memo file", 3},
        {"single blob pointer with an entry", [](TableFiles& f) { PutU32(f.table, LeaderAt(1), 4096 + 3); },
         "Songs.MB: record 2, field 'Words': the memo pointer names entry 3 of a block that holds one value", 1},
        {"sub-allocated entry beyond the table", [](TableFiles& f) { PutU32(f.table, LeaderAt(2), 8192 + 70); },
         "Songs.MB: record 3, field 'Words': the memo pointer names entry 70 of a block of 64", 2},
        {"sub-allocated entry unused", [](TableFiles& f) { PutU32(f.table, LeaderAt(2), 8192 + 5); },
         "Songs.MB: record 3, field 'Words': the memo pointer names the unused entry 5", 2},
        {"sub-allocated entry without chunks",
         [](TableFiles& f) { f.memo[8192 + memo::kEntryTable + memo::kEntryChunks] = 0; },
         "Songs.MB: record 3, field 'Words': entry 0 of the sub-allocated block is damaged", 2},
        {"sub-allocated entry past its block",
         [](TableFiles& f) { f.memo[8192 + memo::kEntryTable + memo::kEntryChunk] = static_cast<char>(250); },
         "Songs.MB: record 3, field 'Words': entry 0 of the sub-allocated block is damaged", 2},
        {"sub-allocated entry inside the entry table",
         [](TableFiles& f) { f.memo[8192 + memo::kEntryTable + memo::kEntryChunk] = 3; },
         "Songs.MB: record 3, field 'Words': entry 0 of the sub-allocated block is damaged", 2},
        {"sub-allocated last chunk over 16 bytes",
         [](TableFiles& f) { f.memo[8192 + memo::kEntryTable + memo::kEntryLastChunkBytes] = 17; },
         "Songs.MB: record 3, field 'Words': entry 0 of the sub-allocated block is damaged", 2},
        {"sub-allocated length differs", [](TableFiles& f) { PutU32(f.table, LeaderAt(2) + 4, 99); },
         "Songs.MB: record 3, field 'Words': length 99 in the record, 100 in the memo file", 2},
        {"sub-allocated modification number differs",
         [](TableFiles& f) { PutU16(f.memo, 8192 + memo::kEntryTable + memo::kEntryModification, 7); },
         "Songs.MB: record 3, field 'Words': modification number 1 in the record, 7 in the memo file", 2},
        {"memo in a free block", [](TableFiles& f) { f.memo[4096] = memo::kFreeBlock; },
         "Songs.MB: record 2, field 'Words': the memo pointer leads to a free block of the memo file", 1},
        {"memo in a block of unknown type", [](TableFiles& f) { f.memo[4096] = 9; },
         "Songs.MB: record 2, field 'Words': the memo pointer leads to a block of unknown type 9", 1},
    };
    return damages;
}

std::string OpenError(const TableFiles& files)
{
    try {
        OpenBuilt(files);
    } catch (const EDatabaseError& e) {
        return e.what();
    }
    return "(opened)";
}

TEST(ParadoxDamagedFiles, EachFaultGivesItsError)
{
    const TableFiles sound = SampleFiles();
    ASSERT_EQ(OpenError(sound), "(opened)");
    for (const Damage& damage : Damages()) {
        SCOPED_TRACE(damage.what);
        TableFiles files = sound;
        damage.apply(files);
        if (!damage.memoRow) {
            EXPECT_EQ(OpenError(files), damage.error);
            continue;
        }
        const auto table = OpenBuilt(files);
        const size_t bad = *damage.memoRow;
        try {
            table->Text(bad, 2);
            ADD_FAILURE() << "no error";
        } catch (const EDatabaseError& e) {
            EXPECT_EQ(std::string(e.what()), damage.error);
        }
        // The records before and after still read, the bad one's other fields too.
        EXPECT_EQ(table->Text(0, 2), "short");
        EXPECT_EQ(table->Text(bad, 0), "Song " + std::to_string(bad));
        EXPECT_EQ(table->Text(kRecords - 1, 2), "short");
    }
}

TEST(ParadoxDamagedFiles, RecordWiderThanItsBlocks)
{
    TableSpec shape;
    for (const char* name : {"A", "B", "C", "D", "E"}) shape.fields.push_back({name, FieldType::Alpha, 255});
    TableFiles files = BuildParadoxTable(shape, {});
    files.table[header::kBlockSizeCode] = 1;
    EXPECT_EQ(OpenError(files), "Songs.DB: record size 1275 does not fit a block of 1024 bytes");
}

}  // namespace
}  // namespace paradox
