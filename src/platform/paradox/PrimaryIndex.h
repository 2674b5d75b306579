// The primary index (".PX") of a keyed table, made from the table itself.
//
// After Kevin Mitchell's "Paradox 4.x File Formats": a header laid out like
// an old (level 3) table header, with the root block and the number of levels,
// then index blocks with the data blocks' 6-byte block header. An index record
// is the key of the first record of one block, then three big-endian shorts
// stored like field values (sign bit flipped): the block it names, the number
// of records under it ("statistics"), and a spare that stays zero. Level 1
// records name data blocks of the table; level 2 records name the level 1
// blocks; the single block of the top level is the root.
//
// The write-ups do not say how the blocks of several levels are chained. Debian's
// pxlib, our independent reader, reads an index as one chain from the header's
// first block: that block is the root, and every record after it is taken for a
// level 1 record. A root in block 1 followed by the level 1 blocks in key order
// satisfies both it and the write-ups ("first index block: always 1"), and
// pxlib finds every record through such an index. For three levels or more it
// has no reading, so nothing proves any layout of the middle levels right:
// those indexes are not written.
#pragma once

#include "platform/paradox/Format.h"

#include <cstdint>
#include <string>

namespace paradox {

class ByteSource;

namespace pxheader {
inline constexpr uint8_t kFileType = 1;            // header::kFileType of a .PX file
inline constexpr size_t kIndexRoot = 0x1E;         // u16, the root index block
inline constexpr size_t kLevels = 0x20;            // u8, the number of index levels
inline constexpr size_t kHeaderSize = 2048;
inline constexpr size_t kEntryTrailer = 6;         // block number, statistics, spare
inline constexpr uint8_t kMaxLevels = 2;           // the most we write (see above)
}  // namespace pxheader

// How many index records one index block holds for this keyed table.
size_t IndexEntriesPerBlock(const TableHeader& header);

// How many data blocks an index of at most pxheader::kMaxLevels levels names.
size_t MaxIndexedDataBlocks(const TableHeader& header);

// The index file for the keyed table in `table` (the whole ".DB" file): one
// level when the data blocks fit one index block, else two. Throws
// EDatabaseError saying so for a table with more data blocks than
// MaxIndexedDataBlocks, or with more records under one index record than its
// statistics short holds.
std::string BuildPrimaryIndex(const TableHeader& header, const ByteSource& table);

}  // namespace paradox
