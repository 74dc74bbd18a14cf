// The I/O monitor: a small read-only window that shows two of the six groups of the memory
// image side by side while a simulation mode is active. The user picks the two groups in
// the drop-down boxes of its top strip; nothing in it changes the memory image.
#pragma once

#include <QMdiSubWindow>
#include <QStringList>
#include <QTimer>
#include <map>
#include <memory>

#include "engine/run_host.h"

class QComboBox;
class QGroupBox;

namespace torvex {

class MemoryGroups;
struct Workspace;

class TfrmSimulator : public QMdiSubWindow {
    Q_OBJECT
public:
    // Where the main window stands, for the monitor's default place at its bottom right.
    struct MainWindowFrame {
        int width = 0;  // the main window's width
        int clientHeight = 0;
        int barsHeight = 0;  // its simulation bar, tool bar and information bar together
    };
    // `plcCaption`: "Internal Simulation from External PLC" is the marked mode.
    TfrmSimulator(Workspace& workspace, const MainWindowFrame& main, bool plcCaption,
                  QWidget* parent = nullptr);
    ~TfrmSimulator() override;

    void SetIOMonitor();
    void SetPLCIO();
    // Refreshes all six groups from the memory image; the inputs only with `showInputs`
    // (a simulation is open, or External Device is the mode).
    void UpdateDisplay(bool showInputs);
    // The points' labels carry the I/O comments as they stand, as tooltips.
    void refreshNames();
    // The inputs as the input buttons show them (for a step command without another source).
    void takeInputs(PointStates& inputs) const;

    QString LeftGroup() const { return leftGroup_; }
    QString RightGroup() const { return rightGroup_; }

    // The six group names, in the order the lists offer them.
    static const QStringList& GroupNames();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void cbxLeftChange(const QString& text);
    void cbxRightChange(const QString& text);
    static bool InList(const QString& name);
    void ClosePanel(const QString& name);
    void OpenLeft(const QString& name);
    void OpenRight(const QString& name);
    void SetItems(const QString& left, const QString& right);
    void AddItems(QComboBox* box, const QString& left, const QString& right);
    void tmrTripTimer();
    QPoint defaultPlace() const;

    Workspace& ws_;
    MainWindowFrame main_;
    QWidget* client_;
    QComboBox* cbxLeft_;
    QComboBox* cbxRight_;
    std::map<QString, QGroupBox*> panels_;
    std::unique_ptr<MemoryGroups> groups_;
    QString leftGroup_;
    QString rightGroup_;
    QTimer tmrTrip_;
    bool placed_ = false;
};

}  // namespace torvex
