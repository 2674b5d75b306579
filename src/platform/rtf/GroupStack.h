// The state each brace group of a rich text carries: where its text goes and
// the character formatting that matters for plain text. A closing brace puts
// back the state the group opened with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rtf {

enum class Destination : uint8_t {
    Text,       // the document's text
    Skipped,    // a destination without document text: nothing in it counts
    FontTable,  // \fonttbl: read only for the fonts' character sets
};

// \fN never chosen, or \plain: the document's default font (\deffN).
inline constexpr int32_t kDefaultFont = -1;

struct GroupState {
    Destination destination = Destination::Text;
    bool hidden = false;                 // \v
    bool slideMarker = false;            // \sdslidemarker until \pard
    int32_t font = kDefaultFont;         // \fN
    int32_t unicodeFallback = 1;         // \ucN; 1 unless the document says otherwise
};

// Groups nested deeper than this are counted, not stacked: Word and
// LibreOffice nest fewer than twenty deep, and a hostile input of a million
// braces must not grow memory. Inside such groups the state of the deepest
// stacked group is used and changed, and it is put back when that group closes.
inline constexpr std::size_t kMaxStackedGroups = 512;

// The stack of open groups. It holds no memory of its own beyond what the
// first conversion reserved, so it is reused across conversions without
// allocating.
class GroupStack {
public:
    GroupStack();

    // Back to the state outside every group.
    void Reset();

    GroupState& Top() { return states_.back(); }
    const GroupState& Top() const { return states_.back(); }

    // The number of groups open; 1 inside the outermost "{\rtf" group.
    std::size_t Depth() const { return states_.size() - 1 + unstacked_; }

    // A new group starts with the state of the one around it.
    void Open();

    // Ends the innermost group; false when that was the outermost one (or
    // no group was open), which ends the rich text.
    bool Close();

private:
    std::vector<GroupState> states_;  // [0] is outside every group
    std::size_t unstacked_ = 0;       // groups open beyond kMaxStackedGroups
};

}  // namespace rtf
