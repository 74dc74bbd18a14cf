// The interface table, its start-up registration and the null interface.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/io_interface.h"
#include "tests/engine/run_fixture.h"

namespace torvex::test {
namespace {

TEST(NullInterface, AnswersAsTheDemoInterface) {
    NullInterface null;
    EXPECT_EQ(null.Name(), "Non-active Demo interface");
    EXPECT_EQ(null.DefaultAddress(), 0);
    EXPECT_EQ(null.AddressCount(), 1);
    EXPECT_EQ(null.AddressValue(0), 0);
    EXPECT_EQ(null.AddressText(0), "0 - 0*");
    EXPECT_FALSE(null.HasRoutine());
    EXPECT_EQ(null.RoutineCaption(), "");
    EXPECT_EQ(null.Routine(), 1);
    null.WriteOutputs(0, 0xFFFF);
    EXPECT_EQ(null.ReadInputs(0), 0);
}

class InterfaceTableTest : public ::testing::Test {
protected:
    std::vector<std::unique_ptr<IoInterface>> Recording(int count) {
        std::vector<std::unique_ptr<IoInterface>> list;
        for (int i = 1; i <= count; ++i)
            list.push_back(std::make_unique<RecordingInterface>(log, "io" + std::to_string(i)));
        return list;
    }
    CallLog log;
    InterfaceTable table;
};

TEST_F(InterfaceTableTest, StartUpRegistersTheNullInterfaceFirstAndOpensIt) {
    table.BaseAddresses.fill(-1);
    table.RegisterInterfaces(Recording(2));
    EXPECT_EQ(table.InterfaceCount(), 3);
    EXPECT_EQ(table.CurrentInterface(), 0);
    EXPECT_EQ(table.at(0)->Name(), "Non-active Demo interface");
    EXPECT_EQ(table.at(2)->Name(), "io2");
    EXPECT_EQ(table.at(3), nullptr);
    EXPECT_EQ(table.at(-1), nullptr);
    EXPECT_EQ(table.BaseAddresses[0], 0);
    EXPECT_EQ(table.BaseAddresses[1], 0x300) << "each entry starts at its default address";
    EXPECT_EQ(table.BaseAddresses[2], 0x300);
    EXPECT_EQ(log.take(), std::vector<std::string>{})
        << "only entry 0, the null interface, was opened";

    table.RegisterInterfaces();
    EXPECT_EQ(table.InterfaceCount(), 1) << "registration starts the table afresh";
}

TEST_F(InterfaceTableTest, HoldsElevenInterfacesAtMost) {
    table.RegisterInterfaces(Recording(12));
    EXPECT_EQ(table.InterfaceCount(), 11);
    EXPECT_EQ(table.at(10)->Name(), "io10");
    EXPECT_FALSE(table.Register(std::make_unique<NullInterface>()));
    EXPECT_FALSE(table.Register(nullptr));
    EXPECT_EQ(table.InterfaceCount(), 11);
}

TEST_F(InterfaceTableTest, SelectingClosesTheOldInterfaceAndOpensTheNew) {
    table.RegisterInterfaces(Recording(2));
    table.BaseAddresses[2] = 0x310;
    EXPECT_TRUE(table.Select(2));
    EXPECT_TRUE(table.Select(2));
    EXPECT_FALSE(table.Select(3));
    EXPECT_FALSE(table.Select(-1));
    EXPECT_EQ(table.CurrentInterface(), 2);
    table.WriteOutputs(0x00A5);
    static_cast<RecordingInterface*>(table.at(2))->inputWord = 0x1234;
    EXPECT_EQ(table.ReadInputs(), 0x1234);
    EXPECT_TRUE(table.Select(1));
    table.Close();
    EXPECT_EQ(log.take(), (std::vector<std::string>{"io2 Open", "io2 WriteOutputs@784 0x00a5",
                                                    "io2 ReadInputs@784", "io2 Close", "io1 Open",
                                                    "io1 Close"}));
}

TEST_F(InterfaceTableTest, AnEmptyTableReadsZeroAndDoesNothing) {
    table.Open();
    table.WriteOutputs(1);
    table.Close();
    EXPECT_EQ(table.ReadInputs(), 0);
    EXPECT_FALSE(table.Select(0));
}

TEST(InterfaceWords, BitIIsPointI) {
    MemoryImage m{};
    SetInputsFromWord(m, 0x8001);
    EXPECT_EQ(InputWord(m), 0x8001);
    for (int i = 0; i < kPoints; ++i) EXPECT_EQ(m.Inputs[i].Raw, i == 0 || i == 15) << i;
    // Bits above the sixteen points are not points.
    SetOutputsFromWord(m, 0x7FFFFFFE);
    EXPECT_EQ(OutputWord(m), 0xFFFE);
    SetInputsFromWord(m, -1);
    EXPECT_EQ(InputWord(m), 0xFFFF);
}

}  // namespace
}  // namespace torvex::test
