// The main window's editing commands: the Edit menu, the edit bar, and what the rung view's
// gestures lead to.

#include <QLabel>
#include <QToolButton>

#include "app/main_window.h"
#include "editor/rung_view.h"
#include "engine/run_control.h"
#include "ui/workspace.h"

namespace torvex {

void TfrmMain::connectRungView() {
    connect(mnuEditShowComments, &QAction::triggered, this, [this] { showComments(true); });
    connect(mnuEditHideComments, &QAction::triggered, this, [this] { showComments(false); });
    connect(btnComments, &QToolButton::clicked, this, &TfrmMain::btnCommentsClick);
    connect(&tmrTrip, &QTimer::timeout, this, &TfrmMain::tmrTripTimer);
}

void TfrmMain::releaseEditButtons() {
    for (QToolButton* b : {btnAddRung, btnInsertRung, btnDeleteRung, btnAddBranch, btnDeleteBranch})
        b->setChecked(false);
    btnComments->setDown(false);
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

}  // namespace torvex
