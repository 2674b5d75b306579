#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kAllPages[] = {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};

std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s.push_back(static_cast<char>(b));
    return s;
}

std::string Hex(std::string_view s) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (char c : s) {
        const auto b = static_cast<unsigned char>(c);
        out += digits[b >> 4];
        out += digits[b & 0xF];
        out += ' ';
    }
    return out;
}

// Sets LC_ALL, LC_CTYPE and LANG for one test and puts the old values back,
// and unpins the code page on both ends so the locale decides.
class LocaleEnvironment {
public:
    LocaleEnvironment() {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
        }
        SetACP(0);
    }
    ~LocaleEnvironment() {
        for (std::size_t i = 0; i < std::size(kNames); ++i) Set(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
        SetACP(0);
    }
    LocaleEnvironment(const LocaleEnvironment&) = delete;
    LocaleEnvironment& operator=(const LocaleEnvironment&) = delete;

    // nullptr unsets the variable.
    static void Set(const char* name, const char* value) {
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    void SetAll(const char* lcAll, const char* lcCtype, const char* lang) {
        Set("LC_ALL", lcAll);
        Set("LC_CTYPE", lcCtype);
        Set("LANG", lang);
    }

private:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    std::vector<std::optional<std::string>> saved_;
};

TEST(CodePageLocale, LanguagePicksThePage) {
    const struct {
        const char* locale;
        int page;
    } cases[] = {
        {"C", 1252}, {"POSIX", 1252}, {"", 1252}, {"C.UTF-8", 1252},
        {"en_US.UTF-8", 1252}, {"de_DE@euro", 1252}, {"pt_BR", 1252},
        {"pl_PL.UTF-8", 1250}, {"PL_pl", 1250}, {"pl", 1250}, {"cs_CZ", 1250},
        {"hr_HR", 1250}, {"hu_HU", 1250}, {"ro_RO", 1250}, {"sk_SK", 1250},
        {"sl_SI", 1250}, {"sq_AL", 1250}, {"bs_BA", 1250},
        {"ru_RU.KOI8-R", 1251}, {"uk_UA", 1251}, {"be_BY", 1251}, {"bg_BG", 1251},
        {"mk_MK", 1251}, {"sr_RS@latin", 1251}, {"kk_KZ", 1251},
        {"el_GR.UTF-8", 1253}, {"tr_TR", 1254}, {"az_AZ", 1254}, {"he_IL", 1255},
        {"ar_EG", 1256}, {"fa_IR", 1256}, {"ur_PK", 1256},
        {"et_EE", 1257}, {"lt_LT", 1257}, {"lv_LV", 1257},
        {"vi_VN", 1258}, {"th_TH.UTF-8", 874},
        // Longer language codes that merely start like a listed one.
        {"ber_MA", 1252}, {"arn_CL", 1252}, {"hsb_DE", 1252}, {"ast_ES", 1252},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodePageForLocale(c.locale), c.page) << "locale \"" << c.locale << '"';
    }
}

TEST(CodePageLocale, FirstSetNonEmptyVariableWins) {
    LocaleEnvironment env;
    const struct {
        const char* lcAll;
        const char* lcCtype;
        const char* lang;
        int page;
    } cases[] = {
        {"pl_PL.UTF-8", "ru_RU", "el_GR", 1250},
        {"", "ru_RU", "el_GR", 1251},
        {nullptr, "ru_RU", "el_GR", 1251},
        {nullptr, "", "el_GR", 1253},
        {"", "", "tr_TR", 1254},
        {"C", "ru_RU", "el_GR", 1252},
        {nullptr, nullptr, nullptr, 1252},
        {"", "", "", 1252},
    };
    for (const auto& c : cases) {
        env.SetAll(c.lcAll, c.lcCtype, c.lang);
        EXPECT_EQ(GetACP(), c.page) << "LC_ALL=" << (c.lcAll ? c.lcAll : "(unset)")
                                    << " LC_CTYPE=" << (c.lcCtype ? c.lcCtype : "(unset)")
                                    << " LANG=" << (c.lang ? c.lang : "(unset)");
    }
}

TEST(CodePageLocale, SetACPPinsAndZeroReturnsToTheLocale) {
    LocaleEnvironment env;
    env.SetAll(nullptr, nullptr, "ru_RU.UTF-8");
    EXPECT_EQ(GetACP(), 1251);

    SetACP(1250);
    env.SetAll(nullptr, nullptr, "el_GR.UTF-8");
    EXPECT_EQ(GetACP(), 1250);
    EXPECT_EQ(Utf8ToAnsi("\xC5\x82"), "\xB3");  // default argument follows the pin: ł

    EXPECT_THROW(SetACP(437), std::invalid_argument);
    EXPECT_THROW(SetACP(-1), std::invalid_argument);
    EXPECT_EQ(GetACP(), 1250) << "a refused page must leave the pin alone";

    SetACP(0);
    EXPECT_EQ(GetACP(), 1253) << "unpinning must read the locale again";
}

TEST(CodePageSupport, SupportedPagesAndFallbackTo1252) {
    for (int page : kAllPages) EXPECT_TRUE(IsSupportedCodePage(page)) << page;
    for (int page : {0, -1, 437, 850, 932, 1200, 1249, 1259, 28591, 65001}) {
        EXPECT_FALSE(IsSupportedCodePage(page)) << page;
    }
    // Unsupported pages convert as 1252 does.
    EXPECT_EQ(AnsiByteToUnicode(0x80, 437), U'\u20AC');
    EXPECT_EQ(AnsiToUtf8("\x80\xC4", 65001), "\xE2\x82\xAC\xC3\x84");
    EXPECT_EQ(Utf8ToAnsi("\xC5\x82\xC3\x84", 932), "l\xC4");
    EXPECT_EQ(AnsiLowerByte(0xC4, 850), 0xE4);
}

// Spot checks against the published Windows code page charts, so a broken
// generator cannot pass by agreeing with itself.
TEST(CodePageTables, KnownBytes) {
    const struct {
        int page;
        unsigned char byte;
        char32_t ch;
    } cases[] = {
        {874, 0x80, U'\u20AC'},  {874, 0xA1, U'\u0E01'},  {874, 0xDF, U'\u0E3F'},
        {874, 0xE8, U'\u0E48'},  {874, 0xDB, U'\uFFFD'},  {874, 0xFF, U'\uFFFD'},
        {1250, 0xA3, U'\u0141'}, {1250, 0xB3, U'\u0142'}, {1250, 0xF5, U'\u0151'},
        {1250, 0xD0, U'\u0110'}, {1250, 0x81, U'\uFFFD'},
        {1251, 0xC0, U'\u0410'}, {1251, 0xC6, U'\u0416'}, {1251, 0xA8, U'\u0401'},
        {1251, 0x88, U'\u20AC'}, {1251, 0x98, U'\uFFFD'},
        {1252, 0x80, U'\u20AC'}, {1252, 0x85, U'\u2026'}, {1252, 0x93, U'\u201C'},
        {1252, 0x9F, U'\u0178'}, {1252, 0xA0, U'\u00A0'}, {1252, 0xC4, U'\u00C4'},
        {1253, 0xA2, U'\u0386'}, {1253, 0xC1, U'\u0391'}, {1253, 0xAA, U'\uFFFD'},
        {1253, 0xD2, U'\uFFFD'}, {1253, 0xFF, U'\uFFFD'},
        {1254, 0xD0, U'\u011E'}, {1254, 0xDD, U'\u0130'}, {1254, 0xFD, U'\u0131'},
        {1255, 0xA4, U'\u20AA'}, {1255, 0xC7, U'\u05B7'}, {1255, 0xE0, U'\u05D0'},
        {1255, 0xFD, U'\u200E'}, {1255, 0xFF, U'\uFFFD'},
        {1256, 0x81, U'\u067E'}, {1256, 0xC7, U'\u0627'}, {1256, 0xF0, U'\u064B'},
        {1257, 0xA8, U'\u00D8'}, {1257, 0xB8, U'\u00F8'}, {1257, 0xE0, U'\u0105'},
        {1258, 0xC3, U'\u0102'}, {1258, 0xCC, U'\u0300'}, {1258, 0xD5, U'\u01A0'},
        {1258, 0xDE, U'\u0303'}, {1258, 0xF0, U'\u0111'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnsiByteToUnicode(c.byte, c.page), c.ch)
            << "cp" << c.page << " byte " << Hex(std::string(1, static_cast<char>(c.byte)));
    }

    std::set<int> undefined1252;
    for (int b = 0; b < 256; ++b) {
        if (AnsiByteToUnicode(static_cast<unsigned char>(b), 1252) == U'\uFFFD') undefined1252.insert(b);
    }
    EXPECT_EQ(undefined1252, (std::set<int>{0x81, 0x8D, 0x8F, 0x90, 0x9D}));
}

// Every byte, one at a time and all together, through UTF-8 and UTF-16 and
// back: defined bytes come back unchanged, undefined ones as "?".
TEST(CodePageTables, EveryByteRoundTrips) {
    for (int page : kAllPages) {
        std::string all;
        std::string expectedBack;
        for (int b = 0; b < 256; ++b) {
            const std::string one(1, static_cast<char>(b));
            const char32_t ch = AnsiByteToUnicode(static_cast<unsigned char>(b), page);
            const std::string back = ch == U'\uFFFD' ? "?" : one;
            if (b < 0x80) {
                EXPECT_EQ(ch, static_cast<char32_t>(b)) << "cp" << page << " ASCII " << b;
            }

            const std::u16string utf16 = AnsiToUtf16(one, page);
            ASSERT_EQ(utf16.size(), 1u);
            EXPECT_EQ(static_cast<char32_t>(utf16[0]), ch) << "cp" << page << " byte " << b;
            EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(one, page), page), back) << "cp" << page << " byte " << b;
            EXPECT_EQ(Utf16ToAnsi(utf16, page), back) << "cp" << page << " byte " << b;
            all += one;
            expectedBack += back;
        }
        EXPECT_EQ(Hex(Utf8ToAnsi(AnsiToUtf8(all, page), page)), Hex(expectedBack)) << "cp" << page;
        EXPECT_EQ(Hex(Utf16ToAnsi(AnsiToUtf16(all, page), page)), Hex(expectedBack)) << "cp" << page;
    }
}

TEST(CodePageBestFit, OneCharacter) {
    const struct {
        char32_t ch;
        int page;
        std::string expected;
    } cases[] = {
        // Exact.
        {U'A', 874, "A"},
        {U'\u0142', 1250, "\xB3"},           // ł
        {U'\u0416', 1251, "\xC6"},           // Ж
        {U'\u201C', 874, "\x93"},            // “ is in 874 too
        // Canonically equivalent sequences in pages with combining marks.
        {U'\u00C3', 1258, "A\xDE"},          // Ã = A + combining tilde
        {U'\u1EAD', 1258, "\xE2\xF2"},       // ậ = â + combining dot below
        {U'\uFB2E', 1255, "\xE0\xC7"},       // alef with patah
        {U'\u212B', 1252, "\xC5"},           // angstrom sign is Å
        // Typographic punctuation: the page's own form, else ASCII.
        {U'\u201C', 1252, "\x93"},
        {U'\u201D', 1252, "\x94"},
        {U'\u201E', 874, "\""},
        {U'\u201A', 874, "'"},
        {U'\u201B', 1252, "\x91"},
        {U'\u00AB', 874, "<<"},
        {U'\u203A', 874, ">"},
        {U'\u2026', 1252, "\x85"},
        {U'\u2012', 1252, "\x96"},
        {U'\u2015', 1251, "\x97"},
        {U'\u2010', 1252, "-"},
        {U'\u2023', 1250, "\x95"},
        {U'\u202F', 1252, "\xA0"},
        {U'\u202F', 874, "\xA0"},
        {U'\u2009', 1252, " "},
        // Letters to their base letter.
        {U'\u0142', 1252, "l"},              // ł
        {U'\u0151', 1252, "o"},              // ő
        {U'\u0151', 1250, "\xF5"},
        {U'\u01FB', 1252, "\xE5"},           // ǻ → å
        {U'\u01FB', 1250, "a"},              // ... and on to a where å is missing
        {U'\u01FF', 1252, "\xF8"},           // ǿ → ø
        {U'\u01FF', 1250, "o"},
        {U'\u00D8', 1250, "O"},              // Ø
        {U'\u0111', 1252, "d"},              // đ
        {U'\u0127', 1252, "h"},              // ħ
        {U'\u1EAD', 1252, "a"},              // ậ
        {U'\u04C2', 1251, "\xE6"},           // ӂ → ж
        // Nothing fits.
        {U'\u0416', 1252, "?"},              // Ж
        {U'\u2260', 1252, "?"},              // ≠ must not become "="
        {U'\u4E2D', 1252, "?"},
        {U'\U0001F600', 1252, "?"},
        {U'\uFFFD', 1252, "?"},
        {U'\uFFFD', 1258, "?"},
        {static_cast<char32_t>(0xD800), 1252, "?"},
        {static_cast<char32_t>(0x110000), 1252, "?"},
    };
    for (const auto& c : cases) {
        std::string out = "x";
        AppendUnicodeAsAnsi(out, c.ch, c.page);
        EXPECT_EQ(Hex(out), Hex("x" + c.expected))
            << "U+" << std::hex << static_cast<unsigned long>(c.ch) << std::dec << " in cp" << c.page;
    }
}

// Inputs are copied into a heap block of exactly their size so that the
// address sanitizer sees any read past the end.
std::string Utf8ToAnsiExact(std::string_view utf8, int page) {
    std::unique_ptr<char[]> block(new char[utf8.size() == 0 ? 1 : utf8.size()]);
    std::copy(utf8.begin(), utf8.end(), block.get());
    return Utf8ToAnsi(std::string_view(block.get(), utf8.size()), page);
}

TEST(CodePageUtf8, WholeStrings) {
    const struct {
        std::string_view utf8;
        int page;
        std::string expected;
    } cases[] = {
        {"", 1252, ""},
        {"Amazing Grace", 1252, "Amazing Grace"},
        {"Gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x93 \xE2\x80\x9EJa\xE2\x80\x9C\xE2\x80\xA6", 1252,
         "Gr\xFC\xDF" "e \x96 \x84" "Ja\x93\x85"},
        {"\xD0\x9F\xD1\x81\xD0\xB0\xD0\xBB\xD0\xBE\xD0\xBC", 1251, "\xCF\xF1\xE0\xEB\xEE\xEC"},  // Псалом
        {"\xE0\xB8\x81\xE0\xB8\xB2", 874, "\xA1\xD2"},                                           // กา
        {"\xF0\x9F\x98\x80!", 1252, "?!"},  // one scalar outside the page is one "?"
        // Malformed: each bad byte is one "?".
        {"\x80", 1252, "?"},
        {"\xBF\x80", 1252, "??"},
        {"\xC0\x80", 1252, "??"},              // overlong NUL
        {"\xC1\xBF", 1252, "??"},              // overlong
        {"\xE0\x80\xAF", 1252, "???"},         // overlong "/"
        {"\xF0\x80\x80\xAF", 1252, "????"},    // overlong "/"
        {"\xED\xA0\x80", 1252, "???"},         // surrogate D800
        {"\xED\xBF\xBF", 1252, "???"},         // surrogate DFFF
        {"\xF4\x90\x80\x80", 1252, "????"},    // U+110000
        {"\xF5\x80\x80\x80", 1252, "????"},
        {"\xF8\x88\x80\x80\x80", 1252, "?????"},
        {"\xFE\xFF", 1252, "??"},
        {"\xC3", 1252, "?"},                   // cut short at the end
        {"a\xE2\x82", 1252, "a??"},
        {"\xF0\x9F\x98", 1252, "???"},
        {"\xE2\x82" "A\xE2\x82\xAC", 1252, "??A\x80"},
        {"\xC3\xC3\xA4", 1252, "?\xE4"},
        {"\xED\x9F\xBF", 1252, "?"},           // U+D7FF: valid, not in the page
        {"\xF4\x8F\xBF\xBF", 1252, "?"},       // U+10FFFF: valid, one "?"
        {"\xEF\xBF\xBD", 1250, "?"},           // U+FFFD itself
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Hex(Utf8ToAnsiExact(c.utf8, c.page)), Hex(c.expected))
            << "input " << Hex(c.utf8) << " cp" << c.page;
    }
}

// All two-byte inputs: one character exactly when they form a well-formed
// two-byte sequence or are both single-byte characters; else one per byte.
TEST(CodePageUtf8, EveryTwoByteInput) {
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const std::string input = Bytes({a, b});
            const std::string out = Utf8ToAnsiExact(input, 1252);
            const bool pair = a >= 0xC2 && a <= 0xDF && b >= 0x80 && b <= 0xBF;
            ASSERT_EQ(out.size(), pair ? 1u : 2u) << Hex(input);
            if (pair) {
                const char32_t ch = static_cast<char32_t>(((a & 0x1F) << 6) | (b & 0x3F));
                std::string expected;
                AppendUnicodeAsAnsi(expected, ch, 1252);
                ASSERT_EQ(out, expected) << Hex(input);
            } else {
                ASSERT_EQ(out[0], a < 0x80 ? static_cast<char>(a) : '?') << Hex(input);
            }
        }
    }
}

TEST(CodePageUtf16, SurrogatesAndBestFit) {
    const struct {
        std::u16string_view utf16;
        int page;
        std::string expected;
    } cases[] = {
        {u"", 1252, ""},
        {u"\u00E9t\u00E9", 1252, "\xE9t\xE9"},
        {u"\u0141\u00F3d\u017A", 1250, "\xA3\xF3" "d\x9F"},
        {u"\u0141\u00F3d\u017A", 1252, "L\xF3" "dz"},
        {u"\U0001F600", 1252, "?"},             // a valid pair is one character
        {std::u16string_view(u"\xD800", 1), 1252, "?"},
        {std::u16string_view(u"\xDC00" "a", 2), 1252, "?a"},
        {std::u16string_view(u"\xD800\xD800\xDC00", 3), 1252, "??"},
        {std::u16string_view(u"a\xDBFF", 2), 1252, "a?"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Hex(Utf16ToAnsi(c.utf16, c.page)), Hex(c.expected)) << "cp" << c.page;
    }
    EXPECT_EQ(AnsiToUtf16("\xA3\xF3" "d\x9F", 1250), u"\u0141\u00F3d\u017A");
}

TEST(CodePageCase, LowerAndUpperPairs) {
    const struct {
        int page;
        unsigned char upper;
        unsigned char lower;
    } pairs[] = {
        {1252, 'A', 'a'}, {1252, 0xC4, 0xE4}, {1252, 0x9F, 0xFF}, {1252, 0x8A, 0x9A},
        {1252, 0x8C, 0x9C}, {1251, 0xC4, 0xE4}, {1251, 0xA8, 0xB8}, {1250, 0xA3, 0xB3},
        {1250, 0x8A, 0x9A}, {1253, 0xC1, 0xE1}, {1253, 0xA2, 0xDC}, {1254, 0xD0, 0xF0},
        {1257, 0xA8, 0xB8}, {1258, 0xD5, 0xF5}, {874, 'Z', 'z'},
    };
    for (const auto& p : pairs) {
        EXPECT_EQ(AnsiLowerByte(p.upper, p.page), p.lower) << "cp" << p.page << " " << int(p.upper);
        EXPECT_EQ(AnsiUpperByte(p.lower, p.page), p.upper) << "cp" << p.page << " " << int(p.lower);
    }

    // Bytes that keep their case.
    const struct {
        int page;
        unsigned char byte;
    } fixed[] = {
        {1252, 0xDF},  // ß: its upper case "SS" is two letters
        {1252, 0xB5},  // µ: upper case is Greek, not in 1252
        {1252, 0x81},  // undefined
        {1254, 0xDD},  // İ: its lower case is i + combining dot
        {1255, 0xE0},  // Hebrew has no case
        {874, 0xA1},
    };
    for (const auto& f : fixed) {
        EXPECT_EQ(AnsiLowerByte(f.byte, f.page), f.byte) << "cp" << f.page << " " << int(f.byte);
        EXPECT_EQ(AnsiUpperByte(f.byte, f.page), f.byte) << "cp" << f.page << " " << int(f.byte);
    }

    for (int page : kAllPages) {
        for (int b = 0; b < 0x80; ++b) {
            const int lower = (b >= 'A' && b <= 'Z') ? b + 32 : b;
            const int upper = (b >= 'a' && b <= 'z') ? b - 32 : b;
            EXPECT_EQ(AnsiLowerByte(static_cast<unsigned char>(b), page), lower) << "cp" << page << " " << b;
            EXPECT_EQ(AnsiUpperByte(static_cast<unsigned char>(b), page), upper) << "cp" << page << " " << b;
        }
    }

    EXPECT_EQ(AnsiUpperCase("#title Gr\xFC\xDF" "e \xFF", 1252), "#TITLE GR\xDC\xDF" "E \x9F");
    EXPECT_EQ(AnsiUpperCase("\xEF\xF1\xE0\xEB\xEE\xEC", 1251), "\xCF\xD1\xC0\xCB\xCE\xCC");
}

TEST(CodePageCase, SameText) {
    const struct {
        std::string_view a;
        std::string_view b;
        int page;
        bool same;
    } cases[] = {
        {"", "", 1252, true},
        {"#TITLE", "#title", 1252, true},
        {"#TITLE", "#TITLES", 1252, false},
        {"#TITLE", "#TITLF", 1252, false},
        {"\xC4pfel", "\xE4PFEL", 1252, true},     // Äpfel
        {"\xA3\xF3" "d\x8F", "\xB3\xD3" "D\x9F", 1250, true},  // Łódź
        {"\xA3", "\xB3", 1252, false},            // £ and ³ are not a case pair
        {"\xC4", "\xE4", 1251, true},             // Д д
        {"\xDF", "SS", 1252, false},
        {"\xDF", "\xDF", 1252, true},
        {std::string_view("a\0b", 3), std::string_view("A\0B", 3), 1252, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnsiSameText(c.a, c.b, c.page), c.same) << Hex(c.a) << "vs " << Hex(c.b) << " cp" << c.page;
        EXPECT_EQ(AnsiSameText(c.b, c.a, c.page), c.same) << Hex(c.b) << "vs " << Hex(c.a) << " cp" << c.page;
    }
}

TEST(CodePageCase, ContainsText) {
    const struct {
        std::string_view haystack;
        std::string_view needle;
        int page;
        bool contains;
    } cases[] = {
        {"Amazing Grace", "GRACE", 1252, true},
        {"Amazing Grace", "amaz", 1252, true},
        {"Amazing Grace", "graces", 1252, false},
        {"aab", "AB", 1252, true},                 // match starts after a false start
        {"abc", "", 1252, true},
        {"", "", 1252, true},
        {"", "a", 1252, false},
        {"ab", "abc", 1252, false},
        {"\xC4pfel", "\xE4PF", 1252, true},
        {"\xA3\xF3" "d\x9F", "\xB3\xD3", 1250, true},
        {"\xA3\xF3" "d\x9F", "\xB3\xD3", 1252, false},  // not a case pair in 1252
        {"\xCF\xF1\xE0\xEB\xEE\xEC", "\xD1\xC0\xCB", 1251, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnsiContainsText(c.haystack, c.needle, c.page), c.contains)
            << Hex(c.haystack) << "/ " << Hex(c.needle) << " cp" << c.page;
    }
}

}  // namespace
