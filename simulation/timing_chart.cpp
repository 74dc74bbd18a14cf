#include "simulation/timing_chart.h"

#include <QAction>
#include <QBuffer>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "engine/scan_record.h"
#include "files/settings_store.h"
#include "files/trace.h"
#include "files/trace_reader.h"
#include "ui/ansi_text.h"
#include "ui/artwork.h"
#include "ui/prompter.h"
#include "ui/window_place.h"
#include "ui/workspace.h"

namespace torvex {

namespace {

const QString kSection = QStringLiteral("TimingChart");
constexpr int kTraceScans = 360000;  // ten hours of a headless run

QString PointName(int point) {
    const QString name = QString::fromStdString(ChartPointName(point));
    return IsNumberPoint(point) ? name + QStringLiteral(" Acc") : name;
}

}  // namespace

// The lanes themselves: paints the chart and turns the mouse into cursors, lane choices,
// zooming and dropped points.
class TfrmTimingChart::View final : public QWidget {
public:
    explicit View(TfrmTimingChart& chart) : QWidget(&chart), chart_(chart) {
        setObjectName(QStringLiteral("chartView"));
        setAcceptDrops(true);
        setFocusPolicy(Qt::ClickFocus);
        setMinimumSize(ChartPainter::kLabelWidth + 120, ChartPainter::height(1));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        ChartPainter::paint(p, rect(), chart_.frame());
        if (chart_.points_.empty()) {
            p.setPen(QColor(0x77, 0x7c, 0x85));
            p.drawText(rect().adjusted(ChartPainter::kLabelWidth, ChartPainter::kRulerHeight, 0, 0),
                       Qt::AlignCenter | Qt::TextWordWrap,
                       TfrmTimingChart::tr("Add points with Add Point, from a contact's menu in "
                                           "the rungs, or by dragging them from the debugger."));
        }
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        chart_.syncScroll();
    }
    void mousePressEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        const ChartFrame f = chart_.frame();
        if (at.x() < ChartPainter::kLabelWidth) {
            const int lane = ChartPainter::laneAt(f, at.y());
            chart_.selectedLane_ = lane;
            update();
            if (lane >= 0 && event->button() == Qt::RightButton)
                chart_.laneMenu(lane, event->globalPosition().toPoint());
            return;
        }
        const int index = ChartPainter::scanAt(f, at.x());
        if (index < 0) return;
        const int64_t scan = chart_.record_->scan(index);
        // Looking closely at a moment means holding the picture still.
        chart_.setFollowing(false);
        if (event->button() == Qt::RightButton || (event->modifiers() & Qt::ShiftModifier))
            chart_.cursorB_ = scan;
        else if (event->button() == Qt::LeftButton)
            chart_.cursorA_ = scan;
        chart_.refresh();
    }
    void wheelEvent(QWheelEvent* event) override {
        const int steps = event->angleDelta().y() / 120;
        if (steps == 0) return;
        if (event->modifiers() & Qt::ControlModifier) {
            chart_.zoom(steps > 0 ? 2.0 : 0.5, event->position().toPoint().x());
        } else {
            chart_.scroll_->setValue(chart_.scroll_->value() -
                                     steps * std::max(1, chart_.scroll_->pageStep() / 4));
        }
        event->accept();
    }
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) &&
            chart_.selectedLane_ >= 0 &&
            chart_.selectedLane_ < static_cast<int>(chart_.points_.size())) {
            chart_.removePoint(chart_.points_[chart_.selectedLane_]);
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            chart_.setCursors(-1, -1);
            return;
        }
        QWidget::keyPressEvent(event);
    }
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (dropped(event->mimeData()) >= 0) event->acceptProposedAction();
    }
    void dragMoveEvent(QDragMoveEvent* event) override {
        if (dropped(event->mimeData()) >= 0) event->acceptProposedAction();
    }
    void dropEvent(QDropEvent* event) override {
        const int point = dropped(event->mimeData());
        if (point < 0) return;
        chart_.addPoint(point);
        event->acceptProposedAction();
    }

private:
    static int dropped(const QMimeData* data) {
        if (!data->hasFormat(QString::fromLatin1(kChartPointMime))) return -1;
        return ChartPointFromName(data->data(QString::fromLatin1(kChartPointMime)).toStdString());
    }
    TfrmTimingChart& chart_;
};

TfrmTimingChart::TfrmTimingChart(Workspace& workspace, const ScanRecord& live, QWidget* parent)
    : QMdiSubWindow(parent), ws_(workspace), live_(live), record_(&live) {
    setObjectName(QStringLiteral("frmTimingChart"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Timing Chart"));
    setWindowIcon(GlyphIcon(Glyph::Application));

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QWidget(body);
    buildBar(bar);
    layout->addWidget(bar);
    view_ = new View(*this);
    layout->addWidget(view_, 1);
    scroll_ = new QScrollBar(Qt::Horizontal, body);
    scroll_->setObjectName(QStringLiteral("scrChart"));
    connect(scroll_, &QScrollBar::valueChanged, this, &TfrmTimingChart::scrolled);
    layout->addWidget(scroll_);
    auto* status = new QWidget(body);
    auto* statusLayout = new QHBoxLayout(status);
    statusLayout->setContentsMargins(8, 3, 8, 3);
    lblSource_ = new QLabel(status);
    lblSource_->setObjectName(QStringLiteral("lblSource"));
    lblCursors_ = new QLabel(status);
    lblCursors_->setObjectName(QStringLiteral("lblCursors"));
    lblCursors_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusLayout->addWidget(lblSource_);
    statusLayout->addStretch(1);
    statusLayout->addWidget(lblCursors_);
    layout->addWidget(status);
    setWidget(body);

    const QStringList stored = ws_.settings.value(kSection, QStringLiteral("Points"), QString())
                                   .split(u',', Qt::SkipEmptyParts);
    for (const QString& name : stored) {
        const int point = ChartPointFromName(name.trimmed().toStdString());
        if (point >= 0 && std::find(points_.begin(), points_.end(), point) == points_.end())
            points_.push_back(point);
    }
    resize(760, 360);
    refresh();
}

TfrmTimingChart::~TfrmTimingChart() = default;

void TfrmTimingChart::buildBar(QWidget* bar) {
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    auto button = [&](QAction* action, const char* name) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QString::fromLatin1(name));
        b->setDefaultAction(action);
        b->setAutoRaise(true);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        layout->addWidget(b);
        return b;
    };
    auto action = [&](const QString& text, const char* name) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };

    addMenu_ = new QMenu(this);
    addMenu_->setObjectName(QStringLiteral("mnuChartAddPoint"));
    connect(addMenu_, &QMenu::aboutToShow, this, &TfrmTimingChart::fillAddMenu);
    QAction* add = action(tr("Add Point"), "actChartAddPoint");
    add->setMenu(addMenu_);
    QToolButton* addButton = button(add, "btnChartAddPoint");
    addButton->setPopupMode(QToolButton::InstantPopup);

    auto* line = new QFrame(bar);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    actPause_ = action(tr("Pause Chart"), "actChartPause");
    actPause_->setCheckable(true);
    actPause_->setToolTip(tr("Hold the chart still to scroll back; the run goes on"));
    connect(actPause_, &QAction::toggled, this, [this](bool paused) { setFollowing(!paused); });
    button(actPause_, "btnChartPause");
    actZoomIn_ = action(tr("Zoom In"), "actChartZoomIn");
    connect(actZoomIn_, &QAction::triggered, this, [this] { zoom(2.0); });
    button(actZoomIn_, "btnChartZoomIn");
    actZoomOut_ = action(tr("Zoom Out"), "actChartZoomOut");
    connect(actZoomOut_, &QAction::triggered, this, [this] { zoom(0.5); });
    button(actZoomOut_, "btnChartZoomOut");
    actWhole_ = action(tr("Whole Record"), "actChartWhole");
    connect(actWhole_, &QAction::triggered, this, &TfrmTimingChart::zoomWhole);
    button(actWhole_, "btnChartWhole");
    actGrid_ = action(tr("Scan Grid"), "actChartGrid");
    actGrid_->setCheckable(true);
    actGrid_->setChecked(grid_);
    connect(actGrid_, &QAction::toggled, this, [this](bool on) {
        grid_ = on;
        view_->update();
    });
    button(actGrid_, "btnChartGrid");
    layout->addStretch(1);

    auto* exportMenu = new QMenu(this);
    exportMenu->setObjectName(QStringLiteral("mnuChartExport"));
    connect(exportMenu->addAction(tr("Value Change Dump (VCD)...")), &QAction::triggered, this,
            [this] { exportAs(tr("Value change dump (*.vcd)"), QStringLiteral("vcd")); });
    connect(exportMenu->addAction(tr("Comma-Separated Values (CSV)...")), &QAction::triggered, this,
            [this] { exportAs(tr("Comma-separated values (*.csv)"), QStringLiteral("csv")); });
    exportMenu->addSeparator();
    connect(exportMenu->addAction(tr("Picture (PNG)...")), &QAction::triggered, this,
            [this] { exportAs(tr("PNG picture (*.png)"), QStringLiteral("png")); });
    connect(exportMenu->addAction(tr("Document (PDF)...")), &QAction::triggered, this,
            [this] { exportAs(tr("PDF document (*.pdf)"), QStringLiteral("pdf")); });
    QAction* exportAction = action(tr("Export"), "actChartExport");
    exportAction->setMenu(exportMenu);
    button(exportAction, "btnChartExport")->setPopupMode(QToolButton::InstantPopup);
}

QString TfrmTimingChart::laneLabel(int point) const {
    const IOComments& c = ws_.comments;
    const std::string* text = nullptr;
    if (point < ChartPoint::Output) {
        text = &c.InputComments[point];
    } else if (point < ChartPoint::Flag) {
        text = &c.OutputComments[point - ChartPoint::Output];
    } else if (point < ChartPoint::RegisterBit) {
        text = &c.FlagComments[point - ChartPoint::Flag];
    } else if (point < ChartPoint::TimerDone) {
        text = &c.RegisterComments[(point - ChartPoint::RegisterBit) / kPoints + 1];
    } else if (point < ChartPoint::CounterDone) {
        text = &c.TimerComments[point - ChartPoint::TimerDone + 1];
    } else if (point < ChartPoint::CounterUp) {
        text = &c.CounterComments[point - ChartPoint::CounterDone + 1];
    } else if (point < ChartPoint::TimerElapsed) {
        text = &c.CounterComments[point - ChartPoint::CounterUp + 1];
    } else if (point < ChartPoint::CounterCount) {
        text = &c.TimerComments[point - ChartPoint::TimerElapsed + 1];
    } else {
        text = &c.CounterComments[point - ChartPoint::CounterCount + 1];
    }
    return FromAnsi(*text).simplified();
}

void TfrmTimingChart::fillAddMenu() {
    addMenu_->clear();
    auto item = [&](QMenu* menu, int point) {
        const QString label = laneLabel(point);
        QAction* a =
            menu->addAction(label.isEmpty() ? PointName(point) : PointName(point) + u'\t' + label);
        a->setObjectName(QStringLiteral("mnuChartPoint") +
                         QString::fromStdString(ChartPointName(point)));
        a->setCheckable(true);
        a->setChecked(std::find(points_.begin(), points_.end(), point) != points_.end());
        connect(a, &QAction::triggered, this, [this, point](bool on) {
            if (on)
                addPoint(point);
            else
                removePoint(point);
        });
    };
    auto range = [&](const QString& title, std::initializer_list<std::pair<int, int>> spans) {
        QMenu* menu = addMenu_->addMenu(title);
        for (const auto& [first, count] : spans)
            for (int p = first; p < first + count; ++p) item(menu, p);
    };
    range(tr("Inputs"), {{ChartPoint::Input, kPoints}});
    range(tr("Outputs"), {{ChartPoint::Output, kPoints}});
    range(tr("Flags"), {{ChartPoint::Flag, kPoints}});
    QMenu* timers = addMenu_->addMenu(tr("Timers"));
    for (int t = 0; t < kTimers; ++t) {
        item(timers, ChartPoint::TimerDone + t);
        item(timers, ChartPoint::TimerElapsed + t);
    }
    QMenu* counters = addMenu_->addMenu(tr("Counters"));
    for (int c = 0; c < kCounters; ++c) {
        item(counters, ChartPoint::CounterDone + c);
        item(counters, ChartPoint::CounterUp + c);
        item(counters, ChartPoint::CounterCount + c);
    }
    QMenu* registers = addMenu_->addMenu(tr("Registers"));
    for (int r = 0; r < kRegisters; ++r) {
        QMenu* bits = registers->addMenu(tr("Register %1").arg(r + 1));
        for (int b = 0; b < kPoints; ++b) item(bits, ChartPoint::RegisterBit + r * kPoints + b);
    }
}

void TfrmTimingChart::addPoint(int point) {
    if (point < 0 || point >= ChartPoint::Count) return;
    if (std::find(points_.begin(), points_.end(), point) == points_.end()) points_.push_back(point);
    savePoints();
    refresh();
}

void TfrmTimingChart::removePoint(int point) {
    std::erase(points_, point);
    selectedLane_ = -1;
    savePoints();
    refresh();
}

void TfrmTimingChart::moveLane(int lane, int by) {
    const int to = lane + by;
    if (lane < 0 || to < 0 || to >= static_cast<int>(points_.size())) return;
    std::swap(points_[lane], points_[to]);
    selectedLane_ = to;
    savePoints();
    refresh();
}

void TfrmTimingChart::laneMenu(int lane, const QPoint& at) {
    QMenu menu(this);
    QAction* up = menu.addAction(tr("Move Up"));
    up->setEnabled(lane > 0);
    QAction* down = menu.addAction(tr("Move Down"));
    down->setEnabled(lane + 1 < static_cast<int>(points_.size()));
    menu.addSeparator();
    QAction* remove = menu.addAction(tr("Remove from Chart"));
    QAction* chosen = menu.exec(at);
    if (chosen == up) moveLane(lane, -1);
    if (chosen == down) moveLane(lane, 1);
    if (chosen == remove) removePoint(points_[lane]);
}

void TfrmTimingChart::savePoints() {
    QStringList names;
    for (int p : points_) names << QString::fromStdString(ChartPointName(p));
    ws_.settings.setValue(kSection, QStringLiteral("Points"), names.join(u','));
}

int TfrmTimingChart::plotWidth() const {
    return std::max(1, view_->width() - ChartPainter::kLabelWidth);
}

int TfrmTimingChart::indexOfScan(int64_t scan) const {
    const ScanRecord& r = *record_;
    if (r.empty()) return -1;
    // Scan numbers rise; an opened trace may skip some.
    int lo = 0, hi = r.size() - 1;
    if (scan <= r.scan(lo)) return lo;
    if (scan >= r.scan(hi)) return hi;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (r.scan(mid) <= scan)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

int TfrmTimingChart::firstShown() const {
    const int shown = ChartPainter::scansShown(plotWidth(), scanWidth_);
    const int newest = std::max(0, record_->size() - shown);
    if (following_) return newest;
    return std::min(indexOfScan(firstScan_) < 0 ? 0 : indexOfScan(firstScan_), newest);
}

ChartFrame TfrmTimingChart::frame() const {
    ChartFrame f;
    f.record = record_;
    for (int p : points_) f.lanes.push_back({p, PointName(p), laneLabel(p)});
    f.first = firstShown();
    f.scanWidth = scanWidth_;
    f.grid = grid_;
    auto cursor = [&](int64_t scan) {
        if (scan < 0 || record_->empty() || scan < record_->scan(0) ||
            scan > record_->scan(record_->size() - 1))
            return -1;
        return indexOfScan(scan);
    };
    f.cursorA = cursor(cursorA_);
    f.cursorB = cursor(cursorB_);
    f.selectedLane = selectedLane_;
    return f;
}

void TfrmTimingChart::setCursors(int a, int b) {
    auto scanOf = [&](int index) {
        return index >= 0 && index < record_->size() ? record_->scan(index) : int64_t{-1};
    };
    cursorA_ = scanOf(a);
    cursorB_ = scanOf(b);
    refresh();
}

QString TfrmTimingChart::cursorText() const {
    const ChartFrame f = frame();
    auto seconds = [](int64_t ms) { return QString::number(ms / 1000.0, 'f', 1); };
    QStringList parts;
    if (f.cursorA >= 0)
        parts << tr("A: %1 s").arg(seconds(record_->millisecondsSinceStart(f.cursorA)));
    if (f.cursorB >= 0)
        parts << tr("B: %1 s").arg(seconds(record_->millisecondsSinceStart(f.cursorB)));
    if (f.cursorA >= 0 && f.cursorB >= 0) {
        const int64_t scans = record_->scan(f.cursorB) - record_->scan(f.cursorA);
        const QString between = seconds(record_->millisecondsBetween(f.cursorA, f.cursorB));
        parts << (std::abs(scans) == 1 ? tr("B - A: %1 s, %2 scan") : tr("B - A: %1 s, %2 scans"))
                     .arg(between)
                     .arg(scans);
    }
    if (parts.isEmpty()) return tr("Click to put cursor A, right-click for cursor B");
    return parts.join(QStringLiteral("    "));
}

void TfrmTimingChart::setFollowing(bool follow) {
    if (!follow && following_) firstScan_ = record_->empty() ? 0 : record_->scan(firstShown());
    following_ = follow;
    const QSignalBlocker block(actPause_);
    actPause_->setChecked(!follow);
    refresh();
}

void TfrmTimingChart::zoom(double factor, int anchorX) {
    const int width = plotWidth();
    const double widest = kWidestScan;
    const double narrowest =
        std::min(widest, static_cast<double>(width) / std::max(1, record_->size()));
    const double before = scanWidth_;
    const double after = std::clamp(before * factor, narrowest, widest);
    if (after == before) return;
    // The scan under the anchor (the middle when none) stays where it is.
    const int anchor =
        anchorX < ChartPainter::kLabelWidth ? width / 2 : anchorX - ChartPainter::kLabelWidth;
    const int first = firstShown();
    const double scanAtAnchor = first + anchor / before;
    scanWidth_ = after;
    if (!following_ && !record_->empty()) {
        const int newFirst = std::max(0, static_cast<int>(scanAtAnchor - anchor / after));
        firstScan_ = record_->scan(std::min(newFirst, record_->size() - 1));
    }
    refresh();
}

void TfrmTimingChart::zoomWhole() {
    scanWidth_ =
        std::min(kWidestScan, static_cast<double>(plotWidth()) / std::max(1, record_->size()));
    if (!record_->empty()) firstScan_ = record_->scan(0);
    refresh();
}

void TfrmTimingChart::syncScroll() {
    const int shown = ChartPainter::scansShown(plotWidth(), scanWidth_);
    const QSignalBlocker block(scroll_);
    scroll_->setRange(0, std::max(0, record_->size() - shown));
    scroll_->setPageStep(shown);
    scroll_->setSingleStep(std::max(1, shown / 20));
    scroll_->setValue(firstShown());
}

void TfrmTimingChart::scrolled(int value) {
    if (record_->empty()) return;
    // Scrolling back holds the chart still; scrolling to the newest scan lets it follow again.
    const bool atEnd = value >= scroll_->maximum();
    if (following_ && atEnd) return;
    firstScan_ = record_->scan(std::clamp(value, 0, record_->size() - 1));
    if (following_) {
        following_ = false;
        const QSignalBlocker block(actPause_);
        actPause_->setChecked(true);
    }
    refresh();
}

void TfrmTimingChart::refresh() {
    syncScroll();
    lblCursors_->setText(cursorText());
    const int lanes = static_cast<int>(points_.size());
    view_->setMinimumHeight(ChartPainter::height(std::max(1, lanes)));
    const QString source = opened_      ? tr("Trace %1").arg(openedName_)
                           : following_ ? tr("Following the run")
                                        : tr("Chart paused");
    lblSource_->setText(source + QStringLiteral("    ") +
                        tr("Scans kept: %1").arg(record_->size()));
    view_->update();
}

void TfrmTimingChart::scanRecorded() {
    if (record_ != &live_) return;
    // Only the scroll bar, the counts and a repaint, which Qt paints once the call returns.
    refresh();
}

void TfrmTimingChart::showLiveRecord() {
    opened_.reset();
    openedName_.clear();
    record_ = &live_;
    cursorA_ = cursorB_ = -1;
    setWindowTitle(tr("Timing Chart"));
    setFollowing(true);
}

bool TfrmTimingChart::openTrace(const QString& fileName) {
    const QString shown = QFileInfo(fileName).fileName();
    // Only a regular file: reading a FIFO would wait for ever.
    std::ifstream in;
    if (QFileInfo(fileName).isFile())
        in.open(QFile::encodeName(fileName).toStdString(), std::ios::binary);
    if (!in.is_open()) {
        ws_.prompter.error(this, tr("Cannot open the trace %1.").arg(fileName));
        return false;
    }
    auto record = std::make_unique<ScanRecord>(kTraceScans);
    const TraceReadResult result = ReadTrace(in, *record);
    switch (result.error) {
        case TraceReadResult::None:
            break;
        case TraceReadResult::NotATrace:
            ws_.prompter.error(this, tr("%1 is not a trace written as VCD or CSV by torvex-run "
                                        "or by this program.")
                                         .arg(shown));
            return false;
        case TraceReadResult::BadLine:
            ws_.prompter.error(this, tr("%1, line %2: this line cannot be read as part of a trace.")
                                         .arg(shown)
                                         .arg(result.line));
            return false;
        case TraceReadResult::NoScans:
            ws_.prompter.error(this, tr("%1 holds no scans.").arg(shown));
            return false;
    }
    opened_ = std::move(record);
    record_ = opened_.get();
    openedName_ = shown;
    cursorA_ = cursorB_ = -1;
    setWindowTitle(tr("Timing Chart - %1").arg(shown));
    // With no lanes chosen yet, show every point that does something in the trace.
    if (points_.empty()) {
        for (int p = 0; p < ChartPoint::Count; ++p) {
            for (int i = 1; i < record_->size(); ++i) {
                if (record_->value(i, p) != record_->value(0, p)) {
                    points_.push_back(p);
                    break;
                }
            }
        }
        savePoints();
    }
    following_ = false;
    {
        const QSignalBlocker block(actPause_);
        actPause_->setChecked(true);
    }
    zoomWhole();
    return true;
}

void TfrmTimingChart::exportAs(const QString& filter, const QString& suffix) {
    Prompter::FileRequest request;
    request.title = tr("Export Timing Chart");
    request.filter = filter;
    request.defaultSuffix = suffix;
    const QString file = ws_.prompter.saveFileName(this, request);
    if (!file.isEmpty()) exportTo(file);
}

bool TfrmTimingChart::exportTo(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    QByteArray bytes;
    if (suffix == QLatin1String("vcd") || suffix == QLatin1String("csv")) {
        std::ostringstream out;
        auto trace =
            suffix == QLatin1String("vcd") ? MakeVcdTrace(out, {}, "TORVEX") : MakeCsvTrace(out);
        WriteRecord(*record_, *trace);
        bytes = QByteArray::fromStdString(out.str());
    } else if (suffix == QLatin1String("png") || suffix == QLatin1String("pdf")) {
        // The lanes as shown, every lane whole.
        ChartFrame f = frame();
        const QSize size(view_->width(), ChartPainter::height(static_cast<int>(f.lanes.size())));
        f.selectedLane = -1;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (suffix == QLatin1String("png")) {
            QImage image(size * 2, QImage::Format_RGB32);
            image.setDevicePixelRatio(2);
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            ChartPainter::paint(p, QRect(QPoint(0, 0), size), f);
            p.end();
            image.save(&buffer, "PNG");
        } else {
            QPdfWriter pdf(&buffer);
            pdf.setPageOrientation(QPageLayout::Landscape);
            pdf.setResolution(96);
            pdf.setTitle(windowTitle());
            pdf.setCreator(QStringLiteral("TORVEX"));
            QPainter p(&pdf);
            const QRect page = p.viewport();
            const double scale = std::min(1.0, std::min(page.width() / double(size.width()),
                                                        page.height() / double(size.height())));
            p.scale(scale, scale);
            ChartPainter::paint(p, QRect(QPoint(0, 0), size), f);
            p.end();
        }
    } else {
        ws_.prompter.error(this, tr("Choose a name ending in .vcd, .csv, .png or .pdf."));
        return false;
    }
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        ws_.prompter.error(this, tr("Cannot write %1: %2").arg(fileName, out.errorString()));
        return false;
    }
    return true;
}

void TfrmTimingChart::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    if (placed_) return;
    placed_ = true;
    // At the foot of the MDI area, unless the user put it elsewhere before.
    const QWidget* area = parentWidget();
    QPoint where(0, area ? std::max(0, area->height() - height()) : 0);
    const SettingsStore::Place place = ws_.settings.readPlace(kSection);
    if (place.error.isEmpty() && place.moved)
        where = PlaceInArea(*this, QPoint(place.left, place.top), where);
    move(where);
    refresh();
}

void TfrmTimingChart::closeEvent(QCloseEvent* event) {
    ws_.settings.writePlace(kSection, x(), y());
    QMdiSubWindow::closeEvent(event);
}

}  // namespace torvex
