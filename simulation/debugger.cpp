#include "simulation/debugger.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include "engine/forced_inputs.h"
#include "files/settings_store.h"
#include "ui/artwork.h"
#include "ui/prompter.h"
#include "ui/window_place.h"
#include "ui/workspace.h"
#include "ui_debugger.h"

namespace torvex {

namespace {

const QString kSection = QStringLiteral("Debugger");
constexpr int kPointsPerRow = 4;
// However low the room below its top, this much of the panel shows; the rest scrolls.
constexpr int kLeastPanelHeight = 100;

// Seconds with one decimal, as the debugger shows presets and elapsed times.
QString Seconds(int32_t milliseconds) {
    return QString::number(milliseconds / 1000.0, 'f', 1);
}
QString Bit(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// The main window's top right; its left edge when the main window is too narrow for that,
// which is then the default place too, so that closing there records no move.
int DefaultLeft(int mainWidth, int width) {
    return qMax(0, mainWidth - width - 13);
}

QPixmap Lamp(const QColor& colour, qreal dpr) {
    QPixmap pm(QSize(14, 14) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(5, 5), 8);
    glow.setColorAt(0, colour.lighter(170));
    glow.setColorAt(1, colour);
    p.setBrush(glow);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawEllipse(QRectF(1, 1, 12, 12));
    return pm;
}

QLabel* Text(QGroupBox* group, const QString& name, const QString& text,
             Qt::Alignment align = Qt::AlignCenter) {
    auto* label = new QLabel(text, group);
    label->setObjectName(name);
    label->setAlignment(align);
    return label;
}

QGridLayout* Grid(QGroupBox* group) {
    return static_cast<QGridLayout*>(group->layout());
}

// A value column wide enough for `widest`, so that a run does not reflow the window.
void ValueColumn(QGroupBox* group, int column, const QString& widest) {
    Grid(group)->setColumnMinimumWidth(column, group->fontMetrics().horizontalAdvance(widest) + 8);
}

}  // namespace

TfrmDebugger::TfrmDebugger(Workspace& workspace, ForcedInputs& forced, bool realIO,
                           int mainWindowWidth, QWidget* parent)
    : QMdiSubWindow(parent),
      ws_(workspace),
      forced_(forced),
      mainWidth_(mainWindowWidth),
      ui_(std::make_unique<Ui::TfrmDebugger>()) {
    setObjectName(QStringLiteral("frmDebugger"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A fixed border and no caption buttons: the window closes only through the commands.
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowIcon(GlyphIcon(Glyph::Application));

    panel_ = new QWidget;
    QFont small = panel_->font();
    small.setPixelSize(11);
    panel_->setFont(small);
    ui_->setupUi(panel_);
    for (QGroupBox* group : {ui_->grpInputs, ui_->grpOutputs, ui_->grpFlags, ui_->grpTimers,
                             ui_->grpCounters, ui_->grpRegisters}) {
        Grid(group)->setContentsMargins(6, 2, 6, 4);
        Grid(group)->setHorizontalSpacing(4);
        Grid(group)->setVerticalSpacing(2);
    }
    for (QGroupBox* group : {ui_->grpTimers, ui_->grpCounters})
        Grid(group)->setHorizontalSpacing(8);
    buildInputs();
    buildOutputs();
    buildFlags();
    buildTimers();
    buildCounters();
    buildRegisters();
    panel_->installEventFilter(this);

    // A low MDI area shows the panel in part, with a scroll bar.
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("scrBackground"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidget(panel_);
    setWidget(scroll_);

    // Every input shows off at creation.
    for (int i = 0; i < kPoints; ++i) showOff(i, true);
    if (realIO)
        SetRealIO();
    else
        SetDebugger();
    ws_.shell.DebuggerOpen = true;
    UpdateDisplay(false);
}

TfrmDebugger::~TfrmDebugger() {
    ws_.shell.DebuggerOpen = false;
}

void TfrmDebugger::buildInputs() {
    QGroupBox* group = ui_->grpInputs;
    QFont face = group->font();
    face.setPixelSize(9);
    face.setBold(true);
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin);
    const QSize size(QFontMetrics(face).horizontalAdvance(QStringLiteral("OFF")) + 2 * margin, 18);
    for (int i = 0; i < kPoints; ++i) {
        const int row = i / kPointsPerRow, column = 2 * (i % kPointsPerRow);
        Grid(group)->addWidget(
            Text(group, QStringLiteral("lblIP%1").arg(i), QStringLiteral("IP%1").arg(i),
                 Qt::AlignVCenter | Qt::AlignLeft),
            row, column);
        auto* on = new QPushButton(QStringLiteral("ON"), group);
        on->setObjectName(QStringLiteral("btnIP%1ON").arg(i));
        auto* off = new QPushButton(QStringLiteral("OFF"), group);
        off->setObjectName(QStringLiteral("btnIP%1OFF").arg(i));
        for (QPushButton* b : {on, off}) {
            b->setFixedSize(size);
            b->setFocusPolicy(Qt::NoFocus);
            b->setFont(face);
            // The two lie on one another; which one shows is the input's state.
            Grid(group)->addWidget(b, row, column + 1);
        }
        on->setStyleSheet(
            QStringLiteral("QPushButton { background: rgb(40,190,40); color: white; border: 1px "
                           "solid rgb(20,90,20); }"));
        off->setStyleSheet(
            QStringLiteral("QPushButton { background: rgb(200,200,200); color: black; border: 1px "
                           "solid rgb(110,110,110); }"));
        connect(on, &QPushButton::clicked, this, [this, i] { btnONClick(i); });
        connect(off, &QPushButton::clicked, this, [this, i] { btnOFFClick(i); });
        btnON_[i] = on;
        btnOFF_[i] = off;
    }
}

void TfrmDebugger::buildOutputs() {
    QGroupBox* group = ui_->grpOutputs;
    const qreal dpr = devicePixelRatioF();
    const QPixmap lampOn = Lamp(QColor(230, 30, 30), dpr), lampOff = Lamp(QColor(70, 20, 20), dpr);
    for (int i = 0; i < kPoints; ++i) {
        const int row = i / kPointsPerRow, column = 2 * (i % kPointsPerRow);
        Grid(group)->addWidget(
            Text(group, QStringLiteral("lblOP%1").arg(i), QStringLiteral("OP%1").arg(i),
                 Qt::AlignVCenter | Qt::AlignLeft),
            row, column);
        auto* off = new QLabel(group);
        off->setObjectName(QStringLiteral("imgOP%1Off").arg(i));
        off->setPixmap(lampOff);
        auto* on = new QLabel(group);
        on->setObjectName(QStringLiteral("imgOP%1On").arg(i));
        on->setPixmap(lampOn);
        on->hide();
        for (QLabel* lamp : {off, on}) {
            lamp->setFixedSize(18, 18);
            lamp->setAlignment(Qt::AlignCenter);
            Grid(group)->addWidget(lamp, row, column + 1);
        }
        imgOPOff_[i] = off;
        imgOPOn_[i] = on;
    }
}

void TfrmDebugger::buildFlags() {
    QGroupBox* group = ui_->grpFlags;
    for (int i = 0; i < kPoints; ++i) {
        const int row = i / kPointsPerRow, column = 2 * (i % kPointsPerRow);
        Grid(group)->addWidget(Text(group, QStringLiteral("lblF%1").arg(i),
                                    QStringLiteral("F%1").arg(i), Qt::AlignVCenter | Qt::AlignLeft),
                               row, column);
        lblFON_[i] = Text(group, QStringLiteral("lblF%1ON").arg(i), QStringLiteral("0"));
        lblFON_[i]->setMinimumSize(18, 18);
        Grid(group)->addWidget(lblFON_[i], row, column + 1);
    }
}

void TfrmDebugger::buildTimers() {
    QGroupBox* group = ui_->grpTimers;
    for (int k = 1; k <= kTimers; ++k) {
        Grid(group)->addWidget(Text(group, QStringLiteral("lblT%1").arg(k),
                                    QStringLiteral("T%1").arg(k), Qt::AlignVCenter | Qt::AlignLeft),
                               k, 0);
        lblTPre_[k - 1] = Text(group, QStringLiteral("lblT%1Pre").arg(k), QStringLiteral("0.0"));
        lblTAcc_[k - 1] = Text(group, QStringLiteral("lblT%1Acc").arg(k), QStringLiteral("0.0"));
        lblTDN_[k - 1] = Text(group, QStringLiteral("lblT%1DN").arg(k), QStringLiteral("0"));
        Grid(group)->addWidget(lblTPre_[k - 1], k, 1);
        Grid(group)->addWidget(lblTAcc_[k - 1], k, 2);
        Grid(group)->addWidget(lblTDN_[k - 1], k, 3);
    }
    ValueColumn(group, 1, QStringLiteral("9999.9"));
    ValueColumn(group, 2, QStringLiteral("9999.9"));
    ValueColumn(group, 3, ui_->lblTimersDN->text());
}

void TfrmDebugger::buildCounters() {
    QGroupBox* group = ui_->grpCounters;
    for (int k = 1; k <= kCounters; ++k) {
        Grid(group)->addWidget(Text(group, QStringLiteral("lblC%1").arg(k),
                                    QStringLiteral("C%1").arg(k), Qt::AlignVCenter | Qt::AlignLeft),
                               k, 0);
        lblCPre_[k - 1] = Text(group, QStringLiteral("C%1Pre").arg(k), QStringLiteral("0"));
        lblCAcc_[k - 1] = Text(group, QStringLiteral("C%1Acc").arg(k), QStringLiteral("0"));
        lblCDN_[k - 1] = Text(group, QStringLiteral("lblC%1DN").arg(k), QStringLiteral("0"));
        lblCUP_[k - 1] = Text(group, QStringLiteral("lblC%1UP").arg(k), QStringLiteral("0"));
        Grid(group)->addWidget(lblCPre_[k - 1], k, 1);
        Grid(group)->addWidget(lblCAcc_[k - 1], k, 2);
        Grid(group)->addWidget(lblCDN_[k - 1], k, 3);
        Grid(group)->addWidget(lblCUP_[k - 1], k, 4);
    }
    ValueColumn(group, 1, QStringLiteral("99999"));
    ValueColumn(group, 2, QStringLiteral("99999"));
}

void TfrmDebugger::buildRegisters() {
    QGroupBox* group = ui_->grpRegisters;
    QGridLayout* grid = Grid(group);
    for (int r = 1; r <= kRegisters; ++r) {
        grid->addWidget(Text(group, QStringLiteral("lblRegister%1").arg(r),
                             tr("Register %1").arg(r), Qt::AlignVCenter | Qt::AlignLeft),
                        r, 0);
        for (int bit = kPoints - 1; bit >= 0; --bit) {
            // Four groups of four, bit 15 on the left, an empty column between groups.
            const int position = kPoints - 1 - bit;
            auto* label =
                Text(group, QStringLiteral("lblRegister%1%2").arg(QChar(u'A' + r - 1)).arg(bit),
                     QStringLiteral("0"));
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setMinimumSize(18, 18);
            grid->addWidget(label, r, 1 + position + position / 4);
            lblRegister_[r - 1][bit] = label;
        }
    }
    grid->setColumnMinimumWidth(0, grid->itemAtPosition(1, 0)->widget()->sizeHint().width() + 8);
    for (int gap : {5, 10, 15}) grid->setColumnMinimumWidth(gap, 2);
}

void TfrmDebugger::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    if (placed_) return;
    // The place is taken once the MDI area holds the window, which would otherwise put it
    // where it likes.
    frame_ = sizeHint() - scroll_->sizeHint();
    move(0, 0);
    fitToArea();
    QPoint where = defaultPlace();
    const SettingsStore::Place place = ws_.settings.readPlace(kSection);
    if (!place.error.isEmpty())
        ws_.prompter.error(parentWidget(), place.error);  // unusable: the default place stays
    else if (place.moved)
        where = PlaceInArea(*this, QPoint(place.left, place.top), where);
    placed_ = true;
    move(where);
    fitToArea();
    if (parentWidget()) parentWidget()->installEventFilter(this);
}

void TfrmDebugger::moveEvent(QMoveEvent* event) {
    QMdiSubWindow::moveEvent(event);
    if (placed_) fitToArea();
}

bool TfrmDebugger::eventFilter(QObject* watched, QEvent* event) {
    // The MDI area or the panel changed size.
    if (event->type() == QEvent::Resize && (watched == panel_ || watched == parentWidget()))
        fitToArea();
    return QMdiSubWindow::eventFilter(watched, event);
}

QPoint TfrmDebugger::defaultPlace() const {
    return {DefaultLeft(mainWidth_, width()), 0};
}

void TfrmDebugger::fitToArea() {
    const QWidget* area = parentWidget();
    if (!area || !frame_.isValid()) return;  // not yet in its MDI area
    const bool atHome = placed_ && pos() == defaultPlace();
    QSize size = frame_ + panel_->size();
    const int room = qMax(frame_.height() + kLeastPanelHeight, area->height() - qMax(0, y()));
    if (size.height() > room) {
        size.setHeight(room);
        size.rwidth() +=
            style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_->verticalScrollBar());
    }
    if (size != this->size()) setFixedSize(size);
    // The default place follows the width, so that a window there stays there.
    if (atHome && pos() != defaultPlace()) move(defaultPlace());
}

void TfrmDebugger::SetDebugger() {
    setWindowTitle(tr("Debugger"));
    ForcingEnabled = true;
}

void TfrmDebugger::SetRealIO() {
    setWindowTitle(tr("Real I/O Monitor"));
    ForcingEnabled = false;
}

void TfrmDebugger::showOff(int input, bool shown) {
    btnOFF_[input]->setVisible(shown);
    btnON_[input]->setVisible(!shown);
    // The run thread reads the forced state as one atomic flag, never the button.
    forced_.set(input, !shown);
}

void TfrmDebugger::btnOFFClick(int input) {
    if (ForcingEnabled) showOff(input, false);
}

void TfrmDebugger::btnONClick(int input) {
    if (ForcingEnabled) showOff(input, true);
}

void TfrmDebugger::UpdateDisplay(bool mirrorInputs) {
    const MemoryImage& m = ws_.plc.uiMemory();
    if (mirrorInputs)
        for (int i = 0; i < kPoints; ++i) showOff(i, !m.Inputs[i].Image);
    for (int i = 0; i < kPoints; ++i) {
        imgOPOn_[i]->setVisible(m.Outputs[i].State);
        imgOPOff_[i]->setVisible(!m.Outputs[i].State);
        lblFON_[i]->setText(Bit(m.Flags[i].State));
    }
    for (int k = 1; k <= kTimers; ++k) {
        lblTPre_[k - 1]->setText(Seconds(m.Timers[k].Preset));
        lblTAcc_[k - 1]->setText(Seconds(m.Timers[k].Elapsed));
        lblTDN_[k - 1]->setText(Bit(m.Timers[k].DoneImage));
    }
    for (int k = 1; k <= kCounters; ++k) {
        lblCPre_[k - 1]->setText(QString::number(m.Counters[k].Preset));
        lblCAcc_[k - 1]->setText(QString::number(m.Counters[k].Count));
        lblCDN_[k - 1]->setText(Bit(m.Counters[k].DownImage));
        lblCUP_[k - 1]->setText(Bit(m.Counters[k].UpImage));
    }
    for (int r = 1; r <= kRegisters; ++r)
        for (int bit = 0; bit < kPoints; ++bit)
            lblRegister_[r - 1][bit]->setText(Bit(m.Registers[r].Bits[bit]));
}

void TfrmDebugger::closeEvent(QCloseEvent* event) {
    if (pos() != defaultPlace()) ws_.settings.writePlace(kSection, x(), y());
    ws_.shell.DebuggerOpen = false;
    QMdiSubWindow::closeEvent(event);
}

}  // namespace torvex
