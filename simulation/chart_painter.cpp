#include "simulation/chart_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "engine/scan_record.h"

namespace torvex {

namespace {

// Colours by kind of point: inputs green, outputs red (as power is red in the rungs), flags
// blue, the rest violet.
QColor LaneColour(int point) {
    if (point < ChartPoint::Output) return {0x1b, 0x7f, 0x3a};
    if (point < ChartPoint::Flag) return {0xc6, 0x28, 0x28};
    if (point < ChartPoint::RegisterBit) return {0x1f, 0x5f, 0xbf};
    return {0x7b, 0x3f, 0xa8};
}

// A step of the ruler, in scans, that puts labels at least `room` pixels apart.
int RulerStep(double scanWidth, int room) {
    static const int steps[] = {1,   2,   5,    10,   20,   50,    100,   200,
                                300, 600, 1200, 3000, 6000, 18000, 36000, 72000};
    for (int s : steps)
        if (s * scanWidth >= room) return s;
    return steps[std::size(steps) - 1];
}

// `over` painted with the given alpha (0 ... 255) on `under`.
QColor Mix(const QColor& over, const QColor& under, int alpha) {
    auto channel = [&](int o, int u) { return (o * alpha + u * (255 - alpha) + 127) / 255; };
    return {channel(over.red(), under.red()), channel(over.green(), under.green()),
            channel(over.blue(), under.blue())};
}

QString SecondsText(int64_t milliseconds) {
    return QString::number(static_cast<double>(milliseconds) / 1000.0, 'f', 1);
}

}  // namespace

int ChartPainter::scansShown(int plotWidth, double scanWidth) {
    return std::max(1, static_cast<int>(std::floor(std::max(0, plotWidth) / scanWidth)));
}

int ChartPainter::scanAt(const ChartFrame& frame, int x) {
    if (!frame.record || x < kLabelWidth) return -1;
    const int index = frame.first + static_cast<int>((x - kLabelWidth) / frame.scanWidth);
    return index >= 0 && index < frame.record->size() ? index : -1;
}

int ChartPainter::laneAt(const ChartFrame& frame, int y) {
    if (y < kRulerHeight) return -1;
    const int lane = (y - kRulerHeight) / kLaneHeight;
    return lane < static_cast<int>(frame.lanes.size()) ? lane : -1;
}

void ChartPainter::paint(QPainter& p, const QRect& area, const ChartFrame& f) {
    p.save();
    p.setClipRect(area);
    p.translate(area.topLeft());
    const int width = area.width(), height = area.height();
    const int plotLeft = kLabelWidth;
    const int plotWidth = std::max(0, width - plotLeft);
    const ScanRecord* r = f.record;
    const int count = r ? r->size() : 0;
    const int first = std::clamp(f.first, 0, std::max(0, count - 1));
    const int last = std::min(count - 1, first + scansShown(plotWidth, f.scanWidth));
    auto xOf = [&](int index) { return plotLeft + (index - first) * f.scanWidth; };

    p.fillRect(QRect(0, 0, width, height), Qt::white);
    const QColor rule(0xd0, 0xd4, 0xda), faint(0xee, 0xf0, 0xf3), text(0x33, 0x33, 0x33);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    const QFontMetrics metrics(font);

    // Lanes: alternate shading, labels at the left.
    for (size_t l = 0; l < f.lanes.size(); ++l) {
        const int top = kRulerHeight + static_cast<int>(l) * kLaneHeight;
        if (static_cast<int>(l) == f.selectedLane)
            p.fillRect(0, top, width, kLaneHeight, QColor(0xe3, 0xee, 0xfb));
        else if (l % 2 == 1)
            p.fillRect(0, top, width, kLaneHeight, QColor(0xf7, 0xf8, 0xfa));
    }

    // The scan grid, faint, where scans are far enough apart to be told apart.
    if (f.grid && f.scanWidth >= 4 && count > 0) {
        p.setPen(faint);
        for (int i = first; i <= last + 1; ++i) {
            const double x = xOf(i);
            p.drawLine(QPointF(x, kRulerHeight), QPointF(x, height));
        }
    }

    // The ruler: seconds since the record began.
    p.fillRect(0, 0, width, kRulerHeight, QColor(0xf1, 0xf3, 0xf6));
    p.setPen(rule);
    p.drawLine(0, kRulerHeight - 1, width, kRulerHeight - 1);
    if (count > 0) {
        const int step = RulerStep(f.scanWidth, 64);
        const int64_t firstScan = r->scan(0);
        for (int i = first; i <= last; ++i) {
            if ((r->scan(i) - firstScan) % step != 0) continue;
            const double x = xOf(i);
            p.setPen(rule);
            p.drawLine(QPointF(x, kRulerHeight - 6), QPointF(x, kRulerHeight - 1));
            p.drawLine(QPointF(x, kRulerHeight), QPointF(x, height));
            p.setPen(text);
            p.drawText(QPointF(x + 3, kRulerHeight - 8),
                       SecondsText(r->millisecondsSinceStart(i)) + QStringLiteral(" s"));
        }
    }

    // Each lane's signal.
    for (size_t l = 0; l < f.lanes.size(); ++l) {
        const ChartLane& lane = f.lanes[l];
        const int top = kRulerHeight + static_cast<int>(l) * kLaneHeight;
        const double high = top + 8, low = top + kLaneHeight - 8;
        const QColor colour = LaneColour(lane.point);
        p.setPen(rule);
        p.drawLine(0, top + kLaneHeight, width, top + kLaneHeight);
        if (count == 0) continue;

        const bool number = IsNumberPoint(lane.point);
        int32_t lo = 0, hi = 1;
        if (number) {
            lo = hi = r->value(first, lane.point);
            for (int i = first; i <= last; ++i) {
                const int32_t v = r->value(i, lane.point);
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
            if (lo == hi) ++hi;
        }
        auto yOf = [&](int32_t v) {
            return low -
                   (low - high) * (static_cast<double>(v) - lo) / (static_cast<double>(hi) - lo);
        };
        // With more than one scan to a pixel, each pixel column is looked at once: one that
        // holds a change and its undoing joins a band that says "busy here", so that the cost
        // follows the width and not the scans.
        std::vector<QPolygonF> pieces(1);
        std::vector<QRectF> bands;
        int32_t previous = r->value(first, lane.point);
        pieces.back() << QPointF(xOf(first), yOf(previous));
        std::vector<std::pair<double, int32_t>> changes{{xOf(first), previous}};
        const bool dense = f.scanWidth < 1;
        int column = -1;
        int32_t columnLow = 0, columnHigh = 0, columnLast = 0;
        bool inBand = false;
        double bandStart = 0, bandEnd = 0;
        auto endBand = [&] {
            if (!inBand) return;
            bands.emplace_back(bandStart, high - 2, bandEnd - bandStart, low - high + 4);
            inBand = false;
            pieces.emplace_back();
            pieces.back() << QPointF(bandEnd, yOf(previous));
        };
        auto step = [&](double x, int32_t v) {
            endBand();
            if (v == previous) return;
            pieces.back() << QPointF(x, yOf(previous)) << QPointF(x, yOf(v));
            previous = v;
            if (number) changes.emplace_back(x, v);
        };
        auto flush = [&] {
            if (column < 0) return;
            if (columnLow == columnHigh) {
                step(column, columnLast);
                return;
            }
            if (!inBand) {
                pieces.back() << QPointF(column, yOf(previous));
                bandStart = column;
                inBand = true;
            }
            bandEnd = column + 1;
            previous = columnLast;
        };
        for (int i = first + 1; i <= last; ++i) {
            const int32_t v = r->value(i, lane.point);
            if (!dense) {
                step(xOf(i), v);
                continue;
            }
            const int c = static_cast<int>(xOf(i));
            if (c != column) {
                flush();
                column = c;
                columnLow = columnHigh = columnLast = v;
            } else {
                columnLow = std::min(columnLow, v);
                columnHigh = std::max(columnHigh, v);
                columnLast = v;
            }
        }
        flush();
        endBand();
        pieces.back() << QPointF(xOf(last + 1), yOf(previous));

        // Dense, a busy record makes hundreds of pieces per lane, and a solid fill costs far
        // less than a blended one: mix with the lane's ground instead (the grid is not shown
        // then). Sparse, blend, so that the grid shows through.
        const QColor ground = static_cast<int>(l) == f.selectedLane ? QColor(0xe3, 0xee, 0xfb)
                              : l % 2 == 1                          ? QColor(0xf7, 0xf8, 0xfa)
                                                                    : QColor(Qt::white);
        auto shade = [&](int alpha) {
            if (dense) return Mix(colour, ground, alpha);
            QColor c = colour;
            c.setAlpha(alpha);
            return c;
        };
        const QColor tint = shade(40);
        if (!number) {
            // Shade under the high level so that "on" reads at a glance.
            for (const QPolygonF& piece : pieces) {
                for (qsizetype k = 0; k + 1 < piece.size(); ++k) {
                    if (piece[k].y() != high || piece[k + 1].y() != high) continue;
                    p.fillRect(
                        QRectF(piece[k].x(), high, piece[k + 1].x() - piece[k].x(), low - high),
                        tint);
                }
            }
        }
        const QColor busy = shade(150);
        for (const QRectF& band : bands) p.fillRect(band, busy);
        p.setRenderHint(QPainter::Antialiasing, false);
        // A wide pen goes through the stroker, whose cost follows the points.
        p.setPen(QPen(colour, dense ? 1 : 2));
        for (const QPolygonF& piece : pieces) p.drawPolyline(piece);
        if (number) {
            // The value after each change, where there is room before the next.
            p.setPen(text);
            const bool seconds = lane.point < ChartPoint::CounterCount;
            for (size_t c = 0; c < changes.size(); ++c) {
                const double next = c + 1 < changes.size() ? changes[c + 1].first : xOf(last + 1);
                const QString value =
                    seconds ? SecondsText(changes[c].second) : QString::number(changes[c].second);
                if (next - changes[c].first < metrics.horizontalAdvance(value) + 6) continue;
                // On a white tag, so that the steps behind never hide it.
                const QRectF tag(changes[c].first + 2, top + kLaneHeight / 2.0 - 7,
                                 metrics.horizontalAdvance(value) + 4, 14);
                p.fillRect(tag, QColor(255, 255, 255, 210));
                p.drawText(tag, Qt::AlignCenter, value);
            }
        }
    }

    // Labels over the plot's left edge, so that a long one never hides the signal.
    p.fillRect(0, kRulerHeight, plotLeft, height - kRulerHeight, QColor(0xf1, 0xf3, 0xf6));
    for (size_t l = 0; l < f.lanes.size(); ++l) {
        const ChartLane& lane = f.lanes[l];
        const int top = kRulerHeight + static_cast<int>(l) * kLaneHeight;
        if (static_cast<int>(l) == f.selectedLane)
            p.fillRect(0, top, plotLeft, kLaneHeight, QColor(0xcf, 0xe0, 0xf7));
        p.fillRect(4, top + 8, 4, kLaneHeight - 16, LaneColour(lane.point));
        p.setPen(rule);
        p.drawLine(0, top + kLaneHeight, plotLeft, top + kLaneHeight);
        const int textWidth = plotLeft - 16;
        if (lane.label.isEmpty()) {
            QFont bold = font;
            bold.setBold(true);
            p.setFont(bold);
            p.setPen(text);
            p.drawText(QRect(14, top, textWidth, kLaneHeight), Qt::AlignVCenter, lane.name);
            p.setFont(font);
        } else {
            p.setPen(text);
            QFont bold = font;
            bold.setBold(true);
            p.setFont(bold);
            p.drawText(QPointF(14, top + 15),
                       QFontMetrics(bold).elidedText(lane.label, Qt::ElideRight, textWidth));
            p.setFont(font);
            p.setPen(QColor(0x77, 0x7c, 0x85));
            p.drawText(QPointF(14, top + 29), lane.name);
        }
    }
    p.setPen(rule);
    p.drawLine(plotLeft, 0, plotLeft, height);

    // Cursors.
    const struct {
        int index;
        const char* name;
        Qt::PenStyle style;
    } cursors[] = {{f.cursorA, "A", Qt::SolidLine}, {f.cursorB, "B", Qt::DashLine}};
    for (const auto& c : cursors) {
        if (c.index < first || c.index > last || count == 0) continue;
        const double x = xOf(c.index) + f.scanWidth / 2;
        p.setPen(QPen(QColor(0xe0, 0x7b, 0x00), 1.5, c.style));
        p.drawLine(QPointF(x, kRulerHeight), QPointF(x, height));
        const QRectF tag(x - 8, 3, 16, kRulerHeight - 6);
        p.fillRect(tag, QColor(0xe0, 0x7b, 0x00));
        p.setPen(Qt::white);
        p.drawText(tag, Qt::AlignCenter, QString::fromLatin1(c.name));
    }
    p.restore();
}

}  // namespace torvex
