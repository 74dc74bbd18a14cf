// What the editor is doing: shared by the rung view, the main window's edit commands and
// the control dialogs, which hand their answer back through the pending values.
#pragma once

#include <array>
#include <cstdint>

#include "engine/diagram.h"

namespace torvex {

enum EditorModeValue : int {
    emIdle = 0,           // hover, click-to-place and click-to-edit work
    emBusy = 1,           // a click is being handled or a control dialog is open
    emBranchStart = 2,    // waiting for the click where a branch begins
    emBranchEnd = 3,      // waiting for the click where the branch ends
    emDeleteBranch = 4,   // waiting for the click on a branch to delete
    emDeleteControl = 5,  // waiting for the click on a control to delete
    emDeleteRung = 6,     // waiting for the click on a rung to delete
    emEditControl = 7,    // waiting for the click on a control to edit
    emInsertRung = 8,     // waiting for the click on the rung before which to insert
    emRunning = 9         // the diagram runs
};

// Tags of the placement timer: what the closed dialog asks the editor to write.
enum PlaceTag : int { kPlaceNothing = 0, kPlaceContact = 1, kPlaceOutputSide = 2 };

struct EditorState {
    int EditorMode = emIdle;
    int PaletteTool = 0;  // 0 pointer, 1 ... 9 the controls of the palette
    int32_t PendingCode = 0;
    int32_t PendingKind = 0;
    int32_t PendingNumber = 0;
    int TargetSlot = 0;
    int TargetColumn = 0;  // control column 0 ... 9
    int TargetRow = 0;
    int BranchSlot = 0;
    int BranchStartColumn = 0;
    int BranchStartRow = 0;
    bool ControlDialogOpen = false;
    bool PlacingNew = false;
};

}  // namespace torvex
