// Parallel branches: drawing one under the rung line, and finding, wiping and tidying up
// after one that the user deletes. A branch is a row of wires in rows 1 ... 3 between two
// link columns, joined to the rows above by risers.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/diagram.h"

namespace torvex {

// Link codes that mark a branch while its deletion is confirmed: each draws as the link in
// its name with one arm in red, and conducts nothing. WipeBranch turns them into links again.
struct DeletionLink {
    enum : int32_t {
        delBRA = 10,
        delLRET = 11,
        delRRET = 12,
        delFIN1 = 13,
        delFIN2 = 14,
        delSTA = 15,
        delLCRO = 16,
        delRCRO = 17
    };
};

// Branches start and end in control columns 0 ... 7.
constexpr int kLastBranchControlColumn = 7;

// A copy of what a branch edit may change, to put a rejected edit back.
struct RungBackup {
    int32_t Code[kColumns][kRows] = {};
    int32_t Kind[kColumns][kRows] = {};
    int32_t Index[kColumns][kRows] = {};
    bool Lit[kColumns][kRows] = {};
};

RungBackup BackupRung(const RungRecord& rung);
// Writes the copy back and clears the deletion marks (the Power flags) left by FindBranch.
void RestoreRung(RungRecord& rung, const RungBackup& backup);

// --- Add Branch ---

struct BranchSpan {
    int start = 0;  // control columns, start <= end
    int end = 0;
    int row = 0;
};

// Whether the first click of Add Branch, on control column `column` of rung `rung`, can
// begin a branch.
bool BranchStartAccepted(const Diagram& diagram, int rung, int column);

// The first row whose control cells from `start` to `end` are all empty, or -1.
int BranchRow(const RungRecord& rung, int start, int end);

// The branch that clicks on control columns `first` and `second` of rung `rung` draw (in
// column order), or nothing when a column is not below 8, the rung is not in use or no row
// has room. The caller checks that both clicks were in the same slot.
std::optional<BranchSpan> BranchFor(const Diagram& diagram, int rung, int first, int second);

// Draws a branch of wires on `row` from control column `start` to `end` (swapped when given
// the other way round) and joins its ends to the rows above. Columns outside 0 ... 7 or a
// row outside the grid draw nothing.
void DrawBranch(RungRecord& rung, int start, int end, int row);

// --- Delete Branch ---

// Whether a Delete Branch click on control column `column`, row `row` of rung `rung` is on a
// branch: a cell that is not empty, below row 0 and left of the output column.
bool BranchClickAccepted(const Diagram& diagram, int rung, int column, int row);

// Marks the branch through control column `column`, row `row` (sets Power and Lit of its
// cells) and turns the links at its ends into deletion links.
void FindBranch(RungRecord& rung, int column, int row);

// Removes every marked cell: controls become empty, links lose the arms of the branch.
void WipeBranch(RungRecord& rung);

// After WipeBranch: drops the emptied row, the rows below moving up, and makes the links
// and the left rail whole again.
void RestoreLinks(RungRecord& rung);

}  // namespace torvex
