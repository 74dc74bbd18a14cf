#include "files/io_comments.h"

namespace torvex {

void IOComments::clear() {
    *this = IOComments();
}

const std::array<IOCommentGroup, kIOCommentGroups>& IOCommentGroups() {
    static const std::array<IOCommentGroup, kIOCommentGroups> groups = {{
        {"Input", 0, kPoints - 1},
        {"Output", 0, kPoints - 1},
        {"Flag", 0, kPoints - 1},
        {"Timer", 1, kTimers},
        {"Counter", 1, kCounters},
        {"Register", 1, kRegisters},
    }};
    return groups;
}

std::string* IOCommentSlot(IOComments& comments, int group, int number) {
    if (group < 0 || group >= kIOCommentGroups) return nullptr;
    const IOCommentGroup& g = IOCommentGroups()[group];
    if (number < g.first || number > g.last) return nullptr;
    switch (group) {
        case 0:
            return &comments.InputComments[number];
        case 1:
            return &comments.OutputComments[number];
        case 2:
            return &comments.FlagComments[number];
        case 3:
            return &comments.TimerComments[number];
        case 4:
            return &comments.CounterComments[number];
        default:
            return &comments.RegisterComments[number];
    }
}

const std::string* IOCommentSlot(const IOComments& comments, int group, int number) {
    return IOCommentSlot(const_cast<IOComments&>(comments), group, number);
}

}  // namespace torvex
