#include "engine/editing.h"

namespace torvex {

namespace {
constexpr int kRungEndColumn = kOutputColumn - 1;  // link column 9
constexpr int kRailColumn = kColumns - 1;          // link column 10
}  // namespace

int LastOutputRow(const RungRecord& rung) {
    for (int w = kRows - 1; w >= 0; --w)
        if (IsOccupied(rung.Code(kOutputColumn, w))) return w;
    return -1;
}

void WireParallelOutputs(RungRecord& rung, int lastRow) {
    if (lastRow < 1 || lastRow >= kRows) return;
    rung.setCode(kRungEndColumn, 0, Link::BRA);
    for (int w = 1; w < lastRow; ++w) rung.setCode(kRungEndColumn, w, Link::STA);
    rung.setCode(kRungEndColumn, lastRow, Link::LEF);
    for (int w = 1; w <= lastRow; ++w) rung.setCode(kRailColumn, w, Link::FIN);
}

}  // namespace torvex
