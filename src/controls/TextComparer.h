// How the completion list orders and matches its strings: a three-way
// comparison of UTF-16 texts (negative, zero, positive) where zero means "the
// same entry". The list takes one at construction, so the core stays free of
// Qt while the window layer hands in Qt's collation.
#pragma once

#include <functional>
#include <string>
#include <string_view>

using TextComparer = std::function<int(std::u16string_view, std::u16string_view)>;

// Case-insensitive collation of a locale ("en_US", "de_DE"); an empty name
// means the user's default locale as the environment gives it. Accents and
// other differences beyond letter case still count.
TextComparer LocaleCaseInsensitiveComparer(const std::string& localeName = {});
