#include "dialogs/input_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "engine/ladder.h"

namespace torvex {

namespace {
constexpr int kOuterWidth = 496;
constexpr int kRowStep = 16;  // rows of the counter and timer boxes
}  // namespace

TfrmInput::TfrmInput(const ControlDialogContext& context, QWidget* parent)
    : ChoiceDialog(context, kOuterWidth, 0, /*clearsPlacingNew=*/false, parent) {
    setObjectName(QStringLiteral("frmInput"));
    setWindowTitle(tr("Inputs"));
    lblInstruction = MakeLabel(this, QStringLiteral("lblInstruction"),
                               tr("Select an input from the choices below."), at()(8, 8, 472, 17));

    grpInputs = MakeGroup(this, QStringLiteral("grpInputs"), tr("Inputs"), at()(8, 32, 121, 169));
    AddPointColumns(grpInputs, QStringLiteral("IP"), ContactKind::Input);
    grpOutputs =
        MakeGroup(this, QStringLiteral("grpOutputs"), tr("Outputs"), at()(136, 32, 121, 169));
    AddPointColumns(grpOutputs, QStringLiteral("OP"), ContactKind::Output);

    // Counters: one row per counter, UP left, DN right.
    grpCounters =
        MakeGroup(this, QStringLiteral("grpCounters"), tr("Counters"), at()(264, 32, 130, 169));
    for (int c = 1; c <= kCounters; ++c) {
        const QString up = QStringLiteral("C%1/UP").arg(c), down = QStringLiteral("C%1/DN").arg(c);
        const int y = 22 + kRowStep * (c - 1);
        AddChoice(
            MakeRadio(grpCounters, QStringLiteral("chkC%1UP").arg(c), up, at()(6, y, 60, kRowStep)),
            ContactKind::CounterUp, c);
        AddChoice(MakeRadio(grpCounters, QStringLiteral("chkC%1DN").arg(c), down,
                            at()(66, y, 62, kRowStep)),
                  ContactKind::CounterDown, c);
    }

    grpTimers = MakeGroup(this, QStringLiteral("grpTimers"), tr("Timers"), at()(401, 32, 79, 169));
    for (int t = 1; t <= kTimers; ++t) {
        const QString text = QStringLiteral("T%1/DN").arg(t);
        AddChoice(MakeRadio(grpTimers, QStringLiteral("chkT%1DN").arg(t), text,
                            at()(8, 22 + kRowStep * (t - 1), 66, kRowStep)),
                  ContactKind::TimerDone, t);
    }

    // Flags: rows of six, F0-F5, F6-F11, then F12-F15 starting under F1. Two-digit flags
    // need 42 pixels and a little air with today's fonts: the box is 8 wider than the form's
    // 249 (the register bits give up 6 of theirs, the gap between the boxes 2), and the
    // first column, which has no two-digit flag, is narrower.
    grpFlags = MakeGroup(this, QStringLiteral("grpFlags"), tr("Flags"), at()(8, 208, 257, 89));
    for (int f = 0; f < kPoints; ++f) {
        const int slot = f < 12 ? f : f + 1;
        const int column = slot % 6;
        const int x = column == 0 ? 4 : 39 + 43 * (column - 1), width = column == 0 ? 35 : 43;
        const QString text = QStringLiteral("F%1").arg(f);
        AddChoice(MakeRadio(grpFlags, QStringLiteral("chk") + text, text,
                            at()(x, 22 + 20 * (slot / 6), width, 17)),
                  ContactKind::Flag, f);
    }

    // Register bits: R1 and R2 stacked on the left, R3 and R4 on the right. The box keeps
    // its right edge and starts 6 pixels later than the form's, for the flags.
    grpRegisterBits = MakeGroup(this, QStringLiteral("grpRegisterBits"), tr("Register Bits"),
                                at()(270, 208, 210, 89));
    const QStringList bits = BitEntries(QStringLiteral("Bit"));
    for (int r = 1; r <= kRegisters; ++r) {
        const int x = r <= 2 ? 4 : 104, y = 24 + 32 * ((r - 1) % 2);
        auto* radio = MakeRadio(grpRegisterBits, QStringLiteral("chkR%1").arg(r),
                                QStringLiteral("R%1").arg(r), at()(x, y + 2, 36, 17));
        cbxR[r - 1] = MakeList(grpRegisterBits, QStringLiteral("cbxR%1").arg(r), bits,
                               at()(x + 36, y, 64, 21));
        AddChoice(radio, ContactKind::Register1 + r - 1, 0, cbxR[r - 1]);
    }

    Button1 =
        MakeButton(this, QStringLiteral("Button1"), QStringLiteral("OK"), at()(168, 308, 75, 23));
    Button2 = MakeButton(this, QStringLiteral("Button2"), QStringLiteral("Cancel"),
                         at()(248, 308, 75, 23));
    connect(Button1, &QPushButton::clicked, this, &TfrmInput::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmInput::Button2Click);

    FormCreate();
    FinishSize(Button1);
}

void TfrmInput::FormCreate() {
    SelectPending();
}

void TfrmInput::chkOP0Click(Choice& choice) {
    SwitchKeepingBits(choice);
}

void TfrmInput::Button1Click() {
    HandOver(kPlaceContact);
}

void TfrmInput::Button2Click() {
    close();
}

}  // namespace torvex
