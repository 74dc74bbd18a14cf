// A plant for the tests of the windows and the bridge: its sensors are whatever the test
// sets, it records what it is given, and it stops when told to.
#pragma once

#include <memory>

#include "simulation/plants/plant.h"

namespace torvex::test {

class FakePlant final : public Plant {
public:
    struct Log {
        int starts = 0;
        int updates = 0;
        uint16_t outputsAtUpdate = 0;
    };

    FakePlant(const PlantDescription& description, Log& log, uint16_t& sensors, bool& stop)
        : description_(description), log_(log), sensors_(sensors), stop_(stop) {}

    const PlantDescription& description() const override { return description_; }
    void StartSimulation() override { ++log_.starts; }
    void UpdateSimulation() override {
        ++log_.updates;
        log_.outputsAtUpdate = outputs_;
    }
    bool Input(int k) const override { return k >= 0 && k < kPoints && (sensors_ >> k) & 1; }
    void setOutput(int k, bool on) override {
        if (k < 0 || k >= kPoints) return;
        outputs_ = static_cast<uint16_t>(on ? outputs_ | 1u << k : outputs_ & ~(1u << k));
    }
    bool Output(int k) const override { return k >= 0 && k < kPoints && (outputs_ >> k) & 1; }
    bool Stopped() const override { return stop_; }
    Bilingual stopReason() const override { return {"test stop", "testipysäytys"}; }
    bool operate(int, bool) override { return false; }
    std::vector<std::pair<std::string, double>> figures() const override {
        return {{"updates", log_.updates}};
    }

private:
    const PlantDescription& description_;
    Log& log_;
    uint16_t& sensors_;
    bool& stop_;
    uint16_t outputs_ = 0;
};

// A registry of fake plants 1 ... 4 whose descriptions name them as the menus do.
struct FakePlants {
    FakePlant::Log log;
    uint16_t sensors = 0;
    bool stop = false;
    std::array<PlantDescription, 4> descriptions;
    PlantRegistry registry;

    FakePlants() {
        static const char* const names[] = {"Traffic Light", "Annunciator", "Car Park", "Elevator"};
        for (int n = 1; n <= 4; ++n) {
            PlantDescription& d = descriptions[n - 1];
            d.number = n;
            d.key = "fake" + std::to_string(n);
            d.name = names[n - 1];
            d.width = 120 + 10 * n;
            d.height = 100;
            registry.add(d, [this, &d](uint64_t) {
                return std::make_unique<FakePlant>(d, log, sensors, stop);
            });
        }
    }
};

}  // namespace torvex::test
