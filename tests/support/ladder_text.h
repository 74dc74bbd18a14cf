// Builds rungs from a compact text form, so that a test reads like the rung it checks.
//
// A rung is up to four row strings, row 0 first. A row is up to 21 space-separated tokens,
// one per grid column from the rail (column 0) rightwards; missing tokens are empty cells.
//   link columns:    STA FIN THR BRA CRO RET LEF RIG DWN, "-" for THR, "." for NON, and the
//                    marks of a branch being deleted: delBRA delLRET delRRET delFIN1 delFIN2
//                    delSTA delLCRO delRCRO
//   control columns: "-" for LNK, "." for NON, a bare TBT/CBT/BBT/LNK/NON, or a control with
//                    its operand: NOC:IP0  NCC:F3  NOC:R2/5  NOC:C1/UP  NOC:C1/DN  NOC:T1/DN
//                    OUT:OP0  LAT:F2  UNL:R1/7  RES:T1  RES:C2  RES:R3/0  TIM:T1  ODT:T2
//                    CUP:C1  CDN:C1  BL1:IP0  BR2:R2/15  BL1:T1/DN ...
//                    or a raw operand: NOC:9,3 (kind 9, index 3), which may lie outside
//                    the tables on purpose; TBT:0,2 gives a box bottom an operand.
// A malformed token throws std::invalid_argument naming it.
#pragma once

#include <string>
#include <vector>

#include "engine/diagram.h"

namespace torvex::test {

// Writes the rows into rung `index` (emptied first) and makes RungCount at least index + 1.
void SetRung(Diagram& diagram, int index, const std::vector<std::string>& rows);

// A rung of its own, for checks that need no diagram.
RungRecord MakeRung(const std::vector<std::string>& rows);

// Row 0 of a simple rung: `condition` tokens from column 1, wire on to the output column,
// `output` there, FIN at the end. Example: Simple({"NOC:IP0", "NCC:IP1"}, "OUT:OP0").
std::string Simple(const std::vector<std::string>& condition, const std::string& output);

// The fullest rung the grid holds, as the benchmarks use it: contacts on inputs in every
// condition column of all four rows, the rows joined in parallel before four outputs.
// `seed` varies the inputs and outputs named.
std::vector<std::string> FullRung(int seed);

// The power of the rung's cells as rows of 0/1 digits (one per column), for comparisons.
std::vector<std::string> PowerRows(const RungRecord& rung);
std::vector<std::string> LitRows(const RungRecord& rung);

// The rung back in the row form that SetRung reads ("-" for wires and THR, "." for empty
// cells), trailing empty cells and rows left out, so that MakeRung(RungRows(r)) has r's cells
// (the kind and index of link cells aside).
std::vector<std::string> RungRows(const RungRecord& rung);

}  // namespace torvex::test
