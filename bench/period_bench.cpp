// How well the run thread keeps its 100 ms period: the real thread, on the monotonic clock at
// the priority it is granted, runs N cycles of a small diagram in External Device mode with
// the debugger refreshed on a user-interface thread, as in use. The start of each cycle is
// taken where the cycle first touches the outside world, the interface's ReadInputs.
//
// A plain program, not a Google Benchmark: what is measured is one long real-time loop's
// schedule (how late each cycle starts against its ideal time, and what that adds up to),
// not the cost of an operation repeated until its timing settles.
//
//   period_bench [--cycles=N]   (default 300, which takes 30 s; other arguments are ignored, so
//                                scripts/bench may hand it the Google Benchmark options)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "engine/run_control.h"
#include "tests/support/ladder_text.h"
#include "tests/support/recording_host.h"
#include "tests/support/ui_queue.h"

using namespace torvex;
using namespace torvex::test;
using Clock = std::chrono::steady_clock;

namespace {

// CPU time a hypervisor gave to others while this machine wanted it (the "steal" column of
// /proc/stat), in clock ticks; -1 where there is no such figure. A virtual machine whose CPUs
// are taken away starts cycles late whatever priority the thread has.
long long StealTicks() {
    std::ifstream stat("/proc/stat");
    std::string line;
    if (!std::getline(stat, line)) return -1;
    std::istringstream fields(line);
    std::string cpu;
    long long value = 0, steal = -1;
    fields >> cpu;
    for (int column = 0; column < 8 && fields >> value; ++column) steal = value;
    return cpu == "cpu" ? steal : -1;
}

}  // namespace

int main(int argc, char** argv) {
    int cycles = 300;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--cycles=")) cycles = std::max(1, std::atoi(argv[i] + 9));
    }

    auto plc = std::make_unique<Plc>();
    SetRung(plc->diagram, 0, {Simple({"NOC:IP0"}, "TIM:T1")});
    SetRung(plc->diagram, 1, {Simple({"NOC:T1/DN"}, "OUT:OP0")});
    SetRung(plc->diagram, 2, {Simple({"NOC:IP1"}, "CUP:C1")});
    SetRung(plc->diagram, 3, {Simple({"NOC:C1/UP"}, "RES:C1")});
    SetRung(plc->diagram, 4, {Simple({"NOC:IP2"}, "BL1:IP3")});
    plc->memory.Timers[1].Preset = 1500;
    plc->memory.Counters[1].Preset = 3;

    UiQueue ui;  // this thread is the user-interface thread
    CallLog log;
    log.setKeeping(false);
    RecordingHost host(ui, *plc, log);
    host.mode = ControlMenuMode::ExternalDevice;
    host.debuggerOpen = true;
    host.slotsShown = 3;

    // Stamped on the run thread, read here once it has ended.
    std::vector<Clock::time_point> starts;
    starts.reserve(static_cast<size_t>(cycles) + 16);
    auto device = std::make_unique<RecordingInterface>(log, "bench");
    RecordingInterface& bench = *device;
    bench.onReadInputs = [&] {
        starts.push_back(Clock::now());
        bench.inputWord = static_cast<int32_t>(starts.size() & 0x7);
    };
    InterfaceTable interfaces;
    std::vector<std::unique_ptr<IoInterface>> extra;
    extra.push_back(std::move(device));
    interfaces.RegisterInterfaces(std::move(extra));
    interfaces.Select(1);

    ForcedInputs forced;
    SteadyCycleClock clock;
    RunControl run(*plc, host, interfaces, forced, clock);

    std::printf("running %d cycles of %lld ms...\n", cycles,
                static_cast<long long>(kScanPeriod.count()));
    std::fflush(stdout);
    const long long stealBefore = StealTicks();
    run.btnRunClick();
    // Cycle `cycles` has started once the debugger refresh after it has been served.
    ui.serveUntil([&] { return host.displays > cycles; });
    run.btnStopClick();
    const long long stealAfter = StealTicks();

    const Clock::time_point t0 = starts.front();
    double worstLate = 0, worstEarly = 0;
    int worstCycle = 0, lateOver1ms = 0;
    for (int k = 0; k <= cycles; ++k) {
        const double deviation =
            std::chrono::duration<double, std::milli>(starts[k] - (t0 + k * kScanPeriod)).count();
        if (deviation > worstLate) {
            worstLate = deviation;
            worstCycle = k;
        }
        worstEarly = std::min(worstEarly, deviation);
        lateOver1ms += deviation > 1.0;
    }
    const double span = std::chrono::duration<double, std::milli>(starts[cycles] - t0).count();
    const double mean = span / cycles;
    const double drift = span - cycles * static_cast<double>(kScanPeriod.count());

    std::printf("priority granted:            %s\n", ThreadPriorityName(clock.priorityGranted()));
    std::printf("cycles:                      %d\n", cycles);
    std::printf("mean period:                 %.4f ms\n", mean);
    std::printf("latest start against ideal:  %+.4f ms (cycle %d)\n", worstLate, worstCycle);
    std::printf("cycles started > 1 ms late:  %d\n", lateOver1ms);
    std::printf("earliest start against ideal: %+.4f ms\n", worstEarly);
    std::printf("drift after %d cycles:       %+.4f ms\n", cycles, drift);
    if (stealBefore >= 0 && stealAfter >= 0) {
        const long long perSecond = sysconf(_SC_CLK_TCK);
        std::printf("CPU time taken by the host:  %lld ms\n",
                    (stealAfter - stealBefore) * 1000 / (perSecond > 0 ? perSecond : 100));
    }
    return 0;
}
