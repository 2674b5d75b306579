// The table's write support: one edit or deletion made on disk as one
// crash-safe change of the table, its memo file and its primary index, after
// every check that it can be done exactly right. Anything else is refused with
// EDatabaseError saying why and what to do, and changes nothing.
//
// Refused for writing (reading them still works):
// - a lock file of Paradox's database engine (PDOXUSRS.LCK, PARADOX.LCK) in
//   the table's folder: EasyWorship may have the table open;
// - a sort order other than plain byte order ("ascii"): the key order of
//   other sort orders is the engine's own and cannot be reproduced here;
// - secondary indexes (.Xnn/.Ynn, .XGn/.YGn) and validity checks (.VAL)
//   beside the table: they would go stale;
// - a keyed table without its primary index (.PX), or one whose index would
//   need more than two levels (PrimaryIndex.h);
// - a table the editor cannot prove sound (TableEditor.h), write protected,
//   or marked for a rebuild;
// - a value longer than the field, a NUL in it, a field that is not alpha.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class DurableFiles;

namespace paradox {

// Stores `ansi` in alpha field `field` of record `row` of the table at
// `tablePath`; empty stores null. Returns the record's row afterwards (an
// edited key moves it). A key that another record has: EDatabaseError
// "Key violation".
size_t UpdateAlphaField(const std::string& tablePath, size_t row, size_t field, std::string_view ansi,
                        DurableFiles& files);

// Deletes record `row` of the table at `tablePath` and frees its memo values.
void DeleteTableRecord(const std::string& tablePath, size_t row, DurableFiles& files);

// Finishes the recovery from a change that was interrupted (a crash, a power
// cut): the table, memo file and index get back their bytes from before it.
// True when there was something to recover.
bool RecoverTable(const std::string& tablePath, DurableFiles& files);

}  // namespace paradox
