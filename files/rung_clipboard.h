// Rungs on the clipboard: a small diagram in the llg format (the rung blocks numbered from
// 0, the Timer, OnDelay and Counter sections of the boxes they hold, their comments), so
// rungs move between diagrams and windows, and read as text anywhere else.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/editing.h"
#include "engine/plc.h"
#include "files/diagram_change.h"

namespace torvex {

struct ClipboardRungs {
    std::vector<RungRecord> rungs;  // with their comments
    // The settings the text gives the timers and counters the rungs' boxes use.
    std::array<std::optional<TimerSetting>, kTimers> timers;        // timer 1 first
    std::array<std::optional<CounterSetting>, kCounters> counters;  // counter 1 first
};

// Rungs `first` ... `first` + `count` - 1 of the diagram (those of them in use) as llg text.
std::string RungsText(const Plc& plc, int first, int count);

// Text larger than this is no copy of rungs: a whole diagram of 1001 rungs is less than 1 MiB.
constexpr size_t kLargestRungsText = size_t{2} << 20;

struct RungsReadResult {
    bool ok = false;
    std::string error;  // when not ok: why, for the user (in Finnish when asked)
    ClipboardRungs rungs;
};

// The rungs of an llg text. Refused, with a message, when the text is too large, holds no
// rung, or is damaged in any way the file reader would warn of: a section cut short, a value
// that is no number, an operand outside its table, a comment for a rung it does not have, a
// rung it numbers but does not hold.
RungsReadResult ReadRungsText(std::string_view text, bool finnish = false);

// Inserts the rungs before rung `at` (RungCount: after the last) and marks the timers and
// counters their boxes use Used. A number already in use keeps the diagram's preset; a number
// that was unused takes the one the text gave. Refused, with nothing changed, when `at` is
// outside 0 ... RungCount, when there are no rungs, or when the table would pass 1001 rungs.
RungEdit PasteRungs(Plc& plc, const ClipboardRungs& rungs, int at);

}  // namespace torvex
