// Small helpers for the Paradox tests: tables built by our writer and opened
// from memory, and byte patches for damaging them.
#pragma once

#include "platform/paradox/ByteSource.h"
#include "platform/paradox/Encoding.h"
#include "platform/paradox/ParadoxTable.h"
#include "platform/paradox/TableWriter.h"

#include <memory>
#include <string>
#include <vector>

namespace paradox::testing {

// Opens built files from memory; the files must outlive the table. An empty
// memo means "no memo file".
inline std::unique_ptr<ParadoxTable> OpenBuilt(const TableFiles& files)
{
    return std::make_unique<ParadoxTable>(MemorySource("Songs.DB", files.table), [&files]() {
        return files.memo.empty() ? nullptr : MemorySource("Songs.MB", files.memo);
    });
}

// Every value of every record, as the reader gives them.
inline std::vector<std::vector<std::string>> AllText(const ParadoxTable& table)
{
    std::vector<std::vector<std::string>> rows;
    for (size_t r = 0; r < table.RecordCount(); ++r) {
        rows.emplace_back();
        for (size_t f = 0; f < table.Fields().size(); ++f) rows.back().push_back(table.Text(r, f));
    }
    return rows;
}

inline void PutU16(std::string& bytes, size_t at, uint16_t value)
{
    WriteU16(reinterpret_cast<unsigned char*>(bytes.data()) + at, value);
}
inline void PutU32(std::string& bytes, size_t at, uint32_t value)
{
    WriteU32(reinterpret_cast<unsigned char*>(bytes.data()) + at, value);
}
inline uint32_t GetU32(const std::string& bytes, size_t at)
{
    return ReadU32(reinterpret_cast<const unsigned char*>(bytes.data()) + at);
}
inline uint16_t GetU16(const std::string& bytes, size_t at)
{
    return ReadU16(reinterpret_cast<const unsigned char*>(bytes.data()) + at);
}

// A title, an author and a memo: the smallest shape of a song table.
inline TableSpec SongSpec(uint16_t keyFields = 0)
{
    TableSpec shape;
    shape.keyFieldCount = keyFields;
    shape.fields = {{"Title", FieldType::Alpha, 40}, {"Author", FieldType::Alpha, 30}, {"Words", FieldType::Memo, 30}};
    return shape;
}

}  // namespace paradox::testing
