#include "tests/support/memory_compare.h"

namespace torvex::test {

std::string FirstDifference(const MemoryImage& a, const MemoryImage& b, bool compareTick) {
#define TORVEX_SAME(expr, name) \
    if (a.expr != b.expr) return name;
    for (int i = 0; i < kPoints; ++i) {
        const std::string n = std::to_string(i);
        TORVEX_SAME(Inputs[i].Raw, "Inputs[" + n + "].Raw")
        TORVEX_SAME(Inputs[i].Image, "Inputs[" + n + "].Image")
        TORVEX_SAME(Outputs[i].State, "Outputs[" + n + "].State")
        TORVEX_SAME(Outputs[i].Latched, "Outputs[" + n + "].Latched")
        TORVEX_SAME(Outputs[i].ResetReq, "Outputs[" + n + "].ResetReq")
        TORVEX_SAME(Outputs[i].CoilAcc, "Outputs[" + n + "].CoilAcc")
        TORVEX_SAME(Flags[i].State, "Flags[" + n + "].State")
        TORVEX_SAME(Flags[i].Latched, "Flags[" + n + "].Latched")
        TORVEX_SAME(Flags[i].ResetReq, "Flags[" + n + "].ResetReq")
        TORVEX_SAME(Flags[i].CoilAcc, "Flags[" + n + "].CoilAcc")
    }
    for (int r = 1; r <= kRegisters; ++r) {
        const std::string n = "Registers[" + std::to_string(r) + "].";
        TORVEX_SAME(Registers[r].LeftEdge, n + "LeftEdge")
        TORVEX_SAME(Registers[r].LeftAcc, n + "LeftAcc")
        TORVEX_SAME(Registers[r].RightEdge, n + "RightEdge")
        TORVEX_SAME(Registers[r].RightAcc, n + "RightAcc")
        for (int i = 0; i < kPoints; ++i) {
            const std::string bit = "[" + std::to_string(i) + "]";
            TORVEX_SAME(Registers[r].Bits[i], n + "Bits" + bit)
            TORVEX_SAME(Registers[r].NextBits[i], n + "NextBits" + bit)
            TORVEX_SAME(Registers[r].ResetBits[i], n + "ResetBits" + bit)
        }
    }
    for (int k = 1; k <= kTimers; ++k) {
        const std::string n = "Timers[" + std::to_string(k) + "].";
        TORVEX_SAME(Timers[k].Used, n + "Used")
        TORVEX_SAME(Timers[k].Preset, n + "Preset")
        TORVEX_SAME(Timers[k].EndTick, n + "EndTick")
        TORVEX_SAME(Timers[k].Elapsed, n + "Elapsed")
        TORVEX_SAME(Timers[k].Running, n + "Running")
        TORVEX_SAME(Timers[k].Enabled, n + "Enabled")
        TORVEX_SAME(Timers[k].DoneImage, n + "DoneImage")
        TORVEX_SAME(Timers[k].Done, n + "Done")
        TORVEX_SAME(Timers[k].ResetReq, n + "ResetReq")
        TORVEX_SAME(Timers[k].OnDelayStyle, n + "OnDelayStyle")
        TORVEX_SAME(Timers[k].ResetArmed, n + "ResetArmed")
    }
    for (int k = 1; k <= kCounters; ++k) {
        const std::string n = "Counters[" + std::to_string(k) + "].";
        TORVEX_SAME(Counters[k].Used, n + "Used")
        TORVEX_SAME(Counters[k].Preset, n + "Preset")
        TORVEX_SAME(Counters[k].InitialCount, n + "InitialCount")
        TORVEX_SAME(Counters[k].Count, n + "Count")
        TORVEX_SAME(Counters[k].Counted, n + "Counted")
        TORVEX_SAME(Counters[k].PowerAcc, n + "PowerAcc")
        TORVEX_SAME(Counters[k].UpImage, n + "UpImage")
        TORVEX_SAME(Counters[k].DownImage, n + "DownImage")
        TORVEX_SAME(Counters[k].AtPreset, n + "AtPreset")
        TORVEX_SAME(Counters[k].AtZero, n + "AtZero")
        TORVEX_SAME(Counters[k].ResetReq, n + "ResetReq")
        TORVEX_SAME(Counters[k].ResetHold, n + "ResetHold")
    }
#undef TORVEX_SAME
    if (compareTick && a.ScanTick != b.ScanTick) return "ScanTick";
    return {};
}

}  // namespace torvex::test
