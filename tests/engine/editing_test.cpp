#include "engine/editing.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/plc.h"
#include "tests/support/ladder_text.h"

namespace torvex {
namespace {

TEST(LastOutputRow, CountsControlsButNotWiresOrEmptyCells) {
    const struct {
        std::vector<int32_t> rows;
        int last;
    } cases[] = {
        {{Control::LNK, 0, 0, 0}, -1},
        {{Control::OUT, 0, 0, 0}, 0},
        {{Control::OUT, Control::LNK, Control::RES, Control::LNK}, 2},
        {{Control::TIM, Control::TBT, 0, 0}, 1},
        {{0, 0, 0, Control::UNL}, 3},
    };
    for (const auto& c : cases) {
        RungRecord rung;
        for (int w = 0; w < kRows; ++w) rung.setCode(kOutputColumn, w, c.rows[w]);
        EXPECT_EQ(LastOutputRow(rung), c.last);
    }
}

TEST(WireParallelOutputs, JoinsEveryOutputRowToTheRungLineAndTheRail) {
    RungRecord rung = test::MakeRung({test::Simple({"NOC:IP0"}, "OUT:OP0"),
                                      ". . . . . . . . . . . . . . . . . . . OUT:OP1 .",
                                      ". . . . . . . . . . . . . . . . . . . OUT:OP2 ."});
    WireParallelOutputs(rung, 2);
    const int32_t link9[] = {Link::BRA, Link::STA, Link::LEF, Link::NON};
    const int32_t link10[] = {Link::FIN, Link::FIN, Link::FIN, Link::NON};
    for (int w = 0; w < kRows; ++w) {
        EXPECT_EQ(rung.Code(18, w), link9[w]) << w;
        EXPECT_EQ(rung.Code(20, w), link10[w]) << w;
    }

    // Every row's output is driven by the rung line.
    VirtualTickSource clock;
    auto plc = std::make_unique<Plc>(clock);
    plc->diagram.Rungs[0] = rung;
    plc->diagram.setRungCount(1);
    plc->StartRun();
    plc->memory.Inputs[0].Raw = true;
    plc->RunStep();
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(plc->memory.Outputs[i].State) << "OP" << i;

    RungRecord same = rung;
    WireParallelOutputs(same, 0);  // nothing to wire in parallel
    WireParallelOutputs(same, 4);
    for (int w = 0; w < kRows; ++w) EXPECT_EQ(same.Code(18, w), rung.Code(18, w));
}

}  // namespace
}  // namespace torvex
