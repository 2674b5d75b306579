#include "platform/paradox/FieldEncoding.h"

#include "platform/paradox/Encoding.h"
#include "platform/paradox/FieldText.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

namespace paradox {
namespace {

[[noreturn]] void Refuse(const FieldDescriptor& field, std::string_view text, const char* why)
{
    throw std::invalid_argument("field '" + field.name + "' (" + FieldTypeName(field.type) + "): \"" +
                                std::string(text) + "\" " + why);
}

// Reads an unsigned decimal of exactly `digits` digits from the front of `text`.
bool TakeDigits(std::string_view& text, size_t digits, int64_t& value)
{
    if (text.size() < digits) return false;
    value = 0;
    for (size_t i = 0; i < digits; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    text.remove_prefix(digits);
    return true;
}

bool TakeChar(std::string_view& text, char c)
{
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

bool ParseDate(std::string_view& text, int64_t& dayNumber)
{
    int64_t y, m, d;
    if (!TakeDigits(text, 4, y) || !TakeChar(text, '-') || !TakeDigits(text, 2, m) || !TakeChar(text, '-') ||
        !TakeDigits(text, 2, d) || y < 1 || m < 1 || m > 12 || d < 1)
        return false;
    dayNumber = DayNumberFromDate(static_cast<int>(y), static_cast<unsigned>(m), static_cast<unsigned>(d));
    int checkYear;
    unsigned checkMonth, checkDay;
    DateFromDayNumber(dayNumber, checkYear, checkMonth, checkDay);
    return checkMonth == m && checkDay == d;  // no 31 April
}

bool ParseTime(std::string_view& text, int64_t& milliseconds)
{
    int64_t h, m, s, ms = 0;
    if (!TakeDigits(text, 2, h) || !TakeChar(text, ':') || !TakeDigits(text, 2, m) || !TakeChar(text, ':') ||
        !TakeDigits(text, 2, s) || h > 23 || m > 59 || s > 59)
        return false;
    if (TakeChar(text, '.') && !TakeDigits(text, 3, ms)) return false;
    milliseconds = ((h * 60 + m) * 60 + s) * 1000 + ms;
    return true;
}

void EncodeInteger(const FieldDescriptor& field, std::string_view text, unsigned char* slot)
{
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) Refuse(field, text, "is no whole number");
    const int64_t limit = int64_t{1} << (8 * field.width - 1);
    // The lowest value would be stored as all zeros, which means null.
    if (value <= -limit || value >= limit) Refuse(field, text, "is out of range");
    WriteFlippedInt(slot, field.width, value);
}

void EncodeDouble(const FieldDescriptor& field, std::string_view text, unsigned char* slot)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        Refuse(field, text, "is no finite number");
    WriteFlippedDouble(slot, value);
}

void EncodeBcd(const FieldDescriptor& field, std::string_view text, unsigned char* slot)
{
    const std::string_view original = text;
    const bool negative = TakeChar(text, '-');
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    constexpr size_t kDigits = (kBcdSlotSize - 1) * 2;
    const size_t decimals = field.size;
    if (whole.empty() || fraction.size() > decimals || whole.size() > kDigits - decimals ||
        whole.find_first_not_of("0123456789") != std::string_view::npos ||
        fraction.find_first_not_of("0123456789") != std::string_view::npos ||
        (point != std::string_view::npos && fraction.empty()))
        Refuse(field, original, "is no decimal that fits the field");

    std::string digits(kDigits - decimals - whole.size(), '0');
    digits += whole;
    digits += fraction;
    digits.append(kDigits - digits.size(), '0');
    const unsigned char flip = negative ? 0x0F : 0x00;
    slot[0] = static_cast<unsigned char>((negative ? 0x00 : 0x80) | decimals);
    for (size_t i = 0; i < kDigits; ++i) {
        const auto nibble = static_cast<unsigned char>((digits[i] - '0') ^ flip);
        slot[1 + i / 2] |= static_cast<unsigned char>(i % 2 == 0 ? nibble << 4 : nibble);
    }
}

}  // namespace

void EncodeFieldValue(const FieldDescriptor& field, std::string_view text, unsigned char* slot)
{
    if (text.empty()) return;
    switch (field.type) {
    case FieldType::Alpha:
    case FieldType::Bytes:
        if (text.size() > field.width) Refuse(field, text, "is too long for the field");
        std::memcpy(slot, text.data(), text.size());
        return;
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoIncrement:
        EncodeInteger(field, text, slot);
        return;
    case FieldType::Logical:
        if (text != "True" && text != "False") Refuse(field, text, "is neither True nor False");
        slot[0] = text == "True" ? 0x81 : 0x80;
        return;
    case FieldType::Number:
    case FieldType::Currency:
        EncodeDouble(field, text, slot);
        return;
    case FieldType::Bcd:
        EncodeBcd(field, text, slot);
        return;
    case FieldType::Date: {
        std::string_view rest = text;
        int64_t day = 0;
        if (!ParseDate(rest, day) || !rest.empty()) Refuse(field, text, "is no date YYYY-MM-DD");
        WriteFlippedInt(slot, 4, day);
        return;
    }
    case FieldType::Time: {
        std::string_view rest = text;
        int64_t ms = 0;
        if (!ParseTime(rest, ms) || !rest.empty()) Refuse(field, text, "is no time HH:MM:SS[.mmm]");
        WriteFlippedInt(slot, 4, ms);
        return;
    }
    case FieldType::Timestamp: {
        std::string_view rest = text;
        int64_t day = 0, ms = 0;
        if (!ParseDate(rest, day) || !TakeChar(rest, ' ') || !ParseTime(rest, ms) || !rest.empty())
            Refuse(field, text, "is no timestamp YYYY-MM-DD HH:MM:SS[.mmm]");
        WriteFlippedDouble(slot, static_cast<double>(day * kMillisecondsPerDay + ms));
        return;
    }
    case FieldType::Memo:
    case FieldType::Blob:
    case FieldType::FormattedMemo:
    case FieldType::Ole:
    case FieldType::Graphic:
        break;
    }
    Refuse(field, text, "belongs in the memo file");
}

}  // namespace paradox
