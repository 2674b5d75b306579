#include "platform/paradox/Format.h"

#include "platform/paradox/ByteSource.h"
#include "platform/paradox/Encoding.h"
#include "platform/paradox/TableError.h"

#include <algorithm>

namespace paradox {
namespace {

// Block sizes a header may name, in KiB: 1 to 4 up to Paradox 5, 8, 16 and
// 32 from Paradox 7 on.
bool IsBlockSizeCode(uint8_t code)
{
    return (code >= 1 && code <= 4) || code == 8 || code == 16 || code == 32;
}

// The record width of a field, or 0 when its size byte does not fit its type.
size_t SlotWidth(FieldType type, uint8_t size)
{
    switch (type) {
    case FieldType::Alpha:
    case FieldType::Bytes:
        return size;
    case FieldType::Logical:
        return size == 1 ? 1 : 0;
    case FieldType::Short:
        return size == 2 ? 2 : 0;
    case FieldType::Date:
    case FieldType::Long:
    case FieldType::Time:
    case FieldType::AutoIncrement:
        return size == 4 ? 4 : 0;
    case FieldType::Currency:
    case FieldType::Number:
    case FieldType::Timestamp:
        return size == 8 ? 8 : 0;
    case FieldType::Memo:
    case FieldType::Blob:
    case FieldType::FormattedMemo:
    case FieldType::Ole:
    case FieldType::Graphic:
        return size >= kBlobLeaderSize ? size : 0;
    case FieldType::Bcd:
        return size <= kMaxBcdDecimals ? kBcdSlotSize : 0;
    }
    return 0;
}

bool IsKnownType(uint8_t code)
{
    switch (static_cast<FieldType>(code)) {
    case FieldType::Alpha: case FieldType::Date: case FieldType::Short: case FieldType::Long:
    case FieldType::Currency: case FieldType::Number: case FieldType::Logical: case FieldType::Memo:
    case FieldType::Blob: case FieldType::FormattedMemo: case FieldType::Ole: case FieldType::Graphic:
    case FieldType::Time: case FieldType::Timestamp: case FieldType::AutoIncrement: case FieldType::Bcd:
    case FieldType::Bytes:
        return true;
    }
    return false;
}

}  // namespace

const char* FieldTypeName(FieldType type)
{
    switch (type) {
    case FieldType::Alpha: return "alpha";
    case FieldType::Date: return "date";
    case FieldType::Short: return "short";
    case FieldType::Long: return "long";
    case FieldType::Currency: return "currency";
    case FieldType::Number: return "number";
    case FieldType::Logical: return "logical";
    case FieldType::Memo: return "memo";
    case FieldType::Blob: return "blob";
    case FieldType::FormattedMemo: return "formatted memo";
    case FieldType::Ole: return "OLE";
    case FieldType::Graphic: return "graphic";
    case FieldType::Time: return "time";
    case FieldType::Timestamp: return "timestamp";
    case FieldType::AutoIncrement: return "autoincrement";
    case FieldType::Bcd: return "BCD";
    case FieldType::Bytes: return "bytes";
    }
    return "unknown";
}

bool IsBlobType(FieldType type)
{
    return type == FieldType::Memo || type == FieldType::Blob || type == FieldType::FormattedMemo ||
           type == FieldType::Ole || type == FieldType::Graphic;
}

size_t DescriptorStart(uint8_t version)
{
    return version >= kVersion4 ? header::kDataPartEnd : header::kFixedPartEnd;
}

size_t TableNameSize(uint8_t version)
{
    return version >= kVersion7 ? header::kTableNameSize7 : header::kTableNameSizeBefore7;
}

TableHeader ReadTableHeader(const ByteSource& file)
{
    const std::string& name = file.Name();
    const auto fail = [&name](const std::string& what) { ThrowTableError(name, what); };

    const uint64_t fileSize = file.Size();
    if (fileSize == 0) fail("the file is empty, not a Paradox table");
    if (fileSize < header::kFixedPartEnd)
        fail("the file is too short (" + std::to_string(fileSize) + " bytes) to be a Paradox table");

    unsigned char fixed[header::kFixedPartEnd];
    file.ReadAt(0, fixed, sizeof fixed);

    TableHeader h;
    h.recordSize = ReadU16(fixed + header::kRecordSize);
    h.headerSize = ReadU16(fixed + header::kHeaderSize);
    h.fileType = fixed[header::kFileType];
    h.version = fixed[header::kFileVersion];

    if (h.fileType != kKeyedTable && h.fileType != kUnkeyedTable)
        fail("not a Paradox table (file type " + std::to_string(h.fileType) + ")");
    if (h.version < kFirstVersion || h.version > kVersion7)
        fail("not a Paradox table of a known level (version byte " + std::to_string(h.version) + ")");
    if (h.version < kVersion4 && ReadU32(fixed + header::kEncryption) != 0)
        fail("the table is encrypted (password protected); remove the password in Paradox or EasyWorship first");

    const size_t descriptorStart = DescriptorStart(h.version);
    if (h.headerSize < descriptorStart || h.headerSize > fileSize)
        fail("header size " + std::to_string(h.headerSize) + " does not fit the file (" +
             std::to_string(fileSize) + " bytes)");

    std::string head(h.headerSize, '\0');
    file.ReadAt(0, head.data(), head.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(head.data());

    if (h.version >= kVersion4) {
        if (ReadU32(bytes + header::kEncryption2) != 0)
            fail("the table is encrypted (password protected); remove the password in Paradox or EasyWorship first");
        h.codePage = ReadU16(bytes + header::kCodePage);
    }

    const uint8_t blockCode = fixed[header::kBlockSizeCode];
    if (!IsBlockSizeCode(blockCode)) fail("unknown block size code " + std::to_string(blockCode));
    h.blockSize = size_t{blockCode} * 1024;
    h.recordCount = ReadU32(fixed + header::kRecordCount);
    h.fileBlocks = ReadU16(fixed + header::kFileBlocks);
    h.firstBlock = ReadU16(fixed + header::kFirstBlock);
    h.lastBlock = ReadU16(fixed + header::kLastBlock);
    h.keyFieldCount = ReadU16(fixed + header::kKeyFieldCount);
    h.sortOrder = fixed[header::kSortOrder];

    const size_t fieldCount = ReadU16(fixed + header::kFieldCount);
    if (fieldCount == 0 || fieldCount > kMaxFields)
        fail("field count " + std::to_string(fieldCount) + " is not between 1 and " + std::to_string(kMaxFields));
    if (h.keyFieldCount > fieldCount)
        fail("key field count " + std::to_string(h.keyFieldCount) + " exceeds the field count " +
             std::to_string(fieldCount));

    // Descriptors, the pointers and the table name must all lie in the header.
    const size_t namesStart = descriptorStart + fieldCount * header::kDescriptorSize + header::kPointerSize +
                              fieldCount * header::kPointerSize + TableNameSize(h.version);
    if (namesStart > h.headerSize)
        fail("the header (" + std::to_string(h.headerSize) + " bytes) is too small for " +
             std::to_string(fieldCount) + " fields");

    size_t recordOffset = 0;
    size_t nameAt = namesStart;
    h.fields.reserve(fieldCount);
    for (size_t i = 0; i < fieldCount; ++i) {
        const unsigned char* d = bytes + descriptorStart + i * header::kDescriptorSize;
        const std::string number = "field " + std::to_string(i + 1);
        if (!IsKnownType(d[0])) fail(number + " has the unknown type code " + std::to_string(d[0]));
        const auto type = static_cast<FieldType>(d[0]);
        const size_t width = SlotWidth(type, d[1]);
        if (width == 0)
            fail(number + " (" + FieldTypeName(type) + ") has the impossible size " + std::to_string(d[1]));

        const auto end = std::find(head.begin() + static_cast<std::ptrdiff_t>(nameAt), head.end(), '\0');
        if (end == head.end()) fail("the name of " + number + " runs past the end of the header");
        std::string fieldName(head.begin() + static_cast<std::ptrdiff_t>(nameAt), end);
        nameAt += fieldName.size() + 1;

        h.fields.push_back({std::move(fieldName), type, d[1], recordOffset, width});
        recordOffset += width;
    }

    if (recordOffset != h.recordSize)
        fail("record size " + std::to_string(h.recordSize) + " does not match its fields (" +
             std::to_string(recordOffset) + " bytes)");
    if (h.recordSize > h.blockSize - kBlockHeaderSize)
        fail("record size " + std::to_string(h.recordSize) + " does not fit a block of " +
             std::to_string(h.blockSize) + " bytes");
    return h;
}

}  // namespace paradox
