#include "simulation/io_monitor.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "engine/plc.h"
#include "files/settings_store.h"
#include "simulation/memory_groups.h"
#include "ui/artwork.h"
#include "ui/prompter.h"
#include "ui/window_place.h"
#include "ui/workspace.h"

namespace torvex {

namespace {

const QString kSection = QStringLiteral("Simulator");
// The window's client size, the top strip's height and the boxes' width and left.
constexpr int kClientWidth = 458;
constexpr int kClientHeight = 220;
constexpr int kTopHeight = 26;
constexpr int kListWidth = 103;
// The boxes' places were made for a single border of 3 pixels each side: the right side
// starts at half the outer width.
constexpr int kBorder = 3;

struct Panel {
    const char* group;
    const char* name;
    QSize size;
    int top;
    int offset;
};
constexpr Panel kPanels[] = {
    {"Inputs", "pnlInputs", {136, 184}, 28, 44},
    {"Outputs", "pnlOutputs", {136, 184}, 28, 44},
    {"Flags", "pnlFlags", {193, 89}, 72, 15},
    {"Timers", "pnlTimers", {145, 173}, 34, 38},
    {"Counters", "pnlCounters", {169, 173}, 34, 26},
    {"Registers", "pnlRegisters", {217, 89}, 72, 3},
};

QGroupBox* Box(QWidget* parent, const Panel& p) {
    auto* box = new QGroupBox(QString::fromLatin1(p.group), parent);
    box->setObjectName(QString::fromLatin1(p.name));
    new QGridLayout(box);
    box->hide();
    return box;
}

// A heading in the first row of a box's grid.
void Heading(QGroupBox* box, int column, const char* text, int span = 1,
             Qt::Alignment align = Qt::AlignCenter) {
    auto* label = new QLabel(QString::fromLatin1(text), box);
    label->setAlignment(align);
    static_cast<QGridLayout*>(box->layout())->addWidget(label, 0, column, 1, span);
}

}  // namespace

const QStringList& TfrmSimulator::GroupNames() {
    static const QStringList names = {QStringLiteral("Inputs"),   QStringLiteral("Outputs"),
                                      QStringLiteral("Flags"),    QStringLiteral("Timers"),
                                      QStringLiteral("Counters"), QStringLiteral("Registers")};
    return names;
}

TfrmSimulator::TfrmSimulator(Workspace& workspace, const MainWindowFrame& main, bool plcCaption,
                             QWidget* parent)
    : QMdiSubWindow(parent), ws_(workspace), main_(main) {
    setObjectName(QStringLiteral("frmSimulator"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A fixed border and no caption buttons: the window closes only through the commands.
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setOption(QMdiSubWindow::RubberBandResize, false);
    setWindowIcon(GlyphIcon(Glyph::Application));
    // Every text of the monitor is the same in both languages.
    setWindowTitle(QStringLiteral("I/O Monitor"));

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("pnlBackground"));
    QFont small = client_->font();
    small.setPixelSize(11);
    client_->setFont(small);
    setWidget(client_);

    auto* top = new QWidget(client_);
    top->setObjectName(QStringLiteral("pnlTop"));
    cbxLeft_ = new QComboBox(top);
    cbxLeft_->setObjectName(QStringLiteral("cbxLeft"));
    cbxRight_ = new QComboBox(top);
    cbxRight_->setObjectName(QStringLiteral("cbxRight"));
    for (QComboBox* box : {cbxLeft_, cbxRight_}) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setFixedWidth(kListWidth);
    }
    for (const Panel& p : kPanels) panels_[QString::fromLatin1(p.group)] = Box(client_, p);
    QGroupBox* timers = panels_[QStringLiteral("Timers")];
    Heading(timers, 1, "Pre");
    Heading(timers, 2, "Acc");
    Heading(timers, 3, "DN");
    QGroupBox* counters = panels_[QStringLiteral("Counters")];
    Heading(counters, 1, "Pre");
    Heading(counters, 2, "Acc");
    Heading(counters, 3, "DN");
    Heading(counters, 4, "UP");
    QGroupBox* registers = panels_[QStringLiteral("Registers")];
    Heading(registers, 1, "MSB", 4, Qt::AlignLeft);
    Heading(registers, 16, "LSB", 4, Qt::AlignRight);
    groups_ = std::make_unique<MemoryGroups>(
        MemoryGroups::Boxes{panels_[QStringLiteral("Inputs")], panels_[QStringLiteral("Outputs")],
                            panels_[QStringLiteral("Flags")], timers, counters, registers},
        [](int r) { return QString::number(r); }, MemoryGroups::Arrangement::Compact);
    // The input buttons only show: a click on them does nothing.
    for (int i = 0; i < kPoints; ++i)
        for (QPushButton* b : {groups_->onButton(i), groups_->offButton(i)})
            b->setAttribute(Qt::WA_TransparentForMouseEvents);

    // Each box at least its design size, larger where the font needs it; the window then
    // takes the width that holds the widest box on either side.
    int half = (kClientWidth + 2 * kBorder) / 2;
    int height = kClientHeight;
    for (const Panel& p : kPanels) {
        QGroupBox* box = panels_[QString::fromLatin1(p.group)];
        box->resize(box->sizeHint().expandedTo(p.size));
        half = qMax(half, p.offset + box->width() + 4);
        height = qMax(height, p.top + box->height() + 4);
    }
    client_->setFixedSize(2 * half - 2 * kBorder, height);
    top->setGeometry(0, 0, client_->width(), kTopHeight);
    cbxLeft_->move(2, 2);
    cbxRight_->move(2 + kListWidth + 1, 2);

    tmrTrip_.setObjectName(QStringLiteral("tmrTrip"));
    tmrTrip_.setParent(this);
    tmrTrip_.setSingleShot(true);
    tmrTrip_.setInterval(1);
    connect(&tmrTrip_, &QTimer::timeout, this, &TfrmSimulator::tmrTripTimer);
    connect(cbxLeft_, &QComboBox::editTextChanged, this, &TfrmSimulator::cbxLeftChange);
    connect(cbxRight_, &QComboBox::editTextChanged, this, &TfrmSimulator::cbxRightChange);

    if (plcCaption) SetPLCIO();
    ws_.shell.MonitorOpen = true;
    OpenLeft(QStringLiteral("Inputs"));
    OpenRight(QStringLiteral("Outputs"));
    leftGroup_ = QStringLiteral("Inputs");
    rightGroup_ = QStringLiteral("Outputs");
    SetItems(leftGroup_, rightGroup_);
    tmrTripTimer();
    refreshNames();
    UpdateDisplay(false);
}

void TfrmSimulator::refreshNames() {
    groups_->setNames(ws_.comments, false);
}

TfrmSimulator::~TfrmSimulator() {
    ws_.shell.MonitorOpen = false;
}

void TfrmSimulator::SetIOMonitor() {
    setWindowTitle(QStringLiteral("I/O Monitor"));
}

void TfrmSimulator::SetPLCIO() {
    setWindowTitle(QStringLiteral("Real I/O PLC Monitor"));
}

bool TfrmSimulator::InList(const QString& name) {
    return GroupNames().contains(name);
}

void TfrmSimulator::ClosePanel(const QString& name) {
    if (InList(name)) panels_[name]->hide();
}

void TfrmSimulator::OpenLeft(const QString& name) {
    for (const Panel& p : kPanels) {
        if (name != QLatin1String(p.group)) continue;
        panels_[name]->move(p.offset, p.top);
        panels_[name]->show();
    }
}

void TfrmSimulator::OpenRight(const QString& name) {
    const int half = (client_->width() + 2 * kBorder) / 2;
    for (const Panel& p : kPanels) {
        if (name != QLatin1String(p.group)) continue;
        panels_[name]->move(half + p.offset, p.top);
        panels_[name]->show();
    }
}

void TfrmSimulator::AddItems(QComboBox* box, const QString& left, const QString& right) {
    for (const QString& name : GroupNames())
        if (name != left && name != right) box->addItem(name);
}

void TfrmSimulator::SetItems(const QString& left, const QString& right) {
    {
        // Rebuilding a list changes its text; those changes are no choice of the user's.
        const QSignalBlocker blockLeft(cbxLeft_), blockRight(cbxRight_);
        cbxLeft_->clear();
        cbxRight_->clear();
        AddItems(cbxLeft_, left, right);
        AddItems(cbxRight_, left, right);
        cbxLeft_->setEditText(leftGroup_);
        cbxRight_->setEditText(rightGroup_);
    }
    // And once more when the change that led here has run its course.
    tmrTrip_.start();
}

void TfrmSimulator::tmrTripTimer() {
    tmrTrip_.stop();
    const QSignalBlocker blockLeft(cbxLeft_), blockRight(cbxRight_);
    cbxLeft_->setEditText(leftGroup_);
    cbxRight_->setEditText(rightGroup_);
}

void TfrmSimulator::cbxLeftChange(const QString& text) {
    if (text == leftGroup_) return;
    if (InList(text)) {
        ClosePanel(leftGroup_);
        OpenLeft(text);
        leftGroup_ = text;
        SetItems(leftGroup_, rightGroup_);
    } else {
        // A typed text that names no group: the box shows its group again.
        const QSignalBlocker block(cbxLeft_);
        cbxLeft_->setEditText(leftGroup_);
    }
}

void TfrmSimulator::cbxRightChange(const QString& text) {
    if (text == rightGroup_) return;
    if (InList(text)) {
        ClosePanel(rightGroup_);
        OpenRight(text);
        rightGroup_ = text;
        SetItems(leftGroup_, rightGroup_);
    } else {
        const QSignalBlocker block(cbxRight_);
        cbxRight_->setEditText(rightGroup_);
    }
}

void TfrmSimulator::UpdateDisplay(bool showInputs) {
    const MemoryImage& m = ws_.plc.uiMemory();
    if (showInputs)
        for (int i = 0; i < kPoints; ++i) groups_->showOff(i, !m.Inputs[i].Image);
    groups_->update(m);
}

void TfrmSimulator::takeInputs(PointStates& inputs) const {
    for (int i = 0; i < kPoints; ++i) inputs[i] = !groups_->offButton(i)->isVisibleTo(client_);
}

QPoint TfrmSimulator::defaultPlace() const {
    // The bottom right of the main window.
    return {main_.width - width() - 13, main_.clientHeight - height() - main_.barsHeight - 4};
}

void TfrmSimulator::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    if (placed_) return;
    placed_ = true;
    adjustSize();
    QPoint where = defaultPlace();
    const SettingsStore::Place place = ws_.settings.readPlace(kSection);
    if (!place.error.isEmpty())
        ws_.prompter.error(parentWidget(), place.error);  // unusable: the default place stays
    else if (place.moved)
        where = PlaceInArea(*this, QPoint(place.left, place.top), where);
    move(where);
}

void TfrmSimulator::closeEvent(QCloseEvent* event) {
    ws_.shell.MonitorOpen = false;
    if (pos() != defaultPlace()) ws_.settings.writePlace(kSection, x(), y());
    QMdiSubWindow::closeEvent(event);
}

}  // namespace torvex
