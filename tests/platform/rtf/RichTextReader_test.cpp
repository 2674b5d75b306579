#include "platform/rtf/RichTextReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace {

using rtf::RichTextReader;
using rtf::Token;
using rtf::TokenKind;

// The tokens of `input` in a short notation: "{", "}", "\name", "\nameN",
// "sym(c)", "hex(hh)", "text(...)", "bin(...)", separated by spaces.
std::string Tokens(std::string_view input) {
    RichTextReader reader(input);
    std::string out;
    Token token;
    for (reader.Next(token); token.kind != TokenKind::End; reader.Next(token)) {
        if (!out.empty()) out += ' ';
        switch (token.kind) {
        case TokenKind::GroupOpen: out += '{'; break;
        case TokenKind::GroupClose: out += '}'; break;
        case TokenKind::ControlWord:
            out += '\\';
            out += token.name;
            if (token.hasParameter) out += std::to_string(token.parameter);
            break;
        case TokenKind::ControlSymbol: out += std::string("sym(") + token.symbol + ')'; break;
        case TokenKind::HexByte: {
            char hex[8];
            std::snprintf(hex, sizeof hex, "hex(%02x)", token.byte);
            out += hex;
            break;
        }
        case TokenKind::Text: out += "text(" + std::string(token.text) + ')'; break;
        case TokenKind::Binary: out += "bin(" + std::string(token.text) + ')'; break;
        case TokenKind::End: break;
        }
    }
    return out;
}

TEST(RichTextReader, SplitsControlWordsParametersAndDelimiters)
{
    struct Case { std::string_view input, tokens; };
    const Case cases[] = {
        {"{\\rtf1\\ansi x}", "{ \\rtf1 \\ansi text(x) }"},
        {"\\b0 x", "\\b0 text(x)"},                 // one space delimits and is eaten
        {"\\b  x", "\\b text( x)"},                 // a second space is text
        {"\\fs-24x", "\\fs-24 text(x)"},            // negative; any non-letter ends the word
        {"\\a-b", "\\a text(-b)"},                  // "-" without a digit is text
        {"\\par\\par", "\\par \\par"},
        {"\\u8364?", "\\u8364 text(?)"},
        {"\\\\\\{\\}\\~\\*", "sym(\\) sym({) sym(}) sym(~) sym(*)"},
        {"\\'e4\\'C6x", "hex(e4) hex(c6) text(x)"},
        {"a\r\nb\rc\n", "text(a) text(b) text(c)"},  // CR and LF are no text
        {"\\\r\n", "sym(\r)"},
        {"a\\", "text(a)"},                          // a lone backslash at the end
    };
    for (const Case& c : cases) EXPECT_EQ(Tokens(c.input), c.tokens) << c.input;
}

TEST(RichTextReader, ClampsHugeParametersInsteadOfWrapping)
{
    EXPECT_EQ(Tokens("\\u99999999999999999999 x"), "\\u2000000000 text(x)");
    EXPECT_EQ(Tokens("\\u-99999999999999999999 x"), "\\u-2000000000 text(x)");
    EXPECT_EQ(Tokens("\\f2147483648"), "\\f2000000000");
    EXPECT_EQ(Tokens("\\f1999999999"), "\\f1999999999");
    // A word longer than the 32 letters Microsoft's RTF reference allows is read whole.
    const std::string longName(100, 'x');
    EXPECT_EQ(Tokens("\\" + longName + "5 y"), "\\" + longName + "5 text(y)");
}

TEST(RichTextReader, DropsEscapesCutShort)
{
    EXPECT_EQ(Tokens("a\\'4"), "text(a)");
    EXPECT_EQ(Tokens("a\\'"), "text(a)");
    EXPECT_EQ(Tokens("a\\'4zb"), "text(a) text(zb)");
    EXPECT_EQ(Tokens("\\'\\'\\'41"), "hex(41)");
}

TEST(RichTextReader, BinaryDataSwallowsBracesAndBackslashes)
{
    struct Case { std::string_view input, tokens; };
    const Case cases[] = {
        {"{\\bin3 }\\{x}", "{ bin(}\\{) text(x) }"},
        {"\\bin9 ab", "bin(ab)"},               // past the end: what is there
        {"\\bin-1 x", "bin() text(x)"},         // negative: no data
        {"\\bin x", "bin() text(x)"},
        {"\\bin99999999999999 ab", "bin(ab)"},
    };
    for (const Case& c : cases) EXPECT_EQ(Tokens(c.input), c.tokens) << c.input;
}

}  // namespace
