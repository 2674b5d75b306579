// The memo file (".MB") that holds memo, blob, graphic and OLE values too
// long for their record.
//
// A record's memo slot ends in a 10-byte leader: offset (u32), length (u32),
// modification number (u16). The leader's offset names a 4 KiB-aligned block
// of the memo file in its upper bits and, in its low byte, an entry of that
// block: 0xFF for a block holding one whole value (type 2), else the index
// into the entry table of a sub-allocated block (type 3). Memo text short
// enough for the record lives there alone, with offset 0.
#pragma once

#include "platform/paradox/TableError.h"

#include <cstdint>
#include <memory>
#include <string>

namespace paradox {

class ByteSource;

namespace memo {
inline constexpr size_t kBlockSize = 4096;
inline constexpr uint8_t kHeaderBlock = 0;
inline constexpr uint8_t kSingleBlob = 2;      // one value, possibly over several blocks
inline constexpr uint8_t kSubAllocated = 3;    // up to 64 small values in one block
inline constexpr uint8_t kFreeBlock = 4;
inline constexpr uint8_t kWholeBlockIndex = 0xFF;

// Block header, all block types: type byte, then the block's length in 4 KiB units.
inline constexpr size_t kType = 0;
inline constexpr size_t kBlockCount = 1;       // u16
// Type 2: value length (u32), modification number (u16), then the value.
inline constexpr size_t kSingleLength = 3;
inline constexpr size_t kSingleModification = 7;
inline constexpr size_t kSingleDataStart = 9;
// Type 3: a table of 64 five-byte entries at offset 12; each entry: data
// offset in 16-byte chunks from the block start (0: unused), length in chunks
// (rounded up), modification number (u16), bytes used in the last chunk (1-16).
inline constexpr size_t kEntryTable = 12;
inline constexpr size_t kEntrySize = 5;
inline constexpr size_t kEntryCount = 64;
inline constexpr size_t kChunkSize = 16;
inline constexpr size_t kEntryChunk = 0;
inline constexpr size_t kEntryChunks = 1;
inline constexpr size_t kEntryModification = 2;
inline constexpr size_t kEntryLastChunkBytes = 4;
// The first chunk after the entry table.
inline constexpr size_t kFirstDataChunk = (kEntryTable + kEntryCount * kEntrySize + kChunkSize - 1) / kChunkSize;

// The header block (block 0).
inline constexpr size_t kHeaderModificationCount = 3;   // 8 bytes
inline constexpr size_t kHeaderBaseBlockSize = 11;      // u16, 4096
inline constexpr size_t kHeaderSubBlockSize = 13;       // u16, 4096
inline constexpr size_t kHeaderChunkSize = 16;          // u8, 16
inline constexpr size_t kHeaderEntriesPerBlock = 17;    // u16, 64
inline constexpr size_t kHeaderSubThreshold = 19;       // u16, values up to this go to type 3 blocks
inline constexpr uint16_t kSubAllocationThreshold = 2048;
}  // namespace memo

// The leader at the end of a memo slot.
struct BlobPointer {
    uint32_t offset;
    uint32_t length;
    uint16_t modification;
};
BlobPointer ReadBlobPointer(const unsigned char* leader);

// Reads values from one memo file. Every block number, entry, length and
// modification number is checked against the file before use.
class MemoFile {
public:
    explicit MemoFile(std::unique_ptr<ByteSource> file);
    ~MemoFile();

    // The value the pointer names. Throws EDatabaseError naming the memo
    // file and the value `where` when the pointer does not lead to a sound
    // value of that length.
    std::string Read(const BlobPointer& pointer, const ValueLocation& where) const;

private:
    std::unique_ptr<ByteSource> file_;
    mutable std::string scratch_;  // the last read, kept to spare an allocation per value
};

}  // namespace paradox
