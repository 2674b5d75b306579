// One form for every complaint about a table or memo file: the file's path,
// ": ", then what is wrong, raised as the data-access layer's error.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace paradox {

// Which value an error is about; its text ("record 3, field 'Words'") is
// made only when an error is raised, so reading costs nothing for it.
struct ValueLocation {
    size_t row;               // 0-based; the text counts from 1
    std::string_view field;
    std::string Text() const;
};

[[noreturn]] void ThrowTableError(const std::string& file, const std::string& what);

}  // namespace paradox
