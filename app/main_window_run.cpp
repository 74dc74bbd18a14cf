// The Control menu's modes, with the simulations, the I/O monitor and the debugger they open
// and close, and Configure I/O.

#include <QLabel>
#include <QMdiArea>
#include <utility>

#include "app/main_window.h"
#include "editor/rung_view.h"
#include "engine/run_control.h"
#include "simulation/debugger.h"
#include "simulation/io_monitor.h"
#include "simulation/preferences_dialog.h"
#include "simulation/simulation_window.h"
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

void TfrmMain::closeMonitor() {
    // Closed, the window deletes itself later; from now on it counts as gone.
    if (monitor_) std::exchange(monitor_, nullptr)->close();
}

void TfrmMain::mnuControlDebuggerClick() {
    if (RunInProgress()) {
        run_->Stop();
        letPendingEventsRun(3);
    }
    setMode(ControlMenuMode::Debugger);
    closeMonitor();
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
    closeMonitor();
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
    if (ControlInternalSimulation(k)) CommentsClear();
}

void TfrmMain::mnuControlExternalPLCSimulationClick(int k) {
    if (ws_->editor.ControlDialogOpen) return;
    ControlExternalPLC(k);
}

bool TfrmMain::ControlInternalSimulation(int k) {
    setMode(ControlMenuMode::InternalSimulation);
    const bool ok = OpenSimulation(k);
    if (ok)
        HideBut();
    else
        RemoveSimulation(k);
    return ok;
}

void TfrmMain::ControlExternalPLC(int k) {
    setMode(ControlMenuMode::ExternalPLC);
    if (OpenSimulation(k))
        HidePLCBut();
    else
        RemoveSimulation(k);
}

bool TfrmMain::OpenSimulation(int n) {
    if (n < 1 || n > 4) return true;  // nothing to open
    if (debugger_) {
        std::exchange(debugger_, nullptr)->close();
        letPendingEventsRun();
    }
    if (ws_->shell.SimulationOpen && n != ws_->shell.CurrentSimulation) {
        CloseSimulation();
        letPendingEventsRun();
    }
    bool ok = true;
    if (!ws_->shell.SimulationOpen) {
        // A number with no plant fails as a control whose class is not registered does.
        std::unique_ptr<Plant> plant = plants_.make(n);
        ok = plant != nullptr;
        if (ok) {
            simulation_ = new TfrmSimulation(*ws_, std::move(plant), mdiArea_->width());
            connect(simulation_, &TfrmSimulation::plantStopped, this, &TfrmMain::prompt);
            mdiArea_->addSubWindow(simulation_);
            simulation_->show();
        }
    }
    letPendingEventsRun();
    if (ok) {
        if (!monitor_) {
            TfrmSimulator::MainWindowFrame frame;
            frame.width = mdiArea_->width();
            frame.clientHeight = mdiArea_->height() + pnlToolbar_->height() +
                                 pnlSimulations_->height() + pnlInfoBar_->height();
            frame.barsHeight =
                pnlToolbar_->height() + pnlSimulations_->height() + pnlInfoBar_->height();
            monitor_ = new TfrmSimulator(*ws_, frame, mode_ == ControlMenuMode::ExternalPLC);
            mdiArea_->addSubWindow(monitor_);
            monitor_->show();
        } else if (mode_ == ControlMenuMode::InternalSimulation) {
            monitor_->SetIOMonitor();
        } else {
            monitor_->SetPLCIO();
        }
    }
    return ok;
}

void TfrmMain::CloseSimulation() {
    if (simulation_) std::exchange(simulation_, nullptr)->close();
    ws_->shell.SimulationOpen = false;
    updateActions();
    letPendingEventsRun(3);
}

void TfrmMain::RemoveSimulation(int) {
    prompter_->warn(this, tr("The Simulation cannot be opened."));
    mnuControlDebuggerClick();
}

void TfrmMain::HideBut() {
    // The step commands are off in the mode (updateActions); the rung view has less room.
    setMode(ControlMenuMode::InternalSimulation);
    if (rungs_) rungs_->VisibilityCheck();
}

void TfrmMain::HidePLCBut() {
    setMode(ControlMenuMode::ExternalPLC);
    if (rungs_) rungs_->VisibilityCheck();
    CommentsClear();
    NewDiagram(false);
}

void TfrmMain::CommentsClear() {
    emit wiped();  // the I/O comment dialog closes
    ws_->comments.clear();
}

}  // namespace torvex
