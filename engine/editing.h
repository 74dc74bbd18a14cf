// Editing primitives over the rung grid, shared by the editor and the legacy import.
#pragma once

#include "engine/diagram.h"

namespace torvex {

// True when a control-column cell holds a control: neither empty nor a plain wire.
constexpr bool IsOccupied(int32_t code) {
    return code != Control::NON && code != Control::LNK;
}

// The last row (0 ... 3) of the output column that holds a control, or -1 when none does.
int LastOutputRow(const RungRecord& rung);

// Wires rows 0 ... lastRow of the output column in parallel between the end of the rung
// line (link column 9) and the right rail (link column 10). Only those rows are written, and
// row 0 of link column 10 is left as it is. Nothing happens for a lastRow outside 1 ... 3.
void WireParallelOutputs(RungRecord& rung, int lastRow);

}  // namespace torvex
