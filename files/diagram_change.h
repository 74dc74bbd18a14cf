// What one edit changed in the diagram, kept so that it can be taken back and done again.
//
// An edit replaces a span of consecutive rungs by another (an insertion makes the span one
// rung longer, a deletion one shorter, an edit in place leaves it as long), and may change
// the settings of timers and counters and the I/O comments. The span is declared by the
// caller before the edit; what else changed is found by comparing.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/plc.h"
#include "files/io_comments.h"

namespace torvex {

// What a diagram file keeps of a timer and of a counter.
struct TimerSetting {
    bool Used = false;
    int32_t Preset = 0;
    bool OnDelayStyle = false;
    bool operator==(const TimerSetting&) const = default;
};
struct CounterSetting {
    bool Used = false;
    int32_t Preset = 0;
    int32_t InitialCount = 0;
    bool operator==(const CounterSetting&) const = default;
};

// The part of the model an edit may change, taken before the edit.
struct EditSnapshot {
    int first = 0;                  // the first rung of the span
    std::vector<RungRecord> rungs;  // the span's rungs in use, without power or lit flags
    int rungCount = 0;
    std::array<TimerSetting, kTimers> timers{};        // timer 1 first
    std::array<CounterSetting, kCounters> counters{};  // counter 1 first
    IOComments comments;
};

// The rungs `first` ... `first` + `count` - 1 (those of them in use) and everything else an
// edit may change.
EditSnapshot TakeSnapshot(const Plc& plc, const IOComments& comments, int first, int count);

// True when two rungs hold the same cells and comment (power and lit flags aside).
bool SameRung(const RungRecord& a, const RungRecord& b);

class DiagramChange {
public:
    DiagramChange() = default;
    // The change from `before` to the model as it stands now. The span after the edit starts
    // where `before`'s did and is longer or shorter by as many rungs as the rung count grew
    // or shrank.
    DiagramChange(const EditSnapshot& before, const Plc& plc, const IOComments& comments);

    // The edit changed nothing.
    bool empty() const;
    // The model as before the edit, or as after it. False, and the model untouched, when the
    // model is not in the state the step starts from (its rung count differs).
    bool Undo(Plc& plc, IOComments& comments) const;
    bool Redo(Plc& plc, IOComments& comments) const;

    // The first rung the change touches, or -1 when it touches no rung.
    int firstRung() const;
    bool touchesSettings() const { return !timers_.empty() || !counters_.empty(); }

    // A later change of the same rungs appended, as when a comment typed in pieces becomes
    // one edit: this change then leads from its own start to where `later` ends. False, and
    // nothing merged, when `later` starts from a different span.
    bool Merge(const DiagramChange& later);

private:
    template <class T>
    struct Diff {
        int number;  // timer or counter 1 ..., or the comment's slot
        T before;
        T after;
    };
    struct CommentDiff {
        int group;
        int number;
        std::string before;
        std::string after;
    };

    bool apply(Plc& plc, IOComments& comments, bool forward) const;

    int first_ = 0;
    std::vector<RungRecord> before_;
    std::vector<RungRecord> after_;
    int countBefore_ = 0;
    int countAfter_ = 0;
    std::vector<Diff<TimerSetting>> timers_;
    std::vector<Diff<CounterSetting>> counters_;
    std::vector<CommentDiff> comments_;
};

}  // namespace torvex
