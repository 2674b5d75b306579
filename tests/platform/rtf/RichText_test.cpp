#include "platform/rtf/RichText.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

constexpr int kWestern = 1252;
constexpr int kCyrillic = 1251;
constexpr int kCentralEuropean = 1250;

struct Case {
    std::string_view rtf;
    std::string_view plain;
};

void ExpectConversions(std::initializer_list<Case> cases, int codePage = kWestern) {
    for (const Case& c : cases) {
        EXPECT_EQ(RichTextToPlain(c.rtf, codePage), c.plain) << c.rtf << " on " << codePage;
    }
}

TEST(RichTextToPlain, PassesOtherTextThroughUpToItsFirstNul)
{
    using namespace std::string_literals;
    const Case cases[] = {
        {"Verse 1\r\nAmazing grace \xE4\\par {}", "Verse 1\r\nAmazing grace \xE4\\par {}"},
        {"", ""},
        {" {\\rtf1 x}", " {\\rtf1 x}"},  // the signature must open the text
        {"{\\rt", "{\\rt"},
        {"{\\RTF1 x}", "{\\RTF1 x}"},
    };
    for (const Case& c : cases) EXPECT_EQ(RichTextToPlain(c.rtf, kWestern), c.plain);
    EXPECT_EQ(RichTextToPlain("ab\0cd"s, kWestern), "ab");
    EXPECT_EQ(RichTextToPlain("{\\rtf1 ab\0cd}"s, kWestern), "ab");
    EXPECT_EQ(RichTextToPlain("\0{\\rtf1 ab}"s, kWestern), "");
}

TEST(RichTextToPlain, GivesOneLinePerParagraphWithoutATrailingBreak)
{
    ExpectConversions({
        {"{\\rtf1 a\\par b\\par}", "a\r\nb"},
        {"{\\rtf1 a\\par b}", "a\r\nb"},
        {"{\\rtf1 a\\par\\par b\\par}", "a\r\n\r\nb"},  // an empty paragraph is an empty line
        {"{\\rtf1 a\\par\\par}", "a\r\n"},
        {"{\\rtf1 \\par}", ""},
        {"{\\rtf1 }", ""},
        {"{\\rtf1 a\r\nb\rc\n\\par\r\nd}", "abc\r\nd"},  // CR and LF in the rich text are no text
        {"{\\rtf1 a\\\r\nb}", "a\r\nb"},                  // backslash + line end is \par
        {"{\\rtf1 a\\sect b}", "a\r\nb"},
    });
}

TEST(RichTextToPlain, KeepsTextAcrossGroupsAndDropsFormatting)
{
    ExpectConversions({
        {"{\\rtf1\\ansi\\deff0 {\\b bold}{\\i  it}\\b0 x\\fs24y}", "bold itxy"},
        {"{\\rtf1 \\b  x}", " x"},                    // one space delimits, the next is text
        {"{\\rtf1 \\f0,\\fs-5;}", ",;"},
        {"{\\rtf1 \\fntnamaut\\unknownword42 x}", "x"},
        {"{\\rtf1 a}b}", "a"},                        // the text ends with the outermost group
        {"{\\rtf1 a{b}c", "abc"},                     // missing braces: what is there
        {"{\\rtf1 a}}}}", "a"},
    });
}

TEST(RichTextToPlain, SkipsDestinationsWithoutText)
{
    ExpectConversions({
        {"{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset1 Arial;}}x}", "x"},
        {"{\\rtf1{\\fonttbl\\f0\\fswiss Helvetica;\\f1 Courier;}x}", "x"},
        {"{\\rtf1{\\colortbl;\\red0\\green0\\blue0;}x}", "x"},
        {"{\\rtf1{\\stylesheet{\\s0 Normal;}{\\s1 Heading;}}x}", "x"},
        {"{\\rtf1{\\info{\\title T}{\\author A}{\\creatim\\yr2024}}x}", "x"},
        {"{\\rtf1{\\pict\\pngblip 89504e470d0a}x}", "x"},
        {"{\\rtf1{\\object\\objemb{\\*\\objclass Word}{\\objdata 0102}{\\result R}}x}", "x"},
        {"{\\rtf1{\\header H}{\\footer F}{\\headerl L}{\\footerf F}x}", "x"},
        {"{\\rtf1 x{\\footnote F}y}", "xy"},
        {"{\\rtf1{\\listtable{\\list{\\listlevel{\\leveltext\\'02\\'00.;}}}}x}", "x"},
        {"{\\rtf1{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody{\\pntxta .}}x}", "x"},
        {"{\\rtf1{\\listtext 1.\\tab}x}", "x"},
        {"{\\rtf1{\\*\\pnseclvl1\\pnucrm\\pnstart1{\\pntxta .}}x}", "x"},
        {"{\\rtf1{\\*\\generator Riched20 10.0;}x}", "x"},
        {"{\\rtf1{\\*\\anythingnew {with}{nested groups}}x}", "x"},
        {"{\\rtf1 x{\\*\\bkmkstart here}y}", "xy"},
        {"{\\rtf1{\\shp{\\*\\shpinst{\\sp{\\sn a}{\\sv b}}{\\shptxt T}}}x}", "x"},
        // Braces inside \bin data count for nothing.
        {"{\\rtf1 a{\\pict\\bin3 }{}}b}", "ab"},
        {"{\\rtf1 a\\bin2 }{b}", "ab"},
        {"{\\rtf1 a\\bin999 xyz", "a"},
        // A destination closes with its group; the text around goes on.
        {"{\\rtf1 a{\\info x}b\\par{\\fonttbl y}c}", "ab\r\nc"},
    });
}

TEST(RichTextToPlain, NeverSkipsTheOutermostGroup)
{
    // A damaged text that puts a destination word or \* directly in the
    // outermost group keeps its text.
    ExpectConversions({
        {"{\\rtf1\\info x\\par y}", "x\r\ny"},
        {"{\\rtf1\\*\\generator x}", "x"},
    });
}

TEST(RichTextToPlain, TurnsSymbolsAndCharacterWordsIntoCharacters)
{
    ExpectConversions({
        {"{\\rtf1 a\\\\b\\{c\\}}", "a\\b{c}"},
        {"{\\rtf1 a\\~b}", "a\xA0" "b"},
        {"{\\rtf1 a\\_b\\-c}", "a-bc"},                 // non-breaking hyphen, optional hyphen
        {"{\\rtf1 a\\tab b\\\tc}", "a\tb\tc"},
        {"{\\rtf1 \\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet}",
         "\x97\x96\x91\x92\x93\x94\x95"},
        {"{\\rtf1 a\\emspace b\\enspace c\\qmspace d}", "a b c d"},
        {"{\\rtf1 a\\'00b\\u0?c}", "abc"},              // a NUL is no character,
        {"{\\rtf1 a\\'0d\\'0ab\\u13?\\u10?c}", "abc"},  // nor are CR and LF
    });
    ExpectConversions({{"{\\rtf1 \\ldblquote x\\rdblquote\\emdash}", "\x93x\x94\x97"}}, kCyrillic);
}

TEST(RichTextToPlain, HonoursTheUnicodeFallbackCount)
{
    ExpectConversions({
        {"{\\rtf1 \\u8364?x}", "\x80x"},                       // \uc1 is the default
        {"{\\rtf1 \\uc0\\u8364 x}", "\x80x"},
        {"{\\rtf1 \\uc1\\u8364\\'80x}", "\x80x"},              // an escape is one fallback character
        {"{\\rtf1 \\uc2\\u8364\\'81\\'82x}", "\x80x"},
        {"{\\rtf1 \\uc2\\u8364 EUx}", "\x80x"},
        {"{\\rtf1 \\uc1\\u8364\\emdash x}", "\x80x"},          // so is a control word
        {"{\\rtf1 {\\uc2\\u8364xx}\\u8364yz}", "\x80\x80z"},   // \uc belongs to its group
        {"{\\rtf1 {\\uc5\\u8364ab}cd}", "\x80" "cd"},          // a fallback ends at a brace
        {"{\\rtf1 \\uc99999999999999999999\\u65 abc}", "A"},
        {"{\\rtf1 \\uc-3\\u65 bc}", "Abc"},
        {"{\\rtf1 \\u322?\\u1046?}", "l?"},                    // best fit: l for l-stroke, none for Zhe
        {"{\\rtf1 \\u-10179X\\u-8704Y}", "?"},                 // a surrogate pair is one character
        {"{\\rtf1 \\u-10179Xz}", "?z"},                       // a lone half is one "?"
        {"{\\rtf1 \\u-8704Xz}", "?z"},
        {"{\\rtf1 \\u99999999999999 xy}", "?y"},
        {"{\\rtf1 \\u-99999999999999 xy}", "?y"},
    });
    ExpectConversions({{"{\\rtf1 \\u322?\\u1046?}", "l\xC6"}}, kCyrillic);
    ExpectConversions({{"{\\rtf1 \\u322?\\u1046?}", "\xB3?"}}, kCentralEuropean);
}

// The lyrics' bytes: the font's character set decides, else \ansicpg, else
// they are the system page's own bytes.
TEST(RichTextToPlain, ReadsBytesInTheCodePageOfTheRichText)
{
    struct PageCase {
        std::string_view rtf;
        int systemCodePage;
        std::string_view plain;
    };
    const PageCase cases[] = {
        // EasyWorship: \ansi, \fcharset1: bytes unchanged whatever the system page.
        {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset1 Arial;}}\\f0 \\'c6\\'e4\\'b3}", kWestern, "\xC6\xE4\xB3"},
        {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset1 Arial;}}\\f0 \\'c6\\'e4\\'b3}", kCyrillic, "\xC6\xE4\xB3"},
        {"{\\rtf1\\ansi \\'c6\\'e4}", kCentralEuropean, "\xC6\xE4"},
        // \ansicpg names the page when the font does not.
        {"{\\rtf1\\ansi\\ansicpg1251 \\'c6\\'e4}", kWestern, "??"},
        {"{\\rtf1\\ansi\\ansicpg1251 \\'c6\\'e4}", kCyrillic, "\xC6\xE4"},
        {"{\\rtf1\\ansi\\ansicpg1250 \\'b3\\'f3d\\'9f}", kWestern, "l\xF3" "dz"},  // l-stroke, o-acute, z-acute
        {"{\\rtf1\\ansi\\ansicpg1252 \\'e4}", kCyrillic, "a"},
        // Literal 8-bit bytes are read like escapes.
        {"{\\rtf1\\ansi\\ansicpg1251 \xC6}", kWestern, "?"},
        // A font's character set decides for its text.
        {std::string_view("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset204 Arial CYR;}"
                          "{\\f2\\fcharset238 Arial CE;}{\\f3\\fcharset1 Arial;}}\\f0\\'e4\\f1\\'e4\\f2\\'b3\\f3\\'e4}"),
         kWestern, "\xE4?l\xE4"},
        {std::string_view("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset204 Arial CYR;}"
                          "{\\f2\\fcharset238 Arial CE;}{\\f3\\fcharset1 Arial;}}\\f0\\'e4\\f1\\'e4\\f2\\'b3\\f3\\'e4}"),
         kCyrillic, "a\xE4la"},
        // A group puts the font back; \plain returns to the default font.
        {"{\\rtf1{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset204 B;}}\\f0{\\f1\\'c6}\\'c6\\f1\\'c6\\plain\\'c6}", kWestern,
         "?\xC6?\xC6"},
        {"{\\rtf1\\deff1{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset204 B;}}\\'c6\\f0\\'c6}", kWestern, "?\xC6"},
        // \cpg in the font table names the page itself.
        {"{\\rtf1{\\fonttbl{\\f0\\cpg1253 A;}}\\f0\\'e1}", kWestern, "?"},
        {"{\\rtf1{\\fonttbl{\\f0\\fcharset161 A;}}\\f0\\'e1}", 1253, "\xE1"},
        // Symbol bytes pass; pages without a table give "?" per character.
        {"{\\rtf1{\\fonttbl{\\f0\\fcharset2 Symbol;}}\\f0 a\\'b7}", kWestern, "a\xB7"},
        {"{\\rtf1\\mac a\\'8ab}", kWestern, "a?b"},
        {"{\\rtf1\\ansicpg437 a\\'84b}", kWestern, "a?b"},
        {"{\\rtf1{\\fonttbl{\\f0\\fcharset255 Terminal;}}\\f0 a\\'84b}", kWestern, "a?b"},
        {"{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0 a\\'82\\'a0b\\'83eb}", kWestern, "a?b?b"},
        {"{\\rtf1{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 a\\'c4\\'e3\\'ba\\'c3b\\'c4}", kWestern, "a??b?"},
        {"{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0 \\'b1x}", kWestern, "?x"},  // half-width katakana
        // Text in font names never reaches the lyrics, not even as escapes.
        {"{\\rtf1{\\fonttbl{\\f0\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb;}}x}", kWestern, "x"},
    };
    for (const PageCase& c : cases) {
        EXPECT_EQ(RichTextToPlain(c.rtf, c.systemCodePage), c.plain) << c.rtf << " on " << c.systemCodePage;
    }
}

TEST(RichTextToPlain, DefaultsToTheSystemCodePage)
{
    SetACP(kCyrillic);
    EXPECT_EQ(RichTextToPlain("{\\rtf1 \\u1046?}"), "\xC6");
    SetACP(kWestern);
    EXPECT_EQ(RichTextToPlain("{\\rtf1 \\u1046?}"), "?");
    SetACP(0);
}

TEST(RichTextToPlain, MakesLyricLinesOfBreaksTablesFieldsAndHiddenText)
{
    ExpectConversions({
        // A manual line break is a line of its own.
        {"{\\rtf1 a\\line b\\par c}", "a\r\nb\r\nc"},
        // Every cell's text is a line; empty cells and row ends add none.
        {"{\\rtf1 \\trowd\\cellx1000\\cellx2000 \\intbl a\\cell b\\cell\\row"
         "\\trowd\\cellx1000\\cellx2000 \\intbl\\cell c\\cell\\row d\\par}",
         "a\r\nb\r\nc\r\nd"},
        {"{\\rtf1 \\intbl a\\par b\\cell\\row}", "a\r\nb"},
        {"{\\rtf1 \\intbl {\\intbl x\\nestcell\\nestrow}y\\cell\\row}", "x\r\ny"},
        // Page and column breaks end a line that has text.
        {"{\\rtf1 a\\page b\\par\\page c\\column d}", "a\r\nb\r\nc\r\nd"},
        // A field shows its result.
        {"{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}} end}", "link end"},
        {"{\\rtf1 {\\field{\\fldinst PAGE}{\\fldrslt {\\b 3}}}}", "3"},
        // Hidden text goes, and its paragraph marks with it.
        {"{\\rtf1 a{\\v hidden}b\\par \\v note\\par\\v0 c}", "ab\r\nc"},
        {"{\\rtf1 \\v x\\plain y}", "y"},
        {"{\\rtf1 \\v\\u8364?\\'80\\~\\tab\\line\\v0 z}", "z"},
        {"{\\rtf1 {\\v x}y}", "y"},
    });
}

TEST(RichTextToPlain, GivesBestEffortTextForDamagedInput)
{
    const std::string deep = std::string(100000, '{') + "x" + std::string(100000, '}');
    EXPECT_EQ(RichTextToPlain("{\\rtf1 " + deep + "y}", kWestern), "xy");
    // State changed beyond the stacked depth ends with the group that holds it.
    const std::string hiddenDeep = std::string(5000, '{') + "\\v h" + std::string(5000, '}');
    EXPECT_EQ(RichTextToPlain("{\\rtf1 a" + hiddenDeep + "b}", kWestern), "ab");
    EXPECT_EQ(RichTextToPlain("{\\rtf1 a" + std::string(3000, '{') + "\\v h", kWestern), "a");

    ExpectConversions({
        {"{\\rtf1 a\\'4", "a"},
        {"{\\rtf1 a\\'", "a"},
        {"{\\rtf1 a\\'zz}", "azz"},
        {"{\\rtf1 a\\", "a"},
        {"{\\rtf1 a\\u", "a"},
        {"{\\rtf1 a\\bin", "a"},
        {"{\\rtf1 a\\bin-5 b}", "ab"},
        {"{\\rtf", ""},
        {"{\\rtf1{\\fonttbl{\\f99999999999999\\fcharset204 A;}}\\f99999999999999 \\'c6}", "?"},
        {"{\\rtf1\\ansicpg-1251 \\'c6}", "\xC6"},
        {"{\\rtf1\\ansicpg99999999999 \\'c6}", "?"},
    });
}

TEST(RichTextConverter, ReusesItsBufferAndStartsEachTextAfresh)
{
    RichTextConverter converter;
    const std::string& first = converter.Convert(
        "{\\rtf1\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fcharset204 A;}}\\uc2{\\v\\f0 a\\'c6\\par", kWestern);
    EXPECT_EQ(first, "");
    const std::string& second = converter.Convert("{\\rtf1\\ansi \\u8364xy\\'c6\\par}", kWestern);
    EXPECT_EQ(second, "\x80y\xC6");
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(converter.Convert("plain", kWestern), "plain");
    EXPECT_EQ(converter.Convert("{\\rtf1 \\u1046?}", kCyrillic), "\xC6");
}

}  // namespace
