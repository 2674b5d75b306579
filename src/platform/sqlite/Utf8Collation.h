// The order of EasyWorship's UTF8_U_CI collation as far as a reader needs
// it: UTF-8 compared code point by code point after folding letter case.
// SQLite calls it only when a statement compares or indexes a text column;
// the song library reads in rowid order, so the order needs to be a
// consistent total order, not Windows' exact one.
#pragma once

#include <string_view>

namespace sqlite {

// Negative, zero or positive as `a` sorts before, with or after `b`. Letters
// of Latin (ASCII, Latin-1, Latin Extended-A), Greek and Cyrillic compare
// without regard to case; malformed bytes compare as U+FFFD.
int CompareUtf8IgnoringCase(std::string_view a, std::string_view b);

}  // namespace sqlite
