// The fonts of a rich text's \fonttbl, as far as plain text cares: the code
// page each one's character set names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rtf {

// Fonts beyond this many are not recorded (their text is read in the
// document's code page): real documents name a few dozen, and the cap bounds
// what a hostile font table can cost in memory and time.
inline constexpr std::size_t kMaxFonts = 1024;

class FontTable {
public:
    FontTable() { fonts_.reserve(kMaxFonts); }

    // Forgets every font; keeps the memory for the next document.
    void Clear() { fonts_.clear(); }

    // Records that font `font` holds text in `codePage` (kUnspecifiedCodePage
    // when its character set names none). A later entry for the same number
    // replaces the earlier one.
    void SetCodePage(int32_t font, int codePage);

    // The code page recorded for `font`; kUnspecifiedCodePage if none.
    int CodePageOf(int32_t font) const;

private:
    struct Font {
        int32_t number;
        int codePage;
    };
    std::vector<Font> fonts_;  // sorted by number
};

}  // namespace rtf
