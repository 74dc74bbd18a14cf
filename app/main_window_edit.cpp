// The main window's editing commands: the Edit menu, the edit bar, the palette's placing,
// and what the rung view's clicks lead to in each editor mode.

#include <QLabel>
#include <algorithm>
#include <QToolButton>

#include "app/main_window.h"
#include "dialogs/bit_shift_dialog.h"
#include "dialogs/counter_dialog.h"
#include "dialogs/function_dialog.h"
#include "dialogs/input_dialog.h"
#include "dialogs/output_dialog.h"
#include "dialogs/reset_dialog.h"
#include "dialogs/timer_dialog.h"
#include "editor/rung_view.h"
#include "simulation/debugger.h"
#include "engine/branches.h"
#include "engine/editing.h"
#include "engine/plc.h"
#include "engine/run_control.h"
#include "ui/artwork.h"
#include "ui/prompter.h"
#include "ui/workspace.h"

namespace torvex {

namespace {

bool SameComments(const IOComments& a, const IOComments& b) {
    auto same = [](const auto& x, const auto& y) { return std::equal(x.begin(), x.end(), y.begin()); };
    return a.InputComments == b.InputComments && a.OutputComments == b.OutputComments &&
           a.FlagComments == b.FlagComments && same(a.TimerComments, b.TimerComments) &&
           same(a.CounterComments, b.CounterComments) && same(a.RegisterComments, b.RegisterComments);
}

}  // namespace

void TfrmMain::connectRungView() {
    connect(mnuEditShowComments, &QAction::triggered, this, [this] { showComments(true); });
    connect(mnuEditHideComments, &QAction::triggered, this, [this] { showComments(false); });
    connect(btnComments, &QToolButton::clicked, this, &TfrmMain::btnCommentsClick);
    connect(&tmrTrip, &QTimer::timeout, this, &TfrmMain::tmrTripTimer);

    // Menu items press their edit-bar button, so a command's button shows it armed.
    const std::pair<QAction*, QToolButton*> pairs[] = {
        {mnuEditAddRung, btnAddRung},       {mnuEditInsertRung, btnInsertRung},
        {mnuEditDeleteRung, btnDeleteRung}, {mnuEditAddBranch, btnAddBranch},
        {mnuEditDeleteBranch, btnDeleteBranch}};
    for (const auto& [item, button] : pairs) {
        connect(item, &QAction::triggered, button, [button] { button->click(); });
        connect(button, &QToolButton::clicked, button, [button] { button->setChecked(true); });
    }
    connect(btnAddRung, &QToolButton::clicked, this, &TfrmMain::btnAddRungClick);
    connect(btnInsertRung, &QToolButton::clicked, this, &TfrmMain::btnInsertRungClick);
    connect(btnDeleteRung, &QToolButton::clicked, this, &TfrmMain::btnDeleteRungClick);
    connect(btnAddBranch, &QToolButton::clicked, this, &TfrmMain::btnAddBranchClick);
    connect(btnDeleteBranch, &QToolButton::clicked, this, &TfrmMain::btnDeleteBranchClick);
    connect(mnuEditEditControl, &QAction::triggered, this, &TfrmMain::btnEditControlClick);
    connect(mnuEditDeleteControl, &QAction::triggered, this, &TfrmMain::btnDeleteControlClick);

    connect(rungs_, &TfrmRungs::cellClicked, this, &TfrmMain::RungAClick);
    connect(rungs_, &TfrmRungs::cellDoubleClicked, this, [this](int, int, int) { mnuPopupEditClick(); });
    connect(rungs_, &TfrmRungs::toolDropped, this, &TfrmMain::RungADragDrop);
    connect(rungs_, &TfrmRungs::popupEdit, this, &TfrmMain::mnuPopupEditClick);
    connect(rungs_, &TfrmRungs::popupDelete, this, &TfrmMain::mnuPopupDeleteClick);
    connect(rungs_, &TfrmRungs::popupControlComments, this, &TfrmMain::mnuPopupControlCommentsClick);
    connect(rungs_, &TfrmRungs::placementTimerFired, this, &TfrmMain::tmrPlaceTimer);
}

// ---- prompts and the end of a command --------------------------------------------------

void TfrmMain::prompt(const QString& text) { pnlInfoBar->setText(text); }

void TfrmMain::endCommand(QToolButton* button) {
    pnlInfoBar->clear();
    if (button) button->setChecked(false);
    ws_->editor.EditorMode = emIdle;
}

bool TfrmMain::refuseEdit(QToolButton* button) {
    if (!RunInProgress() && !ws_->editor.ControlDialogOpen) return false;
    button->setChecked(false);
    return true;
}

void TfrmMain::warnTableFull(QToolButton* button) {
    prompter_->warn(this, tr("The diagram cannot hold more than 1001 rungs."));
    button->setChecked(false);
}

// ---- edit-bar commands -------------------------------------------------------------------

void TfrmMain::btnAddRungClick() {
    if (refuseEdit(btnAddRung)) return;
    startTrip();
    ws_->editor.EditorMode = emIdle;
    pnlInfoBar->clear();
    Diagram& d = plc_->diagram;
    if (AddRung(d) == RungEdit::TableFull) {
        warnTableFull(btnAddRung);
        btnInsertRung->setChecked(false);
        return;
    }
    // The new rung scrolls into view.
    if (rungs_->TopRung + rungs_->SlotsWhole < d.RungCount())
        rungs_->TopRung = d.RungCount() - rungs_->SlotsWhole;
    rungs_->VisibilityCheck();
    rungs_->DisplayRungs(false, true, false);
    btnAddRung->setChecked(false);
    btnInsertRung->setChecked(false);
    ws_->shell.DiagramChanged = true;
}

void TfrmMain::btnInsertRungClick() {
    if (refuseEdit(btnInsertRung)) return;
    if (plc_->diagram.RungCount() < 2) {
        btnAddRungClick();
        return;
    }
    if (plc_->diagram.RungCount() >= kMaxRungs) {
        warnTableFull(btnInsertRung);
        return;
    }
    startTrip();
    ws_->editor.EditorMode = emInsertRung;
    prompt(tr("Click where you want to insert new rung"));
}

void TfrmMain::btnDeleteRungClick() {
    if (refuseEdit(btnDeleteRung)) return;
    if (plc_->diagram.RungCount() < 2) {
        deleteRungAsked(0, 0);
        btnDeleteRung->setChecked(false);
        return;
    }
    startTrip();
    ws_->editor.EditorMode = emDeleteRung;
    prompt(tr("Click on the rung you wish to delete"));
}

void TfrmMain::btnAddBranchClick() {
    if (refuseEdit(btnAddBranch)) return;
    startTrip();
    ws_->editor.EditorMode = emBranchStart;
    prompt(tr("Click on the diagram where you want the branch to begin"));
}

void TfrmMain::btnDeleteBranchClick() {
    if (refuseEdit(btnDeleteBranch)) return;
    startTrip();
    ws_->editor.EditorMode = emDeleteBranch;
    prompt(tr("Click on the branch you want to delete"));
}

void TfrmMain::btnEditControlClick() {
    ws_->editor.EditorMode = emEditControl;
    prompt(tr("Click on the control you wish to edit"));
}

void TfrmMain::btnDeleteControlClick() {
    ws_->editor.EditorMode = emDeleteControl;
    prompt(tr("Click on the control you wish to delete"));
}

void TfrmMain::showComments(bool show) {
    if (ws_->editor.ControlDialogOpen || !rungs_) return;
    rungs_->DisplayComments(show);
    ws_->editor.EditorMode = emIdle;
    pnlInfoBar->clear();
}

void TfrmMain::btnCommentsClick() {
    if (RunInProgress() || ws_->editor.ControlDialogOpen || !rungs_) return;
    startTrip();
    rungs_->DoComments();
    ws_->editor.EditorMode = emIdle;
    pnlInfoBar->clear();
}

void TfrmMain::releaseEditButtons() {
    for (QToolButton* b : {btnAddRung, btnInsertRung, btnDeleteRung, btnAddBranch, btnDeleteBranch})
        b->setChecked(false);
}

void TfrmMain::tmrTripTimer() {
    // An armed command lapses.
    if (!RunInProgress()) {
        releaseEditButtons();
        pnlInfoBar->clear();
        ws_->editor.EditorMode = emIdle;
    }
    tmrTrip.stop();
}

void TfrmMain::startTrip() {
    if (!tmrTrip.isActive()) tmrTrip.start();  // a further command does not restart it
}

// ---- the rung view's gestures ---------------------------------------------------------

void TfrmMain::RungADragDrop(int slot, int column, int row, int tool) {
    if (RunInProgress() || ws_->editor.EditorMode == emRunning) return;
    ws_->editor.PaletteTool = tool;
    rungs_->Highlight(slot, column, row, false, false, true);
    AddControlHere();
}

void TfrmMain::RungAClick(int slot, int column, int row) {
    EditorState& e = ws_->editor;
    if (e.EditorMode == emRunning || e.EditorMode == emBusy || RunInProgress()) return;
    // The click acts on the cell under the mouse, as the last hover highlighted it.
    const bool allowWire = e.EditorMode == emIdle || e.EditorMode == emBranchStart ||
                           e.EditorMode == emBranchEnd || e.EditorMode == emDeleteControl ||
                           e.EditorMode == emEditControl;
    rungs_->Highlight(slot, column, row, true, e.EditorMode == emIdle, allowWire);
    if (e.EditorMode == emIdle) {
        if (e.PaletteTool != kToolPointer && rungs_->HoverCursor == TfrmRungs::HoverCursorKind::Tool) {
            AddControlHere();
            return;
        }
        if (rungs_->HoverCursor == TfrmRungs::HoverCursorKind::HandPoint) e.EditorMode = emEditControl;
    }
    handleModeClick(slot, column, row);
}

void TfrmMain::handleModeClick(int slot, int column, int row) {
    switch (ws_->editor.EditorMode) {
        case emEditControl: editControlClick(slot, column, row); break;
        case emDeleteControl: deleteControlClick(slot, column, row); break;
        case emDeleteRung: deleteRungClick(slot); break;
        case emInsertRung: insertRungClick(slot); break;
        case emBranchStart: branchStartClick(slot, column, row); break;
        case emBranchEnd: branchEndClick(slot, column); break;
        case emDeleteBranch: deleteBranchClick(slot, column, row); break;
        default: break;
    }
}

void TfrmMain::mnuPopupEditClick() {
    if (ws_->editor.EditorMode == emRunning || ws_->editor.ControlDialogOpen || RunInProgress()) return;
    ws_->editor.EditorMode = emEditControl;
    handleModeClick(rungs_->HoverSlot, rungs_->HoverColumn, rungs_->HoverRow);
}

void TfrmMain::mnuPopupDeleteClick() {
    if (ws_->editor.EditorMode == emRunning || ws_->editor.ControlDialogOpen || RunInProgress()) return;
    ws_->editor.EditorMode = emDeleteControl;
    handleModeClick(rungs_->HoverSlot, rungs_->HoverColumn, rungs_->HoverRow);
}

void TfrmMain::mnuPopupControlCommentsClick() {
    if (ws_->editor.ControlDialogOpen) return;
    RungRecord* rung = rungs_->rungInSlot(rungs_->HoverSlot);
    const int column = rungs_->HoverColumn, row = rungs_->HoverRow;
    if (!rung || column < 0 || column >= kControlColumns || row < 0 || row >= kRows) return;
    const int c = ControlGrid(column);
    // A bit-shift box bottom names its data bit; the comment belongs to the register above.
    const int w = rung->Code(c, row) == Control::BBT ? 0 : row;
    auto* dialog = new TfrmFunction(
        FunctionDialogContext{ws_->comments, ws_->shell.FunctionOpen, ws_->editor.ControlDialogOpen,
                              LargeFonts()},
        rung->Code(c, w), rung->Kind(c, w), rung->Index(c, w), this);
    connect(this, &TfrmMain::wiped, dialog, &QWidget::close);
    // A stored comment is an edit of the diagram.
    connect(dialog, &QObject::destroyed, this, [this, before = ws_->comments] {
        if (!SameComments(before, ws_->comments)) ws_->shell.DiagramChanged = true;
    });
    dialog->show();
}

// ---- placing -------------------------------------------------------------------------------

void TfrmMain::AddControlHere() {
    EditorState& e = ws_->editor;
    if (e.ControlDialogOpen) return;
    rungs_->tmrPlaceTag = kPlaceNothing;
    Placement p = AddControl(e, plc_->diagram, rungs_->TopRung + rungs_->HoverSlot, rungs_->HoverSlot,
                             rungs_->HoverColumn, rungs_->HoverRow);
    switch (p.verdict) {
        case PlacementVerdict::Ignored:
            return;
        case PlacementVerdict::NoMoreOutputs:
            prompter_->warn(this, tr("No more outputs can be placed on this rung"));
            return;
        case PlacementVerdict::ConfirmOnContact:
            if (prompter_->message(this, Prompter::Icon::Information,
                                   QStringLiteral("You are placing this control on top of another "
                                                  "contact.\r\nDo you wish to continue?"),
                                   Prompter::Ok | Prompter::Cancel) != Prompter::Ok)
                return;
            break;
        case PlacementVerdict::Accepted:
            break;
    }
    e.EditorMode = emBusy;
    e.PlacingNew = p.placingNew;
    openControlDialog(p.dialog);
}

void TfrmMain::openControlDialog(DialogKind kind) {
    const ControlDialogContext context{ws_->editor, plc_->memory, *prompter_, LargeFonts()};
    ControlDialog* dialog = nullptr;
    switch (kind) {
        case DialogKind::Input: dialog = new TfrmInput(context, this); break;
        case DialogKind::Output: dialog = new TfrmOutput(context, this); break;
        case DialogKind::Reset: dialog = new TfrmReset(context, this); break;
        case DialogKind::Timer: dialog = new TfrmTimer(context, this); break;
        case DialogKind::Counter: dialog = new TfrmCounter(context, this); break;
        case DialogKind::BitShift: dialog = new TfrmBitShift(context, this); break;
        case DialogKind::None: ws_->editor.EditorMode = emIdle; return;
    }
    // The answer becomes the pending control, placed when tmrPlace fires; a dialog closed
    // without OK leaves the pending values alone and only ends the placement.
    connect(dialog, &ControlDialog::answered, this, [this](const ControlAnswer& answer) {
        EditorState& e = ws_->editor;
        if (answer.tag != kPlaceNothing) {
            e.PendingCode = answer.code;
            e.PendingKind = answer.kind;
            e.PendingNumber = answer.index;
        }
        if (!rungs_) return;
        rungs_->tmrPlaceTag = answer.tag;
        rungs_->tmrPlace.start();
    });
    dialog->show();
}

void TfrmMain::tmrPlaceTimer(int tag) {
    EditorState& e = ws_->editor;
    const int slot = e.TargetSlot;
    const int rung = rungs_->TopRung + slot;
    if (PlacePendingControl(plc_->diagram, plc_->memory, e, rung, tag)) {
        rungs_->DisplayRung(slot, rung, true, false);
        ws_->shell.DiagramChanged = true;
        if (debugger_) debugger_->UpdateDisplay(false);  // a preset may have changed
    }
    rungs_->tmrPlaceTag = kPlaceNothing;
    rungs_->tmrPlace.stop();
    e.EditorMode = emIdle;
}

// ---- the armed commands' clicks ------------------------------------------------------

void TfrmMain::editControlClick(int slot, int column, int row) {
    EditorState& e = ws_->editor;
    e.EditorMode = emBusy;
    pnlInfoBar->clear();
    const DialogKind kind = EditControl(e, plc_->diagram, rungs_->TopRung + slot, slot, column, row);
    if (kind == DialogKind::None) {
        e.EditorMode = emIdle;
        return;
    }
    e.PlacingNew = false;
    openControlDialog(kind);
}

void TfrmMain::deleteControlClick(int slot, int column, int row) {
    ws_->editor.EditorMode = emBusy;
    const int rung = rungs_->TopRung + slot;
    if (const auto target = ControlAt(plc_->diagram, rung, column, row)) {
        const QString name = QString::fromStdString(
            ControlName(target->code, target->kind, target->number, FinnishTexts()));
        if (prompter_->confirm(this, tr("Are you sure you want to delete %1?").arg(name))) {
            DeleteControl(plc_->diagram, plc_->memory, rung, column, row);
            rungs_->DisplayRung(slot, rung, true, false);
            ws_->shell.DiagramChanged = true;
        }
    }
    endCommand(nullptr);
}

void TfrmMain::deleteRungAsked(int slot, int rung) {
    RungRecord& record = plc_->diagram.Rungs[rung];
    // A comment still being typed is stored before the rungs move.
    if (rungs_->tmrTheComments.isActive()) rungs_->MemoExit(rungs_->tmrTheCommentsTag);
    SetRungLit(record, true);
    rungs_->DisplayRung(slot, rung, false, true);
    if (prompter_->confirm(this, tr("Are you sure you want to delete rung %1?").arg(rung))) {
        DeleteRung(plc_->diagram, rung);
        rungs_->TopRung = qBound(0, rungs_->TopRung, plc_->diagram.RungCount() - 1);
        rungs_->VisibilityCheck();
        rungs_->DisplayRungs(false, true, true);
        ws_->shell.DiagramChanged = true;
    } else {
        SetRungLit(record, false);
        rungs_->DisplayRung(slot, rung, true, false);
    }
}

void TfrmMain::deleteRungClick(int slot) {
    const int rung = rungs_->TopRung + slot;
    if (rung < plc_->diagram.RungCount()) deleteRungAsked(slot, rung);
    endCommand(btnDeleteRung);
}

void TfrmMain::insertRungClick(int slot) {
    const int rung = rungs_->TopRung + slot;
    if (rung < plc_->diagram.RungCount()) {
        if (rungs_->tmrTheComments.isActive()) rungs_->MemoExit(rungs_->tmrTheCommentsTag);
        if (InsertRung(plc_->diagram, rung) == RungEdit::TableFull) {
            warnTableFull(btnInsertRung);
        } else {
            rungs_->VisibilityCheck();
            rungs_->DisplayRungs(false, true, true);
            ws_->shell.DiagramChanged = true;
        }
    }
    endCommand(btnInsertRung);
}

void TfrmMain::branchStartClick(int slot, int column, int row) {
    EditorState& e = ws_->editor;
    if (BranchStartAccepted(plc_->diagram, rungs_->TopRung + slot, column)) {
        e.BranchSlot = slot;
        e.BranchStartColumn = column;
        e.BranchStartRow = row;
        e.EditorMode = emBranchEnd;
        prompt(tr("Now click on the diagram where you want the branch to end"));
        return;
    }
    endCommand(btnAddBranch);
}

void TfrmMain::branchEndClick(int slot, int column) {
    EditorState& e = ws_->editor;
    e.EditorMode = emBusy;
    const int rung = rungs_->TopRung + slot;
    if (slot == e.BranchSlot) {
        if (const auto span = BranchFor(plc_->diagram, rung, e.BranchStartColumn, column)) {
            RungRecord& record = plc_->diagram.Rungs[rung];
            const RungBackup backup = BackupRung(record);
            DrawBranch(record, span->start, span->end, span->row);
            rungs_->DisplayRung(slot, rung, true, false);
            // Anything but No keeps the branch.
            if (prompter_->message(this, Prompter::Icon::Question, tr("Is this branch correct?"),
                                   Prompter::Yes | Prompter::No) == Prompter::No) {
                RestoreRung(record, backup);
                rungs_->DisplayRung(slot, rung, true, false);
            } else {
                ws_->shell.DiagramChanged = true;
            }
        }
    }
    endCommand(btnAddBranch);
}

void TfrmMain::deleteBranchClick(int slot, int column, int row) {
    ws_->editor.EditorMode = emBusy;
    const int rung = rungs_->TopRung + slot;
    if (BranchClickAccepted(plc_->diagram, rung, column, row)) {
        RungRecord& record = plc_->diagram.Rungs[rung];
        const RungBackup backup = BackupRung(record);
        FindBranch(record, column, row);
        rungs_->DisplayRung(slot, rung, false, true);  // the branch shows red, its ends marked
        if (prompter_->confirm(this, tr("Do you wish to delete this branch?"))) {
            WipeBranch(record);
            RestoreLinks(record);
        } else {
            RestoreRung(record, backup);
        }
        rungs_->DisplayRung(slot, rung, true, false);
        ws_->shell.DiagramChanged = true;
    }
    endCommand(btnDeleteBranch);
}

}  // namespace torvex
