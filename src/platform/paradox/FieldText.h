// A stored field value as text: the form the song table hands to its callers.
//
// Fixed forms, independent of locale:
//   alpha                  the stored bytes up to the first NUL, not re-encoded
//   short, long, autoinc   decimal: "-42", "1123"
//   number                 the shortest decimal that reads back to the same
//                          double, "." as decimal separator, exponent "e" for
//                          very large or small values: "3.25", "-0.1", "1e+20"
//   currency               fixed with two decimals: "1234.50", "-0.05"
//   BCD                    fixed with the field's own decimals: "-12.3400",
//                          "0.5" for one decimal, "17" for none
//   logical                "True" or "False"
//   date                   "YYYY-MM-DD" (proleptic Gregorian, 1 = 0001-01-01)
//   time                   "HH:MM:SS", with ".mmm" when the milliseconds are not 0
//   timestamp              "YYYY-MM-DD HH:MM:SS", with ".mmm" the same way
//   bytes                  the stored bytes
// A null value (all bytes zero) gives empty text. Memo, blob, graphic and OLE
// values come from the memo file and are not handled here.
#pragma once

#include "platform/paradox/Format.h"
#include "platform/paradox/TableError.h"

#include <string>

namespace paradox {

// The text of a non-memo field whose slot starts at `slot` (field.width
// bytes). Throws EDatabaseError naming the file and the value for a value
// no sound table holds (a time past midnight, a timestamp out of range).
std::string FieldValueText(const FieldDescriptor& field, const unsigned char* slot, const std::string& file,
                           const ValueLocation& where);

// The day number (1 = 0001-01-01) of a civil date and back; shared with the writer.
int64_t DayNumberFromDate(int year, unsigned month, unsigned day);
void DateFromDayNumber(int64_t dayNumber, int& year, unsigned& month, unsigned& day);

inline constexpr int64_t kMillisecondsPerDay = 86'400'000;

}  // namespace paradox
