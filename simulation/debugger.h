// The debugger: an MDI child that shows the whole memory image while a diagram runs and
// lets the user force the sixteen inputs. In External Device mode the same window is the
// Real I/O Monitor, which shows the inputs read from the device and forces nothing.
#pragma once

#include <QMdiSubWindow>
#include <array>

class QGroupBox;
class QLabel;
class QPushButton;

namespace torvex {

class ForcedInputs;
struct Workspace;

class TfrmDebugger : public QMdiSubWindow {
    Q_OBJECT
public:
    // `mainWindowWidth` places the window at the main window's top right unless the
    // settings record another place. `realIO` starts it as the Real I/O Monitor.
    TfrmDebugger(Workspace& workspace, ForcedInputs& forced, bool realIO, int mainWindowWidth,
                 QWidget* parent = nullptr);
    ~TfrmDebugger() override;

    bool ForcingEnabled = true;

    void SetDebugger();
    void SetRealIO();
    // Refreshes every group from the memory image; with `mirrorInputs` (a simulation is
    // open or External Device mode is marked) the input buttons show the inputs read.
    void UpdateDisplay(bool mirrorInputs);
    // The input's OFF button is showing: the input is not forced on.
    bool offShown(int input) const;

    std::array<QPushButton*, 16> btnON{};
    std::array<QPushButton*, 16> btnOFF{};
    std::array<QLabel*, 16> imgOPOn{};
    std::array<QLabel*, 16> imgOPOff{};
    std::array<QLabel*, 16> lblFON{};
    std::array<QLabel*, 8> lblTPre{}, lblTAcc{}, lblTDN{};
    std::array<QLabel*, 8> lblCPre{}, lblCAcc{}, lblCDN{}, lblCUP{};
    std::array<std::array<QLabel*, 16>, 4> lblRegister{};  // [register - 1][bit]
    QGroupBox *grpInputs, *grpOutputs, *grpFlags, *grpTimers, *grpCounters, *grpRegisters;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void btnOFFClick(int input);
    void btnONClick(int input);
    void showOff(int input, bool shown);
    bool atDefaultPlace() const;

    Workspace& ws_;
    ForcedInputs& forced_;
    int mainWidth_;
    bool placed_ = false;
};

}  // namespace torvex
