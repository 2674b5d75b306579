#include "song/CreateSngUnit.h"

#include "platform/CodePage.h"
#include "util/DUtil.h"

namespace {

enum class Mode { None, Major, Minor };

std::string CharAt(const std::string& text, size_t index)
{
    return index < text.size() ? text.substr(index, 1) : std::string();
}

}  // namespace

// The words "dur"/"moll" and the suffixes "is"/"es" are looked for in the
// whole text first, because German notation puts them after a hyphen
// ("Fis-Dur", "es-moll"); then only the note before the first hyphen or space
// is read for the letter and a following "#", "b" or "m".
std::string ConvertKeyNotation(const std::string& key)
{
    Mode mode = Mode::None;
    std::string accidental;
    if (AnsiContainsText(key, "dur")) mode = Mode::Major;
    if (AnsiContainsText(key, "moll")) mode = Mode::Minor;
    if (AnsiContainsText(key, "is")) accidental = "#";
    if (AnsiContainsText(key, "es")) accidental = "b";

    std::string rest = key;
    std::string note = FetchBefore(rest, '-');
    note = FetchBefore(note, ' ');

    std::string letter = CharAt(note, 0);
    for (size_t index : {1, 2}) {
        const std::string c = CharAt(note, index);
        if (c == "#" || c == "b") accidental = c;
        if ((c == "m" || c == "M") && mode == Mode::None) mode = Mode::Minor;
    }
    // A single upper-case character is a major key; anything longer, or lower
    // case, is minor. The comparison is with the whole note text on purpose.
    if (mode == Mode::None) mode = (letter == AnsiUpperCase(note)) ? Mode::Major : Mode::Minor;

    letter = AnsiUpperCase(letter);
    if (letter == "H") letter = "B";
    return letter + accidental + (mode == Mode::Minor ? "m" : "");
}
