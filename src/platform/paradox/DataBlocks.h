// The data blocks of a ".DB" file and the chain that orders them.
//
// Block n (1-based) starts at headerSize + (n - 1) * blockSize with a 6-byte
// header: next block (u16, 0 ends the chain), previous block (u16), and the
// offset of its last record from the first (i16; minus the record size when
// the block is empty). Records follow back to back.
#pragma once

#include "platform/paradox/Format.h"

#include <cstdint>
#include <vector>

namespace paradox {

class ByteSource;

namespace block {
inline constexpr size_t kNext = 0;          // u16
inline constexpr size_t kPrevious = 2;      // u16
inline constexpr size_t kLastRecord = 4;    // i16
}  // namespace block

// One block of the chain that holds records (empty blocks are left out).
struct BlockEntry {
    uint16_t number;
    uint32_t firstRow;     // table-wide index of its first record
    uint16_t recordCount;
};

// Where block `number` starts in the file.
uint64_t BlockOffset(const TableHeader& header, uint16_t number);

// Walks the chain from the header's first block, checking each block number
// against the file, each record count against the block, loops, and the total
// against the header's record count. Reads only the 6-byte block headers.
// Throws EDatabaseError naming the file and the fault.
std::vector<BlockEntry> ReadBlockChain(const ByteSource& file, const TableHeader& header);

}  // namespace paradox
