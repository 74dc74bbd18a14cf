// The main window's commands: the wiring of menus and buttons, the run buttons, and the
// Control menu's modes with the simulations and the debugger they open and close.

#include <QCoreApplication>
#include <QMdiArea>
#include <QToolButton>

#include "app/main_window.h"
#include "app/palette_button.h"
#include "editor/rung_view.h"
#include "engine/plc.h"
#include "engine/run_control.h"
#include "simulation/debugger.h"
#include "simulation/preferences_dialog.h"
#include "ui/prompter.h"
#include "ui/workspace.h"

namespace torvex {

void TfrmMain::connectCommands() {
    connect(mnuFileNewDiagram, &QAction::triggered, this, &TfrmMain::mnuFileNewDiagramClick);
    connect(btnNew, &QToolButton::clicked, this, &TfrmMain::mnuFileNewDiagramClick);
    connect(mnuFileOpenDiagram, &QAction::triggered, this, &TfrmMain::mnuFileOpenDiagramClick);
    connect(btnOpen, &QToolButton::clicked, this, &TfrmMain::mnuFileOpenDiagramClick);
    connect(mnuFileSaveDiagram, &QAction::triggered, this, [this] { SaveDiagram(); });
    connect(btnSave, &QToolButton::clicked, this, [this] { SaveDiagram(); });
    connect(mnuFileSaveDiagramAs, &QAction::triggered, this, [this] { SaveDiagramAs(); });
    connect(mnuFilePrintDiagram, &QAction::triggered, this, &TfrmMain::mnuFilePrintDiagramClick);
    connect(btnPrint, &QToolButton::clicked, this, &TfrmMain::mnuFilePrintDiagramClick);
    for (int n = 1; n <= RecentFiles::kCount; ++n)
        connect(mnuFileRecent[n - 1], &QAction::triggered, this, [this, n] { mnuFileRecentClick(n); });

    connect(btnRun, &QToolButton::clicked, this, [this] { run_->btnRunClick(); });
    connect(btnStepDiagram, &QToolButton::clicked, this, [this] { run_->btnStepDiagramClick(); });
    connect(btnSingleStep, &QToolButton::clicked, this, [this] { run_->btnSingleStepClick(); });
    connect(btnPause, &QToolButton::clicked, this, [this] { run_->btnPauseClick(); });
    connect(btnStop, &QToolButton::clicked, this, [this] { run_->btnStopClick(); });
    connect(btnClose, &QToolButton::clicked, this, &TfrmMain::mnuControlDebuggerClick);

    connect(mnuSetupConfigureIO, &QAction::triggered, this, &TfrmMain::mnuSetupConfigureIOClick);

    connect(mnuControlDebugger, &QAction::triggered, this, &TfrmMain::mnuControlDebuggerClick);
    connect(mnuControlExternalDevice, &QAction::triggered, this,
            &TfrmMain::mnuControlExternalDeviceClick);
    for (int k = 1; k <= 4; ++k) {
        connect(mnuSimulationsSimulation[k - 1], &QAction::triggered, this,
                [this, k] { mnuSimulationsSimulationClick(k); });
        connect(mnuControlInternalSimulationSimulation[k - 1], &QAction::triggered, this,
                [this, k] { mnuSimulationsSimulationClick(k); });
        connect(mnuControlExternalPLCSimulation[k - 1], &QAction::triggered, this,
                [this, k] { mnuControlExternalPLCSimulationClick(k); });
    }
    // A check mark moves only through the commands below, not by a click on the item.
    for (QAction* mode : {mnuControlDebugger, mnuControlExternalDevice})
        connect(mode, &QAction::triggered, this, [this] { markMode(controlMode()); });

    // Hints of the tool bars are switched off during runs.
    for (QToolButton* b : pnlToolbar->findChildren<QToolButton*>()) b->installEventFilter(this);
    for (QToolButton* b : pnlSimulations->findChildren<QToolButton*>()) b->installEventFilter(this);
}

void TfrmMain::mnuSetupConfigureIOClick() {
    if (RunInProgress() || ws_->editor.ControlDialogOpen || PreferencesOpen) return;
    preferences_ = new TfrmPreferences(interfaces_, *settings_, PreferencesOpen, this);
    preferences_->show();
}

void TfrmMain::markMode(ControlMenuMode mode) {
    mnuControlDebugger->setChecked(mode == ControlMenuMode::Debugger);
    mnuControlInternalSimulation->setChecked(mode == ControlMenuMode::InternalSimulation);
    mnuControlExternalDevice->setChecked(mode == ControlMenuMode::ExternalDevice);
    mnuControlExternalPLC->setChecked(mode == ControlMenuMode::ExternalPLC);
}

void TfrmMain::setStepButtonsEnabled(bool enabled) {
    btnStepDiagram->setEnabled(enabled);
    btnSingleStep->setEnabled(enabled);
    btnPause->setEnabled(enabled);
}

void TfrmMain::mnuControlDebuggerClick() {
    if (RunInProgress()) {
        run_->Stop();
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
    markMode(ControlMenuMode::Debugger);
    setStepButtonsEnabled(true);
    if (ws_->shell.SimulationOpen) CloseSimulation();
    if (debugger_) {
        debugger_->SetDebugger();
        debugger_->UpdateDisplay(false);  // the presets of a diagram just loaded
    } else {
        debugger_ = new TfrmDebugger(*ws_, forced_, false, mdiArea->width());
        mdiArea->addSubWindow(debugger_);
        debugger_->show();
    }
}

void TfrmMain::mnuControlExternalDeviceClick() {
    markMode(ControlMenuMode::ExternalDevice);
    setStepButtonsEnabled(false);
    if (ws_->shell.SimulationOpen) CloseSimulation();
    if (debugger_) {
        debugger_->SetRealIO();
    } else {
        debugger_ = new TfrmDebugger(*ws_, forced_, true, mdiArea->width());
        mdiArea->addSubWindow(debugger_);
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
    markMode(ControlMenuMode::InternalSimulation);
    const bool ok = OpenSimulation(k);
    if (ok) {
        markMode(ControlMenuMode::InternalSimulation);
        setStepButtonsEnabled(false);
        if (rungs_) rungs_->VisibilityCheck();
    } else {
        RemoveSimulation(k);
    }
    return ok;
}

void TfrmMain::ControlExternalPLC(int k) {
    markMode(ControlMenuMode::ExternalPLC);
    if (!OpenSimulation(k)) {
        RemoveSimulation(k);
        return;
    }
    markMode(ControlMenuMode::ExternalPLC);
    setStepButtonsEnabled(false);
    if (rungs_) rungs_->VisibilityCheck();
    ws_->comments.clear();
    emit wiped();
    NewDiagram(false);
}

bool TfrmMain::OpenSimulation(int n) {
    if (n < 1 || n > 4) return true;  // nothing to open
    if (debugger_) {
        debugger_->close();
        QCoreApplication::processEvents();
    }
    // The program contains no simulation controls yet: creating one fails as a control
    // whose class is not registered does.
    return false;
}

void TfrmMain::CloseSimulation() {
    for (int k = 0; k < 4; ++k) mnuSimulationsSimulation[k]->setEnabled(true);
    ws_->shell.SimulationOpen = false;
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

void TfrmMain::RemoveSimulation(int) {
    prompter_->warn(this, tr("The Simulation cannot be opened."));
    mnuControlDebuggerClick();
}

}  // namespace torvex
