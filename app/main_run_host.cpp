#include "app/main_run_host.h"

#include <QLabel>

#include "editor/rung_view.h"
#include "simulation/debugger.h"
#include "simulation/io_monitor.h"
#include "simulation/simulation_window.h"
#include "simulation/timing_chart.h"
#include "ui/workspace.h"

namespace torvex {

TfrmMain::Host::Host(TfrmMain& main) : main_(main), ui_(&main) {}

bool TfrmMain::Host::ControlDialogOpen() {
    return main_.ws_->editor.ControlDialogOpen;
}
bool TfrmMain::Host::SimulationOpen() {
    return main_.ws_->shell.SimulationOpen;
}
bool TfrmMain::Host::DebuggerOpen() {
    return main_.debugger_ != nullptr;
}
bool TfrmMain::Host::MonitorOpen() {
    return main_.ws_->shell.MonitorOpen;
}
ControlMenuMode TfrmMain::Host::controlMode() {
    return main_.mode_;
}

int32_t TfrmMain::Host::SlotsShown() {
    return main_.rungs_ ? main_.rungs_->SlotsShown() : 1;
}
int32_t TfrmMain::Host::SlotsWhole() {
    return main_.rungs_ ? main_.rungs_->SlotsWhole() : 1;
}

void TfrmMain::Host::setTopRung(int32_t rung) {
    if (!main_.rungs_) return;
    main_.rungs_->setTopRung(rung);
    main_.rungs_->VisibilityCheck();
}

void TfrmMain::Host::setMemoTopRung(int32_t rung) {
    if (main_.rungs_) main_.rungs_->setMemoTopRung(rung);
}

void TfrmMain::Host::setRunButtonEnabled(bool enabled) {
    main_.runButtonEnabled_ = enabled;
    main_.updateActions();
}

void TfrmMain::Host::setStatusText(const std::string& text) {
    main_.pnlStatus_->setText(QString::fromStdString(text));
}

void TfrmMain::Host::letWindowRepaint() {
    main_.pnlStatus_->repaint();
}
void TfrmMain::Host::processPendingMessages() {
    TfrmMain::letPendingEventsRun();
}
void TfrmMain::Host::lockEditor() {
    main_.lockEditor();
}
void TfrmMain::Host::unlockEditor() {
    main_.unlockEditor();
}
void TfrmMain::Host::setEditorMode(int32_t mode) {
    main_.ws_->editor.EditorMode = mode;
}

void TfrmMain::Host::setCommentItemsEnabled(bool enabled) {
    main_.commentItemsEnabled_ = enabled;
    main_.updateActions();
}

void TfrmMain::Host::clearInformationBar() {
    main_.pnlInfoBar_->clear();
}

void TfrmMain::Host::updateDebuggerDisplay() {
    if (!main_.debugger_) return;
    main_.debugger_->UpdateDisplay(main_.ws_->shell.SimulationOpen ||
                                   main_.mode_ == ControlMenuMode::ExternalDevice);
}

void TfrmMain::Host::updateMonitorDisplay() {
    if (!main_.monitor_) return;
    main_.monitor_->UpdateDisplay(main_.ws_->shell.SimulationOpen ||
                                  main_.mode_ == ControlMenuMode::ExternalDevice);
}

void TfrmMain::Host::takeMonitorInputs(PointStates& inputs) {
    if (main_.monitor_) main_.monitor_->takeInputs(inputs);
}

namespace {

// Whenever a run shows power flow, the boxes show their live values with it; they go with
// the red.
RungDraw WithValues(RungDraw how) {
    return Has(how, RungDraw::Live) ? how | RungDraw::Values : how;
}

}  // namespace

void TfrmMain::Host::DisplayRungs(RungDraw how) {
    if (main_.rungs_) main_.rungs_->DisplayRungs(WithValues(how));
}

void TfrmMain::Host::DisplayRung(int32_t slot, RungDraw how) {
    if (main_.rungs_) main_.rungs_->DisplayRunningSlot(slot, WithValues(how));
}

void TfrmMain::Host::runStarted() {
    main_.chartRecord_.clear();
    if (main_.chart_) main_.chart_->showLiveRecord();
}

// Inside the run thread's marshalled call, or a step command: the scan is ours to read.
void TfrmMain::Host::scanEnded() {
    main_.chartRecord_.record(main_.plc_->uiMemory());
    if (main_.chart_) main_.chart_->scanRecorded();
}

void TfrmMain::Host::SimulationStart() {
    if (main_.simulation_) main_.simulation_->SimulationStart();
}

void TfrmMain::Host::SimulationReadInputs(PointStates& sensors) {
    if (main_.simulation_) main_.simulation_->SimulationReadInputs(sensors);
}

bool TfrmMain::Host::SimulationWriteOutputs(const PointStates& outputs) {
    return main_.simulation_ && main_.simulation_->SimulationWriteOutputs(outputs);
}

}  // namespace torvex
