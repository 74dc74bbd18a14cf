#include "simulation/debugger.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "engine/forced_inputs.h"
#include "files/settings_store.h"
#include "ui/artwork.h"
#include "ui/prompter.h"
#include "ui/workspace.h"

namespace torvex {

namespace {

const QString kSection = QStringLiteral("Debugger");

// Seconds with one decimal, as the debugger shows presets and elapsed times.
QString Seconds(int32_t milliseconds) { return QString::number(milliseconds / 1000.0, 'f', 1); }
QString Bit(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

// The main window's top right; its left edge when the main window is too narrow for that,
// which is then the default place too, so that closing there records no move.
int DefaultLeft(int mainWidth, int width) { return qMax(0, mainWidth - width - 13); }

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

QLabel* Text(QWidget* parent, const QString& text, QRect geometry, Qt::Alignment align = Qt::AlignCenter) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    l->setAlignment(align);
    return l;
}

}  // namespace

TfrmDebugger::TfrmDebugger(Workspace& workspace, ForcedInputs& forced, bool realIO,
                           int mainWindowWidth, QWidget* parent)
    : QMdiSubWindow(parent), ws_(workspace), forced_(forced), mainWidth_(mainWindowWidth) {
    setObjectName(QStringLiteral("frmDebugger"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A fixed border and no caption buttons: the window closes only through the commands.
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowIcon(GlyphIcon(Glyph::Application));
    auto* panel = new QWidget(this);
    QFont small = panel->font();
    small.setPixelSize(11);
    panel->setFont(small);
    panel->setObjectName(QStringLiteral("pnlBackground"));
    setWidget(panel);
    const qreal dpr = devicePixelRatioF();
    const QPixmap lampOn = Lamp(QColor(230, 30, 30), dpr), lampOff = Lamp(QColor(70, 20, 20), dpr);

    grpInputs = new QGroupBox(tr("Inputs"), panel);
    grpInputs->setGeometry(6, 4, 214, 120);
    for (int i = 0; i < 16; ++i) {
        const int x = 6 + (i % 4) * 52, y = 20 + (i / 4) * 24;
        auto* label = Text(grpInputs, QStringLiteral("IP%1").arg(i), QRect(x, y, 24, 18), Qt::AlignVCenter | Qt::AlignLeft);
        label->setObjectName(QStringLiteral("lblIP%1").arg(i));
        auto* on = new QPushButton(QStringLiteral("ON"), grpInputs);
        on->setObjectName(QStringLiteral("btnIP%1ON").arg(i));
        auto* off = new QPushButton(QStringLiteral("OFF"), grpInputs);
        off->setObjectName(QStringLiteral("btnIP%1OFF").arg(i));
        for (QPushButton* b : {on, off}) {
            b->setGeometry(x + 24, y, 26, 18);
            b->setFocusPolicy(Qt::NoFocus);
            QFont f = b->font();
            f.setPixelSize(9);
            f.setBold(true);
            b->setFont(f);
        }
        on->setStyleSheet(QStringLiteral("QPushButton { background: rgb(40,190,40); color: white; border: 1px solid rgb(20,90,20); }"));
        off->setStyleSheet(QStringLiteral("QPushButton { background: rgb(200,200,200); color: black; border: 1px solid rgb(110,110,110); }"));
        connect(on, &QPushButton::clicked, this, [this, i] { btnONClick(i); });
        connect(off, &QPushButton::clicked, this, [this, i] { btnOFFClick(i); });
        btnON[i] = on;
        btnOFF[i] = off;
    }

    grpOutputs = new QGroupBox(tr("Outputs"), panel);
    grpOutputs->setGeometry(6, 128, 214, 120);
    for (int i = 0; i < 16; ++i) {
        const int x = 6 + (i % 4) * 52, y = 20 + (i / 4) * 24;
        Text(grpOutputs, QStringLiteral("OP%1").arg(i), QRect(x, y, 28, 18), Qt::AlignVCenter | Qt::AlignLeft)
            ->setObjectName(QStringLiteral("lblOP%1").arg(i));
        auto* off = new QLabel(grpOutputs);
        off->setObjectName(QStringLiteral("imgOP%1Off").arg(i));
        off->setPixmap(lampOff);
        off->setGeometry(x + 30, y + 2, 14, 14);
        auto* on = new QLabel(grpOutputs);
        on->setObjectName(QStringLiteral("imgOP%1On").arg(i));
        on->setPixmap(lampOn);
        on->setGeometry(x + 30, y + 2, 14, 14);
        on->hide();
        imgOPOff[i] = off;
        imgOPOn[i] = on;
    }

    grpFlags = new QGroupBox(tr("Flags"), panel);
    grpFlags->setGeometry(6, 252, 214, 108);
    for (int i = 0; i < 16; ++i) {
        const int x = 6 + (i % 4) * 52, y = 20 + (i / 4) * 21;
        Text(grpFlags, QStringLiteral("F%1").arg(i), QRect(x, y, 26, 18), Qt::AlignVCenter | Qt::AlignLeft)
            ->setObjectName(QStringLiteral("lblF%1").arg(i));
        lblFON[i] = Text(grpFlags, QStringLiteral("0"), QRect(x + 28, y, 16, 18));
        lblFON[i]->setObjectName(QStringLiteral("lblF%1ON").arg(i));
    }

    grpTimers = new QGroupBox(tr("Timers"), panel);
    grpTimers->setGeometry(226, 4, 218, 176);
    Text(grpTimers, tr("Pre"), QRect(40, 16, 52, 16));
    Text(grpTimers, tr("Acc"), QRect(96, 16, 52, 16));
    Text(grpTimers, tr("DN"), QRect(152, 16, 40, 16));
    for (int k = 1; k <= 8; ++k) {
        const int y = 16 + 17 * k;
        Text(grpTimers, QStringLiteral("T%1").arg(k), QRect(8, y, 28, 16), Qt::AlignVCenter | Qt::AlignLeft)
            ->setObjectName(QStringLiteral("lblT%1").arg(k));
        lblTPre[k - 1] = Text(grpTimers, QStringLiteral("0.0"), QRect(40, y, 52, 16));
        lblTPre[k - 1]->setObjectName(QStringLiteral("lblT%1Pre").arg(k));
        lblTAcc[k - 1] = Text(grpTimers, QStringLiteral("0.0"), QRect(96, y, 52, 16));
        lblTAcc[k - 1]->setObjectName(QStringLiteral("lblT%1Acc").arg(k));
        lblTDN[k - 1] = Text(grpTimers, QStringLiteral("0"), QRect(152, y, 40, 16));
        lblTDN[k - 1]->setObjectName(QStringLiteral("lblT%1DN").arg(k));
    }

    grpCounters = new QGroupBox(tr("Counters"), panel);
    grpCounters->setGeometry(226, 184, 218, 176);
    Text(grpCounters, tr("Pre"), QRect(36, 16, 48, 16));
    Text(grpCounters, tr("Acc"), QRect(86, 16, 48, 16));
    Text(grpCounters, tr("DN"), QRect(138, 16, 32, 16));
    Text(grpCounters, tr("UP"), QRect(172, 16, 32, 16));
    for (int k = 1; k <= 8; ++k) {
        const int y = 16 + 17 * k;
        Text(grpCounters, QStringLiteral("C%1").arg(k), QRect(8, y, 26, 16), Qt::AlignVCenter | Qt::AlignLeft)
            ->setObjectName(QStringLiteral("lblC%1").arg(k));
        lblCPre[k - 1] = Text(grpCounters, QStringLiteral("0"), QRect(36, y, 48, 16));
        lblCPre[k - 1]->setObjectName(QStringLiteral("C%1Pre").arg(k));
        lblCAcc[k - 1] = Text(grpCounters, QStringLiteral("0"), QRect(86, y, 48, 16));
        lblCAcc[k - 1]->setObjectName(QStringLiteral("C%1Acc").arg(k));
        lblCDN[k - 1] = Text(grpCounters, QStringLiteral("0"), QRect(138, y, 32, 16));
        lblCDN[k - 1]->setObjectName(QStringLiteral("lblC%1DN").arg(k));
        lblCUP[k - 1] = Text(grpCounters, QStringLiteral("0"), QRect(172, y, 32, 16));
        lblCUP[k - 1]->setObjectName(QStringLiteral("lblC%1UP").arg(k));
    }

    grpRegisters = new QGroupBox(tr("Registers"), panel);
    grpRegisters->setGeometry(6, 364, 438, 112);
    Text(grpRegisters, QStringLiteral("MSB"), QRect(96, 16, 30, 16), Qt::AlignVCenter | Qt::AlignLeft);
    Text(grpRegisters, QStringLiteral("LSB"), QRect(398, 16, 30, 16), Qt::AlignVCenter | Qt::AlignRight);
    for (int r = 1; r <= 4; ++r) {
        const int y = 16 + 20 * r;
        Text(grpRegisters, tr("Register %1").arg(r), QRect(8, y, 84, 16), Qt::AlignVCenter | Qt::AlignLeft);
        for (int bit = 15; bit >= 0; --bit) {
            // Four groups of four, bit 15 on the left.
            const int position = 15 - bit;
            const int x = 98 + position * 20 + (position / 4) * 4;
            auto* label = Text(grpRegisters, QStringLiteral("0"), QRect(x, y, 16, 16));
            label->setObjectName(QStringLiteral("lblRegister%1%2").arg(QChar(u'A' + r - 1)).arg(bit));
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            lblRegister[r - 1][bit] = label;
        }
    }
    panel->setFixedSize(450, 482);

    // Every input shows off at creation.
    forced_.clear();
    if (realIO)
        SetRealIO();
    else
        SetDebugger();
    ws_.shell.DebuggerOpen = true;
    UpdateDisplay(false);
}

void TfrmDebugger::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    if (placed_) return;
    placed_ = true;
    // The client area takes the background panel's size; the place is taken once the MDI
    // area holds the window, which would otherwise put it where it likes.
    setFixedSize(sizeHint());
    move(DefaultLeft(mainWidth_, width()), 0);
    const SettingsStore::Place place = ws_.settings.readPlace(kSection);
    if (!place.error.isEmpty())
        ws_.prompter.error(parentWidget(), place.error);  // unusable: the default place stays
    else if (place.moved)
        move(place.left, place.top);
}

TfrmDebugger::~TfrmDebugger() { ws_.shell.DebuggerOpen = false; }

void TfrmDebugger::SetDebugger() {
    setWindowTitle(tr("Debugger"));
    ForcingEnabled = true;
}

void TfrmDebugger::SetRealIO() {
    setWindowTitle(tr("Real I/O Monitor"));
    ForcingEnabled = false;
}

bool TfrmDebugger::offShown(int input) const { return !btnOFF[input]->isHidden(); }

void TfrmDebugger::showOff(int input, bool shown) {
    btnOFF[input]->setVisible(shown);
    btnON[input]->setVisible(!shown);
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
    const MemoryImage& m = ws_.plc.memory;
    if (mirrorInputs)
        for (int i = 0; i < 16; ++i) showOff(i, !m.Inputs[i].Image);
    for (int i = 0; i < 16; ++i) {
        imgOPOn[i]->setVisible(m.Outputs[i].State);
        imgOPOff[i]->setVisible(!m.Outputs[i].State);
        lblFON[i]->setText(Bit(m.Flags[i].State));
    }
    for (int k = 1; k <= 8; ++k) {
        lblTPre[k - 1]->setText(Seconds(m.Timers[k].Preset));
        lblTAcc[k - 1]->setText(Seconds(m.Timers[k].Elapsed));
        lblTDN[k - 1]->setText(Bit(m.Timers[k].DoneImage));
        lblCPre[k - 1]->setText(QString::number(m.Counters[k].Preset));
        lblCAcc[k - 1]->setText(QString::number(m.Counters[k].Count));
        lblCDN[k - 1]->setText(Bit(m.Counters[k].DownImage));
        lblCUP[k - 1]->setText(Bit(m.Counters[k].UpImage));
    }
    for (int r = 1; r <= 4; ++r)
        for (int bit = 0; bit < 16; ++bit) lblRegister[r - 1][bit]->setText(Bit(m.Registers[r].Bits[bit]));
}

bool TfrmDebugger::atDefaultPlace() const { return y() == 0 && x() == DefaultLeft(mainWidth_, width()); }

void TfrmDebugger::closeEvent(QCloseEvent* event) {
    if (!atDefaultPlace()) ws_.settings.writePlace(kSection, x(), y());
    ws_.shell.DebuggerOpen = false;
    QMdiSubWindow::closeEvent(event);
}

}  // namespace torvex
