// The Control menu's modes, with the simulations and the debugger they open and close, and
// Configure I/O.

#include <QMdiArea>

#include "app/main_window.h"
#include "editor/rung_view.h"
#include "engine/run_control.h"
#include "simulation/debugger.h"
#include "simulation/preferences_dialog.h"
#include "ui/prompter.h"
#include "ui/workspace.h"

namespace torvex {

void TfrmMain::mnuSetupConfigureIOClick() {
    if (RunInProgress() || ws_->editor.ControlDialogOpen || preferencesOpen_) return;
    preferences_ = new TfrmPreferences(interfaces_, *settings_, preferencesOpen_, this);
    preferences_->show();
}

void TfrmMain::setMode(ControlMenuMode mode) {
    mode_ = mode;
    updateActions();
}

void TfrmMain::mnuControlDebuggerClick() {
    if (RunInProgress()) {
        run_->Stop();
        letPendingEventsRun(3);
    }
    setMode(ControlMenuMode::Debugger);
    if (ws_->shell.SimulationOpen) CloseSimulation();
    if (debugger_) {
        debugger_->SetDebugger();
        debugger_->UpdateDisplay(false);  // the presets of a diagram just loaded
    } else {
        debugger_ = new TfrmDebugger(*ws_, forced_, false, mdiArea_->width());
        mdiArea_->addSubWindow(debugger_);
        debugger_->show();
    }
}

void TfrmMain::mnuControlExternalDeviceClick() {
    setMode(ControlMenuMode::ExternalDevice);
    if (ws_->shell.SimulationOpen) CloseSimulation();
    if (debugger_) {
        debugger_->SetRealIO();
    } else {
        debugger_ = new TfrmDebugger(*ws_, forced_, true, mdiArea_->width());
        mdiArea_->addSubWindow(debugger_);
        debugger_->show();
    }
}

void TfrmMain::mnuSimulationsSimulationClick(int k) {
    if (ws_->editor.ControlDialogOpen) return;
    if (ControlInternalSimulation(k)) {
        ws_->comments.clear();
        emit wiped();
    }
}

void TfrmMain::mnuControlExternalPLCSimulationClick(int k) {
    if (ws_->editor.ControlDialogOpen) return;
    ControlExternalPLC(k);
}

bool TfrmMain::ControlInternalSimulation(int k) {
    setMode(ControlMenuMode::InternalSimulation);
    const bool ok = OpenSimulation(k);
    if (ok) {
        setMode(ControlMenuMode::InternalSimulation);
        if (rungs_) rungs_->VisibilityCheck();
    } else {
        RemoveSimulation(k);
    }
    return ok;
}

void TfrmMain::ControlExternalPLC(int k) {
    setMode(ControlMenuMode::ExternalPLC);
    if (!OpenSimulation(k)) {
        RemoveSimulation(k);
        return;
    }
    setMode(ControlMenuMode::ExternalPLC);
    if (rungs_) rungs_->VisibilityCheck();
    ws_->comments.clear();
    emit wiped();
    NewDiagram(false);
}

bool TfrmMain::OpenSimulation(int n) {
    if (n < 1 || n > 4) return true;  // nothing to open
    if (debugger_) {
        debugger_->close();
        letPendingEventsRun();
    }
    // The program contains no simulation controls yet: creating one fails as a control
    // whose class is not registered does.
    return false;
}

void TfrmMain::CloseSimulation() {
    ws_->shell.SimulationOpen = false;
    updateActions();
    letPendingEventsRun(3);
}

void TfrmMain::RemoveSimulation(int) {
    prompter_->warn(this, tr("The Simulation cannot be opened."));
    mnuControlDebuggerClick();
}

}  // namespace torvex
