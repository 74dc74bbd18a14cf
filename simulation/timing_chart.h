// The timing chart: an MDI child that shows chosen points of the memory image over the last
// scans, one lane each, labelled with the point's I/O comment. While a run goes on it follows
// the newest scan; paused, the student scrolls back, zooms and measures between two cursors.
// It also shows a trace opened from a file, and exports what it holds.
//
// Threads: the chart draws only from a ScanRecord, which is written on the user-interface
// thread inside the run's marshalled calls; it never reads the memory image itself.
#pragma once

#include <QMdiSubWindow>
#include <QPointer>
#include <memory>
#include <vector>

#include "simulation/chart_painter.h"

class QAction;
class QLabel;
class QMenu;
class QScrollBar;

namespace torvex {

class ScanRecord;
struct Workspace;

class TfrmTimingChart : public QMdiSubWindow {
    Q_OBJECT
public:
    // `live` is the run's record; it outlives the window.
    TfrmTimingChart(Workspace& workspace, const ScanRecord& live, QWidget* parent = nullptr);
    ~TfrmTimingChart() override;

    // Lanes, in the order shown; a point is shown once at most.
    void addPoint(int point);
    void removePoint(int point);
    const std::vector<int>& points() const { return points_; }

    // After each scan recorded: follows the newest scan unless paused.
    void scanRecorded();
    // A run starts: back from an opened trace to the run's record.
    void showLiveRecord();
    // Shows a trace that a run wrote (VCD or CSV); says why not in a message box.
    bool openTrace(const QString& fileName);
    // Writes the record as VCD or CSV, or the lanes shown as PNG or PDF, by the suffix.
    bool exportTo(const QString& fileName);

    const ScanRecord& shownRecord() const { return *record_; }
    bool following() const { return following_; }
    // Scans per pixel width: from one scan per 20 pixels to the whole record.
    double scanWidth() const { return scanWidth_; }
    int firstShown() const;
    // Cursor A and B as scan indexes of the shown record, -1 when not set.
    void setCursors(int a, int b);
    QString cursorText() const;

    // Draws what the chart shows now.
    ChartFrame frame() const;

    static constexpr double kWidestScan = 20;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class View;
    friend class View;

    void buildBar(QWidget* bar);
    void fillAddMenu();
    void setFollowing(bool follow);
    void zoom(double factor, int anchorX = -1);
    void zoomWhole();
    void syncScroll();
    void scrolled(int value);
    void refresh();
    void exportAs(const QString& filter, const QString& suffix);
    void laneMenu(int lane, const QPoint& at);
    void moveLane(int lane, int by);
    void savePoints();
    QString laneLabel(int point) const;
    int plotWidth() const;
    int indexOfScan(int64_t scan) const;

    Workspace& ws_;
    const ScanRecord& live_;
    std::unique_ptr<ScanRecord> opened_;
    const ScanRecord* record_;
    QString openedName_;
    std::vector<int> points_;
    bool following_ = true;
    bool grid_ = true;
    bool placed_ = false;
    double scanWidth_ = 8;
    int64_t firstScan_ = 0;                // scan number at the left edge when not following
    int64_t cursorA_ = -1, cursorB_ = -1;  // scan numbers
    int selectedLane_ = -1;

    View* view_;
    QScrollBar* scroll_;
    QLabel* lblCursors_;
    QLabel* lblSource_;
    QMenu* addMenu_;
    QAction *actPause_, *actZoomIn_, *actZoomOut_, *actWhole_, *actGrid_;
};

}  // namespace torvex
