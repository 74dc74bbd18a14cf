// The debugger: an MDI child that shows the whole memory image while a diagram runs and
// lets the user force the sixteen inputs. In External Device mode the same window is the
// Real I/O Monitor, which shows the inputs read from the device and forces nothing.
#pragma once

#include <QMdiSubWindow>
#include <array>
#include <memory>

#include "engine/ladder.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace torvex {

namespace Ui {
class TfrmDebugger;
}

class ForcedInputs;
class MemoryGroups;
struct Workspace;

class TfrmDebugger : public QMdiSubWindow {
    Q_OBJECT
public:
    // `mainWindowWidth` places the window at the main window's top right unless the
    // settings record another place. `realIO` starts it as the Real I/O Monitor.
    TfrmDebugger(Workspace& workspace, ForcedInputs& forced, bool realIO, int mainWindowWidth,
                 QWidget* parent = nullptr);
    ~TfrmDebugger() override;

    void SetDebugger();
    void SetRealIO();
    // Refreshes every group from the memory image; with `mirrorInputs` (a simulation is
    // open or External Device mode is marked) the input buttons show the inputs read.
    void UpdateDisplay(bool mirrorInputs);
    // The points' labels show the I/O comments as they stand (tooltips, and beside the
    // points when the window's own option says so).
    void refreshNames();

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void btnOFFClick(int input);
    void btnONClick(int input);
    void showOff(int input, bool shown);
    QPoint defaultPlace() const;
    // As tall as the panel, or as the room below the window's top in the MDI area, with
    // a scroll bar then.
    void fitToArea();

    Workspace& ws_;
    ForcedInputs& forced_;
    int mainWidth_;
    std::unique_ptr<Ui::TfrmDebugger> ui_;
    QScrollArea* scroll_;
    QCheckBox* chkNames_;
    QWidget* panel_;
    QSize frame_;  // the title bar and border around the panel
    bool placed_ = false;
    bool ForcingEnabled = true;

    std::unique_ptr<MemoryGroups> groups_;
};

}  // namespace torvex
