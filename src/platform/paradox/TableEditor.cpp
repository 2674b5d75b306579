#include "platform/paradox/TableEditor.h"

#include "platform/SysUtils.h"
#include "platform/paradox/ByteSource.h"
#include "platform/paradox/DataBlocks.h"
#include "platform/paradox/Encoding.h"
#include "platform/paradox/MemoFile.h"
#include "platform/paradox/TableError.h"

#include <algorithm>
#include <cstring>

namespace paradox {
namespace {

// Header fields only the write path needs, after Kevin Mitchell's notes.
constexpr size_t kFirstFreeBlock = 0x4D;     // u16, head of the free block list, 0 when none
constexpr size_t kModifiedFlags2 = 0x2A;     // u8, like kModifiedFlags: a rebuild is due

unsigned char* Bytes(std::string& s, size_t at) { return reinterpret_cast<unsigned char*>(s.data()) + at; }
const unsigned char* Bytes(const std::string& s, size_t at)
{
    return reinterpret_cast<const unsigned char*>(s.data()) + at;
}

}  // namespace

TableEditor::TableEditor(std::string tableName, std::string table, std::string memo)
    : name_(std::move(tableName)), table_(std::move(table)), memo_(std::move(memo))
{
    const auto source = MemorySource(name_, table_);
    header_ = ReadTableHeader(*source);
    ReadBlockChain(*source, header_);  // checks bounds, loops and counts for the walk below
    const auto refuse = [this](const std::string& what) {
        ThrowTableError(name_, "cannot change this table safely: " + what);
    };

    const uint64_t expected = header_.headerSize + uint64_t{header_.fileBlocks} * header_.blockSize;
    if (table_.size() != expected)
        refuse("the file has " + std::to_string(table_.size()) + " bytes, but its header describes " +
               std::to_string(expected));
    if (table_[header::kModifiedFlags] != 0 || table_[kModifiedFlags2] != 0)
        refuse("the table is marked as needing a rebuild; open it in EasyWorship or Paradox first");
    if (ReadU16(Bytes(table_, kFirstFreeBlock)) > header_.fileBlocks)
        refuse("its list of free blocks starts beyond the end of the file");

    fileBlocks_ = header_.fileBlocks;
    perBlock_ = (header_.blockSize - kBlockHeaderSize) / header_.recordSize;
    for (uint16_t number = header_.firstBlock; number != 0;) {
        const size_t at = BlockOffset(header_, number);
        const auto lastRecord = static_cast<int16_t>(ReadU16(Bytes(table_, at + block::kLastRecord)));
        const size_t count = static_cast<size_t>(lastRecord + static_cast<int64_t>(header_.recordSize)) /
                             header_.recordSize;
        Block b{number, {}};
        for (size_t i = 0; i < count; ++i)
            b.records.emplace_back(table_.substr(at + kBlockHeaderSize + i * header_.recordSize, header_.recordSize));
        chain_.push_back(std::move(b));
        number = ReadU16(Bytes(table_, at + block::kNext));
    }

    if (header_.keyFieldCount > 0) {
        const size_t keySize = KeySize();
        const std::string* previous = nullptr;
        for (const Block& b : chain_)
            for (const std::string& r : b.records) {
                if (previous && std::memcmp(previous->data(), r.data(), keySize) >= 0)
                    refuse("its records are not in the order of their keys");
                previous = &r;
            }
    }
}

size_t TableEditor::RecordCount() const
{
    size_t count = 0;
    for (const Block& b : chain_) count += b.records.size();
    return count;
}

size_t TableEditor::KeySize() const
{
    const FieldDescriptor& last = header_.fields[header_.keyFieldCount - 1];
    return last.offset + last.width;
}

std::pair<size_t, size_t> TableEditor::Locate(size_t row) const
{
    size_t rest = row;
    for (size_t b = 0; b < chain_.size(); ++b) {
        if (rest < chain_[b].records.size()) return {b, rest};
        rest -= chain_[b].records.size();
    }
    ThrowTableError(name_, "record " + std::to_string(row + 1) + " does not exist");
}

size_t TableEditor::SetAlpha(size_t row, size_t field, std::string_view ansi)
{
    const auto [b, r] = Locate(row);
    const FieldDescriptor& f = header_.fields.at(field);
    std::string record = chain_[b].records[r];
    std::memset(record.data() + f.offset, 0, f.width);
    std::memcpy(record.data() + f.offset, ansi.data(), std::min(ansi.size(), f.width));

    const bool keyChanged = header_.keyFieldCount > 0 && field < header_.keyFieldCount &&
                            std::memcmp(record.data(), chain_[b].records[r].data(), KeySize()) != 0;
    if (!keyChanged) {
        chain_[b].records[r] = std::move(record);
        return row;
    }
    const size_t keySize = KeySize();
    for (size_t ob = 0; ob < chain_.size(); ++ob)
        for (size_t orr = 0; orr < chain_[ob].records.size(); ++orr)
            if ((ob != b || orr != r) && std::memcmp(chain_[ob].records[orr].data(), record.data(), keySize) == 0)
                throw EDatabaseError("Key violation");
    Remove(b, r);
    return Insert(std::move(record));
}

void TableEditor::Delete(size_t row)
{
    const auto [b, r] = Locate(row);
    FreeMemoValues(chain_[b].records[r], row);
    Remove(b, r);
}

void TableEditor::Remove(size_t b, size_t r)
{
    auto& records = chain_[b].records;
    records.erase(records.begin() + static_cast<std::ptrdiff_t>(r));
    if (!records.empty() || chain_.size() == 1) return;
    if (chain_[b].number == 1) {
        // Block 1 is never free: a neighbour's records move in, and the
        // neighbour goes instead. Either neighbour keeps the key order.
        const size_t neighbour = b + 1 < chain_.size() ? b + 1 : b - 1;
        records = std::move(chain_[neighbour].records);
        freed_.push_back(chain_[neighbour].number);
        chain_.erase(chain_.begin() + static_cast<std::ptrdiff_t>(neighbour));
        return;
    }
    freed_.push_back(chain_[b].number);
    chain_.erase(chain_.begin() + static_cast<std::ptrdiff_t>(b));
}

size_t TableEditor::Insert(std::string record)
{
    const size_t keySize = KeySize();
    // The block of the last record with a smaller key, else the first block.
    size_t target = 0, position = 0, rowBefore = 0, row = 0;
    for (size_t b = 0; b < chain_.size(); ++b) {
        for (size_t i = 0; i < chain_[b].records.size(); ++i, ++row)
            if (std::memcmp(chain_[b].records[i].data(), record.data(), keySize) < 0) {
                target = b;
                position = i + 1;
                rowBefore = row + 1;
            }
    }
    auto& records = chain_[target].records;
    if (records.size() < perBlock_) {
        records.insert(records.begin() + static_cast<std::ptrdiff_t>(position), std::move(record));
        return rowBefore;
    }

    // A full block splits; the upper half goes to a block freed by this
    // change or, when there is none, to a new block at the end of the file.
    uint16_t number;
    if (!freed_.empty()) {
        number = freed_.back();
        freed_.pop_back();
    } else {
        if (fileBlocks_ == UINT16_MAX) ThrowTableError(name_, "the table has no room for another block");
        number = ++fileBlocks_;
    }
    const size_t half = records.size() / 2;
    Block upper{number, std::vector<std::string>(records.begin() + static_cast<std::ptrdiff_t>(half), records.end())};
    records.resize(half);
    if (position <= half)
        records.insert(records.begin() + static_cast<std::ptrdiff_t>(position), std::move(record));
    else
        upper.records.insert(upper.records.begin() + static_cast<std::ptrdiff_t>(position - half), std::move(record));
    chain_.insert(chain_.begin() + static_cast<std::ptrdiff_t>(target + 1), std::move(upper));
    return rowBefore;
}

void TableEditor::FreeMemoValues(const std::string& record, size_t row)
{
    for (const FieldDescriptor& f : header_.fields) {
        if (!IsBlobType(f.type)) continue;
        const size_t inlineSize = f.width - kBlobLeaderSize;
        const BlobPointer pointer = ReadBlobPointer(Bytes(record, f.offset + inlineSize));
        if (pointer.length <= inlineSize) continue;  // empty, or in the record alone
        if (memo_.empty())
            ThrowTableError(name_, ValueLocation{row, f.name}.Text() + ": the memo file (.MB) beside the table is missing");
        // Reading the value proves the pointer names a sound value before its space is given back.
        MemoFile(MemorySource(name_ + " (memo)", memo_)).Read(pointer, ValueLocation{row, f.name});
        const uint64_t start = pointer.offset & ~uint32_t{0xFF};
        const unsigned index = pointer.offset & 0xFF;
        if (index == memo::kWholeBlockIndex) {
            FreeMemoBlock(start);
            continue;
        }
        unsigned char* block = Bytes(memo_, start);
        std::memset(block + memo::kEntryTable + index * memo::kEntrySize, 0, memo::kEntrySize);
        bool anyInUse = false;
        for (size_t e = 0; e < memo::kEntryCount; ++e)
            anyInUse |= block[memo::kEntryTable + e * memo::kEntrySize + memo::kEntryChunk] != 0;
        if (!anyInUse) FreeMemoBlock(start);
    }
}

void TableEditor::FreeMemoBlock(uint64_t start)
{
    // A free block keeps its length, so the blocks after it stay where they are.
    Bytes(memo_, start)[memo::kType] = memo::kFreeBlock;
}

std::string TableEditor::Table() const
{
    std::string out = table_;
    out.resize(header_.headerSize + size_t{fileBlocks_} * header_.blockSize, '\0');
    const auto recordSize = static_cast<int64_t>(header_.recordSize);
    const auto writeHead = [&](uint16_t number, uint16_t next, uint16_t previous, size_t count) {
        unsigned char* b = Bytes(out, BlockOffset(header_, number));
        std::memset(b, 0, header_.blockSize);
        WriteU16(b + block::kNext, next);
        WriteU16(b + block::kPrevious, previous);
        WriteU16(b + block::kLastRecord, static_cast<uint16_t>(static_cast<int64_t>(count - 1) * recordSize));
        return b + kBlockHeaderSize;
    };
    for (size_t i = 0; i < chain_.size(); ++i) {
        const Block& b = chain_[i];
        unsigned char* r = writeHead(b.number, i + 1 < chain_.size() ? chain_[i + 1].number : 0,
                                     i > 0 ? chain_[i - 1].number : 0, b.records.size());
        for (const std::string& record : b.records) {
            std::memcpy(r, record.data(), record.size());
            r += record.size();
        }
    }
    uint16_t freeHead = ReadU16(Bytes(table_, kFirstFreeBlock));
    for (const uint16_t number : freed_) {
        writeHead(number, freeHead, 0, 0);
        freeHead = number;
    }

    unsigned char* h = Bytes(out, 0);
    const auto oldChainLength = static_cast<int64_t>(chain_.size() + freed_.size()) -
                                static_cast<int64_t>(fileBlocks_ - header_.fileBlocks);
    const int64_t inUse = int64_t{ReadU16(h + header::kBlocksInUse)} + static_cast<int64_t>(chain_.size()) - oldChainLength;
    WriteU32(h + header::kRecordCount, static_cast<uint32_t>(RecordCount()));
    WriteU16(h + header::kBlocksInUse, static_cast<uint16_t>(std::clamp<int64_t>(inUse, 0, UINT16_MAX)));
    if (ReadU16(h + header::kMaxBlocks) == header_.fileBlocks) WriteU16(h + header::kMaxBlocks, fileBlocks_);
    WriteU16(h + header::kFileBlocks, fileBlocks_);
    WriteU16(h + header::kFirstBlock, chain_.empty() ? 0 : chain_.front().number);
    WriteU16(h + header::kLastBlock, chain_.empty() ? 0 : chain_.back().number);
    WriteU16(h + kFirstFreeBlock, freeHead);
    ++h[header::kChangeCount];
    return out;
}

}  // namespace paradox
