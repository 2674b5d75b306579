#include "controls/TextComparer.h"

#include <unicode/ucol.h>

#include <memory>

namespace {

struct CollatorCloser {
    void operator()(UCollator* collator) const { ucol_close(collator); }
};

}  // namespace

TextComparer LocaleCaseInsensitiveComparer(const std::string& localeName)
{
    UErrorCode status = U_ZERO_ERROR;
    // ICU falls back to the root collation for a locale it does not know, so
    // the only failure left is running out of memory.
    std::shared_ptr<UCollator> collator(ucol_open(localeName.empty() ? nullptr : localeName.c_str(), &status),
                                        CollatorCloser());
    if (U_FAILURE(status) || !collator) throw std::bad_alloc();
    // Secondary strength: base letters and accents count, letter case does not.
    ucol_setStrength(collator.get(), UCOL_SECONDARY);
    return [collator](std::u16string_view a, std::u16string_view b) {
        return static_cast<int>(ucol_strcoll(collator.get(), a.data(), static_cast<int32_t>(a.size()), b.data(),
                                             static_cast<int32_t>(b.size())));
    };
}
