// New Diagram's clearing of the model.
#pragma once

#include "engine/plc.h"
#include "files/io_comments.h"

namespace torvex {

// Clears the model to a new diagram of one empty rung: the Used flags of timers and
// counters off, every one of the 1001 rung records emptied (so nothing an earlier file put
// into a rung beyond the rung count can come back), rung 0 a straight wire, and every I/O
// comment empty. Presets, accumulators and the on-delay style stay. Redrawing, the comment
// memos, the naming dialog, DiagramChanged and the caption are the window's part.
void Wipe(Plc& plc, IOComments& comments);

}  // namespace torvex
