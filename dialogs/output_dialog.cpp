#include "dialogs/output_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "engine/ladder.h"

namespace torvex {

namespace {
constexpr int kOuterWidth = 328;
}  // namespace

TfrmOutput::TfrmOutput(const ControlDialogContext& context, QWidget* parent)
    : ChoiceDialog(context, kOuterWidth, 0, /*clearsPlacingNew=*/false, parent) {
    setObjectName(QStringLiteral("frmOutput"));
    setWindowTitle(tr("Outputs"));
    // The instruction reads the same in both languages.
    lblInstruction =
        MakeLabel(this, QStringLiteral("lblInstruction"),
                  QStringLiteral("Select an output from the set below."), at()(8, 8, 305, 17));

    // The outputs box is 4 wider than the form's, for "OP10" and the next column's button;
    // the boxes beside it give up as much.
    grpOutputs =
        MakeGroup(this, QStringLiteral("grpOutputs"), tr("Outputs"), at()(8, 32, 125, 169));
    AddPointColumns(grpOutputs, QStringLiteral("OP"), CoilKind::Output);

    // Flags "0" ... "15", four rows of four.
    grpFlags = MakeGroup(this, QStringLiteral("grpFlags"), tr("Flags"), at()(140, 32, 173, 105));
    for (int f = 0; f < kPoints; ++f) {
        AddChoice(MakeRadio(grpFlags, QStringLiteral("chkF%1").arg(f), QString::number(f),
                            at()(6 + 41 * (f % 4), 21 + 20 * (f / 4), 38, 17)),
                  CoilKind::Flag, f);
    }

    // Register bits: one column, the list to the right of each register.
    grpRegisterBits = MakeGroup(this, QStringLiteral("grpRegisterBits"), tr("Register Bits"),
                                at()(140, 144, 173, 137));
    AddRegisterColumn(grpRegisterBits, CoilKind::Register1, QStringLiteral("Bit"), cbxR);

    btnOK = MakeButton(this, QStringLiteral("btnOK"), QStringLiteral("OK"), at()(31, 217, 75, 23));
    btnCancel = MakeButton(this, QStringLiteral("btnCancel"), tr("Cancel"), at()(31, 249, 75, 23));
    connect(btnOK, &QPushButton::clicked, this, &TfrmOutput::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmOutput::btnCancelClick);

    FormCreate();
    FinishSize(grpRegisterBits);
}

void TfrmOutput::FormCreate() {
    Choice* choice = ChoiceNamed(editor().PendingKind, editor().PendingNumber);
    Select(choice);
    // Selecting set every list back to bit 0; the edited register's bit comes after.
    if (choice && choice->bits) choice->bits->setCurrentIndex(editor().PendingNumber);
}

void TfrmOutput::chkOP0Click(Choice& choice) {
    // Every selection starts the lists again at bit 0.
    ResetBitLists();
    if (&choice == current_) return;
    if (current_) current_->radio->setChecked(false);
    if (choice.bits) choice.bits->setEnabled(true);
    current_ = &choice;
}

void TfrmOutput::btnOKClick() {
    HandOver(kPlaceOutputSide);
}

void TfrmOutput::btnCancelClick() {
    close();
}

}  // namespace torvex
