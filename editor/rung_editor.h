// The rung editor: what the edit bar, the Edit menu, the palette's tool and the rung view's
// clicks, drops and popup do to the diagram. It works on one rung view and the shared data.
// The window that holds it puts its commands in a menu and on buttons, shows its prompts in
// the information bar and opens the control dialogs it asks for, handing their answer back
// through controlAnswered.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "engine/editing.h"

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

private:
    void connectActions();
    bool busy() const;
    void clearPrompt();
    void endCommand(QAction* action);
    bool refuseEdit(QAction* action);
    void warnTableFull(QAction* action);
    void startTrip();
    void edited();

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
};

}  // namespace torvex
