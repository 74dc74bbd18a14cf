// The rung editor: what the edit bar, the Edit menu, the palette's tool and the rung view's
// clicks, drops and popup do to the diagram. It works on one rung view and the shared data.
// The window that holds it puts its commands in a menu and on buttons, shows its prompts in
// the information bar and opens the control dialogs it asks for, handing their answer back
// through controlAnswered.
#pragma once

#include <QObject>
#include <QTimer>
#include <QUndoStack>
#include <functional>
#include <optional>

#include "engine/editing.h"
#include "files/diagram_change.h"

class QAction;
class QActionGroup;

namespace torvex {

class TfrmRungs;
struct Workspace;

class RungEditor : public QObject {
    Q_OBJECT
public:
    // The edit commands, named as their menu items. The five of the edit bar (add, insert
    // and delete rung, add and delete branch) are checkable in a group of which at most one
    // is down: an armed command shows down until its click comes or it lapses.
    struct Actions {
        QAction* addRung;
        QAction* insertRung;
        QAction* deleteRung;
        QAction* addBranch;
        QAction* deleteBranch;
        QAction* editControl;
        QAction* deleteControl;
        QAction* showComments;
        QAction* hideComments;
        QAction* comments;  // the edit bar's show/hide toggle
        QActionGroup* editBar;
        // The history of edits, and the rung commands (on the rung's popup too). They act on
        // the rung under the mouse, or else the selected one.
        QAction* undo;
        QAction* redo;
        QAction* cutRung;
        QAction* copyRung;
        QAction* pasteRung;
    };

    // The commands, made for the window that shows them (they exist before its rung view).
    static Actions MakeActions(QObject* owner);

    // `actions` come from MakeActions; `runInProgress` tells whether a run locks the editor.
    RungEditor(Workspace& workspace, TfrmRungs& view, const Actions& actions,
               std::function<bool()> runInProgress, QObject* parent = nullptr);

    const Actions& actions() const { return actions_; }

    // A control dialog closed: its answer becomes the pending values and arms the placement
    // timer with its tag (kPlaceNothing places nothing).
    void controlAnswered(int32_t code, int32_t kind, int32_t index, int tag);
    // The gestures of the rung view (connected to it; public for the window's own use).
    void RungAClick(int slot, int column, int row);
    void RungADragDrop(int slot, int column, int row, int tool);
    // An armed command lapses (also what tmrTrip does after 15 s).
    void disarm();

    // Every edit is one step of this history; its clean state is the file's, and
    // DiagramChanged follows it.
    QUndoStack& undoStack() { return undoStack_; }
    // New and load: the history belongs to the diagram that went.
    void clearHistory();
    // Saved: the diagram as it stands is the file's.
    void markSaved();
    // What an edit made elsewhere (the I/O comment dialog) starts from, and that edit done.
    EditSnapshot snapshot() const { return take(0, 0); }
    void ioCommentsEdited(const EditSnapshot& before);
    // The rung view's cell grid follows whether a palette tool or Add Branch is armed.
    void showPlacingGrid();

signals:
    // For the information bar; an empty text clears it.
    void prompt(const QString& text);
    // A control dialog of `kind` is to be opened for the pending values.
    void controlDialogWanted(torvex::DialogKind kind);
    // The I/O comment dialog is to be opened for the operand of a control.
    void controlCommentsWanted(int32_t code, int32_t kind, int32_t index);
    // An edit changed the diagram (DiagramChanged is set).
    void diagramEdited();
    // A placement may have changed a timer's or counter's preset.
    void presetsChanged();
    // An I/O comment was edited, or an edit of one undone or done again.
    void ioCommentsChanged();

private:
    void connectActions();
    bool busy() const;
    void clearPrompt();
    void endCommand(QAction* action);
    bool refuseEdit(QAction* action);
    void warnTableFull(QAction* action);
    void startTrip();
    // `before` was taken before an edit: what changed becomes one step named `name`.
    void record(const QString& name, const EditSnapshot& before);
    EditSnapshot take(int first, int count) const;
    // A step of the history taken back (forward false) or done again: the view follows.
    void step(const DiagramChange& change, bool forward);
    void syncChanged(bool clean);
    void commentStored(int rung, const std::string& before, bool finished);
    QString controlLabel(int32_t code, int32_t kind, int32_t number) const;

    void undo();
    void redo();
    // The rung a rung command acts on: the one under the mouse (which becomes selected), else
    // the selected one; -1 (and a prompt) when there is none.
    int targetRung();
    void cutRung();
    void copyRung();
    void pasteRung();
    // The rung as llg text, under our own type for TORVEX and as plain text for the rest.
    void putOnClipboard(int rung);
    void showRungsFrom(int rung);

    void btnAddRungClick();
    void btnInsertRungClick();
    void btnDeleteRungClick();
    void btnAddBranchClick();
    void btnDeleteBranchClick();
    void btnEditControlClick();
    void btnDeleteControlClick();
    void showComments(bool show);
    void btnCommentsClick();
    void tmrTripTimer();

    void handleModeClick(int slot, int column, int row);
    void mnuPopupEditClick();
    void mnuPopupDeleteClick();
    void mnuPopupControlCommentsClick();
    void AddControlHere();
    void tmrPlaceTimer(int tag);
    // A placement that ends without writing: the hover highlight goes, the rung is drawn as
    // it stands.
    void placementRefused();
    void editControlClick(int slot, int column, int row);
    void deleteControlClick(int slot, int column, int row);
    void deleteRungAsked(int slot, int rung);
    void deleteRungClick(int slot);
    void insertRungClick(int slot);
    void branchStartClick(int slot, int column, int row);
    void branchEndClick(int slot, int column);
    void deleteBranchClick(int slot, int column, int row);

    Workspace& ws_;
    TfrmRungs& view_;
    std::function<bool()> runInProgress_;
    Actions actions_{};
    QTimer tmrTrip_;
    QUndoStack undoStack_;
    // While a control dialog is open: the timer and counter settings before its OK wrote a
    // preset, and whether it places a control or edits one.
    std::optional<EditSnapshot> dialogBefore_;
    bool dialogPlaces_ = false;
    int commentSession_ = 0;  // counts the memos left, so one memo's typing is one step
};

// The clipboard's format for rungs: their llg text.
QString RungsMimeType();

}  // namespace torvex
