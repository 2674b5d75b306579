#include "platform/paradox/TableWriter.h"

#include "platform/FileSystem.h"
#include "platform/paradox/Encoding.h"
#include "platform/paradox/FieldEncoding.h"
#include "platform/paradox/ByteSource.h"
#include "platform/paradox/MemoFile.h"
#include "platform/paradox/PrimaryIndex.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <stdexcept>

namespace paradox {
namespace {

// Paradox 7 rounds its header up to whole 2 KiB units.
constexpr size_t kHeaderUnit = 2048;
// The modification number we give every memo value: it only has to agree
// between the record and the memo file.
constexpr uint16_t kModification = 1;
// The sort order text Paradox stores after the field names ("ascii": byte order).
constexpr char kSortOrderName[] = "ascii";

uint8_t FixedSize(FieldType type, uint8_t given)
{
    switch (type) {
    case FieldType::Logical: return 1;
    case FieldType::Short: return 2;
    case FieldType::Date: case FieldType::Long: case FieldType::Time: case FieldType::AutoIncrement: return 4;
    case FieldType::Currency: case FieldType::Number: case FieldType::Timestamp: return 8;
    default: return given;
    }
}

std::vector<FieldDescriptor> Describe(const TableSpec& shape)
{
    if (shape.fields.empty() || shape.fields.size() > kMaxFields)
        throw std::invalid_argument("a table has 1 to 255 fields");
    if (shape.keyFieldCount > shape.fields.size()) throw std::invalid_argument("more key fields than fields");
    const uint8_t kib = shape.blockSizeKiB;
    if (!((kib >= 1 && kib <= 4) || kib == 8 || kib == 16 || kib == 32))
        throw std::invalid_argument("block size must be 1, 2, 3, 4, 8, 16 or 32 KiB");

    std::vector<FieldDescriptor> fields;
    size_t offset = 0;
    for (size_t i = 0; i < shape.fields.size(); ++i) {
        const FieldSpec& f = shape.fields[i];
        const uint8_t size = FixedSize(f.type, f.size);
        size_t width = size;
        if (f.type == FieldType::Bcd) {
            if (size > kMaxBcdDecimals) throw std::invalid_argument("field '" + f.name + "': BCD with over 32 decimals");
            width = kBcdSlotSize;
        }
        if (IsBlobType(f.type) && size < kBlobLeaderSize)
            throw std::invalid_argument("field '" + f.name + "': a memo slot holds at least its 10-byte leader");
        if (width == 0) throw std::invalid_argument("field '" + f.name + "' has no size");
        if (i < shape.keyFieldCount && IsBlobType(f.type))
            throw std::invalid_argument("field '" + f.name + "': memo and blob fields cannot be keys");
        if (f.name.empty() || f.name.find('\0') != std::string::npos)
            throw std::invalid_argument("field names are not empty and hold no NUL");
        fields.push_back({f.name, f.type, size, offset, width});
        offset += width;
    }
    if (offset > size_t{kib} * 1024 - kBlockHeaderSize)
        throw std::invalid_argument("the record (" + std::to_string(offset) + " bytes) does not fit a block");
    return fields;
}

// Builds the memo file as values arrive, keeping one sub-allocated block open
// for small values.
class MemoBuilder {
public:
    MemoBuilder() : file_(memo::kBlockSize, '\0')
    {
        auto* h = Bytes(0);
        h[memo::kType] = memo::kHeaderBlock;
        WriteU16(h + memo::kBlockCount, 1);
        WriteU16(h + memo::kHeaderBaseBlockSize, memo::kBlockSize);
        WriteU16(h + memo::kHeaderSubBlockSize, memo::kBlockSize);
        h[memo::kHeaderChunkSize] = memo::kChunkSize;
        WriteU16(h + memo::kHeaderEntriesPerBlock, memo::kEntryCount);
        WriteU16(h + memo::kHeaderSubThreshold, memo::kSubAllocationThreshold);
    }

    // Stores a value; returns the offset for its leader.
    uint32_t Add(std::string_view value)
    {
        if (value.size() <= memo::kSubAllocationThreshold) return AddSmall(value);
        const size_t start = file_.size();
        const size_t blocks = (memo::kSingleDataStart + value.size() + memo::kBlockSize - 1) / memo::kBlockSize;
        if (blocks > UINT16_MAX) throw std::invalid_argument("a memo value is too long for the memo file");
        file_.resize(start + blocks * memo::kBlockSize, '\0');
        auto* b = Bytes(start);
        b[memo::kType] = memo::kSingleBlob;
        WriteU16(b + memo::kBlockCount, static_cast<uint16_t>(blocks));
        WriteU32(b + memo::kSingleLength, static_cast<uint32_t>(value.size()));
        WriteU16(b + memo::kSingleModification, kModification);
        std::memcpy(b + memo::kSingleDataStart, value.data(), value.size());
        return Offset(start) | memo::kWholeBlockIndex;
    }

    std::string Take() { return std::move(file_); }

private:
    unsigned char* Bytes(size_t at) { return reinterpret_cast<unsigned char*>(file_.data()) + at; }
    static uint32_t Offset(size_t at)
    {
        if (at > UINT32_MAX - memo::kBlockSize) throw std::invalid_argument("the memo file would exceed 4 GiB");
        return static_cast<uint32_t>(at);
    }

    uint32_t AddSmall(std::string_view value)
    {
        const size_t chunks = (value.size() + memo::kChunkSize - 1) / memo::kChunkSize;
        if (subBlock_ == 0 || nextEntry_ == memo::kEntryCount ||
            nextChunk_ + chunks > memo::kBlockSize / memo::kChunkSize) {
            subBlock_ = file_.size();
            file_.resize(subBlock_ + memo::kBlockSize, '\0');
            auto* b = Bytes(subBlock_);
            b[memo::kType] = memo::kSubAllocated;
            WriteU16(b + memo::kBlockCount, 1);
            nextEntry_ = 0;
            nextChunk_ = memo::kFirstDataChunk;
        }
        auto* b = Bytes(subBlock_);
        auto* entry = b + memo::kEntryTable + nextEntry_ * memo::kEntrySize;
        entry[memo::kEntryChunk] = static_cast<unsigned char>(nextChunk_);
        entry[memo::kEntryChunks] = static_cast<unsigned char>(chunks);
        WriteU16(entry + memo::kEntryModification, kModification);
        entry[memo::kEntryLastChunkBytes] =
            static_cast<unsigned char>(value.size() - (chunks - 1) * memo::kChunkSize);
        std::memcpy(b + nextChunk_ * memo::kChunkSize, value.data(), value.size());
        const uint32_t offset = Offset(subBlock_) | static_cast<uint32_t>(nextEntry_);
        ++nextEntry_;
        nextChunk_ += chunks;
        return offset;
    }

    std::string file_;
    size_t subBlock_ = 0;  // 0: none open (block 0 is the header)
    size_t nextEntry_ = 0;
    size_t nextChunk_ = 0;
};

void EncodeBlob(const FieldDescriptor& field, std::string_view value, unsigned char* slot, MemoBuilder& memo)
{
    if (value.empty()) return;
    if (value.size() > UINT32_MAX) throw std::invalid_argument("field '" + field.name + "': value too long");
    const size_t inlineSize = field.width - kBlobLeaderSize;
    // The record keeps the value's beginning; a value that fits there lives there alone.
    std::memcpy(slot, value.data(), std::min(inlineSize, value.size()));
    const uint32_t offset = value.size() <= inlineSize ? 0 : memo.Add(value);
    unsigned char* leader = slot + inlineSize;
    WriteU32(leader, offset);
    WriteU32(leader + 4, static_cast<uint32_t>(value.size()));
    WriteU16(leader + 8, value.size() <= inlineSize ? 0 : kModification);
}

std::string BuildHeader(const TableSpec& shape, const std::vector<FieldDescriptor>& fields, size_t recordSize,
                        size_t recordCount, size_t blockCount)
{
    std::string names;
    for (const auto& f : fields) names += f.name + '\0';
    const size_t n = fields.size();
    const size_t namesStart = DescriptorStart(kVersion7) + n * header::kDescriptorSize + header::kPointerSize +
                              n * header::kPointerSize + TableNameSize(kVersion7);
    // After the names: each field's number (u16), then the sort order's name.
    const size_t used = namesStart + names.size() + n * 2 + sizeof kSortOrderName;
    const size_t headerSize = (used + kHeaderUnit - 1) / kHeaderUnit * kHeaderUnit;
    if (headerSize > UINT16_MAX) throw std::invalid_argument("the field names do not fit a header");

    std::string head(headerSize, '\0');
    auto* h = reinterpret_cast<unsigned char*>(head.data());
    WriteU16(h + header::kRecordSize, static_cast<uint16_t>(recordSize));
    WriteU16(h + header::kHeaderSize, static_cast<uint16_t>(headerSize));
    h[header::kFileType] = shape.keyFieldCount > 0 ? kKeyedTable : kUnkeyedTable;
    h[header::kBlockSizeCode] = shape.blockSizeKiB;
    WriteU32(h + header::kRecordCount, static_cast<uint32_t>(recordCount));
    WriteU16(h + header::kBlocksInUse, static_cast<uint16_t>(blockCount));
    WriteU16(h + header::kFileBlocks, static_cast<uint16_t>(blockCount));
    WriteU16(h + header::kFirstBlock, blockCount > 0 ? 1 : 0);
    WriteU16(h + header::kLastBlock, static_cast<uint16_t>(blockCount));
    WriteU16(h + header::kFieldCount, static_cast<uint16_t>(n));
    WriteU16(h + header::kKeyFieldCount, shape.keyFieldCount);
    h[header::kFileVersion] = kVersion7;
    WriteU32(h + header::kEncryption, header::kLaterLevelsMarker);  // as Paradox 4 and later write it
    WriteU16(h + header::kMaxBlocks, static_cast<uint16_t>(blockCount));
    WriteU16(h + header::kFieldCount2, static_cast<uint16_t>(n));
    WriteU16(h + header::kCodePage, shape.codePage);

    for (size_t i = 0; i < n; ++i) {
        h[DescriptorStart(kVersion7) + i * header::kDescriptorSize] = static_cast<unsigned char>(fields[i].type);
        h[DescriptorStart(kVersion7) + i * header::kDescriptorSize + 1] = fields[i].size;
    }
    std::memcpy(h + namesStart, names.data(), names.size());
    unsigned char* numbers = h + namesStart + names.size();
    for (size_t i = 0; i < n; ++i) WriteU16(numbers + 2 * i, static_cast<uint16_t>(i + 1));
    std::memcpy(numbers + 2 * n, kSortOrderName, sizeof kSortOrderName);
    return head;
}

}  // namespace

TableFiles BuildParadoxTable(const TableSpec& shape, const std::vector<RecordValues>& records)
{
    const std::vector<FieldDescriptor> fields = Describe(shape);
    const size_t recordSize = fields.back().offset + fields.back().width;

    // Records in the table's order: key order for a keyed table. The stored
    // bytes of the key fields compare like the values (that is what the
    // flipped sign bits are for), so the order is that of the bytes.
    std::vector<std::string> encoded;
    encoded.reserve(records.size());
    MemoBuilder memo;
    for (const RecordValues& values : records) {
        if (values.size() > fields.size()) throw std::invalid_argument("a record has more values than fields");
        std::string record(recordSize, '\0');
        auto* r = reinterpret_cast<unsigned char*>(record.data());
        for (size_t i = 0; i < values.size(); ++i) {
            if (!values[i]) continue;
            if (IsBlobType(fields[i].type))
                EncodeBlob(fields[i], *values[i], r + fields[i].offset, memo);
            else
                EncodeFieldValue(fields[i], *values[i], r + fields[i].offset);
        }
        encoded.push_back(std::move(record));
    }
    if (shape.keyFieldCount > 0) {
        const size_t keyBytes = fields[shape.keyFieldCount - 1].offset + fields[shape.keyFieldCount - 1].width;
        std::stable_sort(encoded.begin(), encoded.end(), [keyBytes](const std::string& a, const std::string& b) {
            return std::memcmp(a.data(), b.data(), keyBytes) < 0;
        });
    }

    const size_t blockSize = size_t{shape.blockSizeKiB} * 1024;
    const size_t perBlock = (blockSize - kBlockHeaderSize) / recordSize;
    const size_t blockCount = (encoded.size() + perBlock - 1) / perBlock;
    if (blockCount > UINT16_MAX) throw std::invalid_argument("too many records for one table");

    TableFiles files;
    files.table = BuildHeader(shape, fields, recordSize, encoded.size(), blockCount);
    const size_t headerSize = files.table.size();
    files.table.resize(headerSize + blockCount * blockSize, '\0');
    for (size_t b = 0; b < blockCount; ++b) {
        auto* block = reinterpret_cast<unsigned char*>(files.table.data()) + headerSize + b * blockSize;
        const size_t first = b * perBlock;
        const size_t count = std::min(perBlock, encoded.size() - first);
        WriteU16(block, static_cast<uint16_t>(b + 1 < blockCount ? b + 2 : 0));
        WriteU16(block + 2, static_cast<uint16_t>(b));
        WriteU16(block + 4, static_cast<uint16_t>((count - 1) * recordSize));
        for (size_t i = 0; i < count; ++i)
            std::memcpy(block + kBlockHeaderSize + i * recordSize, encoded[first + i].data(), recordSize);
    }
    files.memo = memo.Take();
    if (shape.keyFieldCount > 0) {
        const auto source = MemorySource("table", files.table);
        const TableHeader header = ReadTableHeader(*source);
        if (blockCount <= MaxIndexedDataBlocks(header)) files.index = BuildPrimaryIndex(header, *source);
    }
    return files;
}

void WriteParadoxTable(const std::string& tablePath, const TableSpec& shape, const std::vector<RecordValues>& records)
{
    const TableFiles files = BuildParadoxTable(shape, records);
    const auto slash = tablePath.rfind('/');
    const auto dot = tablePath.rfind('.');
    const std::string stem =
        dot != std::string::npos && (slash == std::string::npos || dot > slash) ? tablePath.substr(0, dot) : tablePath;
    ReplaceFileContents(tablePath, files.table);
    ReplaceFileContents(stem + ".MB", files.memo);
    if (!files.index.empty()) ReplaceFileContents(stem + ".PX", files.index);
}

TableSpec EasyWorshipSongsSpec()
{
    using T = FieldType;
    TableSpec shape;
    shape.keyFieldCount = 2;
    shape.codePage = 437;
    shape.fields = {
        {"Title", T::Alpha, 50}, {"Author", T::Alpha, 50}, {"RecID", T::Long, 4},
        {"Text Percentage Bottom", T::Short, 2}, {"Copyright", T::Alpha, 100}, {"Administrator", T::Alpha, 50},
        {"Words", T::Memo, 250}, {"Default Background", T::Logical, 1}, {"BK Type", T::Short, 2},
        {"BK Color", T::Long, 4}, {"BK Gradient Color1", T::Long, 4}, {"BK Gradient Color2", T::Long, 4},
        {"BK Gradient Shading", T::Short, 2}, {"BK Gradient Variant", T::Short, 2}, {"BK Texture", T::Short, 2},
        {"BK Bitmap Name", T::Alpha, 255}, {"BK Bitmap", T::Blob, 10}, {"BK AspectRatio", T::Short, 2},
        {"Favorite", T::Short, 2}, {"Last Modified", T::Timestamp, 8}, {"Demo Data", T::Logical, 1},
        {"Song Number", T::Alpha, 10}, {"BK Thumbnail", T::Blob, 10}, {"Override Enabled", T::Logical, 1},
        {"Font Size Limit Default", T::Logical, 1}, {"Font Size Limit", T::Short, 2},
        {"Font Name Default", T::Logical, 1}, {"Font Name", T::Alpha, 255}, {"Text Color Default", T::Logical, 1},
        {"Text Color", T::Long, 4}, {"Shadow Color Default", T::Logical, 1}, {"Shadow Color", T::Long, 4},
        {"Outline Color Default", T::Logical, 1}, {"Outline Color", T::Long, 4}, {"Shadow Text", T::Short, 2},
        {"Outline Text", T::Short, 2}, {"Bold Text", T::Short, 2}, {"Italic Text", T::Short, 2},
        {"Text Alignment", T::Short, 2}, {"Vert Alignment", T::Short, 2},
        {"Text Percent Rect Default", T::Logical, 1}, {"Text Percentage Left", T::Short, 2},
        {"Text Percentage Top", T::Short, 2}, {"Text Percentage Right", T::Short, 2}, {"Vendor ID", T::Long, 4},
    };
    return shape;
}

}  // namespace paradox
