#include "app/main_run_host.h"

#include <QCoreApplication>
#include <QLabel>
#include <QToolButton>

#include "app/main_window.h"
#include "editor/rung_view.h"
#include "simulation/debugger.h"
#include "ui/workspace.h"

namespace torvex {

MainRunHost::MainRunHost(TfrmMain& main) : main_(main), ui_(&main) {}

bool MainRunHost::ControlDialogOpen() { return main_.ws_->editor.ControlDialogOpen; }
bool MainRunHost::SimulationOpen() { return main_.ws_->shell.SimulationOpen; }
bool MainRunHost::DebuggerOpen() { return main_.debugger_ != nullptr; }
bool MainRunHost::MonitorOpen() { return main_.ws_->shell.MonitorOpen; }
ControlMenuMode MainRunHost::controlMode() { return main_.controlMode(); }

int32_t MainRunHost::SlotsShown() { return main_.rungs_ ? main_.rungs_->SlotsShown : 1; }
int32_t MainRunHost::SlotsWhole() { return main_.rungs_ ? main_.rungs_->SlotsWhole : 1; }

void MainRunHost::setTopRung(int32_t rung) {
    if (!main_.rungs_) return;
    main_.rungs_->TopRung = rung;
    main_.rungs_->VisibilityCheck();
}

void MainRunHost::setMemoTopRung(int32_t rung) {
    if (main_.rungs_) main_.rungs_->MemoTopRung = rung;
}

void MainRunHost::setRunButtonEnabled(bool enabled) { main_.btnRun->setEnabled(enabled); }

void MainRunHost::setStatusText(const std::string& text) {
    main_.pnlStatus->setText(QString::fromStdString(text));
}

void MainRunHost::letWindowRepaint() { main_.pnlStatus->repaint(); }
void MainRunHost::processPendingMessages() { QCoreApplication::processEvents(); }
void MainRunHost::lockEditor() { main_.lockEditor(); }
void MainRunHost::unlockEditor() { main_.unlockEditor(); }
void MainRunHost::setEditorMode(int32_t mode) { main_.ws_->editor.EditorMode = mode; }

void MainRunHost::setCommentItemsEnabled(bool enabled) {
    main_.mnuEditShowComments->setEnabled(enabled);
    main_.mnuEditHideComments->setEnabled(enabled);
}

void MainRunHost::clearInformationBar() { main_.pnlInfoBar->clear(); }

void MainRunHost::updateDebuggerDisplay() {
    if (!main_.debugger_) return;
    const ControlMenuMode mode = main_.controlMode();
    main_.debugger_->UpdateDisplay(main_.ws_->shell.SimulationOpen ||
                                   mode == ControlMenuMode::ExternalDevice);
}

void MainRunHost::updateMonitorDisplay() {}

void MainRunHost::takeMonitorInputs(PointStates&) {}

void MainRunHost::DisplayRungs(bool live, bool clear) {
    if (main_.rungs_) main_.rungs_->DisplayRungs(live, clear, false);
}

void MainRunHost::DisplayRung(int32_t slot, bool live, bool clear) {
    if (main_.rungs_) main_.rungs_->DisplayRung(slot, main_.rungs_->TopRung + slot, clear, live);
}

void MainRunHost::SimulationStart() {}
void MainRunHost::SimulationReadInputs(PointStates&) {}
bool MainRunHost::SimulationWriteOutputs(const PointStates&) { return false; }

}  // namespace torvex
