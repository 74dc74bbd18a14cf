// Drawing a timing chart: a ruler of seconds, then one lane per point, bits as a high and low
// line and numbers as steps, with the scan boundaries as a faint grid and two cursors. The
// window paints it on screen; exports paint it into a picture or a PDF.
#pragma once

#include <QString>
#include <vector>

class QPainter;
class QRect;

namespace torvex {

class ScanRecord;

// A point dragged onto the chart from another window carries its name ("IP3") as this type.
constexpr const char* kChartPointMime = "application/x-torvex-point";

struct ChartLane {
    int point;
    QString name;   // "IP3"
    QString label;  // the point's I/O comment, or empty
};

struct ChartFrame {
    const ScanRecord* record = nullptr;
    std::vector<ChartLane> lanes;
    int first = 0;         // index of the scan at the left edge
    double scanWidth = 8;  // pixels per scan
    bool grid = true;      // scan boundaries, where they are far enough apart to see
    int cursorA = -1;      // scan indexes, -1 for none
    int cursorB = -1;
    int selectedLane = -1;
};

class ChartPainter {
public:
    static constexpr int kLabelWidth = 170;
    static constexpr int kRulerHeight = 24;
    static constexpr int kLaneHeight = 36;

    // The scans that fit `plotWidth` pixels at `scanWidth`.
    static int scansShown(int plotWidth, double scanWidth);
    // The height that shows every lane.
    static int height(int lanes) { return kRulerHeight + lanes * kLaneHeight + 1; }
    // The scan index under x (within `width`), or -1; the lane under y, or -1.
    static int scanAt(const ChartFrame& frame, int x);
    static int laneAt(const ChartFrame& frame, int y);

    // Paints `frame` into `area`.
    static void paint(QPainter& painter, const QRect& area, const ChartFrame& frame);
};

}  // namespace torvex
