#include "editor/rung_editor.h"

#include <QAction>
#include <QActionGroup>

#include "editor/rung_view.h"
#include "engine/branches.h"
#include "engine/plc.h"
#include "ui/artwork.h"
#include "ui/prompter.h"
#include "ui/workspace.h"

namespace torvex {

namespace {

QAction* Command(QObject* parent, const char* name, const QString& caption) {
    auto* action = new QAction(caption, parent);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

constexpr int kTripInterval = 15000;  // an armed command lapses after 15 s

}  // namespace

RungEditor::RungEditor(Workspace& workspace, TfrmRungs& view, const Actions& actions,
                       std::function<bool()> runInProgress, QObject* parent)
    : QObject(parent),
      ws_(workspace),
      view_(view),
      runInProgress_(std::move(runInProgress)),
      actions_(actions) {
    setObjectName(QStringLiteral("rungEditor"));
    connectActions();
    tmrTrip_.setObjectName(QStringLiteral("tmrTrip"));
    tmrTrip_.setParent(this);
    tmrTrip_.setSingleShot(true);
    tmrTrip_.setInterval(kTripInterval);
    connect(&tmrTrip_, &QTimer::timeout, this, &RungEditor::tmrTripTimer);

    connect(&view_, &TfrmRungs::cellClicked, this, &RungEditor::RungAClick);
    connect(&view_, &TfrmRungs::cellDoubleClicked, this, [this] { mnuPopupEditClick(); });
    connect(&view_, &TfrmRungs::toolDropped, this, &RungEditor::RungADragDrop);
    connect(&view_, &TfrmRungs::popupEdit, this, &RungEditor::mnuPopupEditClick);
    connect(&view_, &TfrmRungs::popupDelete, this, &RungEditor::mnuPopupDeleteClick);
    connect(&view_, &TfrmRungs::popupControlComments, this,
            &RungEditor::mnuPopupControlCommentsClick);
    connect(&view_, &TfrmRungs::placementTimerFired, this, &RungEditor::tmrPlaceTimer);
}

RungEditor::Actions RungEditor::MakeActions(QObject* owner) {
    Actions a;
    a.addRung = Command(owner, "mnuEditAddRung", tr("&Add Rung"));
    a.insertRung = Command(owner, "mnuEditInsertRung", tr("&Insert Rung"));
    a.deleteRung = Command(owner, "mnuEditDeleteRung", tr("&Delete Rung"));
    a.addBranch = Command(owner, "mnuEditAddBranch", tr("Add &Branch"));
    a.deleteBranch = Command(owner, "mnuEditDeleteBranch", tr("Delete B&ranch"));
    a.editControl = Command(owner, "mnuEditEditControl", tr("Edit &Control"));
    a.deleteControl = Command(owner, "mnuEditDeleteControl", tr("Delete C&ontrol"));
    a.showComments = Command(owner, "mnuEditShowComments", tr("&Show Comments"));
    a.hideComments = Command(owner, "mnuEditHideComments", tr("&Hide Comments"));
    a.comments = Command(owner, "actComments", tr("Comments"));
    a.comments->setIcon(GlyphIcon(Glyph::Comments));
    // The edit bar's hints have no Finnish form.
    a.editBar = new QActionGroup(owner);
    a.editBar->setObjectName(QStringLiteral("editBar"));
    a.editBar->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const struct {
        QAction* action;
        const char* hint;
        Glyph glyph;
    } bar[] = {
        {a.addRung, "Add Rung", Glyph::AddRung},
        {a.insertRung, "Insert Rung", Glyph::InsertRung},
        {a.deleteRung, "Delete Rung", Glyph::DeleteRung},
        {a.addBranch, "Add Branch", Glyph::AddBranch},
        {a.deleteBranch, "Delete Branch", Glyph::DeleteBranch},
    };
    for (const auto& b : bar) {
        b.action->setCheckable(true);
        b.action->setToolTip(QString::fromLatin1(b.hint));
        b.action->setIcon(GlyphIcon(b.glyph));
        a.editBar->addAction(b.action);
    }
    return a;
}

void RungEditor::connectActions() {
    const Actions& a = actions_;
    const std::pair<QAction*, void (RungEditor::*)()> bar[] = {
        {a.addRung, &RungEditor::btnAddRungClick},
        {a.insertRung, &RungEditor::btnInsertRungClick},
        {a.deleteRung, &RungEditor::btnDeleteRungClick},
        {a.addBranch, &RungEditor::btnAddBranchClick},
        {a.deleteBranch, &RungEditor::btnDeleteBranchClick},
    };
    for (const auto& [action, handler] : bar) {
        // A command shows armed from its click on, even when its button was down already.
        connect(action, &QAction::triggered, this, [this, action = action, h = handler] {
            action->setChecked(true);
            (this->*h)();
        });
    }
    connect(a.editControl, &QAction::triggered, this, &RungEditor::btnEditControlClick);
    connect(a.deleteControl, &QAction::triggered, this, &RungEditor::btnDeleteControlClick);
    connect(a.showComments, &QAction::triggered, this, [this] { showComments(true); });
    connect(a.hideComments, &QAction::triggered, this, [this] { showComments(false); });
    connect(a.comments, &QAction::triggered, this, &RungEditor::btnCommentsClick);
}

// ---- prompts and the end of a command --------------------------------------------------

bool RungEditor::busy() const {
    return runInProgress_() || ws_.editor.ControlDialogOpen;
}

void RungEditor::clearPrompt() {
    emit prompt(QString());
}

void RungEditor::endCommand(QAction* action) {
    clearPrompt();
    if (action) action->setChecked(false);
    ws_.editor.EditorMode = emIdle;
}

bool RungEditor::refuseEdit(QAction* action) {
    if (!busy()) return false;
    action->setChecked(false);
    return true;
}

void RungEditor::warnTableFull(QAction* action) {
    ws_.prompter.warn(view_.parentWidget(), tr("The diagram cannot hold more than 1001 rungs."));
    action->setChecked(false);
}

void RungEditor::startTrip() {
    if (!tmrTrip_.isActive()) tmrTrip_.start();  // a further command does not restart it
}

void RungEditor::edited() {
    ws_.shell.DiagramChanged = true;
    emit diagramEdited();
}

void RungEditor::disarm() {
    for (QAction* action : actions_.editBar->actions()) action->setChecked(false);
    clearPrompt();
    ws_.editor.EditorMode = emIdle;
}

void RungEditor::tmrTripTimer() {
    if (!runInProgress_()) disarm();
    tmrTrip_.stop();
}

// ---- edit-bar commands -------------------------------------------------------------------

void RungEditor::btnAddRungClick() {
    if (refuseEdit(actions_.addRung)) return;
    startTrip();
    ws_.editor.EditorMode = emIdle;
    clearPrompt();
    Diagram& d = ws_.plc.diagram;
    if (AddRung(d) == RungEdit::TableFull) {
        warnTableFull(actions_.addRung);
        return;
    }
    // The new rung scrolls into view.
    if (view_.TopRung() + view_.SlotsWhole() < d.RungCount())
        view_.setTopRung(d.RungCount() - view_.SlotsWhole());
    view_.VisibilityCheck();
    view_.DisplayRungs(RungDraw::ClearLit);
    actions_.addRung->setChecked(false);
    edited();
}

void RungEditor::btnInsertRungClick() {
    if (refuseEdit(actions_.insertRung)) return;
    if (ws_.plc.diagram.RungCount() < 2) {
        actions_.insertRung->setChecked(false);
        btnAddRungClick();
        return;
    }
    if (ws_.plc.diagram.RungCount() >= kMaxRungs) {
        warnTableFull(actions_.insertRung);
        return;
    }
    startTrip();
    ws_.editor.EditorMode = emInsertRung;
    emit prompt(tr("Click where you want to insert new rung"));
}

void RungEditor::btnDeleteRungClick() {
    if (refuseEdit(actions_.deleteRung)) return;
    if (ws_.plc.diagram.RungCount() < 2) {
        deleteRungAsked(0, 0);
        actions_.deleteRung->setChecked(false);
        return;
    }
    startTrip();
    ws_.editor.EditorMode = emDeleteRung;
    emit prompt(tr("Click on the rung you wish to delete"));
}

void RungEditor::btnAddBranchClick() {
    if (refuseEdit(actions_.addBranch)) return;
    startTrip();
    ws_.editor.EditorMode = emBranchStart;
    emit prompt(tr("Click on the diagram where you want the branch to begin"));
}

void RungEditor::btnDeleteBranchClick() {
    if (refuseEdit(actions_.deleteBranch)) return;
    startTrip();
    ws_.editor.EditorMode = emDeleteBranch;
    emit prompt(tr("Click on the branch you want to delete"));
}

void RungEditor::btnEditControlClick() {
    ws_.editor.EditorMode = emEditControl;
    emit prompt(tr("Click on the control you wish to edit"));
}

void RungEditor::btnDeleteControlClick() {
    ws_.editor.EditorMode = emDeleteControl;
    emit prompt(tr("Click on the control you wish to delete"));
}

void RungEditor::showComments(bool show) {
    if (ws_.editor.ControlDialogOpen) return;
    view_.DisplayComments(show);
    ws_.editor.EditorMode = emIdle;
    clearPrompt();
}

void RungEditor::btnCommentsClick() {
    if (busy()) return;
    startTrip();
    view_.DoComments();
    ws_.editor.EditorMode = emIdle;
    clearPrompt();
}

// ---- the rung view's gestures ---------------------------------------------------------

void RungEditor::RungADragDrop(int slot, int column, int row, int tool) {
    if (runInProgress_() || ws_.editor.EditorMode == emRunning) return;
    ws_.editor.PaletteTool = tool;
    view_.Highlight(slot, column, row, TfrmRungs::Mark::AllowWire);
    AddControlHere();
}

void RungEditor::RungAClick(int slot, int column, int row) {
    EditorState& e = ws_.editor;
    if (e.EditorMode == emRunning || e.EditorMode == emBusy || runInProgress_()) return;
    // The click acts on the cell under the mouse, as the last hover highlighted it.
    const bool allowWire = e.EditorMode == emIdle || e.EditorMode == emBranchStart ||
                           e.EditorMode == emBranchEnd || e.EditorMode == emDeleteControl ||
                           e.EditorMode == emEditControl;
    TfrmRungs::Marks marks = TfrmRungs::Mark::ShowMark;
    if (e.EditorMode == emIdle) marks |= TfrmRungs::Mark::UseTool;
    if (allowWire) marks |= TfrmRungs::Mark::AllowWire;
    view_.Highlight(slot, column, row, marks);
    if (e.EditorMode == emIdle) {
        if (e.PaletteTool != kToolPointer &&
            view_.HoverCursor() == TfrmRungs::HoverCursorKind::Tool) {
            AddControlHere();
            return;
        }
        if (view_.HoverCursor() == TfrmRungs::HoverCursorKind::HandPoint)
            e.EditorMode = emEditControl;
    }
    handleModeClick(slot, column, row);
}

void RungEditor::handleModeClick(int slot, int column, int row) {
    switch (ws_.editor.EditorMode) {
        case emEditControl:
            editControlClick(slot, column, row);
            break;
        case emDeleteControl:
            deleteControlClick(slot, column, row);
            break;
        case emDeleteRung:
            deleteRungClick(slot);
            break;
        case emInsertRung:
            insertRungClick(slot);
            break;
        case emBranchStart:
            branchStartClick(slot, column, row);
            break;
        case emBranchEnd:
            branchEndClick(slot, column);
            break;
        case emDeleteBranch:
            deleteBranchClick(slot, column, row);
            break;
        default:
            break;
    }
}

void RungEditor::mnuPopupEditClick() {
    if (ws_.editor.EditorMode == emRunning || busy()) return;
    ws_.editor.EditorMode = emEditControl;
    handleModeClick(view_.HoverSlot(), view_.HoverColumn(), view_.HoverRow());
}

void RungEditor::mnuPopupDeleteClick() {
    if (ws_.editor.EditorMode == emRunning || busy()) return;
    ws_.editor.EditorMode = emDeleteControl;
    handleModeClick(view_.HoverSlot(), view_.HoverColumn(), view_.HoverRow());
}

void RungEditor::mnuPopupControlCommentsClick() {
    if (ws_.editor.ControlDialogOpen) return;
    const RungRecord* rung = view_.rungInSlot(view_.HoverSlot());
    const int column = view_.HoverColumn(), row = view_.HoverRow();
    if (!rung || column < 0 || column >= kControlColumns || row < 0 || row >= kRows) return;
    const int c = ControlGrid(column);
    // A bit-shift box bottom names its data bit; the comment belongs to the register above.
    const int w = rung->Code(c, row) == Control::BBT ? 0 : row;
    emit controlCommentsWanted(rung->Code(c, w), rung->Kind(c, w), rung->Index(c, w));
}

// ---- placing -------------------------------------------------------------------------------

void RungEditor::AddControlHere() {
    EditorState& e = ws_.editor;
    if (e.ControlDialogOpen) return;
    view_.stopPlacement();
    const Placement p = AddControl(e, ws_.plc.diagram, view_.TopRung() + view_.HoverSlot(),
                                   view_.HoverSlot(), view_.HoverColumn(), view_.HoverRow());
    switch (p.verdict) {
        case PlacementVerdict::Ignored:
            placementRefused();
            return;
        case PlacementVerdict::NoMoreOutputs:
            ws_.prompter.warn(view_.parentWidget(),
                              tr("No more outputs can be placed on this rung"));
            placementRefused();
            return;
        case PlacementVerdict::ConfirmOnContact:
            if (ws_.prompter.message(view_.parentWidget(), Prompter::Icon::Information,
                                     QStringLiteral("You are placing this control on top of "
                                                    "another contact.\r\nDo you wish to continue?"),
                                     Prompter::Ok | Prompter::Cancel) != Prompter::Ok) {
                placementRefused();
                return;
            }
            break;
        case PlacementVerdict::Accepted:
            break;
    }
    if (p.dialog == DialogKind::None) {
        e.EditorMode = emIdle;
        placementRefused();
        return;
    }
    e.EditorMode = emBusy;
    e.PlacingNew = p.placingNew;
    emit controlDialogWanted(p.dialog);
}

void RungEditor::controlAnswered(int32_t code, int32_t kind, int32_t index, int tag) {
    EditorState& e = ws_.editor;
    if (tag != kPlaceNothing) {
        e.PendingCode = code;
        e.PendingKind = kind;
        e.PendingNumber = index;
    }
    view_.startPlacement(tag);
}

void RungEditor::tmrPlaceTimer(int tag) {
    EditorState& e = ws_.editor;
    const int slot = e.TargetSlot;
    const int rung = view_.TopRung() + slot;
    view_.stopPlacement();
    e.EditorMode = emIdle;
    if (PlacePendingControl(ws_.plc.diagram, ws_.plc.memory, e, rung, tag)) {
        view_.DisplayRung(slot, rung, RungDraw::ClearLit);
        edited();
        emit presetsChanged();
    } else {
        placementRefused();
    }
}

void RungEditor::placementRefused() {
    view_.ClearHighlight();
}

// ---- the armed commands' clicks ------------------------------------------------------

void RungEditor::editControlClick(int slot, int column, int row) {
    EditorState& e = ws_.editor;
    e.EditorMode = emBusy;
    clearPrompt();
    const DialogKind kind =
        EditControl(e, ws_.plc.diagram, view_.TopRung() + slot, slot, column, row);
    if (kind == DialogKind::None) {
        e.EditorMode = emIdle;
        view_.ClearHighlight();
        return;
    }
    e.PlacingNew = false;
    emit controlDialogWanted(kind);
}

void RungEditor::deleteControlClick(int slot, int column, int row) {
    ws_.editor.EditorMode = emBusy;
    const int rung = view_.TopRung() + slot;
    if (const auto target = ControlAt(ws_.plc.diagram, rung, column, row)) {
        const QString name = QString::fromStdString(
            ControlName(target->code, target->kind, target->number, ws_.shell.FinnishTexts));
        if (ws_.prompter.confirm(view_.parentWidget(),
                                 tr("Are you sure you want to delete %1?").arg(name))) {
            DeleteControl(ws_.plc.diagram, ws_.plc.memory, rung, column, row);
            edited();
        }
        view_.ClearHighlight();
    }
    endCommand(nullptr);
}

void RungEditor::deleteRungAsked(int slot, int rung) {
    RungRecord& record = ws_.plc.diagram.Rungs[rung];
    // A comment still being typed is stored before the rungs move.
    view_.storePendingComment();
    SetRungLit(record, true);
    view_.DisplayRung(slot, rung, RungDraw::Live);
    if (ws_.prompter.confirm(view_.parentWidget(),
                             tr("Are you sure you want to delete rung %1?").arg(rung))) {
        DeleteRung(ws_.plc.diagram, rung);
        view_.setTopRung(qBound(0, view_.TopRung(), ws_.plc.diagram.RungCount() - 1));
        view_.VisibilityCheck();
        view_.DisplayRungs(RungDraw::ClearLit, TfrmRungs::Memos::Refill);
        edited();
    } else {
        SetRungLit(record, false);
        view_.DisplayRung(slot, rung, RungDraw::ClearLit);
    }
}

void RungEditor::deleteRungClick(int slot) {
    const int rung = view_.TopRung() + slot;
    if (rung < ws_.plc.diagram.RungCount()) deleteRungAsked(slot, rung);
    endCommand(actions_.deleteRung);
}

void RungEditor::insertRungClick(int slot) {
    const int rung = view_.TopRung() + slot;
    if (rung < ws_.plc.diagram.RungCount()) {
        view_.storePendingComment();
        if (InsertRung(ws_.plc.diagram, rung) == RungEdit::TableFull) {
            warnTableFull(actions_.insertRung);
        } else {
            view_.VisibilityCheck();
            view_.DisplayRungs(RungDraw::ClearLit, TfrmRungs::Memos::Refill);
            edited();
        }
    }
    endCommand(actions_.insertRung);
}

void RungEditor::branchStartClick(int slot, int column, int row) {
    EditorState& e = ws_.editor;
    if (BranchStartAccepted(ws_.plc.diagram, view_.TopRung() + slot, column)) {
        e.BranchSlot = slot;
        e.BranchStartColumn = column;
        e.BranchStartRow = row;
        e.EditorMode = emBranchEnd;
        emit prompt(tr("Now click on the diagram where you want the branch to end"));
        return;
    }
    view_.ClearHighlight();
    endCommand(actions_.addBranch);
}

void RungEditor::branchEndClick(int slot, int column) {
    EditorState& e = ws_.editor;
    e.EditorMode = emBusy;
    const int rung = view_.TopRung() + slot;
    bool drawn = false;
    if (slot == e.BranchSlot) {
        if (const auto span = BranchFor(ws_.plc.diagram, rung, e.BranchStartColumn, column)) {
            RungRecord& record = ws_.plc.diagram.Rungs[rung];
            const RungBackup backup = BackupRung(record);
            DrawBranch(record, span->start, span->end, span->row);
            view_.DisplayRung(slot, rung, RungDraw::ClearLit);
            drawn = true;
            // Anything but No keeps the branch.
            if (ws_.prompter.message(view_.parentWidget(), Prompter::Icon::Question,
                                     tr("Is this branch correct?"),
                                     Prompter::Yes | Prompter::No) == Prompter::No) {
                RestoreRung(record, backup);
                view_.DisplayRung(slot, rung, RungDraw::ClearLit);
            } else {
                edited();
            }
        }
    }
    // A refused end leaves both rungs of the gesture drawn as they are.
    if (!drawn) {
        view_.ClearHighlight();
        const int start = view_.TopRung() + e.BranchSlot;
        if (e.BranchSlot != slot) view_.DisplayRung(e.BranchSlot, start, RungDraw::ClearLit);
    }
    endCommand(actions_.addBranch);
}

void RungEditor::deleteBranchClick(int slot, int column, int row) {
    ws_.editor.EditorMode = emBusy;
    const int rung = view_.TopRung() + slot;
    if (BranchClickAccepted(ws_.plc.diagram, rung, column, row)) {
        RungRecord& record = ws_.plc.diagram.Rungs[rung];
        const RungBackup backup = BackupRung(record);
        FindBranch(record, column, row);
        view_.DisplayRung(slot, rung, RungDraw::Live);  // the branch shows red, its ends marked
        if (ws_.prompter.confirm(view_.parentWidget(), tr("Do you wish to delete this branch?"))) {
            WipeBranch(record);
            RestoreLinks(record);
        } else {
            RestoreRung(record, backup);
        }
        view_.DisplayRung(slot, rung, RungDraw::ClearLit);
        edited();
    } else {
        view_.ClearHighlight();
    }
    endCommand(actions_.deleteBranch);
}

}  // namespace torvex
