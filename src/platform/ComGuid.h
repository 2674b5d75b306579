// Globally unique identifiers of COM classes and interfaces, and their text
// form: upper-case hexadecimal in braces, "{00BB2764-6A77-11D0-A535-00C04FD7D062}".
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

struct GUID {
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    uint8_t Data4[8] = {};

    friend constexpr bool operator==(const GUID& a, const GUID& b)
    {
        if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
        for (int i = 0; i < 8; ++i)
            if (a.Data4[i] != b.Data4[i]) return false;
        return true;
    }
};

namespace guid_detail {

constexpr uint32_t HexDigit(char c)
{
    if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
    throw std::invalid_argument("GUID text holds a character that is not a hexadecimal digit");
}

constexpr uint32_t HexValue(std::string_view text, std::size_t first, std::size_t digits)
{
    uint32_t value = 0;
    for (std::size_t i = 0; i < digits; ++i) value = value << 4 | HexDigit(text[first + i]);
    return value;
}

}  // namespace guid_detail

// The GUID of a text in the braced form (either letter case). Usable in
// constant expressions, where a malformed text fails the build; at run time it
// throws std::invalid_argument.
constexpr GUID GuidFromText(std::string_view text)
{
    constexpr std::size_t kTextLength = 38;  // 32 digits, 4 dashes, 2 braces
    if (text.size() != kTextLength || text[0] != '{' || text[9] != '-' || text[14] != '-' ||
        text[19] != '-' || text[24] != '-' || text[37] != '}')
        throw std::invalid_argument("GUID text is not of the form {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}");
    using guid_detail::HexValue;
    GUID guid;
    guid.Data1 = HexValue(text, 1, 8);
    guid.Data2 = static_cast<uint16_t>(HexValue(text, 10, 4));
    guid.Data3 = static_cast<uint16_t>(HexValue(text, 15, 4));
    guid.Data4[0] = static_cast<uint8_t>(HexValue(text, 20, 2));
    guid.Data4[1] = static_cast<uint8_t>(HexValue(text, 22, 2));
    for (std::size_t i = 0; i < 6; ++i) guid.Data4[2 + i] = static_cast<uint8_t>(HexValue(text, 25 + 2 * i, 2));
    return guid;
}

// The braced upper-case text form, as the platform prints class ids.
std::string GuidToString(const GUID& guid);
