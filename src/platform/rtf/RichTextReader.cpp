#include "platform/rtf/RichTextReader.h"

#include <array>

namespace rtf {

namespace {

enum CharClass : uint8_t {
    kOther = 0,
    kLetter = 1,
    kDigit = 2,
    kEndsText = 4,  // ends a run of plain text
};

// CR and LF end a text run too: they are no text in rich text, writers break
// long lines wherever they like.
constexpr std::array<uint8_t, 256> kClasses = [] {
    std::array<uint8_t, 256> table{};
    for (int c = 'a'; c <= 'z'; ++c) table[c] = kLetter;
    for (int c = 'A'; c <= 'Z'; ++c) table[c] = kLetter;
    for (int c = '0'; c <= '9'; ++c) table[c] = kDigit;
    for (const char c : {'\\', '{', '}', '\r', '\n'}) table[static_cast<unsigned char>(c)] = kEndsText;
    return table;
}();

uint8_t ClassOf(char c) { return kClasses[static_cast<unsigned char>(c)]; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

void RichTextReader::Next(Token& token) {
    while (pos_ < end_) {
        switch (*pos_) {
        case '{':
            ++pos_;
            token.kind = TokenKind::GroupOpen;
            return;
        case '}':
            ++pos_;
            token.kind = TokenKind::GroupClose;
            return;
        case '\\':
            if (ReadControl(token)) return;
            continue;
        case '\r':
        case '\n':
            ++pos_;
            continue;
        default: {
            const char* start = pos_;
            while (pos_ < end_ && ClassOf(*pos_) != kEndsText) ++pos_;
            token.kind = TokenKind::Text;
            token.text = std::string_view(start, static_cast<std::size_t>(pos_ - start));
            return;
        }
        }
    }
    token.kind = TokenKind::End;
}

// At a backslash.
bool RichTextReader::ReadControl(Token& token) {
    ++pos_;
    if (pos_ >= end_) return false;  // a lone backslash at the end says nothing
    const char c = *pos_;
    if (ClassOf(c) == kLetter) {
        ReadControlWord(token);
        return true;
    }
    if (c == '\'') return ReadHexByte(token);
    ++pos_;
    token.kind = TokenKind::ControlSymbol;
    token.symbol = c;
    return true;
}

// At the first letter of a control word. Microsoft's RTF reference allows 32
// letters and ten digits; longer runs are read whole so the reader stays in
// step, and their name simply matches no word.
void RichTextReader::ReadControlWord(Token& token) {
    const char* start = pos_;
    while (pos_ < end_ && ClassOf(*pos_) == kLetter) ++pos_;
    token.kind = TokenKind::ControlWord;
    token.name = std::string_view(start, static_cast<std::size_t>(pos_ - start));
    token.hasParameter = false;
    token.parameter = 0;

    bool negative = false;
    if (end_ - pos_ >= 2 && *pos_ == '-' && ClassOf(pos_[1]) == kDigit) {
        negative = true;
        ++pos_;
    }
    if (pos_ < end_ && ClassOf(*pos_) == kDigit) {
        int32_t value = 0;
        for (; pos_ < end_ && ClassOf(*pos_) == kDigit; ++pos_) {
            const int digit = *pos_ - '0';
            value = value > (kParameterLimit - digit) / 10 ? kParameterLimit : value * 10 + digit;
        }
        token.hasParameter = true;
        token.parameter = negative ? -value : value;
    }
    // One space delimits the word and belongs to it.
    if (pos_ < end_ && *pos_ == ' ') ++pos_;

    if (token.name == "bin") ReadBinary(token, token.parameter);
}

// At the quote of \'hh. An escape cut short (end of input, or a character
// that is no hex digit) gives no byte; the character after it is read anew.
bool RichTextReader::ReadHexByte(Token& token) {
    ++pos_;
    int value = 0;
    for (int digits = 0; digits < 2; ++digits) {
        const int nibble = pos_ < end_ ? HexValue(*pos_) : -1;
        if (nibble < 0) return false;
        value = value * 16 + nibble;
        ++pos_;
    }
    token.kind = TokenKind::HexByte;
    token.byte = static_cast<unsigned char>(value);
    return true;
}

// After \binN and its delimiter: N raw bytes, or what is left of the input.
void RichTextReader::ReadBinary(Token& token, int32_t length) {
    const auto available = static_cast<std::size_t>(end_ - pos_);
    const std::size_t wanted = length > 0 ? static_cast<std::size_t>(length) : 0;
    const std::size_t taken = wanted < available ? wanted : available;
    token.kind = TokenKind::Binary;
    token.text = std::string_view(pos_, taken);
    pos_ += taken;
}

}  // namespace rtf
