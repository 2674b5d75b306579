#include "platform/CodePage.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <string>

namespace {

// Longest ANSI form of one character: "..." or a Vietnamese/Hebrew letter
// spelled as base + combining marks.
constexpr std::size_t kMaxFitBytes = 3;

struct FromUnicode {
    char32_t codePoint;
    char text[kMaxFitBytes + 1];  // NUL-terminated; never empty
};

struct PageTables {
    int codePage;
    const char16_t* toUnicode;             // 256 entries, U+FFFD = undefined
    const unsigned char* lower;            // 256 entries
    const unsigned char* upper;            // 256 entries
    const FromUnicode* fromUnicode;        // sorted by codePoint, non-ASCII only
    std::size_t fromUnicodeCount;
};

#include "CodePageTables.inc"

constexpr char32_t kReplacement = 0xFFFD;

constexpr const PageTables* FindPage(int codePage) {
    for (const PageTables& page : kPages) {
        if (page.codePage == codePage) return &page;
    }
    return nullptr;
}

static_assert(FindPage(1252)->codePage == 1252, "the fallback page must have tables");

// AppendAnsi binary-searches these, so a hand edit that breaks the order
// must not compile.
constexpr bool FromUnicodeTablesAreStrictlySorted() {
    for (const PageTables& page : kPages) {
        const FromUnicode* end = page.fromUnicode + page.fromUnicodeCount;
        const auto unordered = std::adjacent_find(page.fromUnicode, end, [](const FromUnicode& a, const FromUnicode& b) {
            return a.codePoint >= b.codePoint;
        });
        if (unordered != end || page.fromUnicode[0].codePoint < 0x80) return false;
    }
    return true;
}
static_assert(FromUnicodeTablesAreStrictlySorted(), "regenerate CodePageTables.inc");

// Callers are promised 1252 for any page we carry no tables for.
const PageTables& Page(int codePage) {
    const PageTables* page = FindPage(codePage);
    return page != nullptr ? *page : *FindPage(1252);
}

void AppendAnsi(std::string& out, char32_t ch, const PageTables& page) {
    if (ch < 0x80) {
        out.push_back(static_cast<char>(ch));
        return;
    }
    const FromUnicode* begin = page.fromUnicode;
    const FromUnicode* end = begin + page.fromUnicodeCount;
    const FromUnicode* it = std::lower_bound(
        begin, end, ch, [](const FromUnicode& entry, char32_t value) { return entry.codePoint < value; });
    if (it != end && it->codePoint == ch) {
        out.append(it->text);
    } else {
        out.push_back('?');
    }
}

// 0 while the locale decides.
std::atomic<int> g_pinnedCodePage{0};

int LocaleCodePage() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return CodePageForLocale(value);
    }
    return 1252;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// ---- UTF-8 -----------------------------------------------------------------

void AppendUtf8(std::string& out, char32_t ch) {
    if (ch < 0x80) {
        out.push_back(static_cast<char>(ch));
    } else if (ch < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else if (ch < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (ch >> 18)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    }
}

// Decodes the scalar starting at `pos` and advances past it. A sequence that
// is not well formed (bad lead byte, missing or out-of-range continuation,
// overlong form, surrogate, beyond U+10FFFF) yields U+FFFD for its first byte
// only; decoding resumes at the next byte, so every bad byte is one U+FFFD.
// The second-byte ranges per lead byte are the ones that exclude overlongs,
// surrogates and values above U+10FFFF.
char32_t DecodeUtf8(std::string_view s, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }

    std::size_t length = 0;
    unsigned char low = 0x80;   // allowed range of the second byte
    unsigned char high = 0xBF;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        ++pos;
        return kReplacement;
    }

    if (s.size() - pos < length) {
        ++pos;
        return kReplacement;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        const bool ok = (i == 1) ? (next >= low && next <= high) : (next >= 0x80 && next <= 0xBF);
        if (!ok) {
            ++pos;
            return kReplacement;
        }
        value = (value << 6) | (next & 0x3F);
    }
    pos += length;
    return value;
}

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

int GetACP() {
    const int pinned = g_pinnedCodePage.load(std::memory_order_relaxed);
    return pinned != 0 ? pinned : LocaleCodePage();
}

void SetACP(int codePage) {
    if (codePage != 0 && !IsSupportedCodePage(codePage)) {
        throw std::invalid_argument("unsupported ANSI code page " + std::to_string(codePage));
    }
    g_pinnedCodePage.store(codePage, std::memory_order_relaxed);
}

bool IsSupportedCodePage(int codePage) {
    return FindPage(codePage) != nullptr;
}

int CodePageForLocale(std::string_view localeName) {
    const std::size_t end = localeName.find_first_of("_.@");
    const std::string_view language = localeName.substr(0, end);

    struct LanguagePage {
        std::string_view language;
        int codePage;
    };
    static constexpr LanguagePage kLanguages[] = {
        {"cs", 1250}, {"hr", 1250}, {"hu", 1250}, {"pl", 1250}, {"ro", 1250},
        {"sk", 1250}, {"sl", 1250}, {"sq", 1250}, {"bs", 1250},
        {"ru", 1251}, {"uk", 1251}, {"be", 1251}, {"bg", 1251}, {"mk", 1251},
        {"sr", 1251}, {"kk", 1251},
        {"el", 1253},
        {"tr", 1254}, {"az", 1254},
        {"he", 1255},
        {"ar", 1256}, {"fa", 1256}, {"ur", 1256},
        {"et", 1257}, {"lt", 1257}, {"lv", 1257},
        {"vi", 1258},
        {"th", 874},
    };
    for (const LanguagePage& entry : kLanguages) {
        // Locale names are lower-case by convention, but "PL_pl" is still Polish.
        if (language.size() == entry.language.size() &&
            std::equal(language.begin(), language.end(), entry.language.begin(),
                       [](char a, char b) { return AsciiLower(a) == b; })) {
            return entry.codePage;
        }
    }
    return 1252;
}

char32_t AnsiByteToUnicode(unsigned char byte, int codePage) {
    return Page(codePage).toUnicode[byte];
}

void AppendUnicodeAsAnsi(std::string& out, char32_t ch, int codePage) {
    AppendAnsi(out, ch, Page(codePage));
}

std::string AnsiToUtf8(std::string_view ansi, int codePage) {
    const PageTables& page = Page(codePage);
    std::string out;
    out.reserve(ansi.size() * 3);  // every page character fits in 3 UTF-8 bytes
    for (const char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
        } else {
            AppendUtf8(out, page.toUnicode[byte]);
        }
    }
    return out;
}

std::string Utf8ToAnsi(std::string_view utf8, int codePage) {
    const PageTables& page = Page(codePage);
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
            out.push_back(utf8[pos++]);
        } else {
            AppendAnsi(out, DecodeUtf8(utf8, pos), page);
        }
    }
    return out;
}

std::u16string AnsiToUtf16(std::string_view ansi, int codePage) {
    const PageTables& page = Page(codePage);
    std::u16string out;
    out.reserve(ansi.size());
    for (const char c : ansi) {
        out.push_back(page.toUnicode[static_cast<unsigned char>(c)]);
    }
    return out;
}

std::string Utf16ToAnsi(std::u16string_view utf16, int codePage) {
    const PageTables& page = Page(codePage);
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t ch = utf16[i];
        if (IsHighSurrogate(ch) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
            ch = 0x10000 + ((ch - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(ch) || IsLowSurrogate(ch)) {
            ch = kReplacement;
        }
        AppendAnsi(out, ch, page);
    }
    return out;
}

unsigned char AnsiLowerByte(unsigned char byte, int codePage) {
    return Page(codePage).lower[byte];
}

unsigned char AnsiUpperByte(unsigned char byte, int codePage) {
    return Page(codePage).upper[byte];
}

std::string AnsiUpperCase(std::string_view text, int codePage) {
    const unsigned char* upper = Page(codePage).upper;
    std::string out(text.size(), '\0');
    std::transform(text.begin(), text.end(), out.begin(),
                   [upper](char c) { return static_cast<char>(upper[static_cast<unsigned char>(c)]); });
    return out;
}

bool AnsiSameText(std::string_view a, std::string_view b, int codePage) {
    const unsigned char* lower = Page(codePage).lower;
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [lower](char x, char y) {
               return lower[static_cast<unsigned char>(x)] == lower[static_cast<unsigned char>(y)];
           });
}

bool AnsiContainsText(std::string_view haystack, std::string_view needle, int codePage) {
    const unsigned char* lower = Page(codePage).lower;
    const auto match = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                                   [lower](char x, char y) {
                                       return lower[static_cast<unsigned char>(x)] ==
                                              lower[static_cast<unsigned char>(y)];
                                   });
    return match != haystack.end() || needle.empty();
}
