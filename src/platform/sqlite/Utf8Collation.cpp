#include "platform/sqlite/Utf8Collation.h"

#include <cstddef>

namespace sqlite {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the code point at `pos` and moves past it; a malformed sequence
// counts its first byte as U+FFFD.
char32_t NextCodePoint(std::string_view s, size_t& pos)
{
    const auto lead = static_cast<unsigned char>(s[pos++]);
    if (lead < 0x80) return lead;
    size_t extra;
    char32_t ch;
    if ((lead & 0xE0) == 0xC0) extra = 1, ch = lead & 0x1F;
    else if ((lead & 0xF0) == 0xE0) extra = 2, ch = lead & 0x0F;
    else if ((lead & 0xF8) == 0xF0) extra = 3, ch = lead & 0x07;
    else return kReplacement;
    if (s.size() - pos < extra) return kReplacement;
    for (size_t i = 0; i < extra; ++i) {
        const auto next = static_cast<unsigned char>(s[pos + i]);
        if ((next & 0xC0) != 0x80) return kReplacement;
        ch = (ch << 6) | (next & 0x3F);
    }
    pos += extra;
    return ch;
}

char32_t FoldCase(char32_t ch)
{
    if (ch >= U'A' && ch <= U'Z') return ch + 0x20;
    if (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7) return ch + 0x20;    // Latin-1 capitals
    if (ch >= 0x100 && ch <= 0x137) return ch | 1;                    // Latin Extended-A pairs,
    if (ch >= 0x139 && ch <= 0x148) return ch + (ch & 1);             // first even-odd, then
    if (ch >= 0x14A && ch <= 0x177) return ch | 1;                    // odd-even, then even-odd
    if (ch >= 0x391 && ch <= 0x3AB && ch != 0x3A2) return ch + 0x20;  // Greek capitals
    if (ch >= 0x410 && ch <= 0x42F) return ch + 0x20;                 // Cyrillic capitals
    if (ch >= 0x400 && ch <= 0x40F) return ch + 0x50;                 // Cyrillic Ѐ to Џ
    return ch;
}

}  // namespace

int CompareUtf8IgnoringCase(std::string_view a, std::string_view b)
{
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t x = FoldCase(NextCodePoint(a, i));
        const char32_t y = FoldCase(NextCodePoint(b, j));
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

}  // namespace sqlite
