// The primary index (".PX") of a keyed table, made from the table itself.
//
// After Kevin Mitchell's "Paradox 4.x File Formats": a header laid out like
// an old (level 3) table header, with the root block and the number of levels,
// then index blocks with the data blocks' 6-byte block header. An index record
// is the key of the first record of one block, then three big-endian shorts
// stored like field values (sign bit flipped): the block it names, the number
// of records under it ("statistics"), and a spare that stays zero. Level 1
// records name data blocks of the table; each higher level names the index
// blocks of the level below; the single block of the top level is the root.
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
}  // namespace pxheader

// How many index records one index block holds for this keyed table.
size_t IndexEntriesPerBlock(const TableHeader& header);

// The index file for the keyed table in `table` (the whole ".DB" file).
// Only a single-level index is written: a table with more data blocks than
// IndexEntriesPerBlock throws EDatabaseError saying so.
std::string BuildPrimaryIndex(const TableHeader& header, const ByteSource& table);

}  // namespace paradox
