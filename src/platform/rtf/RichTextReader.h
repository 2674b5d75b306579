// Splits rich text into its tokens: braces, control words with their
// parameters, control symbols, \'hh bytes, runs of plain text and the raw
// data of \binN. Knows nothing of what a control word means, except \bin,
// whose data would otherwise be read as text and braces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rtf {

enum class TokenKind {
    End,            // the input is used up
    GroupOpen,      // {
    GroupClose,     // }
    ControlWord,    // \name or \nameN; name holds the letters
    ControlSymbol,  // \ and one character that is no letter; symbol holds it
    HexByte,        // \'hh; byte holds the value
    Text,           // plain bytes; text holds a run without CR or LF
    Binary,         // the data after \binN; text holds it
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view name;  // ControlWord
    bool hasParameter = false;
    int32_t parameter = 0;  // clamped to +-kParameterLimit
    char symbol = '\0';     // ControlSymbol
    unsigned char byte = 0;  // HexByte
    std::string_view text;  // Text, Binary
};

// Parameters beyond this are clamped, not wrapped: Word writes 32-bit
// parameters at most, and a damaged one of forty digits must stay huge
// rather than turn negative or small.
inline constexpr int32_t kParameterLimit = 2'000'000'000;

// Reads tokens one by one from a text it does not own. Every token takes at
// least one byte, so reading to End is linear in the input.
class RichTextReader {
public:
    explicit RichTextReader(std::string_view input)
        : pos_(input.data()), end_(input.data() + input.size()) {}

    // Fills `token` with the next token. Only the fields of its kind are
    // set; the others keep what they held.
    void Next(Token& token);

private:
    // Each reads one backslash sequence; false when it gives no token (a
    // lone backslash at the end, an escape cut short).
    bool ReadControl(Token& token);
    void ReadControlWord(Token& token);
    bool ReadHexByte(Token& token);
    void ReadBinary(Token& token, int32_t length);

    const char* pos_;
    const char* end_;
};

}  // namespace rtf
