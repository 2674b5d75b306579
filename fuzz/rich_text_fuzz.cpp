// The lyrics' rich text comes from the song table, written by EasyWorship,
// by other programs and by damaged files: whatever bytes arrive, the
// converter must end, in time linear in the input, without reading out of
// bounds, and keep its promises about the text it gives.
#include "platform/rtf/RichText.h"

#include <cstdint>
#include <cstdlib>
#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

namespace {

// The first byte picks the system code page, so every page's conversions run.
constexpr int kCodePages[] = {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const int codePage = kCodePages[data[0] % std::size(kCodePages)];
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);

    // One converter for the whole run, as the import run keeps one: a text
    // must not depend on the one before.
    static RichTextConverter converter;
    const std::string first = converter.Convert(input, codePage);
    if (converter.Convert(input, codePage) != first) std::abort();

    // Never a NUL in the plain text; other text comes back unchanged up to its NUL.
    if (first.find('\0') != std::string::npos) std::abort();
    const std::string_view beforeNul = input.substr(0, std::min(input.find('\0'), input.size()));
    if (!beforeNul.starts_with("{\\rtf") && first != beforeNul) std::abort();

    // From rich text, CR and LF come only as the pair that ends a line.
    if (beforeNul.starts_with("{\\rtf")) {
        for (size_t i = 0; i < first.size(); ++i) {
            const bool pairedCr = first[i] == '\r' && i + 1 < first.size() && first[i + 1] == '\n';
            const bool pairedLf = first[i] == '\n' && i > 0 && first[i - 1] == '\r';
            if ((first[i] == '\r' && !pairedCr) || (first[i] == '\n' && !pairedLf)) std::abort();
        }
    }
    return 0;
}
