// One open Paradox table: its header, the chain of its data blocks, and
// records read on demand.
//
// Only the 6-byte header of each data block is read at open; a record's
// block is read when a value of it is asked for, and one block is kept. The
// memo file is opened the first time a memo value has to come from it.
#pragma once

#include "platform/paradox/DataBlocks.h"
#include "platform/paradox/Format.h"
#include "platform/paradox/TableError.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace paradox {

class ByteSource;
class MemoFile;

class ParadoxTable {
public:
    // Opens the memo file on first need; returns nothing when there is none.
    using MemoOpener = std::function<std::unique_ptr<ByteSource>()>;

    // Reads and checks the header and the block chain of `file`. Throws
    // EDatabaseError naming the file and the fault.
    ParadoxTable(std::unique_ptr<ByteSource> file, MemoOpener openMemo);
    ~ParadoxTable();
    ParadoxTable(const ParadoxTable&) = delete;
    ParadoxTable& operator=(const ParadoxTable&) = delete;

    const TableHeader& Header() const { return header_; }
    const std::vector<FieldDescriptor>& Fields() const { return header_.fields; }
    size_t RecordCount() const { return header_.recordCount; }

    // The value of field `field` of record `row` (in table order) as text,
    // in the forms FieldText.h lists; memo, blob, graphic and OLE values are
    // their bytes. Throws std::out_of_range for a row or field that does not
    // exist, EDatabaseError for a damaged value or memo.
    std::string Text(size_t row, size_t field) const;

private:
    const unsigned char* Record(size_t row) const;
    std::string BlobText(const FieldDescriptor& field, const unsigned char* slot, const ValueLocation& where) const;

    std::unique_ptr<ByteSource> file_;
    MemoOpener openMemo_;
    TableHeader header_;
    std::vector<BlockEntry> chain_;

    // The one data block held in memory.
    mutable std::vector<unsigned char> block_;
    mutable size_t blockIndex_ = SIZE_MAX;  // into chain_
    mutable std::unique_ptr<MemoFile> memo_;
};

}  // namespace paradox
