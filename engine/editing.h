// Editing operations over the rung grid: placing, editing and deleting controls, keeping the
// output column in shape, adding, inserting and deleting rungs, and the long control names.
// They change the diagram and say what happened; asking the user, redrawing and setting the
// changed flag are the caller's. Shared by the editor and the legacy import.
#pragma once

#include <optional>
#include <string>

#include "engine/diagram.h"
#include "engine/editor_state.h"
#include "engine/memory_image.h"

namespace torvex {

// Grid column of control column 0 ... 9 and of link column 0 ... 10.
constexpr int ControlGrid(int controlColumn) {
    return 2 * controlColumn + 1;
}
constexpr int LinkGrid(int linkColumn) {
    return 2 * linkColumn;
}

constexpr int kOutputControlColumn = 9;  // control column of outputs, resets and boxes
constexpr int kLastContactControlColumn = 8;

// True for rungs 0 ... RungCount - 1, the rungs of the program.
inline bool RungInUse(const Diagram& diagram, int rung) {
    return rung >= 0 && rung < diagram.RungCount();
}

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

// --- The output column ---

// First free row (empty or wire) of the output column of rung `rung`; kRows (4) when there is
// none, when a box stands there, or when the rung is not in use.
int OutputPos(const Diagram& diagram, int rung);

// Closes the gaps of the output column: the controls end in rows 0 ... k-1 in their order.
void DoOutputPlaces(RungRecord& rung);

// Wires the output column's controls in parallel to the rail and clears the rows below the
// last of them; row 0 becomes a wire when it is empty.
void DoOutputLinks(RungRecord& rung);

// --- Controls ---

// The dialog in which a control's operand is chosen.
enum class DialogKind { None, Input, Output, Reset, Timer, Counter, BitShift };
DialogKind DialogFor(int32_t code);

enum class PlacementVerdict {
    Accepted,          // open `dialog` for the target
    ConfirmOnContact,  // ask "You are placing this control on top of another contact..."
                       // and treat an OK as Accepted
    NoMoreOutputs,     // warn "No more outputs can be placed on this rung"
    Ignored            // nothing to say, nothing to do
};

struct Placement {
    PlacementVerdict verdict = PlacementVerdict::Ignored;
    int32_t pendingCode = 0;
    int targetColumn = 0;  // control column 0 ... 9
    int targetRow = 0;
    DialogKind dialog = DialogKind::None;
    bool placingNew = false;  // timer and counter dialogs show no stored values
};

// Where palette tool `tool` (0 pointer, 1 ... 9) dropped on control column `column`, row
// `row` of rung `rung` would go. Positions without a cell are ignored.
Placement PlacementFor(const Diagram& diagram, int tool, int rung, int column, int row);

// A drop or click with the palette tool of `state` on the hovered cell: loads the targets
// (TargetSlot = `slot`) and PendingCode, clears PendingKind and PendingNumber, and says
// what follows. Does nothing (Ignored) while a control dialog is open. The caller sets
// EditorMode and PlacingNew when it opens the dialog.
Placement AddControl(EditorState& state, const Diagram& diagram, int rung, int slot, int column,
                     int row);

// What the placement timer writes once a dialog has closed with tag `tag` (0 nothing,
// 1 contact, 2 output-side control): the pending control into the target cell of rung
// `rung`, a box's bottom below it, the Used flag of a timer or counter, and for tag 2 the
// output column put in shape. False when nothing was written: tag 0, a rung not in use, a
// target outside the grid, or a pending control or operand that does not exist.
bool PlacePendingControl(Diagram& diagram, MemoryImage& memory, const EditorState& state, int rung,
                         int tag);

// A control found for editing or deletion; `row` is the box top for a click on a bottom.
struct ControlTarget {
    int column = 0;  // control column
    int row = 0;
    int32_t code = 0;
    int32_t kind = 0;
    int32_t number = 0;
    DialogKind dialog = DialogKind::None;
};

// The control (codes 1 ... 18) at control column `column`, row `row` of rung `rung`, or
// nothing when the rung is not in use or the cell holds none.
std::optional<ControlTarget> ControlAt(const Diagram& diagram, int rung, int column, int row);

// An Edit click: when a control is there and no dialog is open, loads TargetSlot (= `slot`),
// TargetColumn, TargetRow and the pending values from it and returns the dialog to open
// (without PlacingNew); otherwise None and `state` is left alone.
DialogKind EditControl(EditorState& state, const Diagram& diagram, int rung, int slot, int column,
                       int row);

// Deletes the control at the cell (its box top for a bottom): it becomes a wire, a box loses
// its bottom, and the output column is put in shape again. A timer's or counter's Used flag
// is cleared only when no other box for that number stands in the diagram. False when the
// cell holds no control.
bool DeleteControl(Diagram& diagram, MemoryImage& memory, int rung, int column, int row);

// --- Rungs ---

enum class RungEdit {
    Done,
    TableFull,  // all 1001 rungs are in use; nothing changed
    NoSuchRung  // the rung is not in use; nothing changed
};

// A new straight rung after the last.
RungEdit AddRung(Diagram& diagram);
// A new straight rung before rung k (< RungCount); rungs k ... move one down with their
// comments.
RungEdit InsertRung(Diagram& diagram, int k);
// Rung k removed, the rungs after it move one up with their comments. The only rung is not
// removed but made new, so a diagram keeps at least one rung.
RungEdit DeleteRung(Diagram& diagram, int k);

// Sets or clears the lit flag of all 84 cells: the whole rung shows red while its deletion
// is asked about.
void SetRungLit(RungRecord& rung, bool lit);

// --- Long control names, for the delete question (UTF-8) ---

std::string InputName(int32_t kind, int32_t number, bool finnish);
std::string OutputName(int32_t kind, int32_t number, bool finnish);
std::string ResetName(int32_t kind, int32_t number, bool finnish);
std::string BitShiftName(int32_t kind, int32_t number, bool finnish);
// "Output OP3", "(Not) Input Register 2, Bit 5", "Alaslaskuri 4"...; empty for a code that is
// not a control (1 ... 18).
std::string ControlName(int32_t code, int32_t kind, int32_t number, bool finnish);

}  // namespace torvex
