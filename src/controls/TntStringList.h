// The completion list of the auto-complete edit: UTF-16 strings kept sorted
// without regard to letter case, each entry once.
//
// The class keeps the name of the wide-string list the control was built on,
// because that name is part of an error text users may see.
#pragma once

#include "controls/TextComparer.h"

#include <string>
#include <string_view>
#include <vector>

class TTntStringList {
public:
    static constexpr const char* kClassName = "TTntStringList";

    // An empty list ordered by `compare`; without one, by the user's locale.
    explicit TTntStringList(TextComparer compare = {});

    int Count() const { return static_cast<int>(strings_.size()); }

    // The string at `index`; EStringListError "List index out of bounds (%d)"
    // outside 0 .. Count()-1.
    const std::u16string& Strings(int index) const;

    // Adds `text` in its sorted place and gives its index. A string equal to
    // one present (by the comparer) changes nothing: the entry keeps the form
    // first added, and its index is given.
    int Add(std::u16string_view text);

    // Binary search: true and the entry's index when present, else false and
    // the index at which it would go.
    bool Find(std::u16string_view text, int& index) const;

    // Removes the entry at `index`; EStringListError outside the list.
    void Delete(int index);

    void Clear() { strings_.clear(); }

    // Empties the list, then adds every string of `source` by the rules of Add.
    // A null source raises EConvertError "Cannot assign a nil to a
    // TTntStringList" and leaves the list as it was. Assigning the list to
    // itself empties it.
    void Assign(const TTntStringList* source);

private:
    void CheckIndex(int index) const;

    TextComparer compare_;
    std::vector<std::u16string> strings_;
};
