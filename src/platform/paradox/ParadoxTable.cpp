#include "platform/paradox/ParadoxTable.h"

#include "platform/paradox/ByteSource.h"
#include "platform/paradox/FieldText.h"
#include "platform/paradox/MemoFile.h"
#include "platform/paradox/TableError.h"

#include <algorithm>
#include <stdexcept>

namespace paradox {

ParadoxTable::ParadoxTable(std::unique_ptr<ByteSource> file, MemoOpener openMemo)
    : file_(std::move(file)), openMemo_(std::move(openMemo)), header_(ReadTableHeader(*file_)),
      chain_(ReadBlockChain(*file_, header_))
{
}

ParadoxTable::~ParadoxTable() = default;

const unsigned char* ParadoxTable::Record(size_t row) const
{
    // The block whose rows start at or before `row`: the last with firstRow <= row.
    const auto after = std::upper_bound(chain_.begin(), chain_.end(), row,
                                        [](size_t r, const BlockEntry& b) { return r < b.firstRow; });
    const auto index = static_cast<size_t>(after - chain_.begin()) - 1;
    if (index != blockIndex_) {
        block_.resize(header_.blockSize);
        blockIndex_ = SIZE_MAX;  // stays invalid if the read throws
        file_->ReadAt(BlockOffset(header_, chain_[index].number), block_.data(), block_.size());
        blockIndex_ = index;
    }
    return block_.data() + kBlockHeaderSize + (row - chain_[index].firstRow) * header_.recordSize;
}

std::string ParadoxTable::Text(size_t row, size_t field) const
{
    if (row >= header_.recordCount || field >= header_.fields.size())
        throw std::out_of_range("record " + std::to_string(row) + ", field " + std::to_string(field));
    const FieldDescriptor& f = header_.fields[field];
    const unsigned char* slot = Record(row) + f.offset;
    const ValueLocation where{row, f.name};
    if (IsBlobType(f.type)) return BlobText(f, slot, where);
    return FieldValueText(f, slot, file_->Name(), where);
}

std::string ParadoxTable::BlobText(const FieldDescriptor& field, const unsigned char* slot,
                                   const ValueLocation& where) const
{
    const size_t inlineSize = field.width - kBlobLeaderSize;
    const BlobPointer pointer = ReadBlobPointer(slot + inlineSize);
    if (pointer.length == 0) return {};
    // Memo text short enough for the record is kept there alone.
    if (pointer.length <= inlineSize) return std::string(reinterpret_cast<const char*>(slot), pointer.length);

    if (!memo_) {
        std::unique_ptr<ByteSource> source = openMemo_ ? openMemo_() : nullptr;
        if (!source) ThrowTableError(file_->Name(), where.Text() + ": the memo file (.MB) beside the table is missing");
        memo_ = std::make_unique<MemoFile>(std::move(source));
    }
    return memo_->Read(pointer, where);
}

}  // namespace paradox
