#include "files/trace_reader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "files/trace.h"

namespace torvex {
namespace {

// Scans in which every kind of point changes now and then, negative counts included.
ScanRecord SomeRun(int scans) {
    ScanRecord record;
    uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    MemoryImage m{};
    for (int s = 1; s <= scans; ++s) {
        for (int p = 0; p < ChartPoint::Bits; ++p) {
            if (next() % 7 != 0) continue;
            MemoryImage& w = m;
            const bool on = next() % 2;
            if (p < 16)
                w.Inputs[p].Image = on;
            else if (p < 32)
                w.Outputs[p - 16].State = on;
            else if (p < 48)
                w.Flags[p - 32].State = on;
            else if (p < 112)
                w.Registers[(p - 48) / 16 + 1].Bits[(p - 48) % 16] = on;
            else if (p < 120)
                w.Timers[p - 111].DoneImage = on;
            else if (p < 128)
                w.Counters[p - 119].DownImage = on;
            else
                w.Counters[p - 127].UpImage = on;
        }
        m.Timers[1 + s % kTimers].Elapsed = static_cast<int32_t>(next() % 100000);
        m.Counters[1 + s % kCounters].Count = static_cast<int32_t>(next() % 2001) - 1000;
        m.ScanTick = s * kScanMilliseconds;
        record.record(m, s, static_cast<uint32_t>(m.ScanTick));
    }
    return record;
}

TEST(TraceReader, ReadsBackWhatTheWritersWrote) {
    const ScanRecord run = SomeRun(300);
    for (const bool vcd : {true, false}) {
        SCOPED_TRACE(vcd ? "VCD" : "CSV");
        std::stringstream file;
        auto trace = vcd ? MakeVcdTrace(file, {"cars"}) : MakeCsvTrace(file);
        WriteRecord(run, *trace);
        ScanRecord back(ScanRecord::kRunScans);
        const TraceReadResult result = ReadTrace(file, back);
        ASSERT_TRUE(result.ok()) << result.error << " at line " << result.line;
        ASSERT_EQ(back.size(), run.size());
        for (int i = 0; i < run.size(); ++i) {
            ASSERT_EQ(back.scan(i), run.scan(i));
            EXPECT_EQ(back.tick(i), run.tick(i));
            for (int p = 0; p < ChartPoint::Count; ++p)
                ASSERT_EQ(back.value(i, p), run.value(i, p)) << ChartPointName(p) << " scan " << i;
        }
    }
}

TEST(TraceReader, RefusesWhatIsNotATraceAndLeavesTheRecordEmpty) {
    const std::string vcdHead =
        "$timescale 1ms $end\n$var wire 1 ! IP0 $end\n$enddefinitions $end\n";
    const struct {
        std::string text;
        TraceReadResult::Error error;
        int line;
    } cases[] = {
        {"", TraceReadResult::NotATrace, 1},
        {"LADDER 3\n", TraceReadResult::NotATrace, 1},
        {"time,IP0\n", TraceReadResult::NotATrace, 1},
        {"$var wire 1 ! IP0 $end\n", TraceReadResult::NotATrace, 1},
        {vcdHead, TraceReadResult::NoScans, 0},
        {vcdHead + "#0\n1?\n", TraceReadResult::BadLine, 5},
        {vcdHead + "1!\n", TraceReadResult::BadLine, 4},
        {vcdHead + "#200\n1!\n#100\n", TraceReadResult::BadLine, 6},
        {vcdHead + "#99999999999999999999\n", TraceReadResult::BadLine, 4},
        {"t,IP0\n0.1,1\n0.2\n", TraceReadResult::BadLine, 3},
        {"t,IP0\n0.1,on\n", TraceReadResult::BadLine, 2},
        {"t,IP0\n0.2,1\n0.1,0\n", TraceReadResult::BadLine, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ScanRecord record(10);
        record.record(MemoryImage{});
        std::istringstream in(c.text);
        const TraceReadResult result = ReadTrace(in, record);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.line, c.line);
        EXPECT_TRUE(record.empty());
    }
}

}  // namespace
}  // namespace torvex
