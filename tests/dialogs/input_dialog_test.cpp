// The contact dialog, driven as a user drives it.

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "dialogs/input_dialog.h"
#include "tests/dialogs/editor_side.h"
#include "tests/support/ladder_text.h"

namespace torvex::test {
namespace {

class ContactDialog : public EditorSide {
protected:
    QRadioButton* Radio(const char* name) {
        auto* radio = dialog->findChild<QRadioButton*>(QLatin1String(name));
        EXPECT_NE(radio, nullptr) << name;
        return radio;
    }
    std::vector<QString> Checked() {
        std::vector<QString> names;
        for (QRadioButton* r : dialog->findChildren<QRadioButton*>())
            if (r->isChecked()) names.push_back(r->objectName());
        return names;
    }
    TfrmInput* dialog = nullptr;
};

TEST_F(ContactDialog, ANewContactStartsOnIP0AndIsPlacedWithTag1) {
    PrepareNew(1, 2);
    dialog = Open<TfrmInput>();
    EXPECT_TRUE(editor.ControlDialogOpen);
    EXPECT_EQ(Checked(), std::vector<QString>{"chkIP0"});
    Click(Find<QPushButton>(dialog, "Button1"));
    EXPECT_EQ(tags, std::vector<int>{kPlaceContact});
    EXPECT_FALSE(dialogOpenAtPlacement) << "ControlDialogOpen is cleared before tmrPlace runs";
    EXPECT_EQ(CellAt(5, 0), Token("NOC:IP0"));
    EXPECT_TRUE(Gone());
}

// Each choice, opened for editing, is the one selected; OK hands it back unchanged.
TEST_F(ContactDialog, EditingShowsTheContactsOperandAndOkKeepsIt) {
    const struct {
        const char* token;
        const char* radio;
    } cases[] = {
        {"NOC:IP15", "chkIP15"},  {"NCC:OP3", "chkOP3"},    {"NOC:F12", "chkF12"},
        {"NOC:C3/DN", "chkC3DN"}, {"NCC:C8/UP", "chkC8UP"}, {"NOC:T8/DN", "chkT8DN"},
        {"NOC:R1/0", "chkR1"},    {"NCC:R4/15", "chkR4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        tags.clear();
        SetRung(plc->diagram, 0, {Simple({c.token}, "OUT:OP0")});
        PrepareEdit(1, 0);
        dialog = Open<TfrmInput>();
        EXPECT_EQ(Checked(), std::vector<QString>{QString::fromLatin1(c.radio)});
        Click(Find<QPushButton>(dialog, "Button1"));
        EXPECT_EQ(tags, std::vector<int>{kPlaceContact});
        EXPECT_EQ(CellAt(1, 0), Token(c.token));
        EXPECT_TRUE(Gone());
    }
}

TEST_F(ContactDialog, ARegisterBitComesFromItsList) {
    PrepareNew(1);
    dialog = Open<TfrmInput>();
    EXPECT_FALSE(Find<QComboBox>(dialog, "cbxR2")->isEnabled());
    ChooseItem(Find<QComboBox>(dialog, "cbxR2"), 5);
    EXPECT_EQ(Find<QComboBox>(dialog, "cbxR2")->currentIndex(), 0)
        << "a disabled list cannot be changed";
    Click(Radio("chkR2"));
    EXPECT_TRUE(Find<QComboBox>(dialog, "cbxR2")->isEnabled());
    ChooseItem(Find<QComboBox>(dialog, "cbxR2"), 5);
    EXPECT_EQ(Find<QComboBox>(dialog, "cbxR2")->currentText(), "Bit 5");
    Click(Find<QPushButton>(dialog, "Button1"));
    EXPECT_EQ(CellAt(1, 0), Token("NOC:R2/5"));
    EXPECT_EQ(editor.PendingKind, 4);
    EXPECT_EQ(editor.PendingNumber, 5);
}

TEST_F(ContactDialog, ARegisterListKeepsItsBitWhileAnotherChoiceIsSelected) {
    PrepareNew(1);
    dialog = Open<TfrmInput>();
    Click(Radio("chkR2"));
    ChooseItem(Find<QComboBox>(dialog, "cbxR2"), 5);
    Click(Radio("chkR3"));
    EXPECT_FALSE(Find<QComboBox>(dialog, "cbxR2")->isEnabled());
    EXPECT_TRUE(Find<QComboBox>(dialog, "cbxR3")->isEnabled());
    EXPECT_EQ(Find<QComboBox>(dialog, "cbxR2")->currentText(), "Bit 5");
    Click(Radio("chkR2"));
    EXPECT_EQ(Find<QComboBox>(dialog, "cbxR2")->currentText(), "Bit 5");
    EXPECT_FALSE(Find<QComboBox>(dialog, "cbxR3")->isEnabled());
    Click(Find<QPushButton>(dialog, "Button1"));
    EXPECT_EQ(Pending(), Cell(1, 4, 5));
}

TEST_F(ContactDialog, OneChoiceIsSelectedAcrossAllBoxes) {
    PrepareNew(1);
    dialog = Open<TfrmInput>();
    // 16 inputs, 16 outputs, 8 + 8 counter bits, 8 timers, 16 flags and 4 registers.
    EXPECT_EQ(dialog->findChildren<QRadioButton*>().size(), 76);
    for (const char* name : {"chkIP14", "chkC2UP", "chkT5DN", "chkF15", "chkR4", "chkOP3"}) {
        Click(Radio(name));
        EXPECT_EQ(Checked(), std::vector<QString>{QString::fromLatin1(name)});
    }
    Click(Radio("chkOP3"));
    EXPECT_EQ(Checked(), std::vector<QString>{"chkOP3"}) << "a second click keeps the choice";
    Click(Find<QPushButton>(dialog, "Button1"));
    EXPECT_EQ(Pending(), Cell(1, 1, 3));
}

TEST_F(ContactDialog, ThePendingPairThatNamesNoChoiceSelectsNothingAndOkGivesZero) {
    for (const Cell& pending : {Cell(1, 3, 16), Cell(1, 9, 0), Cell(1, 2, 16), Cell(1, 11, 1)}) {
        tags.clear();
        std::tie(editor.PendingCode, editor.PendingKind, editor.PendingNumber) = pending;
        dialog = Open<TfrmInput>();
        EXPECT_TRUE(Checked().empty());
        for (QComboBox* list : dialog->findChildren<QComboBox*>()) EXPECT_FALSE(list->isEnabled());
        Click(Find<QPushButton>(dialog, "Button1"));
        EXPECT_EQ(editor.PendingKind, 0);
        EXPECT_EQ(editor.PendingNumber, 0);
        EXPECT_TRUE(Gone());
    }
}

TEST_F(ContactDialog, CancelPlacesNothingAndLeavesTheContactAsItWas) {
    SetRung(plc->diagram, 0, {Simple({"NCC:F7"}, "OUT:OP0")});
    PrepareEdit(1, 0);
    dialog = Open<TfrmInput>();
    Click(Radio("chkR1"));
    ChooseItem(Find<QComboBox>(dialog, "cbxR1"), 9);
    Click(Find<QPushButton>(dialog, "Button2"));
    EXPECT_EQ(tags, std::vector<int>{kPlaceNothing});
    EXPECT_EQ(Pending(), Token("NCC:F7"));
    EXPECT_EQ(CellAt(1, 0), Token("NCC:F7"));
    EXPECT_FALSE(editor.ControlDialogOpen);
    EXPECT_TRUE(Gone());
}

TEST_F(ContactDialog, EscapeClosesAsCancelDoes) {
    PrepareNew(1);
    dialog = Open<TfrmInput>();
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_EQ(tags, std::vector<int>{kPlaceNothing});
    EXPECT_TRUE(Gone());
}

TEST_F(ContactDialog, FinnishCaptions) {
    FinnishTexts finnish;
    PrepareNew(1);
    dialog = Open<TfrmInput>();
    EXPECT_EQ(dialog->windowTitle(), "Tulot");
    EXPECT_EQ(Find<QLabel>(dialog, "lblInstruction")->text(),
              "Valitse tulo alla loevista vaihtoehdoista");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpInputs")->title(), "Tulot");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpOutputs")->title(), "Lähdöt");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpCounters")->title(), "Laskurit");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpTimers")->title(), "Ajastimet");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpFlags")->title(), "Liput");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpRegisterBits")->title(), "Rekisteribitit");
    EXPECT_EQ(Find<QPushButton>(dialog, "Button2")->text(), "Cancel");
    EXPECT_EQ(Find<QComboBox>(dialog, "cbxR1")->itemText(15), "Bit 15");
    dialog->close();
}

}  // namespace
}  // namespace torvex::test
