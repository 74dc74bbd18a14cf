#include "dialogs/bit_shift_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "engine/ladder.h"

namespace torvex {

namespace {

constexpr int kOuterWidth = 271;
constexpr int kLargeFontsWidth = 327;

QStringList Numbered(const char* prefix, int first, int last, const char* suffix = "") {
    QStringList items;
    for (int n = first; n <= last; ++n)
        items << QLatin1String(prefix) + QString::number(n) + QLatin1String(suffix);
    return items;
}

// "C1/DN", "C1/UP", "C2/DN", ...: odd items are up bits.
QStringList CounterBits() {
    QStringList items;
    for (int c = 1; c <= kCounters; ++c)
        items << QStringLiteral("C%1/DN").arg(c) << QStringLiteral("C%1/UP").arg(c);
    return items;
}

// "R1/0" ... "R1/15", "R2/0" ... "R4/15": item = 16 x (register - 1) + bit.
QStringList RegisterBits() {
    QStringList items;
    for (int r = 1; r <= kRegisters; ++r)
        for (int bit = 0; bit < kPoints; ++bit) items << QStringLiteral("R%1/%2").arg(r).arg(bit);
    return items;
}

}  // namespace

TfrmBitShift::TfrmBitShift(const ControlDialogContext& context, QWidget* parent)
    : ControlDialog(context, kOuterWidth, kLargeFontsWidth, /*clearsPlacingNew=*/false, parent) {
    setObjectName(QStringLiteral("frmBitShift"));
    setWindowTitle(tr("Bit Shift"));
    lblInstruction =
        MakeLabel(this, QStringLiteral("lblInstruction"),
                  tr("Select the register and the bit you wish to be inserted left and right ."),
                  at()(8, 6, 249, 44));
    lblInstruction->setAlignment(Qt::AlignCenter);
    lblInstruction->setWordWrap(true);

    grpRegister =
        MakeGroup(this, QStringLiteral("grpRegister"), tr("Register"), at()(8, 54, 121, 64));
    for (int r = 1; r <= kRegisters; ++r) {
        chkR[r - 1] =
            MakeRadio(grpRegister, QStringLiteral("chkR%1").arg(r), QStringLiteral("R%1").arg(r),
                      at()(12 + 54 * ((r - 1) % 2), 21 + 20 * ((r - 1) / 2), 50, 17));
    }
    grpLeftRight =
        MakeGroup(this, QStringLiteral("grpLeftRight"), tr("Left/Right"), at()(136, 54, 121, 64));
    chkLeft = MakeRadio(grpLeftRight, QStringLiteral("chkLeft"), tr("Left"), at()(12, 21, 100, 17));
    chkRight =
        MakeRadio(grpLeftRight, QStringLiteral("chkRight"), tr("Right"), at()(12, 41, 100, 17));

    // One row per source: the radio button, and its list beside it.
    grpBit = MakeGroup(this, QStringLiteral("grpBit"), tr("Bit"), at()(8, 124, 249, 158));
    const struct {
        const char* name;
        QString text;
        QStringList items;
    } sources[kSources] = {
        {"Inputs", tr("Inputs"), Numbered("IP", 0, kPoints - 1)},
        {"Outputs", tr("Outputs"), Numbered("OP", 0, kPoints - 1)},
        {"Flags", tr("Flags"), Numbered("F", 0, kPoints - 1)},
        {"Timers", tr("Timers"), Numbered("T", 1, kTimers, "/DN")},
        {"Counters", tr("Counters"), CounterBits()},
        {"Registers", tr("Registers"), RegisterBits()},
    };
    sources_ = new QButtonGroup(this);
    for (int s = 0; s < kSources; ++s) {
        const QString name = QLatin1String(sources[s].name);
        const int y = 20 + 22 * s;
        chkSource[s] = MakeRadio(grpBit, QStringLiteral("chk") + name, sources[s].text,
                                 at()(12, y + 2, 110, 17));
        cbxSource[s] =
            MakeList(grpBit, QStringLiteral("cbx") + name, sources[s].items, at()(126, y, 110, 21));
        sources_->addButton(chkSource[s], s);
    }
    connect(sources_, &QButtonGroup::idToggled, this, [this](int s, bool checked) {
        if (checked) chkInputsClick(s);
    });

    Button1 =
        MakeButton(this, QStringLiteral("Button1"), QStringLiteral("OK"), at()(50, 290, 75, 23));
    Button2 = MakeButton(this, QStringLiteral("Button2"), QStringLiteral("Cancel"),
                         at()(140, 290, 75, 23));
    connect(Button1, &QPushButton::clicked, this, &TfrmBitShift::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmBitShift::Button2Click);

    FormCreate();
    FinishSize(Button1);
}

void TfrmBitShift::FormCreate() {
    const int code = editor().PendingCode;
    (IsShiftRight(code) ? chkRight : chkLeft)->setChecked(true);
    const int reg = IsShift(code) ? ShiftRegisterOf(code) : 1;
    chkR[reg - 1]->setChecked(true);

    for (QComboBox* list : cbxSource) {
        list->setCurrentIndex(0);
        list->setEnabled(false);
    }
    const int n = editor().PendingNumber;
    switch (editor().PendingKind) {
        case ShiftSourceKind::Input:
            ShowSource(kFromInputs, n);
            break;
        case ShiftSourceKind::Output:
            ShowSource(kFromOutputs, n);
            break;
        case ShiftSourceKind::Flag:
            ShowSource(kFromFlags, n);
            break;
        case ShiftSourceKind::TimerDone:
            ShowSource(kFromTimers, n - 1);
            break;
        case ShiftSourceKind::CounterUp:
            ShowSource(kFromCounters, 2 * n - 1);
            break;
        case ShiftSourceKind::CounterDown:
            ShowSource(kFromCounters, 2 * n - 2);
            break;
        case ShiftSourceKind::RegisterBit:
            ShowSource(kFromRegisters, n - 16);
            break;
        default:
            break;  // no source is checked; OK then takes the first input
    }
}

void TfrmBitShift::ShowSource(int source, int item) {
    chkSource[source]->setChecked(true);
    QComboBox* list = cbxSource[source];
    // An operand outside the list would leave it showing nothing, and OK would hand over
    // item -1.
    list->setCurrentIndex(item >= 0 && item < list->count() ? item : 0);
}

void TfrmBitShift::chkInputsClick(int source) {
    if (source == remembered_) return;
    if (remembered_ >= 0) cbxSource[remembered_]->setEnabled(false);
    cbxSource[source]->setEnabled(true);
    remembered_ = source;
}

void TfrmBitShift::Button1Click() {
    int reg = 1;
    for (int r = 2; r <= kRegisters; ++r)
        if (chkR[r - 1]->isChecked()) reg = r;
    const int32_t code = (chkLeft->isChecked() ? Control::BL1 : Control::BR1) + reg - 1;

    const int source = sources_->checkedId() >= 0 ? sources_->checkedId() : kFromInputs;
    const int item = cbxSource[source]->currentIndex();
    int kind = ShiftSourceKind::Input, number = item;
    switch (source) {
        case kFromOutputs:
            kind = ShiftSourceKind::Output;
            break;
        case kFromFlags:
            kind = ShiftSourceKind::Flag;
            break;
        case kFromTimers:
            kind = ShiftSourceKind::TimerDone;
            number = item + 1;
            break;
        case kFromCounters:
            kind = item % 2 == 1 ? ShiftSourceKind::CounterUp : ShiftSourceKind::CounterDown;
            number = item / 2 + 1;
            break;
        case kFromRegisters:
            kind = ShiftSourceKind::RegisterBit;
            number = item + 16;
            break;
        default:
            break;
    }
    Confirm(code, kind, number, kPlaceOutputSide);
}

void TfrmBitShift::Button2Click() {
    close();
}

}  // namespace torvex
