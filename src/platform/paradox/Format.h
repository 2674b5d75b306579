// The ".DB" file's header: table-wide numbers and the field descriptors.
//
// Layout after the public write-ups of the Paradox formats (Randy Beck's
// "The PARADOX File Structure", Kevin Mitchell's "Paradox 4.x File Formats"):
// a fixed part of 0x58 bytes, from level 4 on a data part up to 0x78, then
// one (type, size) pair per field, a table-name pointer, one name pointer per
// field, the table name, and the field names as NUL-terminated strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace paradox {

class ByteSource;

// Offsets into the header, each named once.
namespace header {
inline constexpr size_t kRecordSize = 0x00;        // u16
inline constexpr size_t kHeaderSize = 0x02;        // u16
inline constexpr size_t kFileType = 0x04;          // u8, kKeyedTable or kUnkeyedTable
inline constexpr size_t kBlockSizeCode = 0x05;     // u8, block size in KiB
inline constexpr size_t kRecordCount = 0x06;       // u32
inline constexpr size_t kBlocksInUse = 0x0A;       // u16
inline constexpr size_t kFileBlocks = 0x0C;        // u16
inline constexpr size_t kFirstBlock = 0x0E;        // u16, 1-based, 0 when no block
inline constexpr size_t kLastBlock = 0x10;         // u16
inline constexpr size_t kModifiedFlags = 0x14;     // u8
inline constexpr size_t kFieldCount = 0x21;        // u16
inline constexpr size_t kKeyFieldCount = 0x23;     // u16, leading fields of the primary key
// u32: the password code of levels 3.0 and 3.5 (non-zero: encrypted). Later
// levels keep kLaterLevelsMarker here and the code at kEncryption2.
inline constexpr size_t kEncryption = 0x25;
inline constexpr uint32_t kLaterLevelsMarker = 0xFF00FF00;
inline constexpr size_t kSortOrder = 0x29;         // u8
inline constexpr size_t kChangeCount = 0x2D;       // u8
inline constexpr size_t kWriteProtected = 0x38;    // u8
inline constexpr size_t kFileVersion = 0x39;       // u8, the level byte
inline constexpr size_t kMaxBlocks = 0x3A;         // u16
inline constexpr size_t kAutoIncrement = 0x49;     // u32
inline constexpr size_t kFixedPartEnd = 0x58;      // field descriptors follow here up to level 3.5
// The data part, present from level 4 on.
inline constexpr size_t kFileVersion2 = 0x58;      // u16
inline constexpr size_t kFileVersion3 = 0x5A;      // u16
inline constexpr size_t kEncryption2 = 0x5C;       // u32
inline constexpr size_t kFieldCount2 = 0x68;       // u16, a second copy of the field count
inline constexpr size_t kCodePage = 0x6A;          // u16, the DOS code page the table was made with
inline constexpr size_t kDataPartEnd = 0x78;       // field descriptors follow here from level 4

// Sizes of the pieces after the descriptors.
inline constexpr size_t kDescriptorSize = 2;       // type byte, size byte
inline constexpr size_t kPointerSize = 4;          // table-name pointer, field-name pointers
inline constexpr size_t kTableNameSizeBefore7 = 79;
inline constexpr size_t kTableNameSize7 = 261;
}  // namespace header

inline constexpr uint8_t kKeyedTable = 0;          // records kept in key order, with a .PX index
inline constexpr uint8_t kUnkeyedTable = 2;
inline constexpr uint8_t kFirstVersion = 0x03;     // Paradox 3.0
inline constexpr uint8_t kVersion4 = 0x05;         // from here on the header has its data part
inline constexpr uint8_t kVersion7 = 0x0C;         // Paradox 7, the newest level
inline constexpr size_t kBlockHeaderSize = 6;      // next, previous, offset of the last record
inline constexpr size_t kMaxFields = 255;

enum class FieldType : uint8_t {
    Alpha = 0x01,
    Date = 0x02,
    Short = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Number = 0x06,
    Logical = 0x09,
    Memo = 0x0C,
    Blob = 0x0D,
    FormattedMemo = 0x0E,
    Ole = 0x0F,
    Graphic = 0x10,
    Time = 0x14,
    Timestamp = 0x15,
    AutoIncrement = 0x16,
    Bcd = 0x17,
    Bytes = 0x18,
};

// The bytes a BCD value takes in the record whatever its descriptor says
// (the descriptor's size byte is the number of decimals).
inline constexpr size_t kBcdSlotSize = 17;
inline constexpr size_t kMaxBcdDecimals = 32;
// The memo pointer at the end of a memo, blob, graphic or OLE slot: offset
// into the memo file (u32), length (u32), modification number (u16).
inline constexpr size_t kBlobLeaderSize = 10;

// A type name for error texts and the grid's field list ("alpha", "memo").
const char* FieldTypeName(FieldType type);
// Whether values of this type live (partly) in the memo file.
bool IsBlobType(FieldType type);

struct FieldDescriptor {
    std::string name;       // as stored, ANSI bytes
    FieldType type;
    uint8_t size;           // the descriptor's size byte
    size_t offset;          // where the field starts in a record
    size_t width;           // how many bytes it takes in a record
};

struct TableHeader {
    size_t recordSize = 0;
    size_t headerSize = 0;
    uint8_t fileType = 0;
    size_t blockSize = 0;
    uint32_t recordCount = 0;
    uint16_t fileBlocks = 0;
    uint16_t firstBlock = 0;
    uint16_t lastBlock = 0;
    uint16_t keyFieldCount = 0;
    uint8_t sortOrder = 0;
    uint8_t version = 0;
    uint16_t codePage = 0;  // 0 when the level has no data part
    std::vector<FieldDescriptor> fields;
};

// Reads and checks the header of `file`. Throws EDatabaseError naming the file
// and what is wrong for anything that is not a sound, unencrypted Paradox
// table of levels 3 to 7.
TableHeader ReadTableHeader(const ByteSource& file);

// Where the header's data part ends (descriptors start) for a level byte.
size_t DescriptorStart(uint8_t version);
// The size of the table-name area for a level byte.
size_t TableNameSize(uint8_t version);

}  // namespace paradox
