// Cost of a plant's update, and of an hour of plant time with the plant in torvex-run's loop.

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "simulation/plants/annunciator.h"
#include "simulation/plants/car_park.h"
#include "simulation/plants/elevator.h"
#include "simulation/plants/traffic_light.h"
#include "tests/support/lift_controller.h"
#include "tools/torvex_run.h"

namespace torvex {
namespace {

using T = TrafficLight;

// One exchange of a busy lift under a collective control: the state after ten minutes.
void BM_Elevator_Update(benchmark::State& state) {
    Elevator plant(1);
    plant.StartSimulation();
    test::LiftController controller;
    for (int k = 0; k < 6000; ++k) {
        plant.setOutputWord(controller.step(plant));
        plant.UpdateSimulation();
    }
    for (auto _ : state) {
        plant.setOutputWord(controller.step(plant));
        plant.UpdateSimulation();
        benchmark::DoNotOptimize(plant.inputWord());
    }
    if (plant.Stopped()) state.SkipWithError("the plant stopped");
}
BENCHMARK(BM_Elevator_Update);

// torvex-run on the Elevator example and its one-hour scenario, the plant in the loop.
void BM_TorvexRun_ElevatorHour(benchmark::State& state) {
    const std::string folder = TORVEX_SOLUTIONS;
    const std::vector<std::string> args = {folder + "/elevator.llg", folder + "/elevator.scn",
                                           "--plant", "elevator"};
    for (auto _ : state) {
        std::ostringstream out, err;
        if (TorvexRunMain(args, out, err) != kRunPassed)
            state.SkipWithError((out.str() + err.str()).c_str());
    }
}
BENCHMARK(BM_TorvexRun_ElevatorHour)->Unit(benchmark::kMillisecond);

// A fixed-time cycle (all red, red+amber, green, amber each way), in exchanges, as a word.
uint16_t Cycle(int64_t exchange) {
    static const struct {
        int length;
        uint16_t outputs;
    } phases[] = {
        {20, 1u << T::NsRed | 1u << T::EwRed},
        {15, 1u << T::NsRed | 1u << T::NsAmber | 1u << T::EwRed},
        {120, 1u << T::NsGreen | 1u << T::EwRed | 1u << T::NsWalk},
        {30, 1u << T::NsAmber | 1u << T::EwRed},
        {20, 1u << T::NsRed | 1u << T::EwRed},
        {15, 1u << T::NsRed | 1u << T::EwRed | 1u << T::EwAmber},
        {120, 1u << T::NsRed | 1u << T::EwGreen | 1u << T::EwWalk},
        {30, 1u << T::NsRed | 1u << T::EwAmber},
    };
    int64_t t = exchange % 370;
    for (const auto& p : phases) {
        if (t < p.length) return p.outputs;
        t -= p.length;
    }
    return 0;
}

// One exchange of a busy junction: the plant's state after ten minutes of traffic.
void BM_TrafficLight_Update(benchmark::State& state) {
    T plant(1);
    plant.StartSimulation();
    int64_t k = 0;
    for (; k < 6000; ++k) {
        plant.setOutputWord(Cycle(k));
        plant.UpdateSimulation();
    }
    for (auto _ : state) {
        plant.setOutputWord(Cycle(k++));
        plant.UpdateSimulation();
        benchmark::DoNotOptimize(plant.inputWord());
    }
    if (plant.Stopped()) state.SkipWithError("the plant stopped");
}
BENCHMARK(BM_TrafficLight_Update);

// torvex-run on the Traffic Light example (36 rungs) and its one-hour scenario, the plant in
// the loop: loading, scanning, the plant and the checks.
void BM_TorvexRun_TrafficLightHour(benchmark::State& state) {
    const std::string folder = TORVEX_SOLUTIONS;
    const std::vector<std::string> args = {folder + "/traffic_light.llg",
                                           folder + "/traffic_light.scn", "--plant", "traffic"};
    for (auto _ : state) {
        std::ostringstream out, err;
        if (TorvexRunMain(args, out, err) != kRunPassed)
            state.SkipWithError((out.str() + err.str()).c_str());
    }
}
BENCHMARK(BM_TorvexRun_TrafficLightHour)->Unit(benchmark::kMillisecond);

// One exchange of the annunciator with three alarms standing, their windows flashing.
void BM_Annunciator_Update(benchmark::State& state) {
    Annunciator plant;
    plant.StartSimulation();
    for (int w : {0, 2, 4}) plant.operate(w, false);
    int64_t k = 0;
    for (auto _ : state) {
        plant.setOutputWord((k++ / 5) % 2 ? 0x15 | 1u << Annunciator::Horn
                                          : 1u << Annunciator::Horn);
        plant.UpdateSimulation();
        benchmark::DoNotOptimize(plant.inputWord());
    }
}
BENCHMARK(BM_Annunciator_Update);

// One exchange of a busy car park: after ten minutes of cars let in and out as they come.
void BM_CarPark_Update(benchmark::State& state) {
    using C = CarPark;
    C plant(1);
    plant.StartSimulation();
    int inside = 0;
    bool under[2] = {false, false};
    auto step = [&] {
        if (plant.Input(C::EntryUnder) && !under[0]) ++inside;
        if (plant.Input(C::ExitUnder) && !under[1]) --inside;
        under[0] = plant.Input(C::EntryUnder);
        under[1] = plant.Input(C::ExitUnder);
        const bool in = (plant.Input(C::EntryWaiting) && inside < C::kBays) || under[0];
        const bool out = plant.Input(C::ExitWaiting) || under[1];
        uint16_t word = inside < C::kBays ? 1u << C::SpacesSign : 1u << C::FullSign;
        if (in && !plant.Input(C::EntryUp)) word |= 1u << C::EntryRaise;
        if (!in && !plant.Input(C::EntryDown)) word |= 1u << C::EntryLower;
        if (out && !plant.Input(C::ExitUp)) word |= 1u << C::ExitRaise;
        if (!out && !plant.Input(C::ExitDown)) word |= 1u << C::ExitLower;
        plant.setOutputWord(word);
        plant.UpdateSimulation();
    };
    for (int k = 0; k < 6000; ++k) step();
    for (auto _ : state) {
        step();
        benchmark::DoNotOptimize(plant.inputWord());
    }
    if (plant.Stopped()) state.SkipWithError("the plant stopped");
}
BENCHMARK(BM_CarPark_Update);

// torvex-run on the Annunciator and Car Park examples and their one-hour scenarios.
void BM_TorvexRun_ExampleHour(benchmark::State& state, const char* example, const char* plant) {
    const std::string folder = TORVEX_SOLUTIONS;
    const std::vector<std::string> args = {folder + "/" + example + ".llg",
                                           folder + "/" + example + ".scn", "--plant", plant};
    for (auto _ : state) {
        std::ostringstream out, err;
        if (TorvexRunMain(args, out, err) != kRunPassed)
            state.SkipWithError((out.str() + err.str()).c_str());
    }
}
BENCHMARK_CAPTURE(BM_TorvexRun_ExampleHour, Annunciator, "annunciator", "annunciator")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TorvexRun_ExampleHour, CarPark, "car_park", "carpark")
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace torvex

BENCHMARK_MAIN();
