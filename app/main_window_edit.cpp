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
}

void TfrmMain::showComments(bool show) {
    if (ws_->editor.ControlDialogOpen || !rungs_) return;
    rungs_->DisplayComments(show);
    ws_->editor.EditorMode = emIdle;
    pnlInfoBar->clear();
}

void TfrmMain::btnCommentsClick() {
    if (RunInProgress() || ws_->editor.ControlDialogOpen || !rungs_) return;
    if (!tmrTrip.isActive()) tmrTrip.start();
    rungs_->DoComments();
    ws_->editor.EditorMode = emIdle;
    pnlInfoBar->clear();
}

}  // namespace torvex
