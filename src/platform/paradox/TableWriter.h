// Writes Paradox 7 tables with their memo file (and primary index): for tests, the sample library
// and the benchmarks now, and for the table's write support later.
//
// Values are given as text in the forms the reader gives back (FieldText.h),
// so that whatever the writer is handed, the reader returns unchanged:
// "-42", "3.25", "1234.50", "True", "2009-03-14", "13:45:07.250",
// "2009-03-14 13:45:07". Text, memo and byte values are their bytes. A
// missing value (nullopt) is null; so is empty text.
//
// Memos go where Paradox puts them: in the record alone when they fit its
// leading part, in a sub-allocated block (type 3) up to the memo file's
// threshold of 2048 bytes, else in blocks of their own (type 2).
#pragma once

#include "platform/paradox/Format.h"

#include <optional>
#include <string>
#include <vector>

namespace paradox {

struct FieldSpec {
    std::string name;
    FieldType type;
    // Alpha and bytes: the width; memo, blob, graphic, OLE: the record slot
    // including the 10-byte leader; BCD: the decimals. Ignored (0 is fine) for
    // types of fixed size.
    uint8_t size = 0;
};

struct TableSpec {
    std::vector<FieldSpec> fields;
    // The leading fields that form the primary key; 0 makes an unkeyed
    // table. A keyed table's records are written in key order.
    uint16_t keyFieldCount = 0;
    uint16_t codePage = 437;
    uint8_t blockSizeKiB = 4;  // 1, 2, 3, 4, 8, 16 or 32
};

using RecordValues = std::vector<std::optional<std::string>>;

// The bytes of the ".DB", ".MB" and (keyed tables only) ".PX" files.
struct TableFiles {
    std::string table;
    std::string memo;
    // Empty for an unkeyed table, and for a keyed one whose index would need
    // more levels than are written (PrimaryIndex.h): such a table has no .PX.
    std::string index;
};

// Builds the files. Throws std::invalid_argument for a field list or a value
// that a Paradox table cannot hold (a value too long for its field, a number
// out of range, a date that is no date, a key over a memo field, ...).
TableFiles BuildParadoxTable(const TableSpec& shape, const std::vector<RecordValues>& records);

// Builds the files and writes them as `tablePath` and the same path with the
// extensions ".MB" and, for a keyed table, ".PX". Throws EFCreateError when a file cannot be written.
void WriteParadoxTable(const std::string& tablePath, const TableSpec& shape, const std::vector<RecordValues>& records);

// EasyWorship 2009's song table: its 45 fields, keyed on Title and Author.
TableSpec EasyWorshipSongsSpec();

}  // namespace paradox
