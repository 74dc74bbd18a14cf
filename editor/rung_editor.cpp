#include "editor/rung_editor.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMimeData>
#include <utility>

#include "editor/rung_view.h"
#include "engine/branches.h"
#include "engine/plc.h"
#include "files/rung_clipboard.h"
#include "ui/ansi_text.h"
#include "ui/artwork.h"
#include "ui/prompter.h"
#include "ui/workspace.h"

namespace torvex {

namespace {

QAction* Command(QObject* parent, const char* name, const QString& caption,
                 const QList<QKeySequence>& shortcuts = {}) {
    auto* action = new QAction(caption, parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(shortcuts);
    return action;
}

constexpr int kTripInterval = 15000;  // an armed command lapses after 15 s
constexpr int kHistorySteps = 1000;

// One step of the history. The edit is done when the step is made; the stack's first redo()
// finds it done.
class EditCommand : public QUndoCommand {
public:
    using Step = std::function<void(const DiagramChange&, bool forward)>;
    static constexpr int kCommentId = 1;

    // `commentRung` >= 0 for a rung comment: what is typed into the same rung's memo before it
    // is left (the same `session`) joins this step.
    EditCommand(DiagramChange change, const QString& text, Step step, int commentRung = -1,
                int session = 0)
        : QUndoCommand(text),
          change_(std::move(change)),
          step_(std::move(step)),
          commentRung_(commentRung),
          session_(session) {}

    void undo() override { step_(change_, false); }
    void redo() override {
        if (std::exchange(done_, false)) return;
        step_(change_, true);
    }
    int id() const override { return commentRung_ >= 0 ? kCommentId : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* later = static_cast<const EditCommand*>(other);
        if (later->commentRung_ != commentRung_ || later->session_ != session_ ||
            !change_.Merge(later->change_))
            return false;
        setObsolete(change_.empty());  // typed back to what it was
        return true;
    }

private:
    DiagramChange change_;
    Step step_;
    int commentRung_;
    int session_;
    bool done_ = true;
};

// "OP3", "R2/5", "C1/UP": the operand as the rung shows it.
QString OperandLabel(int32_t code, int32_t kind, int32_t n) {
    const QString number = QString::number(n);
    auto reg = [&](int32_t first) { return QStringLiteral("R%1/%2").arg(kind - first + 1).arg(n); };
    switch (code) {
        case Control::NOC:
        case Control::NCC:
            switch (kind) {
                case ContactKind::Input:
                    return QStringLiteral("IP") + number;
                case ContactKind::Output:
                    return QStringLiteral("OP") + number;
                case ContactKind::Flag:
                    return QStringLiteral("F") + number;
                case ContactKind::CounterUp:
                    return QStringLiteral("C%1/UP").arg(n);
                case ContactKind::CounterDown:
                    return QStringLiteral("C%1/DN").arg(n);
                case ContactKind::TimerDone:
                    return QStringLiteral("T%1/DN").arg(n);
                default:
                    return reg(ContactKind::Register1);
            }
        case Control::OUT:
        case Control::LAT:
        case Control::UNL:
            if (kind == CoilKind::Output) return QStringLiteral("OP") + number;
            if (kind == CoilKind::Flag) return QStringLiteral("F") + number;
            return reg(CoilKind::Register1);
        case Control::RES:
            if (kind == ResetKind::Timer) return QStringLiteral("T") + number;
            if (kind == ResetKind::Counter) return QStringLiteral("C") + number;
            return reg(ResetKind::Register1);
        case Control::TIM:
        case Control::ODT:
            return QStringLiteral("T") + number;
        case Control::CUP:
        case Control::CDN:
            return QStringLiteral("C") + number;
        default:
            return IsShift(code) ? QStringLiteral("R%1").arg(ShiftRegisterOf(code)) : QString();
    }
}

// A history command's menu text, and as its hint the same with the first shortcut.
void ShowStepText(QAction* action, const QString& text) {
    action->setText(text);
    QString hint = text;
    hint.remove(QLatin1Char('&'));
    if (!action->shortcut().isEmpty())
        hint += QStringLiteral(" (%1)").arg(action->shortcut().toString(QKeySequence::NativeText));
    action->setToolTip(hint);
}

}  // namespace

QString RungsMimeType() {
    return QStringLiteral("application/x-torvex-rungs");
}

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
    connect(actions_.addBranch, &QAction::toggled, this, &RungEditor::showPlacingGrid);
    connect(&view_, &TfrmRungs::commentStored, this, &RungEditor::commentStored);
    view_.addRungActions({actions_.cutRung, actions_.copyRung, actions_.pasteRung});

    undoStack_.setParent(this);
    undoStack_.setUndoLimit(kHistorySteps);
    connect(&undoStack_, &QUndoStack::cleanChanged, this, &RungEditor::syncChanged);
    connect(&undoStack_, &QUndoStack::undoTextChanged, this, [this](const QString& text) {
        ShowStepText(actions_.undo, text.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(text));
    });
    connect(&undoStack_, &QUndoStack::redoTextChanged, this, [this](const QString& text) {
        ShowStepText(actions_.redo, text.isEmpty() ? tr("R&edo") : tr("R&edo %1").arg(text));
    });
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
    a.undo = Command(owner, "mnuEditUndo", tr("&Undo"), {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    a.redo = Command(
        owner, "mnuEditRedo", tr("R&edo"),
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    a.undo->setIcon(GlyphIcon(Glyph::Undo));
    a.redo->setIcon(GlyphIcon(Glyph::Redo));
    ShowStepText(a.undo, a.undo->text());
    ShowStepText(a.redo, a.redo->text());
    a.cutRung = Command(owner, "mnuEditCutRung", tr("Cu&t Rung"), {QKeySequence::Cut});
    a.copyRung = Command(owner, "mnuEditCopyRung", tr("Cop&y Rung"), {QKeySequence::Copy});
    a.pasteRung = Command(owner, "mnuEditPasteRung", tr("&Paste Rung"), {QKeySequence::Paste});
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
    connect(a.undo, &QAction::triggered, this, &RungEditor::undo);
    connect(a.redo, &QAction::triggered, this, &RungEditor::redo);
    connect(a.cutRung, &QAction::triggered, this, &RungEditor::cutRung);
    connect(a.copyRung, &QAction::triggered, this, &RungEditor::copyRung);
    connect(a.pasteRung, &QAction::triggered, this, &RungEditor::pasteRung);
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

// ---- the history ---------------------------------------------------------------------------

EditSnapshot RungEditor::take(int first, int count) const {
    return TakeSnapshot(ws_.plc, ws_.comments, first, count);
}

void RungEditor::record(const QString& name, const EditSnapshot& before) {
    DiagramChange change(before, ws_.plc, ws_.comments);
    if (change.empty()) return;
    undoStack_.push(new EditCommand(std::move(change), name,
                                    [this](const DiagramChange& c, bool f) { step(c, f); }));
}

void RungEditor::syncChanged(bool clean) {
    ws_.shell.DiagramChanged = !clean;
    emit diagramEdited();
}

void RungEditor::clearHistory() {
    undoStack_.clear();
    dialogBefore_.reset();
    view_.setSelectedRung(-1);
}

void RungEditor::markSaved() {
    undoStack_.setClean();
}

void RungEditor::ioCommentsEdited(const EditSnapshot& before) {
    record(tr("I/O Comment"), before);
    emit ioCommentsChanged();
}

void RungEditor::commentStored(int rung, const std::string& before, bool finished) {
    EditSnapshot was = take(rung, 1);
    if (was.rungs.empty()) return;
    was.rungs.front().setComment(before);
    DiagramChange change(was, ws_.plc, ws_.comments);
    // Leaving the memo finishes the edit: typing again is another.
    const int session = commentSession_;
    if (finished) ++commentSession_;
    if (change.empty()) {
        // Keys that changed nothing in the end leave the diagram as the history says.
        syncChanged(undoStack_.isClean());
        return;
    }
    undoStack_.push(new EditCommand(
        std::move(change), tr("Rung Comment"),
        [this](const DiagramChange& c, bool f) { step(c, f); }, rung, session));
}

void RungEditor::step(const DiagramChange& change, bool forward) {
    if (!(forward ? change.Redo(ws_.plc, ws_.comments) : change.Undo(ws_.plc, ws_.comments)))
        return;
    view_.ClearHighlight();
    showRungsFrom(change.firstRung());
    if (change.touchesSettings()) emit presetsChanged();
    if (change.firstRung() < 0) emit ioCommentsChanged();
}

void RungEditor::undo() {
    if (busy() || view_.placementPending()) return;
    disarm();
    view_.storePendingComment();  // typing not yet stored is the latest edit
    undoStack_.undo();
}

void RungEditor::redo() {
    if (busy() || view_.placementPending()) return;
    disarm();
    view_.storePendingComment();
    undoStack_.redo();
}

QString RungEditor::controlLabel(int32_t code, int32_t kind, int32_t number) const {
    const QString operand = OperandLabel(code, kind, number);
    switch (code) {
        case Control::NOC:
            return tr("Normally Open Contact %1").arg(operand);
        case Control::NCC:
            return tr("Normally Closed Contact %1").arg(operand);
        case Control::OUT:
            return tr("Output %1").arg(operand);
        case Control::RES:
            return tr("Reset %1").arg(operand);
        case Control::LAT:
            return tr("Latch Output %1").arg(operand);
        case Control::UNL:
            return tr("Unlatch Output %1").arg(operand);
        case Control::TIM:
        case Control::ODT:
            return tr("Timer %1").arg(operand);
        case Control::CUP:
        case Control::CDN:
            return tr("Counter %1").arg(operand);
        default:
            return tr("Bit Shift %1").arg(operand);
    }
}

// ---- the rung commands -------------------------------------------------------------------

int RungEditor::targetRung() {
    if (const int under = view_.rungUnderMouse(); under >= 0) view_.setSelectedRung(under);
    const int rung = view_.SelectedRung();
    if (rung < 0) emit prompt(tr("Click on a rung first to select it"));
    return rung;
}

void RungEditor::putOnClipboard(int rung) {
    view_.storePendingComment();  // the comment as typed goes with the rung
    const std::string text = RungsText(ws_.plc, rung, 1);
    auto* data = new QMimeData;
    data->setData(RungsMimeType(), QByteArray::fromStdString(text));
    data->setText(FromAnsi(text));
    QGuiApplication::clipboard()->setMimeData(data);
}

void RungEditor::copyRung() {
    if (busy()) return;
    disarm();
    if (const int rung = targetRung(); rung >= 0) putOnClipboard(rung);
}

void RungEditor::cutRung() {
    if (busy() || view_.placementPending()) return;
    disarm();
    const int rung = targetRung();
    if (rung < 0) return;
    putOnClipboard(rung);
    const EditSnapshot before = take(rung, 1);
    DeleteRung(ws_.plc.diagram, rung);
    record(tr("Cut Rung"), before);
    showRungsFrom(rung);
}

void RungEditor::pasteRung() {
    if (busy() || view_.placementPending()) return;
    disarm();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    std::string text;
    if (data && data->hasFormat(RungsMimeType()))
        text = data->data(RungsMimeType()).toStdString();
    else if (data && data->hasText())
        text = ToAnsi(data->text());
    const RungsReadResult read = ReadRungsText(text, ws_.shell.FinnishTexts);
    if (!read.ok) {
        ws_.prompter.warn(view_.parentWidget(), QString::fromStdString(read.error));
        return;
    }
    view_.storePendingComment();
    Diagram& d = ws_.plc.diagram;
    if (const int under = view_.rungUnderMouse(); under >= 0) view_.setSelectedRung(under);
    const int selected = view_.SelectedRung();
    const int at = selected >= 0 ? selected : d.RungCount();
    const int pasted = static_cast<int>(read.rungs.rungs.size());
    const EditSnapshot before = take(at, 0);
    if (PasteRungs(ws_.plc, read.rungs, at) == RungEdit::TableFull) {
        ws_.prompter.warn(view_.parentWidget(),
                          tr("The diagram cannot hold more than 1001 rungs."));
        return;
    }
    record(pasted == 1 ? tr("Paste Rung") : tr("Paste %1 Rungs").arg(pasted), before);
    // The selection stays on the rung the paste went above.
    if (selected >= 0) view_.setSelectedRung(selected + pasted);
    showRungsFrom(at);
    emit presetsChanged();
}

// After rungs changed, came or went from `rung` on (-1: none): it is in view, the memos
// follow the rungs.
void RungEditor::showRungsFrom(int rung) {
    const int count = ws_.plc.diagram.RungCount();
    if (rung >= 0 && (rung < view_.TopRung() || rung >= view_.TopRung() + view_.SlotsWhole()))
        view_.setTopRung(rung);
    view_.setTopRung(qBound(0, view_.TopRung(), count - 1));
    view_.setSelectedRung(view_.SelectedRung());
    view_.VisibilityCheck();
    view_.DisplayRungs(RungDraw::ClearLit, TfrmRungs::Memos::Refill);
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
    const EditSnapshot before = take(d.RungCount(), 0);
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
    record(tr("Add Rung"), before);
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

void RungEditor::showPlacingGrid() {
    view_.setPlacingGrid(!runInProgress_() &&
                         (ws_.editor.PaletteTool != 0 || actions_.addBranch->isChecked()));
}

void RungEditor::RungADragDrop(int slot, int column, int row, int tool) {
    if (runInProgress_() || ws_.editor.EditorMode == emRunning) return;
    ws_.editor.PaletteTool = tool;
    showPlacingGrid();
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
    dialogBefore_ = take(0, 0);
    dialogPlaces_ = true;
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
    // The step starts from the presets before the dialog stored its own.
    EditSnapshot before = take(rung, 1);
    if (dialogBefore_) {
        before.timers = dialogBefore_->timers;
        before.counters = dialogBefore_->counters;
    }
    const bool placed = PlacePendingControl(ws_.plc.diagram, ws_.plc.memory, e, rung, tag);
    const QString label = controlLabel(e.PendingCode, e.PendingKind, e.PendingNumber);
    record(dialogPlaces_ ? tr("Place %1").arg(label) : tr("Edit %1").arg(label), before);
    dialogBefore_.reset();
    if (placed) {
        view_.DisplayRung(slot, rung, RungDraw::ClearLit);
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
    dialogBefore_ = take(0, 0);
    dialogPlaces_ = false;
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
            const EditSnapshot before = take(rung, 1);
            DeleteControl(ws_.plc.diagram, ws_.plc.memory, rung, column, row);
            record(tr("Delete %1").arg(controlLabel(target->code, target->kind, target->number)),
                   before);
            emit presetsChanged();
        }
        view_.ClearHighlight();
    }
    endCommand(nullptr);
}

void RungEditor::deleteRungAsked(int slot, int rung) {
    RungRecord& doomed = ws_.plc.diagram.Rungs[rung];
    // A comment still being typed is stored before the rungs move.
    view_.storePendingComment();
    const EditSnapshot before = take(rung, 1);
    SetRungLit(doomed, true);
    view_.DisplayRung(slot, rung, RungDraw::Live);
    if (ws_.prompter.confirm(view_.parentWidget(),
                             tr("Are you sure you want to delete rung %1?").arg(rung))) {
        DeleteRung(ws_.plc.diagram, rung);
        view_.setTopRung(qBound(0, view_.TopRung(), ws_.plc.diagram.RungCount() - 1));
        view_.setSelectedRung(view_.SelectedRung());
        view_.VisibilityCheck();
        view_.DisplayRungs(RungDraw::ClearLit, TfrmRungs::Memos::Refill);
        record(tr("Delete Rung"), before);
    } else {
        SetRungLit(doomed, false);
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
        const EditSnapshot before = take(rung, 0);
        if (InsertRung(ws_.plc.diagram, rung) == RungEdit::TableFull) {
            warnTableFull(actions_.insertRung);
        } else {
            view_.VisibilityCheck();
            view_.DisplayRungs(RungDraw::ClearLit, TfrmRungs::Memos::Refill);
            record(tr("Insert Rung"), before);
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
            RungRecord& r = ws_.plc.diagram.Rungs[rung];
            const EditSnapshot before = take(rung, 1);
            const RungBackup backup = BackupRung(r);
            DrawBranch(r, span->start, span->end, span->row);
            view_.DisplayRung(slot, rung, RungDraw::ClearLit);
            drawn = true;
            // Anything but No keeps the branch.
            if (ws_.prompter.message(view_.parentWidget(), Prompter::Icon::Question,
                                     tr("Is this branch correct?"),
                                     Prompter::Yes | Prompter::No) == Prompter::No) {
                RestoreRung(r, backup);
                view_.DisplayRung(slot, rung, RungDraw::ClearLit);
            } else {
                record(tr("Add Branch"), before);
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
        RungRecord& r = ws_.plc.diagram.Rungs[rung];
        const EditSnapshot before = take(rung, 1);
        const RungBackup backup = BackupRung(r);
        FindBranch(r, column, row);
        view_.DisplayRung(slot, rung, RungDraw::Live);  // the branch shows red, its ends marked
        if (ws_.prompter.confirm(view_.parentWidget(), tr("Do you wish to delete this branch?"))) {
            WipeBranch(r);
            RestoreLinks(r);
        } else {
            RestoreRung(r, backup);
        }
        view_.DisplayRung(slot, rung, RungDraw::ClearLit);
        // Answered No, nothing changed and nothing is recorded.
        record(tr("Delete Branch"), before);
    } else {
        view_.ClearHighlight();
    }
    endCommand(actions_.deleteBranch);
}

}  // namespace torvex
