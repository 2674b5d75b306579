// The facts of a real EasyWorship 2009 song table, reproduced by our writer
// and read back: 45 fields, a key of Title and Author, 1123-byte records in
// 4096-byte blocks, a 2048-byte header, code page field 437 over
// Windows-1252 bytes, lyrics of 3 to 5 KB in single-blob memo blocks.
#include "ParadoxFixtures.h"

#include "platform/paradox/MemoFile.h"

#include <gtest/gtest.h>

namespace paradox {
namespace {

using testing::GetU16;
using testing::GetU32;
using testing::OpenBuilt;

std::string Lyrics(const std::string& firstLine, size_t size)
{
    std::string rtf = "{\\rtf1\\ansi\\deff0\\deftab254{\\fonttbl{\\f0\\fnil\\fcharset1 Arial;}}"
                      "\\ql\\li0\\fi0\\ri0\\sb0\\sl\\sa0 \\plain\\f0\\fs16\\fntnamaut " + firstLine + "\\par\r\n";
    while (rtf.size() < size - 1) rtf += "\\ql\\plain\\f0\\fs16 Bl\\'e5b\\'e6r\\par\r\n";
    rtf.resize(size - 1);
    return rtf + "}";
}

RecordValues Song(const std::string& title, const std::string& author, const std::string& words)
{
    RecordValues r(45);
    r[0] = title;
    r[1] = author;
    r[2] = "17";                         // RecID
    r[4] = "\xA9 1779 Public Domain";    // Copyright, © in Windows-1252
    r[6] = words;
    r[7] = "True";                       // Default Background
    r[19] = "2009-03-14 13:45:07";       // Last Modified
    return r;
}

TEST(EasyWorshipShape, FortyFiveFieldsInOneBlockOfThreeRecords)
{
    const std::vector<RecordValues> songs = {
        Song("Store P\xE5 Deg", "Hans \xD8stby", Lyrics("Verse 1", 4900)),
        Song("Amazing Grace", "John Newton", Lyrics("Verse 1", 3100)),
        Song("Amazing Grace", "Anonymous", Lyrics("Chorus ", 4000)),
    };
    const TableFiles files = BuildParadoxTable(EasyWorshipSongsSpec(), songs);
    const auto table = OpenBuilt(files);
    const TableHeader& h = table->Header();

    EXPECT_EQ(h.fields.size(), 45u);
    EXPECT_EQ(h.recordSize, 1123u);
    EXPECT_EQ(h.headerSize, 2048u);
    EXPECT_EQ(h.blockSize, 4096u);
    EXPECT_EQ(h.fileType, kKeyedTable);
    EXPECT_EQ(h.keyFieldCount, 2u);
    EXPECT_EQ(h.version, 0x0C);
    EXPECT_EQ(h.sortOrder, 0);
    EXPECT_EQ(h.codePage, 437);
    EXPECT_EQ(h.fields[6].name, "Words");
    EXPECT_EQ(h.fields[6].type, FieldType::Memo);
    EXPECT_EQ(h.fields[6].width, 250u);
    EXPECT_EQ(h.fields[44].name, "Vendor ID");
    // Paradox 4 and later keep this marker where level 3 kept its password
    // code; it does not mean the table is encrypted. Writers that leave a
    // zero there make tables that read just as well.
    EXPECT_EQ(GetU32(files.table, header::kEncryption), 0xFF00FF00u);
    TableFiles zeroed = files;
    testing::PutU32(zeroed.table, header::kEncryption, 0);
    EXPECT_EQ(OpenBuilt(zeroed)->RecordCount(), 3u);

    // One data block, no neighbours, its last record at 2 x 1123.
    EXPECT_EQ(h.fileBlocks, 1u);
    EXPECT_EQ(GetU16(files.table, 2048 + 0), 0u);
    EXPECT_EQ(GetU16(files.table, 2048 + 2), 0u);
    EXPECT_EQ(GetU16(files.table, 2048 + 4), 2 * 1123u);

    // Key order: Title, then Author, by the stored bytes.
    ASSERT_EQ(table->RecordCount(), 3u);
    EXPECT_EQ(table->Text(0, 0), "Amazing Grace");
    EXPECT_EQ(table->Text(0, 1), "Anonymous");
    EXPECT_EQ(table->Text(1, 1), "John Newton");
    EXPECT_EQ(table->Text(2, 0), "Store P\xE5 Deg");  // bytes as stored, not re-encoded
    EXPECT_EQ(table->Text(2, 1), "Hans \xD8stby");
    EXPECT_EQ(table->Text(2, 4), "\xA9 1779 Public Domain");
    EXPECT_EQ(table->Text(2, 6), *songs[0][6]);
    EXPECT_EQ(table->Text(0, 6), *songs[2][6]);
    EXPECT_EQ(table->Text(0, 7), "True");
    EXPECT_EQ(table->Text(0, 19), "2009-03-14 13:45:07");
    EXPECT_EQ(table->Text(0, 16), "");  // BK Bitmap: null blob

    // Each lyric: its first 240 bytes in the record, the whole in a block of its own.
    for (size_t row = 0; row < 3; ++row) {
        const size_t slot = 2048 + kBlockHeaderSize + row * 1123 + h.fields[6].offset;
        EXPECT_EQ(files.table.substr(slot, 240), table->Text(row, 6).substr(0, 240));
        const uint32_t offset = GetU32(files.table, slot + 240);
        EXPECT_EQ(offset & 0xFF, memo::kWholeBlockIndex);
        EXPECT_EQ(files.memo[offset & ~0xFFu], memo::kSingleBlob);
    }
}

TEST(EasyWorshipShape, ManyBlocksOfThreeRecords)
{
    std::vector<RecordValues> songs;
    for (int i = 0; i < 100; ++i) songs.push_back(Song("Song " + std::to_string(1000 + i), "A", Lyrics("V", 3000 + i * 20)));
    const TableFiles files = BuildParadoxTable(EasyWorshipSongsSpec(), songs);
    const auto table = OpenBuilt(files);
    EXPECT_EQ(table->Header().fileBlocks, 34u);  // 100 records, 3 to a block
    for (size_t i = 0; i < 100; ++i) ASSERT_EQ(table->Text(i, 6), *songs[i][6]) << i;
}

}  // namespace
}  // namespace paradox
