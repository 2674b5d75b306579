#include "platform/rtf/FontTable.h"

#include "platform/rtf/CharacterSets.h"

#include <algorithm>

namespace rtf {

namespace {

auto NumberLess = [](const auto& font, int32_t number) { return font.number < number; };

}  // namespace

void FontTable::SetCodePage(int32_t font, int codePage) {
    const auto it = std::lower_bound(fonts_.begin(), fonts_.end(), font, NumberLess);
    if (it != fonts_.end() && it->number == font) {
        it->codePage = codePage;
    } else if (fonts_.size() < kMaxFonts) {
        fonts_.insert(it, Font{font, codePage});
    }
}

int FontTable::CodePageOf(int32_t font) const {
    const auto it = std::lower_bound(fonts_.begin(), fonts_.end(), font, NumberLess);
    return (it != fonts_.end() && it->number == font) ? it->codePage : kUnspecifiedCodePage;
}

}  // namespace rtf
