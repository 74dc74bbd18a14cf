#include "dialogs/input_dialog.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include "engine/ladder.h"
#include "ui_input_dialog.h"

namespace torvex {

namespace {
// 58 wider than the first design's 496: with today's fonts the flags and the register bits
// need the room.
constexpr int kOuterWidth = 554;
}  // namespace

TfrmInput::TfrmInput(const ControlDialogContext& context, QWidget* parent)
    : ChoiceDialog(context, kOuterWidth, 0, /*clearsPlacingNew=*/false, parent) {
    Ui::TfrmInput form;
    form.setupUi(this);
    ScaleDesign(this, at());

    auto radio = [this](const QString& name) { return findChild<QRadioButton*>(name); };
    for (int n = 0; n < kPoints; ++n) {
        AddChoice(radio(QStringLiteral("chkIP%1").arg(n)), ContactKind::Input, n);
        AddChoice(radio(QStringLiteral("chkOP%1").arg(n)), ContactKind::Output, n);
        AddChoice(radio(QStringLiteral("chkF%1").arg(n)), ContactKind::Flag, n);
    }
    for (int c = 1; c <= kCounters; ++c) {
        AddChoice(radio(QStringLiteral("chkC%1UP").arg(c)), ContactKind::CounterUp, c);
        AddChoice(radio(QStringLiteral("chkC%1DN").arg(c)), ContactKind::CounterDown, c);
    }
    for (int t = 1; t <= kTimers; ++t)
        AddChoice(radio(QStringLiteral("chkT%1DN").arg(t)), ContactKind::TimerDone, t);
    // The bit lists read the same in both languages.
    const QStringList bits = BitEntries(QStringLiteral("Bit"));
    for (int r = 1; r <= kRegisters; ++r) {
        auto* list = findChild<QComboBox*>(QStringLiteral("cbxR%1").arg(r));
        list->addItems(bits);
        AddChoice(radio(QStringLiteral("chkR%1").arg(r)), ContactKind::Register1 + r - 1, 0, list);
    }

    connect(form.Button1, &QPushButton::clicked, this, &TfrmInput::Button1Click);
    connect(form.Button2, &QPushButton::clicked, this, &TfrmInput::Button2Click);

    FormCreate();
    FinishSize(form.Button1);
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
