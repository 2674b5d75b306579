// Reads a primary index (.PX) back, independently of the code that wrote it,
// and checks it against its table: walked from the root, every level's keys
// and statistics must agree with the level below, and level 1 must name the
// table's data blocks in chain order with their first keys and record counts.
#pragma once

#include "ParadoxFixtures.h"
#include "platform/paradox/DataBlocks.h"

#include <gtest/gtest.h>

namespace paradox::testing {

struct LeafEntry {
    std::string key;
    uint16_t block;
    int statistics;
    bool operator==(const LeafEntry&) const = default;
};

inline int FlippedShort(const std::string& bytes, size_t at)
{
    return static_cast<int>(ReadFlippedInt(reinterpret_cast<const unsigned char*>(bytes.data()) + at, 2));
}

// Collects the level-1 entries under index block `number` at `level`;
// `firstKey` and `statistics` receive what the parent's entry must hold.
inline void CollectLeaves(const std::string& px, size_t blockSize, size_t keySize, uint16_t number, int level,
                          std::vector<LeafEntry>& leaves, std::string& firstKey, int& statistics)
{
    const size_t entrySize = keySize + 6;
    const size_t at = 2048 + (number - 1u) * blockSize;
    ASSERT_LE(at + blockSize, px.size()) << "index block " << number;
    const auto last = static_cast<int16_t>(GetU16(px, at + 4));
    ASSERT_EQ((last + static_cast<int>(entrySize)) % static_cast<int>(entrySize), 0);
    const int count = (last + static_cast<int>(entrySize)) / static_cast<int>(entrySize);
    ASSERT_GT(count, 0) << "empty index block " << number;
    statistics = 0;
    for (int i = 0; i < count; ++i) {
        const size_t e = at + 6 + static_cast<size_t>(i) * entrySize;
        const std::string key = px.substr(e, keySize);
        const auto target = static_cast<uint16_t>(FlippedShort(px, e + keySize));
        const int stats = FlippedShort(px, e + keySize + 2);
        if (i == 0) firstKey = key;
        statistics += stats;
        if (level == 1) {
            leaves.push_back({key, target, stats});
            continue;
        }
        std::string childKey;
        int childStatistics = 0;
        CollectLeaves(px, blockSize, keySize, target, level - 1, leaves, childKey, childStatistics);
        EXPECT_EQ(childKey, key) << "index block " << target;
        EXPECT_EQ(childStatistics, stats) << "index block " << target;
    }
}

// The index's levels, checked against the table.
inline int ExpectIndexMatchesTable(const std::string& table, const std::string& px)
{
    const auto source = MemorySource("Songs.DB", table);
    const TableHeader h = ReadTableHeader(*source);
    const size_t keySize = h.fields[h.keyFieldCount - 1].offset + h.fields[h.keyFieldCount - 1].width;
    EXPECT_EQ(px.size() % 1024, 0u);
    EXPECT_EQ(px[4], 1);  // a primary index
    EXPECT_EQ(GetU16(px, 0), keySize + 6);
    EXPECT_EQ(GetU16(px, 0x21), h.keyFieldCount);

    std::vector<LeafEntry> expected;
    for (const BlockEntry& b : ReadBlockChain(*source, h))
        expected.push_back({table.substr(BlockOffset(h, b.number) + kBlockHeaderSize, keySize), b.number,
                            b.recordCount});
    const int levels = static_cast<unsigned char>(px[0x20]);
    std::vector<LeafEntry> leaves;
    if (!expected.empty()) {
        std::string firstKey;
        int statistics = 0;
        CollectLeaves(px, h.blockSize, keySize, GetU16(px, 0x1E), levels, leaves, firstKey, statistics);
        EXPECT_EQ(statistics, static_cast<int>(h.recordCount));
    }
    EXPECT_TRUE(leaves == expected) << leaves.size() << " index entries for " << expected.size() << " data blocks";
    return levels;
}

}  // namespace paradox::testing
