#include "platform/paradox/DataBlocks.h"

#include "platform/paradox/ByteSource.h"
#include "platform/paradox/Encoding.h"
#include "platform/paradox/TableError.h"

namespace paradox {

uint64_t BlockOffset(const TableHeader& header, uint16_t number)
{
    return header.headerSize + uint64_t{number - 1u} * header.blockSize;
}

std::vector<BlockEntry> ReadBlockChain(const ByteSource& file, const TableHeader& header)
{
    const std::string& name = file.Name();
    const auto fail = [&name](const std::string& what) { ThrowTableError(name, what); };

    std::vector<BlockEntry> chain;
    // One bit per block of the file: enough to see a loop, whatever its length.
    std::vector<bool> seen(size_t{header.fileBlocks} + 1, false);
    const size_t maxRecords = (header.blockSize - kBlockHeaderSize) / header.recordSize;
    uint64_t total = 0;

    for (uint16_t number = header.firstBlock, previous = 0; number != 0;) {
        const std::string which = "data block " + std::to_string(number);
        if (number > header.fileBlocks)
            fail(which + (previous == 0 ? " (the first)" : " (after block " + std::to_string(previous) + ")") +
                 " is beyond the " + std::to_string(header.fileBlocks) + " blocks of the table");
        if (seen[number]) fail("the chain of data blocks loops back to block " + std::to_string(number));
        seen[number] = true;

        const uint64_t offset = BlockOffset(header, number);
        if (offset + header.blockSize > file.Size())
            fail(which + " lies beyond the end of the file (the file is truncated)");

        unsigned char head[kBlockHeaderSize];
        file.ReadAt(offset, head, sizeof head);
        const auto lastRecord = static_cast<int16_t>(ReadU16(head + block::kLastRecord));
        const int64_t span = int64_t{lastRecord} + static_cast<int64_t>(header.recordSize);
        if (span < 0 || span % static_cast<int64_t>(header.recordSize) != 0 ||
            static_cast<uint64_t>(span) / header.recordSize > maxRecords)
            fail(which + " claims an impossible record count (last record at offset " +
                 std::to_string(lastRecord) + ")");
        const auto count = static_cast<uint16_t>(static_cast<uint64_t>(span) / header.recordSize);

        if (total + count > header.recordCount)
            fail("the data blocks hold more records than the " + std::to_string(header.recordCount) +
                 " the header counts");
        if (count > 0) chain.push_back({number, static_cast<uint32_t>(total), count});
        total += count;
        previous = number;
        number = ReadU16(head + block::kNext);
    }

    if (total != header.recordCount)
        fail("the header counts " + std::to_string(header.recordCount) + " records but the data blocks hold " +
             std::to_string(total));
    return chain;
}

}  // namespace paradox
