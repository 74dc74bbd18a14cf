#include "simulation/debugger.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include "engine/forced_inputs.h"
#include "files/settings_store.h"
#include "simulation/memory_groups.h"
#include "ui/artwork.h"
#include "ui/prompter.h"
#include "ui/window_place.h"
#include "ui/workspace.h"
#include "ui_debugger.h"

namespace torvex {

namespace {

const QString kSection = QStringLiteral("Debugger");
// However low the room below its top, this much of the panel shows; the rest scrolls.
constexpr int kLeastPanelHeight = 100;

// The main window's top right; its left edge when the main window is too narrow for that,
// which is then the default place too, so that closing there records no move.
int DefaultLeft(int mainWidth, int width) {
    return qMax(0, mainWidth - width - 13);
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
    groups_ = std::make_unique<MemoryGroups>(
        MemoryGroups::Boxes{ui_->grpInputs, ui_->grpOutputs, ui_->grpFlags, ui_->grpTimers,
                            ui_->grpCounters, ui_->grpRegisters},
        [](int r) { return tr("Register %1").arg(r); });
    for (int i = 0; i < kPoints; ++i) {
        connect(groups_->onButton(i), &QPushButton::clicked, this, [this, i] { btnONClick(i); });
        connect(groups_->offButton(i), &QPushButton::clicked, this, [this, i] { btnOFFClick(i); });
    }
    // Names beside the points: the window's own option, kept in the settings.
    chkNames_ = new QCheckBox(tr("Show I/O names"), panel_);
    chkNames_->setObjectName(QStringLiteral("chkNames"));
    chkNames_->setChecked(ws_.settings.value(kSection, QStringLiteral("Names"),
                                             QStringLiteral("False")) == QLatin1String("True"));
    ui_->layBoxes->addWidget(chkNames_);
    connect(chkNames_, &QCheckBox::toggled, this, [this](bool shown) {
        ws_.settings.setValue(kSection, QStringLiteral("Names"),
                              shown ? QStringLiteral("True") : QStringLiteral("False"));
        refreshNames();
    });
    refreshNames();
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
    groups_->showOff(input, shown);
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
    groups_->update(m);
}

void TfrmDebugger::refreshNames() {
    groups_->setNames(ws_.comments, chkNames_->isChecked());
}

void TfrmDebugger::closeEvent(QCloseEvent* event) {
    if (pos() != defaultPlace()) ws_.settings.writePlace(kSection, x(), y());
    ws_.shell.DebuggerOpen = false;
    QMdiSubWindow::closeEvent(event);
}

}  // namespace torvex
