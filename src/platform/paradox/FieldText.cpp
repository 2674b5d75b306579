#include "platform/paradox/FieldText.h"

#include "platform/paradox/Encoding.h"
#include "platform/paradox/TableError.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace paradox {
namespace {

// Day number of 1970-01-01 counted with 0001-01-01 as day 1.
constexpr int64_t kUnixEpochDayNumber = 719'163;
// Timestamps beyond this are no date any program wrote (about year 31,000,000).
constexpr double kMaxTimestampMilliseconds = 1e18;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

std::string DateText(int64_t dayNumber)
{
    int64_t y;
    unsigned m, d;
    CivilFromDays(dayNumber - kUnixEpochDayNumber, y, m, d);
    char text[40];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02u", static_cast<long long>(y), m, d);
    return text;
}

std::string TimeText(int64_t milliseconds)
{
    const int64_t seconds = milliseconds / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    std::string result = text;
    if (milliseconds % 1000 != 0) {
        std::snprintf(text, sizeof text, ".%03lld", static_cast<long long>(milliseconds % 1000));
        result += text;
    }
    return result;
}

std::string DoubleText(double value, bool twoDecimals)
{
    char text[400];  // a fixed double needs at most 309 digits before the point
    const auto result = twoDecimals ? std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2)
                                    : std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// 17 bytes: sign bit and decimal count in the first byte, then 32 digits as
// nibbles; a negative value has every digit nibble inverted.
std::string BcdText(const unsigned char* slot, size_t decimals, const std::string& file, const ValueLocation& where)
{
    const bool negative = (slot[0] & 0x80) == 0;
    const unsigned char flip = negative ? 0x0F : 0x00;
    constexpr size_t kDigits = (kBcdSlotSize - 1) * 2;
    std::string digits;
    for (size_t i = 0; i < kDigits; ++i) {
        const unsigned char byte = slot[1 + i / 2];
        const unsigned char nibble = ((i % 2 == 0 ? byte >> 4 : byte) & 0x0F) ^ flip;
        if (nibble > 9) ThrowTableError(file, where.Text() + ": damaged BCD value");
        digits += static_cast<char>('0' + nibble);
    }
    std::string whole = digits.substr(0, kDigits - decimals);
    const size_t firstNonZero = whole.find_first_not_of('0');
    whole = firstNonZero == std::string::npos ? "0" : whole.substr(firstNonZero);
    std::string text = whole;
    if (decimals > 0) text += "." + digits.substr(kDigits - decimals);
    if (negative && text.find_first_not_of("0.") != std::string::npos) text.insert(0, "-");
    return text;
}

}  // namespace

int64_t DayNumberFromDate(int year, unsigned month, unsigned day)
{
    return DaysFromCivil(year, month, day) + kUnixEpochDayNumber;
}

void DateFromDayNumber(int64_t dayNumber, int& year, unsigned& month, unsigned& day)
{
    int64_t y;
    CivilFromDays(dayNumber - kUnixEpochDayNumber, y, month, day);
    year = static_cast<int>(y);
}

std::string FieldValueText(const FieldDescriptor& field, const unsigned char* slot, const std::string& file,
                           const ValueLocation& where)
{
    if (AllZero(slot, field.width)) return {};
    switch (field.type) {
    case FieldType::Alpha: {
        const auto* end = static_cast<const unsigned char*>(std::memchr(slot, 0, field.width));
        return std::string(reinterpret_cast<const char*>(slot), end ? static_cast<size_t>(end - slot) : field.width);
    }
    case FieldType::Bytes:
        return std::string(reinterpret_cast<const char*>(slot), field.width);
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoIncrement:
        return std::to_string(ReadFlippedInt(slot, field.width));
    case FieldType::Logical:
        return (slot[0] ^ 0x80) != 0 ? "True" : "False";
    case FieldType::Number:
        return DoubleText(ReadFlippedDouble(slot), false);
    case FieldType::Currency:
        return DoubleText(ReadFlippedDouble(slot), true);
    case FieldType::Bcd:
        return BcdText(slot, field.size, file, where);
    case FieldType::Date:
        return DateText(ReadFlippedInt(slot, 4));
    case FieldType::Time: {
        const int64_t ms = ReadFlippedInt(slot, 4);
        if (ms < 0 || ms >= kMillisecondsPerDay)
            ThrowTableError(file, where.Text() + ": time value " + std::to_string(ms) + " ms is not within a day");
        return TimeText(ms);
    }
    case FieldType::Timestamp: {
        const double value = ReadFlippedDouble(slot);
        if (!(value >= 0 && value < kMaxTimestampMilliseconds))
            ThrowTableError(file, where.Text() + ": timestamp value out of range");
        const auto ms = static_cast<int64_t>(value);
        return DateText(ms / kMillisecondsPerDay) + " " + TimeText(ms % kMillisecondsPerDay);
    }
    case FieldType::Memo:
    case FieldType::Blob:
    case FieldType::FormattedMemo:
    case FieldType::Ole:
    case FieldType::Graphic:
        break;
    }
    return {};
}

}  // namespace paradox
