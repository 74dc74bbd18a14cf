// The coil and reset dialogs, driven as a user drives them.

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs/output_dialog.h"
#include "dialogs/reset_dialog.h"
#include "tests/dialogs/editor_side.h"
#include "tests/support/ladder_text.h"

namespace torvex::test {
namespace {

QRadioButton* Radio(QWidget* dialog, const char* name) {
    auto* radio = dialog->findChild<QRadioButton*>(QLatin1String(name));
    EXPECT_NE(radio, nullptr) << name;
    return radio;
}

std::vector<QString> Checked(QWidget* dialog) {
    std::vector<QString> names;
    for (QRadioButton* r : dialog->findChildren<QRadioButton*>())
        if (r->isChecked()) names.push_back(r->objectName());
    return names;
}

using CoilDialog = EditorSide;
using ResetDialog = EditorSide;

TEST_F(CoilDialog, ANewOutputStartsOnOP0AndIsPlacedWithTag2) {
    PrepareNew(3);
    auto* dialog = Open<TfrmOutput>();
    EXPECT_TRUE(editor.ControlDialogOpen);
    EXPECT_EQ(Checked(dialog), std::vector<QString>{"chkOP0"});
    Click(Find<QPushButton>(dialog, "btnOK"));
    EXPECT_EQ(tags, std::vector<int>{kPlaceOutputSide});
    EXPECT_FALSE(dialogOpenAtPlacement);
    EXPECT_EQ(CellAt(kOutputColumn, 0), Token("OUT:OP0"));
    EXPECT_TRUE(Gone());
}

TEST_F(CoilDialog, LatchAndUnlatchUseTheSameDialogAndKeepTheirCode) {
    SetRung(plc->diagram, 0, {Simple({"NOC:IP0"}, "OUT:OP0")});
    PrepareNew(5);
    EXPECT_EQ(editor.TargetRow, 1);
    auto* dialog = Open<TfrmOutput>();
    Click(Radio(dialog, "chkF12"));
    Click(Find<QPushButton>(dialog, "btnOK"));
    EXPECT_EQ(CellAt(kOutputColumn, 1), Token("LAT:F12"));
    EXPECT_EQ(editor.PendingKind, 1);
    EXPECT_EQ(editor.PendingNumber, 12);
}

TEST_F(CoilDialog, EditingShowsTheCoilsOperand) {
    const struct {
        const char* token;
        const char* radio;
        int reg;  // the register whose list is enabled, 0 for none
        int bit;  // and the bit it shows
    } cases[] = {
        {"OUT:OP15", "chkOP15", 0, 0}, {"LAT:F0", "chkF0", 0, 0},   {"UNL:F9", "chkF9", 0, 0},
        {"OUT:R1/0", "chkR1", 1, 0},   {"LAT:R3/7", "chkR3", 3, 7}, {"UNL:R4/15", "chkR4", 4, 15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        SetRung(plc->diagram, 0, {Simple({"NOC:IP0"}, c.token)});
        PrepareEdit(kOutputColumn, 0);
        auto* dialog = Open<TfrmOutput>();
        EXPECT_EQ(Checked(dialog), std::vector<QString>{QString::fromLatin1(c.radio)});
        for (int r = 1; r <= kRegisters; ++r) {
            EXPECT_EQ(Find<QComboBox>(dialog, QStringLiteral("cbxR%1").arg(r))->isEnabled(),
                      r == c.reg);
            EXPECT_EQ(Find<QComboBox>(dialog, QStringLiteral("cbxR%1").arg(r))->currentIndex(),
                      r == c.reg ? c.bit : 0);
        }
        Click(Find<QPushButton>(dialog, "btnOK"));
        EXPECT_EQ(CellAt(kOutputColumn, 0), Token(c.token));
        EXPECT_TRUE(Gone());
    }
}

TEST_F(CoilDialog, EverySelectionStartsTheBitListsAgainAtBit0) {
    PrepareNew(3);
    auto* dialog = Open<TfrmOutput>();
    Click(Radio(dialog, "chkR3"));
    ChooseItem(Find<QComboBox>(dialog, "cbxR3"), 7);
    EXPECT_EQ(Find<QComboBox>(dialog, "cbxR3")->currentText(), "Bit 7");
    Click(Radio(dialog, "chkOP2"));
    EXPECT_FALSE(Find<QComboBox>(dialog, "cbxR3")->isEnabled());
    Click(Radio(dialog, "chkR3"));
    EXPECT_EQ(Find<QComboBox>(dialog, "cbxR3")->currentText(), "Bit 0");
    ChooseItem(Find<QComboBox>(dialog, "cbxR3"), 7);
    Click(Find<QPushButton>(dialog, "btnOK"));
    EXPECT_EQ(Pending(), Cell(3, 4, 7));
}

TEST_F(CoilDialog, OneChoiceAcrossTheThreeBoxes) {
    PrepareNew(3);
    auto* dialog = Open<TfrmOutput>();
    EXPECT_EQ(dialog->findChildren<QRadioButton*>().size(), 36);
    for (const char* name : {"chkF3", "chkR2", "chkOP9", "chkR4"}) {
        Click(Radio(dialog, name));
        EXPECT_EQ(Checked(dialog), std::vector<QString>{QString::fromLatin1(name)});
    }
    dialog->close();
}

TEST_F(CoilDialog, CancelPlacesNothing) {
    PrepareNew(6);
    auto* dialog = Open<TfrmOutput>();
    Click(Radio(dialog, "chkF1"));
    Click(Find<QPushButton>(dialog, "btnCancel"));
    EXPECT_EQ(tags, std::vector<int>{kPlaceNothing});
    EXPECT_EQ(Pending(), Cell(6, 0, 0));
    EXPECT_EQ(CellAt(kOutputColumn, 0), Cell(Control::LNK, 0, 0));
    EXPECT_TRUE(Gone());
}

TEST_F(CoilDialog, FinnishCaptionsAndItsOwnCancel) {
    FinnishTexts finnish;
    PrepareNew(3);
    auto* dialog = Open<TfrmOutput>();
    EXPECT_EQ(dialog->windowTitle(), "Lähdöt");
    EXPECT_EQ(Find<QLabel>(dialog, "lblInstruction")->text(),
              "Select an output from the set below.");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpOutputs")->title(), "Lähdöt");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpFlags")->title(), "Liput");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpRegisterBits")->title(), "Rekisteribitit");
    EXPECT_EQ(Find<QPushButton>(dialog, "btnOK")->text(), "OK");
    EXPECT_EQ(Find<QPushButton>(dialog, "btnCancel")->text(), "Kumoa");
    EXPECT_EQ(Find<QComboBox>(dialog, "cbxR4")->itemText(2), "Bit 2");
    dialog->close();
}

TEST_F(ResetDialog, ANewResetStartsOnT1) {
    PrepareNew(4);
    auto* dialog = Open<TfrmReset>();
    EXPECT_EQ(Checked(dialog), std::vector<QString>{"chkT1"});
    Click(Find<QPushButton>(dialog, "Button1"));
    EXPECT_EQ(tags, std::vector<int>{kPlaceOutputSide});
    EXPECT_EQ(CellAt(kOutputColumn, 0), Token("RES:T1"));
    EXPECT_EQ(Pending(), Cell(4, 0, 1));
}

TEST_F(ResetDialog, ChoosingC3LeavesOnlyC3) {
    PrepareNew(4);
    auto* dialog = Open<TfrmReset>();
    Click(Radio(dialog, "chkC3"));
    EXPECT_EQ(Checked(dialog), std::vector<QString>{"chkC3"});
    Click(Find<QPushButton>(dialog, "Button1"));
    EXPECT_EQ(Pending(), Cell(4, 1, 3));
}

TEST_F(ResetDialog, RegisterBitsKeepTheirBitAcrossSelections) {
    PrepareNew(4);
    auto* dialog = Open<TfrmReset>();
    Click(Radio(dialog, "chkR4"));
    ChooseItem(Find<QComboBox>(dialog, "cbxR4"), 15);
    Click(Radio(dialog, "chkT8"));
    EXPECT_FALSE(Find<QComboBox>(dialog, "cbxR4")->isEnabled());
    EXPECT_EQ(Find<QComboBox>(dialog, "cbxR4")->currentIndex(), 15);
    Click(Radio(dialog, "chkR4"));
    EXPECT_EQ(Find<QComboBox>(dialog, "cbxR4")->currentIndex(), 15);
    Click(Find<QPushButton>(dialog, "Button1"));
    EXPECT_EQ(CellAt(kOutputColumn, 0), Token("RES:R4/15"));
    EXPECT_EQ(Pending(), Cell(4, 5, 15));
}

TEST_F(ResetDialog, EditingShowsTheResetsOperand) {
    for (const char* token : {"RES:T8", "RES:C1", "RES:C8", "RES:R1/3", "RES:R2/0"}) {
        SCOPED_TRACE(token);
        SetRung(plc->diagram, 0, {Simple({"NOC:IP0"}, token)});
        PrepareEdit(kOutputColumn, 0);
        auto* dialog = Open<TfrmReset>();
        EXPECT_EQ(Checked(dialog).size(), 1u);
        Click(Find<QPushButton>(dialog, "Button1"));
        EXPECT_EQ(CellAt(kOutputColumn, 0), Token(token));
        EXPECT_TRUE(Gone());
    }
}

TEST_F(ResetDialog, CancelPlacesNothing) {
    SetRung(plc->diagram, 0, {Simple({"NOC:IP0"}, "RES:C2")});
    PrepareEdit(kOutputColumn, 0);
    auto* dialog = Open<TfrmReset>();
    Click(Radio(dialog, "chkT4"));
    Click(Find<QPushButton>(dialog, "Button2"));
    EXPECT_EQ(tags, std::vector<int>{kPlaceNothing});
    EXPECT_EQ(CellAt(kOutputColumn, 0), Token("RES:C2"));
    EXPECT_TRUE(Gone());
}

TEST_F(ResetDialog, FinnishCaptionsAndBittiEntries) {
    FinnishTexts finnish;
    SetRung(plc->diagram, 0, {Simple({"NOC:IP0"}, "RES:R2/9")});
    PrepareEdit(kOutputColumn, 0);
    auto* dialog = Open<TfrmReset>();
    EXPECT_EQ(dialog->windowTitle(), "Nollaa");
    EXPECT_EQ(Find<QLabel>(dialog, "lblInstruction")->text(),
              "Valitse ajastin, laskuri, rekisteribitti tai indeksi");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpTimers")->title(), "Ajastimet");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpCounters")->title(), "Laskurit");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpRegisterBits")->title(), "Rekisteribitit");
    EXPECT_EQ(Find<QPushButton>(dialog, "Button2")->text(), "Cancel");
    for (QComboBox* list : dialog->findChildren<QComboBox*>()) {
        EXPECT_EQ(list->itemText(0), "Bitti 0");
        EXPECT_EQ(list->itemText(15), "Bitti 15");
    }
    EXPECT_EQ(Find<QComboBox>(dialog, "cbxR2")->currentText(), "Bitti 9");
    Click(Find<QPushButton>(dialog, "Button1"));
    EXPECT_EQ(Pending(), Cell(4, 3, 9));
}

}  // namespace
}  // namespace torvex::test
