// A PLC on a virtual clock, with short names for what the engine tests do most.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/plc.h"
#include "tests/support/ladder_text.h"

namespace torvex::test {

class EngineTest : public ::testing::Test {
protected:
    static constexpr uint32_t kStartTick = 1'000'000;

    VirtualTickSource clock{kStartTick};
    std::unique_ptr<Plc> owned = std::make_unique<Plc>(clock);
    Plc& plc = *owned;
    MemoryImage& m = plc.memory;

    void Rung(int index, const std::vector<std::string>& rows) {
        SetRung(plc.diagram, index, rows);
    }
    RungRecord& R(int index) { return plc.diagram.Rungs[index]; }

    // Scans as a continuous run does: one every 100 ms.
    void Scan(int count = 1) {
        for (int i = 0; i < count; ++i) {
            plc.RunStep();
            clock.advance(100);
        }
    }
    void In(int point, bool on) { m.Inputs[point].Raw = on; }
    bool Out(int point) const { return m.Outputs[point].State; }
    bool Flag(int point) const { return m.Flags[point].State; }
    bool Bit(int reg, int bit) const { return m.Registers[reg].Bits[bit]; }
    // The register's bits as a number, bit 0 the lowest.
    unsigned Bits(int reg) const {
        unsigned v = 0;
        for (int i = 0; i < kPoints; ++i) v |= static_cast<unsigned>(m.Registers[reg].Bits[i]) << i;
        return v;
    }
};

}  // namespace torvex::test
