#include "files/diagram_change.h"

#include <algorithm>

namespace torvex {

namespace {

// A rung as a change keeps it: what is drawn of a run or a hover is not part of the diagram.
RungRecord Kept(const RungRecord& rung) {
    RungRecord kept = rung;
    for (auto& column : kept.Power) std::fill(std::begin(column), std::end(column), false);
    for (auto& column : kept.Lit) std::fill(std::begin(column), std::end(column), false);
    return kept;
}

std::vector<RungRecord> Span(const Diagram& diagram, int first, int count) {
    std::vector<RungRecord> rungs;
    const int last = std::min(first + std::max(count, 0), diagram.RungCount());
    for (int r = std::max(first, 0); r < last; ++r) rungs.push_back(Kept(diagram.Rungs[r]));
    return rungs;
}

TimerSetting SettingOf(const TimerRecord& t) {
    return {t.Used, t.Preset, t.OnDelayStyle};
}
CounterSetting SettingOf(const CounterRecord& c) {
    return {c.Used, c.Preset, c.InitialCount};
}
void Apply(TimerRecord& t, const TimerSetting& s) {
    t.Used = s.Used;
    t.Preset = s.Preset;
    t.OnDelayStyle = s.OnDelayStyle;
}
void Apply(CounterRecord& c, const CounterSetting& s) {
    c.Used = s.Used;
    c.Preset = s.Preset;
    c.InitialCount = s.InitialCount;
}

bool SameRungs(const std::vector<RungRecord>& a, const std::vector<RungRecord>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameRung);
}

// Adds `later`'s entries to `diffs`: an entry for the same item keeps its first before.
template <class D, class Same>
void MergeDiffs(std::vector<D>& diffs, const std::vector<D>& later, Same same) {
    for (const D& next : later) {
        auto it =
            std::find_if(diffs.begin(), diffs.end(), [&](const D& d) { return same(d, next); });
        if (it == diffs.end())
            diffs.push_back(next);
        else
            it->after = next.after;
    }
    std::erase_if(diffs, [](const D& d) { return d.before == d.after; });
}

}  // namespace

bool SameRung(const RungRecord& a, const RungRecord& b) {
    if (a.Comment() != b.Comment()) return false;
    for (int c = 0; c < kColumns; ++c)
        for (int w = 0; w < kRows; ++w)
            if (a.Code(c, w) != b.Code(c, w) || a.Kind(c, w) != b.Kind(c, w) ||
                a.Index(c, w) != b.Index(c, w))
                return false;
    return true;
}

EditSnapshot TakeSnapshot(const Plc& plc, const IOComments& comments, int first, int count) {
    EditSnapshot s;
    s.first = std::clamp(first, 0, plc.diagram.RungCount());
    s.rungs = Span(plc.diagram, s.first, count);
    s.rungCount = plc.diagram.RungCount();
    for (int n = 1; n <= kTimers; ++n) s.timers[n - 1] = SettingOf(plc.memory.Timers[n]);
    for (int n = 1; n <= kCounters; ++n) s.counters[n - 1] = SettingOf(plc.memory.Counters[n]);
    s.comments = comments;
    return s;
}

DiagramChange::DiagramChange(const EditSnapshot& before, const Plc& plc, const IOComments& comments)
    : first_(before.first),
      before_(before.rungs),
      countBefore_(before.rungCount),
      countAfter_(plc.diagram.RungCount()) {
    const int grown = countAfter_ - countBefore_;
    after_ = Span(plc.diagram, first_, static_cast<int>(before_.size()) + grown);
    for (int n = 1; n <= kTimers; ++n)
        if (const TimerSetting now = SettingOf(plc.memory.Timers[n]); now != before.timers[n - 1])
            timers_.push_back({n, before.timers[n - 1], now});
    for (int n = 1; n <= kCounters; ++n)
        if (const CounterSetting now = SettingOf(plc.memory.Counters[n]);
            now != before.counters[n - 1])
            counters_.push_back({n, before.counters[n - 1], now});
    for (int g = 0; g < kIOCommentGroups; ++g)
        for (int n = IOCommentGroups()[g].first; n <= IOCommentGroups()[g].last; ++n) {
            const std::string& was = *IOCommentSlot(before.comments, g, n);
            const std::string& now = *IOCommentSlot(comments, g, n);
            if (was != now) comments_.push_back({g, n, was, now});
        }
}

bool DiagramChange::empty() const {
    return countBefore_ == countAfter_ && SameRungs(before_, after_) && timers_.empty() &&
           counters_.empty() && comments_.empty();
}

int DiagramChange::firstRung() const {
    return before_.empty() && after_.empty() ? -1 : first_;
}

bool DiagramChange::Undo(Plc& plc, IOComments& comments) const {
    return apply(plc, comments, false);
}

bool DiagramChange::Redo(Plc& plc, IOComments& comments) const {
    return apply(plc, comments, true);
}

bool DiagramChange::apply(Plc& plc, IOComments& comments, bool forward) const {
    Diagram& d = plc.diagram;
    const std::vector<RungRecord>& from = forward ? before_ : after_;
    const std::vector<RungRecord>& to = forward ? after_ : before_;
    const int count = d.RungCount();
    const int removed = static_cast<int>(from.size()), added = static_cast<int>(to.size());
    const int newCount = count - removed + added;
    if (count != (forward ? countBefore_ : countAfter_) || first_ + removed > count ||
        newCount != (forward ? countAfter_ : countBefore_) || newCount > kMaxRungs)
        return false;

    // The rungs after the span move up or down as a whole.
    const int shift = added - removed;
    if (shift > 0) {
        for (int r = count - 1; r >= first_ + removed; --r) d.Rungs[r + shift] = d.Rungs[r];
    } else if (shift < 0) {
        for (int r = first_ + removed; r < count; ++r) d.Rungs[r + shift] = d.Rungs[r];
        for (int r = newCount; r < count; ++r) d.Rungs[r].clear();
    }
    for (int i = 0; i < added; ++i) d.Rungs[first_ + i] = to[i];
    d.setRungCount(newCount);

    for (const auto& t : timers_) Apply(plc.memory.Timers[t.number], forward ? t.after : t.before);
    for (const auto& c : counters_)
        Apply(plc.memory.Counters[c.number], forward ? c.after : c.before);
    for (const CommentDiff& c : comments_)
        *IOCommentSlot(comments, c.group, c.number) = forward ? c.after : c.before;
    return true;
}

bool DiagramChange::Merge(const DiagramChange& later) {
    if (later.first_ != first_ || later.before_.size() != after_.size() ||
        later.countBefore_ != countAfter_)
        return false;
    after_ = later.after_;
    countAfter_ = later.countAfter_;
    MergeDiffs(timers_, later.timers_,
               [](const auto& a, const auto& b) { return a.number == b.number; });
    MergeDiffs(counters_, later.counters_,
               [](const auto& a, const auto& b) { return a.number == b.number; });
    MergeDiffs(comments_, later.comments_, [](const auto& a, const auto& b) {
        return a.group == b.group && a.number == b.number;
    });
    return true;
}

}  // namespace torvex
