#include "files/io_list.h"

#include <algorithm>

namespace torvex {

namespace {

enum Group { kInputs, kOutputs, kFlags, kTimerGroup, kCounterGroup, kRegisterGroup };

PointRef Point(int group, int number) {
    const IOCommentGroup& g = IOCommentGroups()[group];
    if (number < g.first || number > g.last) return {};
    return {group, number};
}

}  // namespace

PointRef PointOfCell(int32_t code, int32_t kind, int32_t index) {
    if (code == Control::NOC || code == Control::NCC) {
        if (kind == ContactKind::Input) return Point(kInputs, index);
        if (kind == ContactKind::Output) return Point(kOutputs, index);
        if (kind == ContactKind::Flag) return Point(kFlags, index);
        if (kind >= ContactKind::Register1 && kind <= ContactKind::Register4)
            return Point(kRegisterGroup, kind - ContactKind::Register1 + 1);
        if (kind == ContactKind::CounterUp || kind == ContactKind::CounterDown)
            return Point(kCounterGroup, index);
        if (kind == ContactKind::TimerDone) return Point(kTimerGroup, index);
        return {};
    }
    if (code == Control::OUT || code == Control::LAT || code == Control::UNL) {
        if (kind == CoilKind::Output) return Point(kOutputs, index);
        if (kind == CoilKind::Flag) return Point(kFlags, index);
        if (kind >= CoilKind::Register1 && kind <= CoilKind::Register4)
            return Point(kRegisterGroup, kind - CoilKind::Register1 + 1);
        return {};
    }
    if (code == Control::RES) {
        if (kind == ResetKind::Timer) return Point(kTimerGroup, index);
        if (kind == ResetKind::Counter) return Point(kCounterGroup, index);
        if (kind >= ResetKind::Register1 && kind <= ResetKind::Register4)
            return Point(kRegisterGroup, kind - ResetKind::Register1 + 1);
        return {};
    }
    if (IsTimerBox(code)) return Point(kTimerGroup, index);
    if (IsCounterBox(code)) return Point(kCounterGroup, index);
    if (IsShift(code)) return Point(kRegisterGroup, ShiftRegisterOf(code));
    return {};
}

PointRef PointOfShiftSource(int32_t kind, int32_t index) {
    switch (kind) {
        case ShiftSourceKind::Input:
            return Point(kInputs, index);
        case ShiftSourceKind::Output:
            return Point(kOutputs, index);
        case ShiftSourceKind::Flag:
            return Point(kFlags, index);
        case ShiftSourceKind::TimerDone:
            return Point(kTimerGroup, index);
        case ShiftSourceKind::CounterUp:
        case ShiftSourceKind::CounterDown:
            return Point(kCounterGroup, index);
        case ShiftSourceKind::RegisterBit:
            return Point(kRegisterGroup, index / kPoints);
        default:
            return {};
    }
}

std::string PointName(PointRef point) {
    static const char* const prefixes[kIOCommentGroups] = {"IP", "OP", "F", "T", "C", "R"};
    if (!point.valid()) return {};
    return prefixes[point.group] + std::to_string(point.number);
}

std::vector<IOListEntry> IOList(const Diagram& diagram, const IOComments& comments) {
    std::vector<IOListEntry> entries;
    for (int group = 0; group < kIOCommentGroups; ++group) {
        const IOCommentGroup& g = IOCommentGroups()[group];
        for (int number = g.first; number <= g.last; ++number)
            entries.push_back({{group, number}, *IOCommentSlot(comments, group, number), {}});
    }
    auto entryOf = [&](PointRef point) -> IOListEntry* {
        for (IOListEntry& e : entries)
            if (e.point == point) return &e;
        return nullptr;
    };
    for (int r = 0; r < diagram.RungCount(); ++r) {
        const RungRecord& rung = diagram.Rungs[r];
        for (int c = 1; c < kColumns; c += 2) {
            for (int w = 0; w < kRows; ++w) {
                const int32_t code = rung.Code(c, w);
                const PointRef point = code == Control::BBT
                                           ? PointOfShiftSource(rung.Kind(c, w), rung.Index(c, w))
                                           : PointOfCell(code, rung.Kind(c, w), rung.Index(c, w));
                IOListEntry* entry = point.valid() ? entryOf(point) : nullptr;
                if (entry && (entry->rungs.empty() || entry->rungs.back() != r))
                    entry->rungs.push_back(r);
            }
        }
    }
    std::erase_if(entries,
                  [](const IOListEntry& e) { return e.comment.empty() && e.rungs.empty(); });
    return entries;
}

}  // namespace torvex
