// The system ANSI code page: the 8-bit encoding in which all song text is held.
//
// Windows gives every process one "ANSI" code page; EasyWorship stored its
// songs in it and the song files we write use it too. On Linux there is no such
// thing, so we derive it from the locale the way Windows-compatibility layers
// do, and let callers (the command line, tests) pin it explicitly.
#pragma once

#include <string>
#include <string_view>

// The code page in force: the one pinned by SetACP, else the locale's (the
// first set of LC_ALL, LC_CTYPE, LANG; its language picks the page; 1252 for
// C, POSIX, no locale and every language without a page of its own).
int GetACP();

// Pins the code page for the whole program; 0 returns to the locale's choice.
// Throws std::invalid_argument for a page IsSupportedCodePage refuses.
void SetACP(int codePage);

// True for the single-byte pages we carry tables for: 874 and 1250 to 1258.
bool IsSupportedCodePage(int codePage);

// The locale rule on its own, for a locale name such as "pl_PL.UTF-8".
int CodePageForLocale(std::string_view localeName);

// One byte of `codePage` as a Unicode scalar; U+FFFD where the page defines
// no character for the byte. Exact, no best-fit. Unsupported pages give 1252.
char32_t AnsiByteToUnicode(unsigned char byte, int codePage);

// Appends the best-fit ANSI form of one Unicode scalar: (1) the page's own
// byte where it has the character, or an equivalent sequence of its bytes
// (base letter and combining marks in 1255 and 1258); (2) typographic quotes, dashes, ellipsis,
// bullets and no-break spaces to the page's own form where it has one, else
// to their ASCII form ("..." for an ellipsis); (3) a letter with diacritics or
// a stroke to its base letter where the page has that letter; (4) else "?".
void AppendUnicodeAsAnsi(std::string& out, char32_t ch, int codePage);

// Whole-string conversions. UTF-8 input that is not well formed counts each
// bad byte as U+FFFD (which then becomes "?").
std::string AnsiToUtf8(std::string_view ansi, int codePage = GetACP());
std::string Utf8ToAnsi(std::string_view utf8, int codePage = GetACP());
std::u16string AnsiToUtf16(std::string_view ansi, int codePage = GetACP());
std::string Utf16ToAnsi(std::u16string_view utf16, int codePage = GetACP());

// Case folding within the code page: the byte of the lower-case form of the
// byte's character where the page has it, else the byte itself.
unsigned char AnsiLowerByte(unsigned char byte, int codePage = GetACP());
unsigned char AnsiUpperByte(unsigned char byte, int codePage = GetACP());
std::string AnsiUpperCase(std::string_view text, int codePage = GetACP());

// Equality without regard to letter case, by the code page's own case pairs:
// "#TITLE" equals "#title", and in 1252 "Ä" equals "ä".
bool AnsiSameText(std::string_view a, std::string_view b, int codePage = GetACP());

// Whether `haystack` contains `needle` without regard to letter case.
bool AnsiContainsText(std::string_view haystack, std::string_view needle,
                      int codePage = GetACP());
