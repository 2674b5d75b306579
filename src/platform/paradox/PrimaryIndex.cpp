#include "platform/paradox/PrimaryIndex.h"

#include "platform/paradox/ByteSource.h"
#include "platform/paradox/DataBlocks.h"
#include "platform/paradox/Encoding.h"
#include "platform/paradox/TableError.h"

#include <cstring>
#include <vector>

namespace paradox {
namespace {

struct Entry {
    std::string key;
    uint16_t block;
    uint32_t statistics;
};

// Index records hold their numbers like field values of type short, so the
// largest count a statistics field can hold is a short's.
constexpr uint32_t kMaxStatistics = INT16_MAX;

void PutShort(unsigned char* p, uint32_t value) { WriteFlippedInt(p, 2, static_cast<int64_t>(value)); }

size_t KeySize(const TableHeader& header)
{
    const FieldDescriptor& lastKey = header.fields[header.keyFieldCount - 1];
    return lastKey.offset + lastKey.width;
}

}  // namespace

size_t IndexEntriesPerBlock(const TableHeader& header)
{
    return (header.blockSize - kBlockHeaderSize) / (KeySize(header) + pxheader::kEntryTrailer);
}

size_t MaxIndexedDataBlocks(const TableHeader& header)
{
    const size_t perBlock = IndexEntriesPerBlock(header);
    return perBlock * perBlock;  // pxheader::kMaxLevels levels
}

std::string BuildPrimaryIndex(const TableHeader& header, const ByteSource& table)
{
    const std::string& name = table.Name();
    if (header.keyFieldCount == 0) ThrowTableError(name, "the table has no primary key, so no primary index");
    const size_t keySize = KeySize(header);
    const size_t entrySize = keySize + pxheader::kEntryTrailer;
    const size_t perBlock = IndexEntriesPerBlock(header);
    if (perBlock < 2) ThrowTableError(name, "the key is too long for an index block");

    // Level 1: the first key of every data block that holds records.
    std::vector<Entry> leaves;
    for (const BlockEntry& b : ReadBlockChain(table, header)) {
        std::string key(keySize, '\0');
        table.ReadAt(BlockOffset(header, b.number) + kBlockHeaderSize, key.data(), keySize);
        leaves.push_back({std::move(key), b.number, b.recordCount});
    }
    if (leaves.size() > MaxIndexedDataBlocks(header))
        ThrowTableError(name, "the table cannot be changed here: it has more data blocks (" +
                                  std::to_string(leaves.size()) + ") than two levels of its primary index name (" +
                                  std::to_string(MaxIndexedDataBlocks(header)) +
                                  "), and a primary index of more levels is not written by this program. "
                                  "Make this change in EasyWorship");

    // Index block n+1 holds blocks[n]. With two levels the root comes first,
    // then the level 1 blocks in key order, all in one chain (PrimaryIndex.h).
    std::vector<std::vector<Entry>> blocks;
    uint8_t levels = 1;
    if (leaves.size() <= perBlock) {
        blocks.push_back(std::move(leaves));
    } else {
        levels = 2;
        blocks.emplace_back();
        for (size_t first = 0; first < leaves.size(); first += perBlock) {
            const auto begin = leaves.begin() + static_cast<std::ptrdiff_t>(first);
            blocks.emplace_back(begin, begin + static_cast<std::ptrdiff_t>(std::min(perBlock, leaves.size() - first)));
            uint32_t statistics = 0;
            for (const Entry& e : blocks.back()) statistics += e.statistics;
            blocks.front().push_back({blocks.back().front().key, static_cast<uint16_t>(blocks.size()), statistics});
        }
    }
    size_t totalEntries = 0;
    for (const std::vector<Entry>& b : blocks) {
        totalEntries += b.size();
        for (const Entry& e : b)
            if (e.statistics > kMaxStatistics)
                ThrowTableError(name, "the table cannot be changed here: one record of its primary index would "
                                      "count " + std::to_string(e.statistics) + " records, more than the index "
                                      "can hold (" + std::to_string(kMaxStatistics) + "). Make this change in "
                                      "EasyWorship");
    }
    // An empty table has no index block and no level.
    if (blocks.front().empty()) {
        blocks.clear();
        levels = 0;
    }

    std::string file(pxheader::kHeaderSize + blocks.size() * header.blockSize, '\0');
    auto* h = reinterpret_cast<unsigned char*>(file.data());
    const auto blockCount = static_cast<uint16_t>(blocks.size());
    WriteU16(h + header::kRecordSize, static_cast<uint16_t>(entrySize));
    WriteU16(h + header::kHeaderSize, pxheader::kHeaderSize);
    h[header::kFileType] = pxheader::kFileType;
    h[header::kBlockSizeCode] = static_cast<unsigned char>(header.blockSize / 1024);
    // pxlib reads this many index records along the chain, so it counts the
    // records of every level, not only those naming data blocks.
    WriteU32(h + header::kRecordCount, static_cast<uint32_t>(totalEntries));
    WriteU16(h + header::kBlocksInUse, blockCount);
    WriteU16(h + header::kFileBlocks, blockCount);
    WriteU16(h + header::kFirstBlock, blockCount > 0 ? 1 : 0);
    WriteU16(h + header::kLastBlock, blockCount);
    WriteU16(h + pxheader::kIndexRoot, blockCount > 0 ? 1 : 0);
    h[pxheader::kLevels] = levels;
    WriteU16(h + header::kFieldCount, header.keyFieldCount);
    h[header::kSortOrder] = header.sortOrder;
    h[header::kFileVersion] = header.version;
    WriteU16(h + header::kMaxBlocks, blockCount);
    // The key fields' descriptors follow the fixed part, as in a level 3 header.
    for (size_t i = 0; i < header.keyFieldCount; ++i) {
        h[header::kFixedPartEnd + i * header::kDescriptorSize] = static_cast<unsigned char>(header.fields[i].type);
        h[header::kFixedPartEnd + i * header::kDescriptorSize + 1] = header.fields[i].size;
    }

    for (size_t n = 0; n < blocks.size(); ++n) {
        unsigned char* b = h + pxheader::kHeaderSize + n * header.blockSize;
        const size_t number = n + 1;
        WriteU16(b + block::kNext, static_cast<uint16_t>(number < blocks.size() ? number + 1 : 0));
        WriteU16(b + block::kPrevious, static_cast<uint16_t>(n));
        WriteU16(b + block::kLastRecord, static_cast<uint16_t>((blocks[n].size() - 1) * entrySize));
        unsigned char* record = b + kBlockHeaderSize;
        for (const Entry& e : blocks[n]) {
            std::memcpy(record, e.key.data(), keySize);
            PutShort(record + keySize, e.block);
            PutShort(record + keySize + 2, e.statistics);
            record += entrySize;
        }
    }
    return file;
}

}  // namespace paradox
