// The bit-shift dialog: register, direction and the shifted-in bit from each source.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs/bit_shift_dialog.h"
#include "tests/dialogs/editor_side.h"
#include "tests/support/ladder_text.h"

namespace torvex::test {
namespace {

class BitShiftDialog : public EditorSide {
protected:
    TfrmBitShift* dialog = nullptr;
};

TEST_F(BitShiftDialog, ANewShiftIsLeftOnR1FromIP0) {
    PrepareNew(9);
    dialog = Open<TfrmBitShift>();
    EXPECT_TRUE(dialog->chkLeft->isChecked());
    EXPECT_TRUE(dialog->chkR[0]->isChecked());
    EXPECT_TRUE(dialog->chkSource[TfrmBitShift::kFromInputs]->isChecked());
    for (int s = 0; s < TfrmBitShift::kSources; ++s)
        EXPECT_EQ(dialog->cbxSource[s]->isEnabled(), s == TfrmBitShift::kFromInputs) << s;
    Click(dialog->Button1);
    EXPECT_EQ(tags, std::vector<int>{kPlaceOutputSide});
    EXPECT_FALSE(dialogOpenAtPlacement);
    EXPECT_EQ(CellAt(kOutputColumn, 0), Token("BL1:IP0"));
    EXPECT_EQ(CellAt(kOutputColumn, 1), Cell(Control::BBT, 0, 0));
}

TEST_F(BitShiftDialog, TheListsHoldTheirItemsInOrder) {
    PrepareNew(9);
    dialog = Open<TfrmBitShift>();
    const QStringList expected[] = {
        {"IP0", "IP15"},    {"OP0", "OP15"},    {"F0", "F15"},
        {"T1/DN", "T8/DN"}, {"C1/DN", "C8/UP"}, {"R1/0", "R4/15"},
    };
    const int counts[] = {16, 16, 16, 8, 16, 64};
    for (int s = 0; s < TfrmBitShift::kSources; ++s) {
        QComboBox* list = dialog->cbxSource[s];
        ASSERT_EQ(list->count(), counts[s]);
        EXPECT_EQ(list->itemText(0), expected[s][0]);
        EXPECT_EQ(list->itemText(list->count() - 1), expected[s][1]);
        EXPECT_FALSE(list->isEditable());
    }
    QComboBox* counters = dialog->cbxSource[TfrmBitShift::kFromCounters];
    EXPECT_EQ(counters->itemText(1), "C1/UP");
    EXPECT_EQ(counters->itemText(2), "C2/DN");
    EXPECT_EQ(dialog->cbxSource[TfrmBitShift::kFromRegisters]->itemText(16), "R2/0");
    dialog->close();
}

// Each source, register and direction chosen by the user, then OK. The right shift of R3
// fed from C2's up bit is code 17, kind 4, number 2; fed from R4 bit 15, kind 6, number 79.
TEST_F(BitShiftDialog, EverySourceKind) {
    const struct {
        int reg;
        bool right;
        int source;
        int item;
        const char* token;
    } cases[] = {
        {3, true, TfrmBitShift::kFromCounters, 3, "BR3:C2/UP"},
        {3, true, TfrmBitShift::kFromRegisters, 63, "BR3:R4/15"},
        {1, false, TfrmBitShift::kFromInputs, 15, "BL1:IP15"},
        {2, false, TfrmBitShift::kFromOutputs, 4, "BL2:OP4"},
        {4, true, TfrmBitShift::kFromFlags, 9, "BR4:F9"},
        {4, false, TfrmBitShift::kFromTimers, 7, "BL4:T8/DN"},
        {1, true, TfrmBitShift::kFromCounters, 0, "BR1:C1/DN"},
        {2, true, TfrmBitShift::kFromCounters, 15, "BR2:C8/UP"},
        {1, false, TfrmBitShift::kFromRegisters, 0, "BL1:R1/0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        plc->diagram.Rungs[0].makeNew();
        PrepareNew(9);
        dialog = Open<TfrmBitShift>();
        Click(dialog->chkR[c.reg - 1]);
        Click(c.right ? dialog->chkRight : dialog->chkLeft);
        Click(dialog->chkSource[c.source]);
        ChooseItem(dialog->cbxSource[c.source], c.item);
        EXPECT_EQ(dialog->cbxSource[c.source]->currentIndex(), c.item);
        Click(dialog->Button1);
        EXPECT_EQ(Pending(), Token(c.token));
        EXPECT_EQ(CellAt(kOutputColumn, 0), Token(c.token));
        EXPECT_TRUE(Gone());
    }
}

// Opened on a box, the dialog shows what the box holds, and OK gives it back unchanged.
TEST_F(BitShiftDialog, EditingShowsTheBoxesSource) {
    const struct {
        const char* token;
        int source;
        int item;
    } cases[] = {
        {"BL1:IP7", TfrmBitShift::kFromInputs, 7},
        {"BR1:OP15", TfrmBitShift::kFromOutputs, 15},
        {"BL2:F3", TfrmBitShift::kFromFlags, 3},
        {"BR2:T4/DN", TfrmBitShift::kFromTimers, 3},
        {"BL3:C5/UP", TfrmBitShift::kFromCounters, 9},
        {"BR3:C5/DN", TfrmBitShift::kFromCounters, 8},
        {"BL4:R3/2", TfrmBitShift::kFromRegisters, 34},
        {"BR4:R1/0", TfrmBitShift::kFromRegisters, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        SetRung(plc->diagram, 0, {Simple({"NOC:IP0"}, c.token)});
        PrepareEdit(kOutputColumn, 0);
        const auto [code, kind, number] = Token(c.token);
        dialog = Open<TfrmBitShift>();
        EXPECT_EQ(dialog->chkRight->isChecked(), IsShiftRight(code));
        EXPECT_TRUE(dialog->chkR[ShiftRegisterOf(code) - 1]->isChecked());
        for (int s = 0; s < TfrmBitShift::kSources; ++s) {
            EXPECT_EQ(dialog->chkSource[s]->isChecked(), s == c.source);
            EXPECT_EQ(dialog->cbxSource[s]->isEnabled(), s == c.source);
            EXPECT_EQ(dialog->cbxSource[s]->currentIndex(), s == c.source ? c.item : 0);
        }
        Click(dialog->Button1);
        EXPECT_EQ(CellAt(kOutputColumn, 0), Token(c.token));
        EXPECT_TRUE(Gone());
    }
}

TEST_F(BitShiftDialog, OnlyTheSelectedSourcesListIsEnabled) {
    PrepareNew(9);
    dialog = Open<TfrmBitShift>();
    ChooseItem(dialog->cbxSource[TfrmBitShift::kFromInputs], 4);
    Click(dialog->chkSource[TfrmBitShift::kFromFlags]);
    EXPECT_FALSE(dialog->cbxSource[TfrmBitShift::kFromInputs]->isEnabled());
    EXPECT_TRUE(dialog->cbxSource[TfrmBitShift::kFromFlags]->isEnabled());
    ChooseItem(dialog->cbxSource[TfrmBitShift::kFromInputs], 9);
    EXPECT_EQ(dialog->cbxSource[TfrmBitShift::kFromInputs]->currentIndex(), 4);
    Click(dialog->chkSource[TfrmBitShift::kFromFlags]);
    EXPECT_TRUE(dialog->cbxSource[TfrmBitShift::kFromFlags]->isEnabled());
    Click(dialog->Button1);
    EXPECT_EQ(Pending(), Cell(11, 2, 0));
}

// A box whose operand lies outside the lists (a damaged file) still opens on a real item,
// and OK never hands over an operand that names nothing.
TEST_F(BitShiftDialog, AnOperandOutsideTheListsOpensOnTheFirstItem) {
    for (const Cell& pending : {Cell(12, 0, 16), Cell(12, 3, 0), Cell(12, 6, 80), Cell(12, 5, 9)}) {
        std::tie(editor.PendingCode, editor.PendingKind, editor.PendingNumber) = pending;
        dialog = Open<TfrmBitShift>();
        Click(dialog->Button1);
        EXPECT_TRUE(IsValidOperand(editor.PendingCode, editor.PendingKind, editor.PendingNumber))
            << std::get<1>(pending) << "," << std::get<2>(pending) << " became "
            << editor.PendingKind << "," << editor.PendingNumber;
        EXPECT_TRUE(Gone());
    }
}

TEST_F(BitShiftDialog, CancelPlacesNothing) {
    SetRung(plc->diagram, 0, {Simple({"NOC:IP0"}, "BR2:F5")});
    PrepareEdit(kOutputColumn, 0);
    dialog = Open<TfrmBitShift>();
    Click(dialog->chkLeft);
    Click(dialog->Button2);
    EXPECT_EQ(tags, std::vector<int>{kPlaceNothing});
    EXPECT_EQ(Pending(), Token("BR2:F5"));
    EXPECT_TRUE(Gone());
}

TEST_F(BitShiftDialog, FinnishCaptions) {
    FinnishTexts finnish;
    PrepareNew(9);
    dialog = Open<TfrmBitShift>();
    EXPECT_EQ(dialog->windowTitle(), "Bittisiirto");
    EXPECT_EQ(dialog->lblInstruction->text(),
              "Valitse rekisteri ja bitti, jonka haluat siirtyvän vasemmalle ja oikealle");
    EXPECT_EQ(dialog->grpRegister->title(), "Rekisteri");
    EXPECT_EQ(dialog->grpLeftRight->title(), "Vasen/Oikea");
    EXPECT_EQ(dialog->grpBit->title(), "Bitti");
    const char* sources[] = {"Tulot", "Lähdöt", "Liput", "Ajastimet", "Laskurit", "Rekisterit"};
    for (int s = 0; s < TfrmBitShift::kSources; ++s)
        EXPECT_EQ(dialog->chkSource[s]->text(), QString::fromUtf8(sources[s]));
    EXPECT_EQ(dialog->chkLeft->text(), "Vasen");
    EXPECT_EQ(dialog->chkRight->text(), "Oikea");
    EXPECT_EQ(dialog->Button1->text(), "OK");
    EXPECT_EQ(dialog->cbxSource[TfrmBitShift::kFromTimers]->itemText(0), "T1/DN");
    dialog->close();
}

}  // namespace
}  // namespace torvex::test
