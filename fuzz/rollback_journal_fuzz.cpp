// A journal is read back after a crash, so whatever is left on disk (cut
// short, overwritten, foreign) must parse safely: either a complete journal
// or nothing.
#include "platform/paradox/RollbackJournal.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto journal = paradox::ParseJournal(bytes);
    if (!journal) return 0;
    // What parses must be what its encoding says.
    const std::string encoded = paradox::EncodeJournal(*journal);
    const auto again = paradox::ParseJournal(encoded);
    if (!again || again->size() != journal->size()) std::abort();
    for (const auto& file : *journal)
        if (file.name.empty() || file.name.find('/') != std::string::npos) std::abort();
    return 0;
}
