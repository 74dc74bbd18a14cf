// The I/O points a diagram names, as a printout lists them: every point that has a comment
// or is used by a control, with the rungs that use it (a cross-reference).
#pragma once

#include <string>
#include <vector>

#include "engine/diagram.h"
#include "files/io_comments.h"

namespace torvex {

// A point of one of the six comment tables (IOCommentGroups order), or none (group -1).
struct PointRef {
    int group = -1;
    int number = 0;
    bool valid() const { return group >= 0; }
    bool operator==(const PointRef&) const = default;
};

// The point whose comment names a control cell: a contact's or coil's operand, a reset's
// target, a box's timer, counter or register. Wires, links and box bottoms name none.
PointRef PointOfCell(int32_t code, int32_t kind, int32_t index);
// The data bit a bit-shift box bottom (BBT) takes in.
PointRef PointOfShiftSource(int32_t kind, int32_t index);
// "IP0", "OP15", "F3", "T1", "C8", "R2".
std::string PointName(PointRef point);

struct IOListEntry {
    PointRef point;
    std::string comment;
    std::vector<int> rungs;  // ascending, each once
};

// In table order: inputs, outputs, flags, timers, counters, registers.
std::vector<IOListEntry> IOList(const Diagram& diagram, const IOComments& comments);

}  // namespace torvex
