#include "controls/TntStringList.h"

#include "platform/SysUtils.h"

#include <string>
#include <utility>

namespace {

// One collator for every list that did not bring its own: opening one is far
// dearer than a comparison.
const TextComparer& UserLocaleComparer()
{
    static const TextComparer comparer = LocaleCaseInsensitiveComparer();
    return comparer;
}

}  // namespace

TTntStringList::TTntStringList(TextComparer compare)
    : compare_(compare ? std::move(compare) : UserLocaleComparer())
{
}

const std::u16string& TTntStringList::Strings(int index) const
{
    CheckIndex(index);
    return strings_[static_cast<std::size_t>(index)];
}

int TTntStringList::Add(std::u16string_view text)
{
    int index = 0;
    if (!Find(text, index)) strings_.emplace(strings_.begin() + index, text);
    return index;
}

bool TTntStringList::Find(std::u16string_view text, int& index) const
{
    int low = 0;
    int high = Count() - 1;
    while (low <= high) {
        const int middle = low + (high - low) / 2;
        const int order = compare_(strings_[static_cast<std::size_t>(middle)], text);
        if (order < 0) {
            low = middle + 1;
        } else if (order > 0) {
            high = middle - 1;
        } else {
            index = middle;
            return true;
        }
    }
    index = low;
    return false;
}

void TTntStringList::Delete(int index)
{
    CheckIndex(index);
    strings_.erase(strings_.begin() + index);
}

void TTntStringList::Assign(const TTntStringList* source)
{
    if (!source) throw EConvertError(std::string("Cannot assign a nil to a ") + kClassName);
    // For the list itself the loop then finds nothing to add.
    Clear();
    for (const auto& text : source->strings_) Add(text);
}

void TTntStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}
