// The guard between a file and the scan: a cell whose operand lies outside its table is
// cleared, so the scan, the rung view and the writer only ever meet operands that exist.
#pragma once

#include <string>
#include <vector>

#include "engine/diagram.h"

namespace torvex {

struct ClearedCell {
    int rung;
    int row;
    int column;  // control column 0 ... 9
};

// True when the cell's kind and number make sense for its code: a control's operand exists,
// a box bottom names its timer, counter or source bit, and every value fits the file's
// three-character field.
bool CellOperandFits(int32_t code, int32_t kind, int32_t index);

// Clears every control cell of the rungs in use whose operand does not fit: a control or a
// box bottom becomes an empty cell, an empty cell or a wire keeps its code and loses the
// operand. Returns the cells it cleared, in rung, row, column order.
std::vector<ClearedCell> ClearInvalidOperands(Diagram& diagram);

// One warning naming every cleared cell, or empty when there is none.
std::string ClearedCellsWarning(const std::vector<ClearedCell>& cells);

// Lists at most a screenful of names, then how many more there were.
std::string ListNames(const std::vector<std::string>& names, bool finnish = false);

}  // namespace torvex
