// What the run control asks of the windows, answered by the main window and the windows
// it holds. Calls from the run thread arrive through Qt's event loop.
#pragma once

#include "app/main_window.h"
#include "engine/run_host.h"
#include "ui/qt_ui_thread.h"

namespace torvex {

class TfrmMain::Host final : public RunHost {
public:
    explicit Host(TfrmMain& main);

    void invoke(const std::function<void()>& call) override { ui_.invoke(call); }
    void post(std::function<void()> call) override { ui_.post(std::move(call)); }
    void serveUntil(const std::function<bool()>& done) override { ui_.serveUntil(done); }

    bool ControlDialogOpen() override;
    bool SimulationOpen() override;
    bool DebuggerOpen() override;
    bool MonitorOpen() override;
    ControlMenuMode controlMode() override;
    int32_t SlotsShown() override;
    int32_t SlotsWhole() override;
    void setTopRung(int32_t rung) override;
    void setMemoTopRung(int32_t rung) override;

    void setRunButtonEnabled(bool enabled) override;
    void setStatusText(const std::string& text) override;
    void letWindowRepaint() override;
    void processPendingMessages() override;
    void lockEditor() override;
    void unlockEditor() override;
    void setEditorMode(int32_t mode) override;
    void setCommentItemsEnabled(bool enabled) override;
    void clearInformationBar() override;

    void updateDebuggerDisplay() override;
    void updateMonitorDisplay() override;
    void takeMonitorInputs(PointStates& inputs) override;
    void DisplayRungs(RungDraw how) override;
    void DisplayRung(int32_t slot, RungDraw how) override;
    void runStarted() override;
    void scanEnded() override;

    void SimulationStart() override;
    void SimulationReadInputs(PointStates& sensors) override;
    bool SimulationWriteOutputs(const PointStates& outputs) override;

private:
    TfrmMain& main_;
    QtUiThread ui_;
};

}  // namespace torvex
