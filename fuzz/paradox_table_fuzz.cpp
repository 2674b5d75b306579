// The song table comes from the field, sometimes damaged: whatever bytes the
// table and its memo file hold, opening and reading every value either works
// or raises the data-access error, and never crashes, hangs or reads out of
// bounds.
//
// Input: a 4-byte little-endian length n, then n bytes of the ".DB" file
// (cut to what is there), then the ".MB" file.
#include "platform/SysUtils.h"
#include "platform/paradox/ByteSource.h"
#include "platform/paradox/ParadoxTable.h"

#include <cstdint>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4) return 0;
    uint32_t tableSize;
    std::memcpy(&tableSize, data, 4);
    const std::string_view rest(reinterpret_cast<const char*>(data) + 4, size - 4);
    const std::string_view table = rest.substr(0, tableSize);
    const std::string_view memo = rest.substr(table.size());

    try {
        paradox::ParadoxTable reader(paradox::MemorySource("fuzz.DB", table),
                                     [memo] { return paradox::MemorySource("fuzz.MB", memo); });
        for (size_t row = 0; row < reader.RecordCount(); ++row)
            for (size_t field = 0; field < reader.Fields().size(); ++field) {
                try {
                    (void)reader.Text(row, field);
                } catch (const EDatabaseError&) {
                    // A damaged value or memo: the rest of the table still reads.
                }
            }
    } catch (const EDatabaseError&) {
    }
    return 0;
}
