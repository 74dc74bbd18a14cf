#include "engine/scan_record.h"

#include <gtest/gtest.h>

namespace torvex {
namespace {

// A memory image that differs in every point from one scan to the next few.
MemoryImage ScanState(int64_t scan) {
    MemoryImage m{};
    m.Inputs[scan % kPoints].Image = true;
    m.Registers[4].Bits[15] = scan % 2;
    m.Counters[8].UpImage = scan % 3 == 0;
    m.Timers[1].Elapsed = static_cast<int32_t>(scan * 100);
    m.Counters[8].Count = static_cast<int32_t>(-scan);
    m.ScanTick = static_cast<int32_t>(1000 + scan * 100);
    return m;
}

TEST(ScanRecord, KeepsTheLastScansInOrderWhenItWraps) {
    constexpr int kCapacity = 4;
    const struct {
        int recorded;
        int kept;
    } cases[] = {{0, 0}, {3, 3}, {4, 4}, {5, 4}, {11, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.recorded);
        ScanRecord record(kCapacity);
        for (int s = 1; s <= c.recorded; ++s) record.record(ScanState(s));
        ASSERT_EQ(record.size(), c.kept);
        EXPECT_EQ(record.recorded(), c.recorded);
        for (int i = 0; i < record.size(); ++i) {
            const int64_t scan = c.recorded - c.kept + 1 + i;
            EXPECT_EQ(record.scan(i), scan);
            const MemoryImage expected = ScanState(scan);
            for (int p = 0; p < ChartPoint::Count; ++p)
                ASSERT_EQ(record.value(i, p), ChartPointValue(expected, p)) << ChartPointName(p);
            if (i > 0) {
                EXPECT_EQ(record.millisecondsBetween(i - 1, i), 100);
            }
        }
        record.clear();
        EXPECT_TRUE(record.empty());
    }
}

TEST(ScanRecord, NamesEveryPointAsTheRungShowsIt) {
    for (int p = 0; p < ChartPoint::Count; ++p)
        EXPECT_EQ(ChartPointFromName(ChartPointName(p)), p) << ChartPointName(p);
    const struct {
        const char* name;
        int point;
    } cases[] = {{"IP15", ChartPoint::Input + 15},
                 {"R2/5", ChartPoint::RegisterBit + 21},
                 {"C3/UP", ChartPoint::CounterUp + 2},
                 {"T8", ChartPoint::TimerElapsed + 7},
                 {"IP16", -1},
                 {"IP01", -1},
                 {"T0", -1},
                 {"R5/0", -1},
                 {"R1/16", -1},
                 {"C1/XX", -1},
                 {"", -1}};
    for (const auto& c : cases) EXPECT_EQ(ChartPointFromName(c.name), c.point) << c.name;
}

}  // namespace
}  // namespace torvex
