// What every fuzz input must leave true, whatever it held.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/plc.h"
#include "files/cell_check.h"
#include "files/io_comments.h"
#include "files/ladder_reader.h"
#include "files/ladder_writer.h"

namespace torvex::fuzz {

[[noreturn]] inline void Broken(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

// Only operands that exist reach the scan; a few scans then stay inside the memory image.
inline void CheckModel(Plc& plc) {
    const Diagram& d = plc.diagram;
    if (d.RungCount() < 0 || d.RungCount() > kMaxRungs) Broken("rung count outside the table");
    for (int r = 0; r < d.RungCount(); ++r)
        for (int g = 1; g < kColumns; g += 2)
            for (int w = 0; w < kRows; ++w)
                if (!CellOperandFits(d.Rungs[r].Code(g, w), d.Rungs[r].Kind(g, w),
                                     d.Rungs[r].Index(g, w)))
                    Broken("an operand outside its table was left in the diagram");
    plc.StartRun();
    for (int k = 0; k < 3; ++k) {
        for (int i = 0; i < kPoints; ++i) plc.memory.Inputs[i].Raw = (k + i) % 2;
        plc.RunStep();
    }
    plc.EndRun();
}

// A completed load, saved and loaded again, saves to the same bytes.
inline void CheckRoundTrip(Plc& plc, const IOComments& comments, const LoadResult& result,
                           Plc& scratch) {
    if (!result.completed) return;
    const std::string first = LadderText(plc, comments, result.settingsAfterLoad());
    IOComments again;
    const LoadResult back = LoadLadderText(scratch, again, first);
    if (!back.completed) Broken("a saved diagram does not load");
    if (!back.warnings.empty()) Broken("a saved diagram loads with warnings");
    if (LadderText(scratch, again, back.settingsAfterLoad()) != first)
        Broken("a saved diagram does not save to the same bytes");
}

}  // namespace torvex::fuzz
