// Changes to a Paradox table made in memory, on the whole bytes of its table
// and memo files: the one place that knows how a record is edited or deleted
// so that the header, the block chain and the memo file stay consistent.
// Nothing here touches a disk; TableUpdate journals the result.
//
// What a change keeps right:
// - the header's record count, blocks in use, last block, change count;
// - each block's "offset of last record"; records stay packed at its start;
// - the chain: a block that becomes empty is unlinked and put on the free
//   list (header 0x4D, linked through the blocks' next field). Block 1 is never
//   freed (Paradox's rule): when it empties, the next block's records move into
//   it and that block is freed. The only block of an empty table stays;
// - keyed tables: records in key order (byte order of the key fields, which
//   is the "ascii" sort order); an edit of a key field moves the record, into
//   a new block appended to the file when its block is full;
// - a deleted record's memo values are freed in the memo file: a single-value
//   block becomes a free block, a sub-allocated entry is cleared, and a
//   sub-allocated block whose entries are all clear becomes a free block.
#pragma once

#include "platform/paradox/Format.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace paradox {

class TableEditor {
public:
    // Takes the files' bytes; `memo` is empty when there is no memo file.
    // Throws EDatabaseError (naming `tableName`) for a table that the reader
    // would refuse or whose file size does not match its header.
    TableEditor(std::string tableName, std::string table, std::string memo);

    const TableHeader& Header() const { return header_; }
    size_t RecordCount() const;

    // Stores `ansi` in alpha field `field` of record `row` (empty: null) and
    // returns the record's row afterwards. The caller has checked the field's
    // type and width. Throws EDatabaseError "Key violation" when the edited
    // key equals another record's; nothing changes then.
    size_t SetAlpha(size_t row, size_t field, std::string_view ansi);
    // Removes record `row` and frees its memo values.
    void Delete(size_t row);

    // The files' bytes with the changes.
    std::string Table() const;
    const std::string& Memo() const { return memo_; }

private:
    struct Block {
        uint16_t number;
        std::vector<std::string> records;
    };

    std::pair<size_t, size_t> Locate(size_t row) const;  // block index, record index
    size_t KeySize() const;
    void Remove(size_t blockIndex, size_t recordIndex);
    size_t Insert(std::string record);  // returns its row
    void FreeMemoValues(const std::string& record, size_t row);
    void FreeMemoBlock(uint64_t start);

    std::string name_;
    std::string table_;
    std::string memo_;
    TableHeader header_;
    std::vector<Block> chain_;           // in chain order, empty blocks included
    std::vector<uint16_t> freed_;        // blocks to put on the free list, in order
    uint16_t fileBlocks_;
    size_t perBlock_;
};

}  // namespace paradox
