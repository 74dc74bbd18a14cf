// The comment texts given to the I/O points, saved and loaded with the diagram.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/ladder.h"
#include "engine/memory_image.h"

namespace torvex {

constexpr int kIOCommentMax = 200;  // characters of one I/O point's comment

struct IOComments {
    std::array<std::string, kPoints> InputComments;   // IP0 ... IP15
    std::array<std::string, kPoints> OutputComments;  // OP0 ... OP15
    std::array<std::string, kPoints> FlagComments;    // F0 ... F15
    NumberedFrom1<std::string, kTimers> TimerComments;
    NumberedFrom1<std::string, kCounters> CounterComments;
    NumberedFrom1<std::string, kRegisters> RegisterComments;

    void clear();
};

// The part of `text` that a comment keeps: its first 200 characters.
inline std::string IOCommentText(std::string_view text) {
    return std::string(text.substr(0, kIOCommentMax));
}

// One table of I/O comments, as the diagram file names and numbers it.
struct IOCommentGroup {
    const char* word;  // "Input", "Output", "Flag", "Timer", "Counter", "Register"
    int first;
    int last;
};

// The six tables in the order the file writes them.
constexpr int kIOCommentGroups = 6;
const std::array<IOCommentGroup, kIOCommentGroups>& IOCommentGroups();

// The comment of point `number` of table `group`, or nullptr when there is no such point.
std::string* IOCommentSlot(IOComments& comments, int group, int number);
const std::string* IOCommentSlot(const IOComments& comments, int group, int number);

}  // namespace torvex
