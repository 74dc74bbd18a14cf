// The drawing of rungs, checked by the colour of chosen pixels.

#include <gtest/gtest.h>

#include <memory>

#include "editor/rung_painter.h"
#include "engine/plc.h"
#include "tests/support/ladder_text.h"

namespace torvex::test {
namespace {

class RungDrawing : public ::testing::Test {
protected:
    std::unique_ptr<Plc> plc = std::make_unique<Plc>();
    RungPainter painter;
    QImage image = painter.blankRung();

    QColor At(int x, int y) const { return image.pixelColor(x, y); }
    // A pixel of control cell (column, row), relative to the cell.
    QColor Control(int column, int row, int x, int y) const {
        const QPoint cell = RungPainter::controlCell(column, row);
        return At(cell.x() + x, cell.y() + y);
    }
    QColor LinkAt(int column, int row, int x, int y) const {
        const QPoint cell = RungPainter::linkCell(column, row);
        return At(cell.x() + x, cell.y() + y);
    }
};

const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);

TEST_F(RungDrawing, LitCellsAreRedAndOthersBlack) {
    SetRung(plc->diagram, 0, {Simple({"NOC:IP0", "NOC:IP1"}, "OUT:OP0")});
    plc->StartRun();
    plc->memory.Inputs[0].Raw = true;
    plc->RunStep();
    painter.DisplayRung(image, &plc->diagram.Rungs[0], plc->memory, RungDraw::Live);
    // The wire enters every tile on pixel row 13; the contact's bars stand at x 15.
    EXPECT_EQ(Control(0, 0, 0, 13), kRed);
    EXPECT_EQ(Control(0, 0, 15, 10), kRed) << "the closed contact IP0";
    EXPECT_EQ(Control(1, 0, 15, 10), kBlack) << "IP1 is off and unpowered";
    EXPECT_EQ(LinkAt(1, 0, 1, 13), kRed) << "the link after IP0 is live";
    EXPECT_EQ(LinkAt(2, 0, 1, 13), kBlack);
    EXPECT_EQ(Control(9, 0, 0, 13), kBlack);
    EXPECT_EQ(Control(0, 1, 20, 13), RungPainter::kSilver) << "an empty cell is background";
}

TEST_F(RungDrawing, WithoutLiveNothingIsRedAndClearDropsTheLitFlags) {
    SetRung(plc->diagram, 0, {Simple({"NOC:IP0"}, "OUT:OP0")});
    plc->StartRun();
    plc->memory.Inputs[0].Raw = true;
    plc->RunStep();
    painter.DisplayRung(image, &plc->diagram.Rungs[0], plc->memory, RungDraw::Plain);
    EXPECT_EQ(Control(0, 0, 15, 10), kBlack);
    EXPECT_TRUE(plc->diagram.Rungs[0].Lit[1][0]);
    painter.DisplayRung(image, &plc->diagram.Rungs[0], plc->memory,
                        RungDraw::Live | RungDraw::ClearLit);
    EXPECT_EQ(Control(0, 0, 15, 10), kRed);
    for (const auto& column : plc->diagram.Rungs[0].Lit)
        for (bool lit : column) EXPECT_FALSE(lit);
}

TEST_F(RungDrawing, ARungBeyondTheCountIsAnEmptyImage) {
    SetRung(plc->diagram, 0, {Simple({"NOC:IP0"}, "OUT:OP0")});
    painter.DisplayRung(image, &plc->diagram.Rungs[0], plc->memory, RungDraw::Plain);
    painter.DisplayRung(image, nullptr, plc->memory, RungDraw::Plain);
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 5) ASSERT_EQ(At(x, y), RungPainter::kSilver);
}

TEST_F(RungDrawing, DeletionTilesHaveOneRedArm) {
    RungRecord rung;
    rung.setCode(2, 1, 10);  // delBRA: the south arm red
    rung.setCode(4, 1, 11);  // delLRET: the west arm red
    painter.DisplayRung(image, &rung, plc->memory, RungDraw::Plain);
    EXPECT_EQ(LinkAt(1, 1, 1, 20), kRed);
    EXPECT_EQ(LinkAt(1, 1, 0, 13), kBlack);
    EXPECT_EQ(LinkAt(2, 1, 0, 13), kRed);
    EXPECT_EQ(LinkAt(2, 1, 1, 5), kBlack);
}

TEST_F(RungDrawing, AButtonFaceOtherThanSilverReplacesItEverywhere) {
    const QColor face(239, 235, 231);
    RungPainter themed(1.0, false, face);
    QImage rungImage = themed.blankRung();
    SetRung(plc->diagram, 0,
            {Simple({"NOC:IP0"}, "TIM:T1"), ". . . . . . . . . . . . . . . . . . . TBT"});
    themed.DisplayRung(rungImage, &plc->diagram.Rungs[0], plc->memory, RungDraw::Plain);
    bool sawFace = false;
    for (int y = 0; y < rungImage.height(); ++y) {
        for (int x = 0; x < rungImage.width(); ++x) {
            ASSERT_NE(rungImage.pixelColor(x, y), RungPainter::kSilver) << x << "," << y;
            sawFace |= rungImage.pixelColor(x, y) == face;
        }
    }
    EXPECT_TRUE(sawFace);
}

TEST_F(RungDrawing, HighDensityImagesKeepTheLogicalGeometry) {
    RungPainter sharp(2.0);
    QImage big = sharp.blankRung();
    EXPECT_EQ(big.size(), QSize(866, 208));
    EXPECT_EQ(big.deviceIndependentSize().toSize(), QSize(433, 104));
    SetRung(plc->diagram, 0, {Simple({"NOC:IP0"}, "OUT:OP0")});
    plc->StartRun();
    plc->memory.Inputs[0].Raw = true;
    plc->RunStep();
    sharp.DisplayRung(big, &plc->diagram.Rungs[0], plc->memory, RungDraw::Live);
    EXPECT_EQ(big.pixelColor(2 * (3 + 15), 2 * (8 + 10)), kRed);
}

TEST(TileTexts, EveryLayoutAndKind) {
    auto memory = std::make_unique<MemoryImage>();
    memory->Timers[2].Preset = 2500;
    memory->Counters[3].Preset = 17;
    const struct {
        int32_t code, kind, index;
        TileTexts::Layout layout;
        const char* first;
        const char* second;
    } cases[] = {
        {Control::NOC, 0, 5, TileTexts::A, "I", "5"},
        {Control::NCC, 1, 15, TileTexts::A, "O", "15"},
        {Control::NOC, 2, 3, TileTexts::A, "F", "3"},
        {Control::NOC, 5, 9, TileTexts::A, "R3", "9"},
        {Control::NOC, 7, 2, TileTexts::A, "C2", "UP"},
        {Control::NCC, 8, 4, TileTexts::A, "C4", "DN"},
        {Control::NOC, 9, 8, TileTexts::A, "T8", "DN"},
        {Control::OUT, 0, 3, TileTexts::A, "O", "3"},
        {Control::LAT, 1, 12, TileTexts::A, "F", "12"},
        {Control::UNL, 2, 7, TileTexts::A, "R1", "7"},
        {Control::RES, 0, 1, TileTexts::A, "T", "1"},
        {Control::RES, 1, 6, TileTexts::A, "C", "6"},
        {Control::RES, 5, 0, TileTexts::A, "R4", "0"},
        {Control::TIM, 0, 2, TileTexts::B, "T2", ""},
        {Control::ODT, 0, 8, TileTexts::B, "T8", ""},
        {Control::CUP, 0, 3, TileTexts::B, "C3", ""},
        {Control::CDN, 0, 1, TileTexts::B, "C1", ""},
        {Control::BL3, 0, 0, TileTexts::B, "R3", ""},
        {Control::BR2, 0, 0, TileTexts::B, "R2", ""},
        {Control::TBT, 0, 2, TileTexts::C, "2.5", ""},
        {Control::CBT, 0, 3, TileTexts::C, "17", ""},
        {Control::BBT, 0, 4, TileTexts::C, "IP4", ""},
        {Control::BBT, 3, 2, TileTexts::C, "T2/DN", ""},
        {Control::BBT, 5, 7, TileTexts::C, "C7/DN", ""},
        {Control::BBT, 6, 31, TileTexts::C, "R1/15", ""},
        {Control::LNK, 0, 0, TileTexts::None, "", ""},
        {Control::TBT, 0, 42, TileTexts::C, "", ""},  // no such timer: nothing to show
    };
    for (const auto& c : cases) {
        const TileTexts t = TextsOf(c.code, c.kind, c.index, *memory);
        EXPECT_EQ(t.layout, c.layout) << c.code << "/" << c.kind;
        EXPECT_EQ(t.first.toStdString(), c.first) << c.code << "/" << c.kind;
        EXPECT_EQ(t.second.toStdString(), c.second) << c.code << "/" << c.kind;
    }
}

// What a box shows beside its cells while a run shows power.
TEST(LiveValues, TimersCountersAndRegisters) {
    auto memory = std::make_unique<MemoryImage>();
    memory->Timers[1].Elapsed = 1300;
    memory->Timers[1].Preset = 3000;
    memory->Counters[8].Count = 2;
    memory->Counters[8].Preset = 5;
    for (int bit : {15, 8, 3, 0}) memory->Registers[2].Bits[bit] = true;
    const struct {
        int32_t code, index;
        QStringList lines;
    } cases[] = {
        {Control::TIM, 1, {"1.3/3.0"}},
        {Control::ODT, 1, {"1.3/3.0"}},
        {Control::CUP, 8, {"2/5"}},
        {Control::CDN, 8, {"2/5"}},
        {Control::BL2, 0, {"1000 0001", "0000 1001"}},
        {Control::BR2, 0, {"1000 0001", "0000 1001"}},
        {Control::BL1, 0, {"0000 0000", "0000 0000"}},
        {Control::TIM, 9, {}},  // no such timer
        {Control::NOC, 1, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LiveValuesOf(c.code, c.index, *memory), c.lines) << c.code << "/" << c.index;
}

}  // namespace
}  // namespace torvex::test
