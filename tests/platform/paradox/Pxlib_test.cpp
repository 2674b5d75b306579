// An independent reader as a witness: Debian's pxlib opens tables made by our
// writer, and its alpha and number values agree with ours. pxlib is used
// here only; the product never links it.
#include "IndexCheck.h"
#include "ParadoxFixtures.h"

#include "platform/DurableFiles.h"
#include "platform/paradox/TableUpdate.h"

#include "../../TempFolder.h"

// pxlib's header declares C functions without saying so.
extern "C" {
#include <paradox.h>
}

#include <cstdlib>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace paradox {
namespace {

// One table opened by pxlib; its complaints are collected, not printed.
class PxlibTable {
public:
    explicit PxlibTable(const std::string& path) : doc_(PX_new2(&PxlibTable::OnError, nullptr, nullptr, nullptr))
    {
        doc_->errorhandler_user_data = this;
        opened_ = PX_open_file(doc_, path.c_str()) == 0;
    }
    ~PxlibTable()
    {
        if (opened_) PX_close(doc_);
        PX_delete(doc_);
    }
    PxlibTable(const PxlibTable&) = delete;
    PxlibTable& operator=(const PxlibTable&) = delete;

    bool Opened() const { return opened_; }
    pxdoc_t* Doc() const { return doc_; }
    const std::string& Errors() const { return errors_; }
    pxhead_t& Head() const { return *doc_->px_head; }
    int Records() { return PX_get_num_records(doc_); }
    pxfield_t* Fields() { return PX_get_fields(doc_); }

    // The record's bytes, as pxlib hands them out.
    std::string Record(int row)
    {
        std::string data(static_cast<size_t>(Head().px_recordsize), '\0');
        if (PX_get_record(doc_, row, data.data()) == nullptr) errors_ += "no record " + std::to_string(row) + "; ";
        return data;
    }

    std::string Alpha(std::string& record, size_t offset, int length)
    {
        char* value = nullptr;
        if (PX_get_data_alpha(doc_, record.data() + offset, length, &value) <= 0 || value == nullptr) return "";
        std::string text = value;
        doc_->free(doc_, value);
        return text;
    }
    std::optional<long> Long(std::string& record, size_t offset, int length)
    {
        long value = 0;
        return PX_get_data_long(doc_, record.data() + offset, length, &value) > 0 ? std::optional(value) : std::nullopt;
    }
    std::optional<short> Short(std::string& record, size_t offset, int length)
    {
        short value = 0;
        return PX_get_data_short(doc_, record.data() + offset, length, &value) > 0 ? std::optional(value) : std::nullopt;
    }
    std::optional<double> Double(std::string& record, size_t offset, int length)
    {
        double value = 0;
        return PX_get_data_double(doc_, record.data() + offset, length, &value) > 0 ? std::optional(value)
                                                                                      : std::nullopt;
    }
    std::optional<int> Byte(std::string& record, size_t offset, int length)
    {
        char value = 0;
        return PX_get_data_byte(doc_, record.data() + offset, length, &value) > 0 ? std::optional<int>(value)
                                                                                    : std::nullopt;
    }

private:
    static void OnError(pxdoc_t* doc, int, const char* message, void*)
    {
        static_cast<PxlibTable*>(doc->errorhandler_user_data)->errors_ += std::string(message) + "; ";
    }

    pxdoc_t* doc_;
    bool opened_ = false;
    std::string errors_;
};

// Our text of a number against pxlib's value of it.
std::string ShortText(std::optional<short> v) { return v ? std::to_string(*v) : ""; }
std::string LongText(std::optional<long> v) { return v ? std::to_string(*v) : ""; }

class PxlibComparison : public ::testing::TestWithParam<uint16_t> {};

TEST_P(PxlibComparison, AlphaAndNumberValuesAgree)
{
    TableSpec shape;
    shape.keyFieldCount = GetParam();
    shape.codePage = 1252;
    shape.fields = {{"Title", FieldType::Alpha, 30}, {"Count", FieldType::Short},     {"Id", FieldType::Long},
                   {"Amount", FieldType::Number},   {"Price", FieldType::Currency},  {"Flag", FieldType::Logical},
                   {"Day", FieldType::Date},        {"Note", FieldType::Alpha, 12},  {"Words", FieldType::Memo, 20}};
    std::vector<RecordValues> records;
    for (int i = 0; i < 400; ++i) {
        const bool nulls = i % 17 == 5;
        records.push_back({"Song " + std::to_string((i * 7919) % 400) + " \xF8",
                           nulls ? std::nullopt : std::optional(std::to_string(i - 200)),
                           std::to_string(i * 100003 - 20000000), nulls ? "" : std::to_string(i * 0.37 - 50),
                           std::to_string(i) + ".25", i % 2 ? "True" : "False", i % 3 ? "2009-03-14" : "1999-12-31",
                           nulls ? "" : "n" + std::to_string(i), std::string(static_cast<size_t>(i % 5) * 900, 'w')});
    }
    TempFolder folder;
    WriteParadoxTable(folder / "Songs.DB", shape, records);

    const TableFiles files{ReadFileBytes(folder / "Songs.DB"), ReadFileBytes(folder / "Songs.MB"), ""};
    const auto ours = testing::OpenBuilt(files);
    PxlibTable theirs(folder / "Songs.DB");
    ASSERT_TRUE(theirs.Opened()) << theirs.Errors();

    EXPECT_EQ(theirs.Head().px_numrecords, 400);
    EXPECT_EQ(theirs.Head().px_numfields, 9);
    EXPECT_EQ(theirs.Head().px_fileversion, 70);
    EXPECT_EQ(theirs.Head().px_doscodepage, 1252);
    EXPECT_EQ(theirs.Head().px_primarykeyfields, GetParam());
    EXPECT_EQ(theirs.Head().px_recordsize, static_cast<int>(ours->Header().recordSize));
    pxfield_t* fields = theirs.Fields();
    for (size_t f = 0; f < ours->Fields().size(); ++f) {
        EXPECT_EQ(fields[f].px_fname, ours->Fields()[f].name);
        EXPECT_EQ(static_cast<uint8_t>(fields[f].px_ftype), static_cast<uint8_t>(ours->Fields()[f].type));
        EXPECT_EQ(static_cast<size_t>(fields[f].px_flen), ours->Fields()[f].width);
    }

    ASSERT_EQ(theirs.Records(), 400);
    for (int row = 0; row < 400; ++row) {
        SCOPED_TRACE("record " + std::to_string(row));
        std::string record = theirs.Record(row);
        const auto at = [&](size_t f) { return ours->Fields()[f].offset; };
        const auto len = [&](size_t f) { return static_cast<int>(ours->Fields()[f].width); };
        const size_t r = static_cast<size_t>(row);
        EXPECT_EQ(theirs.Alpha(record, at(0), len(0)), ours->Text(r, 0));
        EXPECT_EQ(ShortText(theirs.Short(record, at(1), len(1))), ours->Text(r, 1));
        EXPECT_EQ(LongText(theirs.Long(record, at(2), len(2))), ours->Text(r, 2));
        const auto amount = theirs.Double(record, at(3), len(3));
        if (ours->Text(r, 3).empty()) {
            EXPECT_FALSE(amount);
        } else {
            ASSERT_TRUE(amount);
            EXPECT_EQ(*amount, std::stod(ours->Text(r, 3)));
        }
        const auto price = theirs.Double(record, at(4), len(4));
        ASSERT_TRUE(price);
        EXPECT_EQ(*price, std::stod(ours->Text(r, 4)));
        const auto flag = theirs.Byte(record, at(5), len(5));
        ASSERT_TRUE(flag);
        EXPECT_EQ(*flag != 0 ? "True" : "False", ours->Text(r, 5));
        const auto day = theirs.Long(record, at(6), len(6));
        ASSERT_TRUE(day);
        EXPECT_EQ(*day, ours->Text(r, 6) == "2009-03-14" ? 733480 : 730119);
        EXPECT_EQ(theirs.Alpha(record, at(7), len(7)), ours->Text(r, 7));
    }
    EXPECT_EQ(theirs.Errors(), "");
}

INSTANTIATE_TEST_SUITE_P(KeyedAndNot, PxlibComparison, ::testing::Values(0, 1, 2));

TEST(PxlibComparison, EasyWorshipShapedTable)
{
    std::vector<RecordValues> songs;
    for (int i = 0; i < 20; ++i) {
        RecordValues r(45);
        r[0] = "Title " + std::to_string(20 - i);
        r[1] = "Author \xC5";
        r[2] = std::to_string(i + 1);
        r[4] = "\xA9 Public Domain";
        r[6] = std::string(3000 + static_cast<size_t>(i) * 50, 'L');
        songs.push_back(r);
    }
    TempFolder folder;
    WriteParadoxTable(folder / "Songs.DB", EasyWorshipSongsSpec(), songs);
    const TableFiles files{ReadFileBytes(folder / "Songs.DB"), ReadFileBytes(folder / "Songs.MB"), ""};
    const auto ours = testing::OpenBuilt(files);
    PxlibTable theirs(folder / "Songs.DB");
    ASSERT_TRUE(theirs.Opened()) << theirs.Errors();
    EXPECT_EQ(theirs.Head().px_numfields, 45);
    EXPECT_EQ(theirs.Head().px_recordsize, 1123);
    EXPECT_EQ(theirs.Head().px_doscodepage, 437);
    ASSERT_EQ(theirs.Records(), 20);
    for (int row = 0; row < 20; ++row) {
        std::string record = theirs.Record(row);
        const size_t r = static_cast<size_t>(row);
        for (size_t f : {0u, 1u, 4u})
            EXPECT_EQ(theirs.Alpha(record, ours->Fields()[f].offset, static_cast<int>(ours->Fields()[f].width)),
                      ours->Text(r, f));
        EXPECT_EQ(LongText(theirs.Long(record, ours->Fields()[2].offset, 4)), ours->Text(r, 2));
    }
    EXPECT_EQ(theirs.Errors(), "");
}


// A keyed table to edit: its shape, its records, and the index levels it needs.
struct IndexedTable {
    const char* name;
    std::function<TableSpec()> shape;
    std::function<RecordValues(int)> record;
    int total;
    int levels;  // before and after the changes
    size_t keySize;
};
void PrintTo(const IndexedTable& c, std::ostream* out) { *out << c.name; }

// A table after our edits and deletions, and the primary index we keep for
// it: pxlib reads the records, opens the index, finds every record through
// it, and our own reading of the index agrees.
class PxlibIndex : public ::testing::TestWithParam<IndexedTable> {};

TEST_P(PxlibIndex, EditedTableAndItsPrimaryIndex)
{
    const IndexedTable& c = GetParam();
    std::vector<RecordValues> records;
    for (int i = 0; i < c.total; ++i) records.push_back(c.record(i));
    TempFolder folder;
    const std::string path = folder / "Songs.DB";
    WriteParadoxTable(path, c.shape(), records);
    for (size_t i = 0; i < 20; ++i) DeleteTableRecord(path, (i * 13) % (static_cast<size_t>(c.total) - i), SystemFiles());
    for (size_t i = 0; i < 20; ++i)
        UpdateAlphaField(path, (i * 7) % static_cast<size_t>(c.total - 20), 0, "Edited " + std::to_string(900 - i),
                         SystemFiles());

    const TableFiles files{ReadFileBytes(path), ReadFileBytes(folder / "Songs.MB"), ReadFileBytes(folder / "Songs.PX")};
    EXPECT_EQ(testing::ExpectIndexMatchesTable(files.table, files.index), c.levels);
    const auto ours = testing::OpenBuilt(files);
    const int kLeft = c.total - 20;
    ASSERT_EQ(ours->RecordCount(), static_cast<size_t>(kLeft));

    PxlibTable index(folder / "Songs.PX");
    ASSERT_TRUE(index.Opened()) << index.Errors();
    EXPECT_EQ(index.Head().px_filetype, 1);
    EXPECT_EQ(index.Head().px_numindexlevels, c.levels);
    EXPECT_EQ(index.Head().px_recordsize, static_cast<int>(c.keySize + 6));
    ASSERT_EQ(PX_read_primary_index(index.Doc()), 0) << index.Errors();

    PxlibTable theirs(path);
    ASSERT_TRUE(theirs.Opened()) << theirs.Errors();
    ASSERT_EQ(PX_add_primary_index(theirs.Doc(), index.Doc()), 0) << theirs.Errors();
    ASSERT_EQ(theirs.Records(), kLeft);
    const auto& fields = ours->Fields();
    for (int row = 0; row < kLeft; ++row) {
        std::string record = theirs.Record(row);
        const size_t r = static_cast<size_t>(row);
        EXPECT_EQ(theirs.Alpha(record, 0, static_cast<int>(fields[0].width)), ours->Text(r, 0)) << row;
        EXPECT_EQ(theirs.Alpha(record, fields[1].offset, static_cast<int>(fields[1].width)), ours->Text(r, 1)) << row;
    }
    EXPECT_EQ(theirs.Errors(), "");
    EXPECT_EQ(index.Errors(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Levels, PxlibIndex,
    ::testing::Values(
        // 10 data blocks: one 1 KiB index block names 13.
        IndexedTable{"OneLevel",
                     [] {
                         TableSpec shape = testing::SongSpec(2);
                         shape.blockSizeKiB = 1;
                         return shape;
                     },
                     [](int i) {
                         return RecordValues{"Song " + std::to_string(1000 + i), "Author \xC5",
                                             i % 4 ? "" : std::string(3000, 'w')};
                     },
                     100, 1, 40 + 30},
        // EasyWorship's table: three songs a 4 KiB data block, 38 index
        // records an index block, so 400 songs need two levels.
        IndexedTable{"TwoLevelsInEasyWorshipsShape", EasyWorshipSongsSpec,
                     [](int i) {
                         RecordValues r(45);
                         r[0] = "Title " + std::to_string((i * 7919) % 400);
                         r[1] = "Author \xC5";
                         r[2] = std::to_string(i + 1);
                         r[6] = std::string(200 + static_cast<size_t>(i % 7) * 500, 'L');
                         return r;
                     },
                     400, 2, 50 + 50}),
    [](const ::testing::TestParamInfo<IndexedTable>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace paradox
