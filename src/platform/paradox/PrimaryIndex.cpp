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

// Index records hold their numbers like field values of type short.
void PutShort(unsigned char* p, uint32_t value) { WriteFlippedInt(p, 2, static_cast<int64_t>(value)); }

}  // namespace

size_t IndexEntriesPerBlock(const TableHeader& header)
{
    const FieldDescriptor& lastKey = header.fields[header.keyFieldCount - 1];
    return (header.blockSize - kBlockHeaderSize) / (lastKey.offset + lastKey.width + pxheader::kEntryTrailer);
}

std::string BuildPrimaryIndex(const TableHeader& header, const ByteSource& table)
{
    const std::string& name = table.Name();
    if (header.keyFieldCount == 0) ThrowTableError(name, "the table has no primary key, so no primary index");
    const FieldDescriptor& lastKey = header.fields[header.keyFieldCount - 1];
    const size_t keySize = lastKey.offset + lastKey.width;
    const size_t entrySize = keySize + pxheader::kEntryTrailer;
    const size_t perBlock = (header.blockSize - kBlockHeaderSize) / entrySize;
    if (perBlock < 2) ThrowTableError(name, "the key is too long for an index block");

    // Level 1: the first key of every data block that holds records.
    std::vector<Entry> level;
    for (const BlockEntry& b : ReadBlockChain(table, header)) {
        std::string key(keySize, '\0');
        table.ReadAt(BlockOffset(header, b.number) + kBlockHeaderSize, key.data(), keySize);
        level.push_back({std::move(key), b.number, b.recordCount});
    }

    // Only one level is written: our multi-level layout (the levels' blocks
    // in one chain, root last) did not read back in pxlib, and no other
    // witness of Paradox's own layout was at hand. A table that needs more
    // is refused for writing rather than given an index that may be wrong.
    if (level.size() > perBlock)
        ThrowTableError(name, "the table cannot be changed here: it has more data blocks (" +
                                  std::to_string(level.size()) + ") than one block of its primary index names (" +
                                  std::to_string(perBlock) +
                                  "), and a primary index of several levels is not written by this program. "
                                  "Make this change in EasyWorship");

    // Each level in blocks of its own, numbered on from the level below; the
    // levels' blocks together form one chain from block 1 to the root.
    std::vector<std::vector<Entry>> blocks;  // index block n+1 holds blocks[n]
    uint8_t levels = 0;
    size_t totalEntries = 0;
    while (!level.empty()) {
        ++levels;
        totalEntries += level.size();
        std::vector<Entry> above;
        for (size_t first = 0; first < level.size(); first += perBlock) {
            const size_t count = std::min(perBlock, level.size() - first);
            blocks.emplace_back(level.begin() + static_cast<std::ptrdiff_t>(first),
                                level.begin() + static_cast<std::ptrdiff_t>(first + count));
            uint32_t statistics = 0;
            for (const Entry& e : blocks.back()) statistics += e.statistics;
            above.push_back({blocks.back().front().key, static_cast<uint16_t>(blocks.size()), statistics});
        }
        if (level.size() <= perBlock) break;
        level = std::move(above);
    }
    if (blocks.size() > UINT16_MAX) ThrowTableError(name, "the primary index would need too many blocks");

    std::string file(pxheader::kHeaderSize + blocks.size() * header.blockSize, '\0');
    auto* h = reinterpret_cast<unsigned char*>(file.data());
    const uint16_t blockCount = static_cast<uint16_t>(blocks.size());
    WriteU16(h + header::kRecordSize, static_cast<uint16_t>(entrySize));
    WriteU16(h + header::kHeaderSize, pxheader::kHeaderSize);
    h[header::kFileType] = pxheader::kFileType;
    h[header::kBlockSizeCode] = static_cast<unsigned char>(header.blockSize / 1024);
    WriteU32(h + header::kRecordCount, static_cast<uint32_t>(totalEntries));
    WriteU16(h + header::kBlocksInUse, blockCount);
    WriteU16(h + header::kFileBlocks, blockCount);
    WriteU16(h + header::kFirstBlock, blockCount > 0 ? 1 : 0);
    WriteU16(h + header::kLastBlock, blockCount);
    WriteU16(h + pxheader::kIndexRoot, blockCount);
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
            // Statistics are a short; a count past its range is kept at the top.
            PutShort(record + keySize + 2, std::min<uint32_t>(e.statistics, INT16_MAX));
            record += entrySize;
        }
    }
    return file;
}

}  // namespace paradox
