// The stored bytes of each field type, written out by hand after the format
// write-ups, and the fixed text the reader makes of them. These do not go
// through our writer, so a mistake made the same way on both sides shows here.
#include "platform/paradox/FieldText.h"

#include "platform/SysUtils.h"

#include <gtest/gtest.h>

namespace paradox {
namespace {

struct Case {
    FieldType type;
    uint8_t size;
    std::string bytes;
    std::string text;
};

std::string Text(const Case& c)
{
    const size_t width = c.type == FieldType::Bcd ? kBcdSlotSize : c.bytes.size();
    const FieldDescriptor field{"F", c.type, c.size, 0, width};
    return FieldValueText(field, reinterpret_cast<const unsigned char*>(c.bytes.data()), "t.DB", ValueLocation{0, "F"});
}

std::string B(std::initializer_list<int> bytes)
{
    std::string s;
    for (int b : bytes) s += static_cast<char>(b);
    return s;
}

TEST(ParadoxFieldText, StoredBytesToFixedText)
{
    const std::vector<Case> cases = {
        {FieldType::Alpha, 6, B({'a', 'b', 0, 'c', 0, 0}), "ab"},
        {FieldType::Alpha, 3, B({0xF8, 'x', 'y'}), "\xF8xy"},  // full width, bytes untouched
        {FieldType::Short, 2, B({0x80, 0x05}), "5"},
        {FieldType::Short, 2, B({0x7F, 0xFB}), "-5"},
        {FieldType::Short, 2, B({0x80, 0x00}), "0"},
        {FieldType::Long, 4, B({0x80, 0x00, 0x04, 0x63}), "1123"},
        {FieldType::Long, 4, B({0x7F, 0xFF, 0xFF, 0xFF}), "-1"},
        {FieldType::AutoIncrement, 4, B({0xFF, 0xFF, 0xFF, 0xFF}), "2147483647"},
        // 3.25 is 0x400A000000000000; positive: sign bit set.
        {FieldType::Number, 8, B({0xC0, 0x0A, 0, 0, 0, 0, 0, 0}), "3.25"},
        // -3.25 is 0xC00A000000000000; negative: all bits inverted.
        {FieldType::Number, 8, B({0x3F, 0xF5, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), "-3.25"},
        {FieldType::Number, 8, B({0x80, 0, 0, 0, 0, 0, 0, 0}), "0"},
        {FieldType::Currency, 8, B({0xC0, 0x0A, 0, 0, 0, 0, 0, 0}), "3.25"},
        {FieldType::Currency, 8, B({0xC0, 0x24, 0, 0, 0, 0, 0, 0}), "10.00"},
        {FieldType::Logical, 1, B({0x81}), "True"},
        {FieldType::Logical, 1, B({0x80}), "False"},
        {FieldType::Date, 4, B({0x80, 0, 0, 1}), "0001-01-01"},
        {FieldType::Date, 4, B({0x80, 0x0A, 0xF9, 0x3B}), "1970-01-01"},  // day 719163
        {FieldType::Date, 4, B({0x80, 0x0B, 0x3A, 0xDC}), "2016-01-01"},  // day 735964
        {FieldType::Time, 4, B({0x80, 0, 0, 0}), "00:00:00"},
        {FieldType::Time, 4, B({0x82, 0xF3, 0x6B, 0xB2}), "13:45:07.250"},  // 49,507,250 ms
        // 719163 days of 86,400,000 ms: 62,135,683,200,000.0 = 0x42CC418B_A99A0000.
        {FieldType::Timestamp, 8, B({0xC2, 0xCC, 0x41, 0x8B, 0xA9, 0x9A, 0x00, 0x00}), "1970-01-01 00:00:00"},
        // BCD, 2 decimals: +12.34 and -12.34 (digit nibbles inverted).
        {FieldType::Bcd, 2, B({0x82, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x12, 0x34}), "12.34"},
        {FieldType::Bcd, 2,
         B({0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xED, 0xCB}),
         "-12.34"},
        {FieldType::Bcd, 0, B({0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x17}), "17"},
        {FieldType::Bytes, 3, B({0, 1, 2}), B({0, 1, 2})},
    };
    for (const Case& c : cases) EXPECT_EQ(Text(c), c.text) << FieldTypeName(c.type) << " " << c.text;
}

TEST(ParadoxFieldText, AllZeroBytesAreNullForEveryType)
{
    for (FieldType type : {FieldType::Alpha, FieldType::Short, FieldType::Long, FieldType::Number, FieldType::Currency,
                           FieldType::Logical, FieldType::Date, FieldType::Time, FieldType::Timestamp,
                           FieldType::AutoIncrement, FieldType::Bytes})
        EXPECT_EQ(Text({type, 8, std::string(8, '\0'), ""}), "") << FieldTypeName(type);
    EXPECT_EQ(Text({FieldType::Bcd, 2, std::string(kBcdSlotSize, '\0'), ""}), "");
}

TEST(ParadoxFieldText, ValuesNoTableHoldsAreErrors)
{
    const std::vector<std::pair<Case, std::string>> cases = {
        {{FieldType::Time, 4, B({0x85, 0x26, 0x5C, 0x00}), ""},
         "t.DB: record 1, field 'F': time value 86400000 ms is not within a day"},
        {{FieldType::Time, 4, B({0x7F, 0xFF, 0xFF, 0xFF}), ""}, "t.DB: record 1, field 'F': time value -1 ms is not within a day"},
        {{FieldType::Timestamp, 8, B({0x3F, 0xF5, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), ""},
         "t.DB: record 1, field 'F': timestamp value out of range"},
        {{FieldType::Timestamp, 8, B({0xFF, 0xF8, 0, 0, 0, 0, 0, 1}), ""},  // a NaN
         "t.DB: record 1, field 'F': timestamp value out of range"},
        {{FieldType::Bcd, 2, B({0x82, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x1A, 0}), ""},
         "t.DB: record 1, field 'F': damaged BCD value"},
    };
    for (const auto& [c, message] : cases) {
        try {
            Text(c);
            ADD_FAILURE() << "no error for " << message;
        } catch (const EDatabaseError& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    }
}

}  // namespace
}  // namespace paradox
