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

// The six sources of the shifted-in bit, in the order of the box.
enum Source { kFromInputs, kFromOutputs, kFromFlags, kFromTimers, kFromCounters, kFromRegisters };
constexpr int kSources = 6;
const char* const kSourceNames[kSources] = {"Inputs", "Outputs",  "Flags",
                                            "Timers", "Counters", "Registers"};

class BitShiftDialog : public EditorSide {
protected:
    QRadioButton* Radio(const QString& name) { return Find<QRadioButton>(dialog, name); }
    QRadioButton* SourceRadio(int source) {
        return Radio(QStringLiteral("chk") + QLatin1String(kSourceNames[source]));
    }
    QComboBox* SourceList(int source) {
        return Find<QComboBox>(dialog, QStringLiteral("cbx") + QLatin1String(kSourceNames[source]));
    }
    QRadioButton* Register(int r) { return Radio(QStringLiteral("chkR%1").arg(r)); }
    TfrmBitShift* dialog = nullptr;
};

TEST_F(BitShiftDialog, ANewShiftIsLeftOnR1FromIP0) {
    PrepareNew(9);
    dialog = Open<TfrmBitShift>();
    EXPECT_TRUE(Find<QRadioButton>(dialog, "chkLeft")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(dialog, "chkR1")->isChecked());
    EXPECT_TRUE(SourceRadio(kFromInputs)->isChecked());
    for (int s = 0; s < kSources; ++s) EXPECT_EQ(SourceList(s)->isEnabled(), s == kFromInputs) << s;
    Click(Find<QPushButton>(dialog, "Button1"));
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
    for (int s = 0; s < kSources; ++s) {
        QComboBox* list = SourceList(s);
        ASSERT_EQ(list->count(), counts[s]);
        EXPECT_EQ(list->itemText(0), expected[s][0]);
        EXPECT_EQ(list->itemText(list->count() - 1), expected[s][1]);
        EXPECT_FALSE(list->isEditable());
    }
    QComboBox* counters = SourceList(kFromCounters);
    EXPECT_EQ(counters->itemText(1), "C1/UP");
    EXPECT_EQ(counters->itemText(2), "C2/DN");
    EXPECT_EQ(SourceList(kFromRegisters)->itemText(16), "R2/0");
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
        {3, true, kFromCounters, 3, "BR3:C2/UP"},  {3, true, kFromRegisters, 63, "BR3:R4/15"},
        {1, false, kFromInputs, 15, "BL1:IP15"},   {2, false, kFromOutputs, 4, "BL2:OP4"},
        {4, true, kFromFlags, 9, "BR4:F9"},        {4, false, kFromTimers, 7, "BL4:T8/DN"},
        {1, true, kFromCounters, 0, "BR1:C1/DN"},  {2, true, kFromCounters, 15, "BR2:C8/UP"},
        {1, false, kFromRegisters, 0, "BL1:R1/0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        plc->diagram.Rungs[0].makeNew();
        PrepareNew(9);
        dialog = Open<TfrmBitShift>();
        Click(Register(c.reg));
        Click(c.right ? Find<QRadioButton>(dialog, "chkRight")
                      : Find<QRadioButton>(dialog, "chkLeft"));
        Click(SourceRadio(c.source));
        ChooseItem(SourceList(c.source), c.item);
        EXPECT_EQ(SourceList(c.source)->currentIndex(), c.item);
        Click(Find<QPushButton>(dialog, "Button1"));
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
        {"BL1:IP7", kFromInputs, 7},      {"BR1:OP15", kFromOutputs, 15},
        {"BL2:F3", kFromFlags, 3},        {"BR2:T4/DN", kFromTimers, 3},
        {"BL3:C5/UP", kFromCounters, 9},  {"BR3:C5/DN", kFromCounters, 8},
        {"BL4:R3/2", kFromRegisters, 34}, {"BR4:R1/0", kFromRegisters, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        SetRung(plc->diagram, 0, {Simple({"NOC:IP0"}, c.token)});
        PrepareEdit(kOutputColumn, 0);
        const auto [code, kind, number] = Token(c.token);
        dialog = Open<TfrmBitShift>();
        EXPECT_EQ(Find<QRadioButton>(dialog, "chkRight")->isChecked(), IsShiftRight(code));
        EXPECT_TRUE(Register(ShiftRegisterOf(code))->isChecked());
        for (int s = 0; s < kSources; ++s) {
            EXPECT_EQ(SourceRadio(s)->isChecked(), s == c.source);
            EXPECT_EQ(SourceList(s)->isEnabled(), s == c.source);
            EXPECT_EQ(SourceList(s)->currentIndex(), s == c.source ? c.item : 0);
        }
        Click(Find<QPushButton>(dialog, "Button1"));
        EXPECT_EQ(CellAt(kOutputColumn, 0), Token(c.token));
        EXPECT_TRUE(Gone());
    }
}

TEST_F(BitShiftDialog, OnlyTheSelectedSourcesListIsEnabled) {
    PrepareNew(9);
    dialog = Open<TfrmBitShift>();
    ChooseItem(SourceList(kFromInputs), 4);
    Click(SourceRadio(kFromFlags));
    EXPECT_FALSE(SourceList(kFromInputs)->isEnabled());
    EXPECT_TRUE(SourceList(kFromFlags)->isEnabled());
    ChooseItem(SourceList(kFromInputs), 9);
    EXPECT_EQ(SourceList(kFromInputs)->currentIndex(), 4);
    Click(SourceRadio(kFromFlags));
    EXPECT_TRUE(SourceList(kFromFlags)->isEnabled());
    Click(Find<QPushButton>(dialog, "Button1"));
    EXPECT_EQ(Pending(), Cell(11, 2, 0));
}

// A box whose operand lies outside the lists (a damaged file) still opens on a real item,
// and OK never hands over an operand that names nothing.
TEST_F(BitShiftDialog, AnOperandOutsideTheListsOpensOnTheFirstItem) {
    for (const Cell& pending : {Cell(12, 0, 16), Cell(12, 3, 0), Cell(12, 6, 80), Cell(12, 5, 9)}) {
        std::tie(editor.PendingCode, editor.PendingKind, editor.PendingNumber) = pending;
        dialog = Open<TfrmBitShift>();
        Click(Find<QPushButton>(dialog, "Button1"));
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
    Click(Find<QRadioButton>(dialog, "chkLeft"));
    Click(Find<QPushButton>(dialog, "Button2"));
    EXPECT_EQ(tags, std::vector<int>{kPlaceNothing});
    EXPECT_EQ(Pending(), Token("BR2:F5"));
    EXPECT_TRUE(Gone());
}

TEST_F(BitShiftDialog, FinnishCaptions) {
    FinnishTexts finnish;
    PrepareNew(9);
    dialog = Open<TfrmBitShift>();
    EXPECT_EQ(dialog->windowTitle(), "Bittisiirto");
    EXPECT_EQ(Find<QLabel>(dialog, "lblInstruction")->text(),
              "Valitse rekisteri ja bitti, jonka haluat siirtyvän vasemmalle ja oikealle");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpRegister")->title(), "Rekisteri");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpLeftRight")->title(), "Vasen/Oikea");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpBit")->title(), "Bitti");
    const char* sources[] = {"Tulot", "Lähdöt", "Liput", "Ajastimet", "Laskurit", "Rekisterit"};
    for (int s = 0; s < kSources; ++s)
        EXPECT_EQ(SourceRadio(s)->text(), QString::fromUtf8(sources[s]));
    EXPECT_EQ(Find<QRadioButton>(dialog, "chkLeft")->text(), "Vasen");
    EXPECT_EQ(Find<QRadioButton>(dialog, "chkRight")->text(), "Oikea");
    EXPECT_EQ(Find<QPushButton>(dialog, "Button1")->text(), "OK");
    EXPECT_EQ(SourceList(kFromTimers)->itemText(0), "T1/DN");
    dialog->close();
}

}  // namespace
}  // namespace torvex::test
