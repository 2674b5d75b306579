#include "platform/rtf/GroupStack.h"

namespace rtf {

GroupStack::GroupStack() {
    states_.reserve(kMaxStackedGroups + 1);
    Reset();
}

void GroupStack::Reset() {
    states_.assign(1, GroupState{});
    unstacked_ = 0;
}

void GroupStack::Open() {
    if (states_.size() > kMaxStackedGroups) {
        ++unstacked_;
    } else {
        states_.push_back(states_.back());
    }
}

bool GroupStack::Close() {
    if (unstacked_ > 0) {
        --unstacked_;
        return true;
    }
    if (states_.size() <= 1) return false;
    states_.pop_back();
    return states_.size() > 1;
}

}  // namespace rtf
