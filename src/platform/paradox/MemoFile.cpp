#include "platform/paradox/MemoFile.h"

#include "platform/paradox/ByteSource.h"
#include "platform/paradox/Encoding.h"
#include "platform/paradox/TableError.h"

namespace paradox {

BlobPointer ReadBlobPointer(const unsigned char* leader)
{
    return {ReadU32(leader), ReadU32(leader + 4), ReadU16(leader + 8)};
}

MemoFile::MemoFile(std::unique_ptr<ByteSource> file) : file_(std::move(file)) {}
MemoFile::~MemoFile() = default;

std::string MemoFile::Read(const BlobPointer& pointer, const ValueLocation& where) const
{
    using namespace memo;
    const std::string& name = file_->Name();
    const auto fail = [&](const std::string& what) { ThrowTableError(name, where.Text() + ": " + what); };

    const uint64_t blockStart = pointer.offset & ~uint32_t{0xFF};
    const unsigned index = pointer.offset & 0xFF;
    if (blockStart % kBlockSize != 0 || blockStart == 0)
        fail("the memo pointer " + std::to_string(pointer.offset) + " names no block of the memo file");
    if (blockStart + kBlockSize > file_->Size())
        fail("the memo pointer " + std::to_string(pointer.offset) + " lies beyond the end of the memo file (" +
             std::to_string(file_->Size()) + " bytes)");

    // A single-blob value is read together with its block's head in one
    // call, trusting the record's length until the head confirms it: one
    // system call per lyric. Everything else reads the head first.
    const uint64_t wholeRead = kSingleDataStart + uint64_t{pointer.length};
    const bool readWhole = index == kWholeBlockIndex && blockStart + wholeRead <= file_->Size();
    scratch_.resize(readWhole ? wholeRead : kEntryTable);
    file_->ReadAt(blockStart, scratch_.data(), scratch_.size());
    const auto* head = reinterpret_cast<const unsigned char*>(scratch_.data());
    const uint8_t type = head[kType];
    const auto modificationMismatch = [&](uint16_t stored) {
        fail("modification number " + std::to_string(pointer.modification) + " in the record, " +
             std::to_string(stored) + " in the memo file");
    };

    if (type == kSingleBlob) {
        if (index != kWholeBlockIndex)
            fail("the memo pointer names entry " + std::to_string(index) + " of a block that holds one value");
        const uint32_t length = ReadU32(head + kSingleLength);
        if (length != pointer.length)
            fail("length " + std::to_string(pointer.length) + " in the record, " + std::to_string(length) +
                 " in the memo file");
        const uint16_t modification = ReadU16(head + kSingleModification);
        if (modification != pointer.modification) modificationMismatch(modification);
        const uint64_t blockBytes = uint64_t{ReadU16(head + kBlockCount)} * kBlockSize;
        if (kSingleDataStart + uint64_t{length} > blockBytes)
            fail("the value of " + std::to_string(length) + " bytes does not fit its " +
                 std::to_string(blockBytes / kBlockSize) + " memo blocks");
        if (blockStart + kSingleDataStart + length > file_->Size())
            fail("the value of " + std::to_string(length) + " bytes runs past the end of the memo file");
        return scratch_.substr(kSingleDataStart, length);  // readWhole held: the length fits the file
    }

    if (type == kSubAllocated) {
        if (index >= kEntryCount)
            fail("the memo pointer names entry " + std::to_string(index) + " of a block of " +
                 std::to_string(kEntryCount));
        unsigned char entry[kEntrySize];
        file_->ReadAt(blockStart + kEntryTable + index * kEntrySize, entry, sizeof entry);
        const size_t chunk = entry[kEntryChunk];
        const size_t chunks = entry[kEntryChunks];
        const size_t lastBytes = entry[kEntryLastChunkBytes];
        if (chunk == 0) fail("the memo pointer names the unused entry " + std::to_string(index));
        if (chunk < kFirstDataChunk || chunks == 0 || chunk + chunks > kBlockSize / kChunkSize ||
            lastBytes == 0 || lastBytes > kChunkSize)
            fail("entry " + std::to_string(index) + " of the sub-allocated block is damaged");
        const size_t length = (chunks - 1) * kChunkSize + lastBytes;
        if (length != pointer.length)
            fail("length " + std::to_string(pointer.length) + " in the record, " + std::to_string(length) +
                 " in the memo file");
        const uint16_t modification = ReadU16(entry + kEntryModification);
        if (modification != pointer.modification) modificationMismatch(modification);
        std::string value(length, '\0');
        file_->ReadAt(blockStart + chunk * kChunkSize, value.data(), length);
        return value;
    }

    if (type == kFreeBlock) fail("the memo pointer leads to a free block of the memo file");
    ThrowTableError(name, where.Text() + ": the memo pointer leads to a block of unknown type " + std::to_string(type));
}

}  // namespace paradox
