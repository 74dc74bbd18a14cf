// The Modbus interfaces under faults and load, with the real run thread scanning every
// 100 ms beside them, as period_bench measures it: a plain program that prints its figures.
//
// Faults: the run in External Device mode against a device (libmodbus, on 127.0.0.1) that is
// killed, accepts and never answers, answers garbage, and closes after every request, each for
// a while and then well again. For each: the mean scan period and the latest scan while the
// fault is on, how long until the scans read the inputs as 0, and how long after the device is
// well until they read its inputs again.
//
// Load: the run against the server while three clients poll it every 50 ms and a fourth floods
// it with requests, and 100 more try to connect at once: the period, what the four got, what the
// flood got, and the process's memory before and after.
//
//   modbus_bench [--seconds=N]   each fault and the flood last N seconds (default 10; the
//                                test runs it with 1); other arguments are ignored

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/run_control.h"
#include "simulation/io/modbus_client.h"
#include "simulation/io/modbus_server.h"
#include "tests/simulation/io/device_peer.h"
#include "tests/support/ladder_text.h"
#include "tests/support/recording_host.h"
#include "tests/support/ui_queue.h"

using namespace torvex;
using namespace torvex::test;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The interface under test, with the time and the word of every scan's read kept.
class Timed final : public IoInterface {
public:
    explicit Timed(std::unique_ptr<IoInterface> inner) : inner_(std::move(inner)) {}
    std::string Name() override { return inner_->Name(); }
    int32_t DefaultAddress() override { return inner_->DefaultAddress(); }
    int32_t AddressCount() override { return inner_->AddressCount(); }
    int32_t AddressValue(int32_t c) override { return inner_->AddressValue(c); }
    std::string AddressText(int32_t c) override { return inner_->AddressText(c); }
    bool HasRoutine() override { return false; }
    std::string RoutineCaption() override { return {}; }
    int32_t Routine() override { return 0; }
    void Open() override { inner_->Open(); }
    void Close() override { inner_->Close(); }
    void SetAddress(int32_t a) override { inner_->SetAddress(a); }
    int32_t ReadInputs(int32_t base) override {
        const auto start = Clock::now();
        const int32_t word = inner_->ReadInputs(base);
        const auto took = Clock::now() - start;
        std::lock_guard lock(mutex);
        scans.push_back({start, word});
        longestCall = std::max(longestCall, took);
        return word;
    }
    void WriteOutputs(int32_t base, int32_t value) override {
        const auto start = Clock::now();
        inner_->WriteOutputs(base, value);
        std::lock_guard lock(mutex);
        longestCall = std::max(longestCall, Clock::now() - start);
    }
    IoInterface& inner() { return *inner_; }

    struct Scan {
        Clock::time_point at;
        int32_t word;
    };
    std::mutex mutex;
    std::vector<Scan> scans;
    Clock::duration longestCall{};

private:
    std::unique_ptr<IoInterface> inner_;
};

// The run thread in External Device mode with `io`, served by this thread.
struct Run {
    explicit Run(std::unique_ptr<IoInterface> io) {
        SetRung(plc->diagram, 0, {Simple({"NOC:IP0"}, "OUT:OP0")});
        host.mode = ControlMenuMode::ExternalDevice;
        host.debuggerOpen = true;
        log.setKeeping(false);
        auto timed = std::make_unique<Timed>(std::move(io));
        interface = timed.get();
        std::vector<std::unique_ptr<IoInterface>> extra;
        extra.push_back(std::move(timed));
        interfaces.RegisterInterfaces(std::move(extra));
        interfaces.Select(1);
        run = std::make_unique<RunControl>(*plc, host, interfaces, forced, clock);
    }
    void serveFor(Clock::duration d) {
        const auto until = Clock::now() + d;
        ui.serveUntil([&] { return Clock::now() >= until; });
    }
    // Mean period and latest start against the one before, of the scans within [from, to).
    struct Period {
        double mean = 0, longest = 0;
        size_t scans = 0;
    };
    Period period(Clock::time_point from, Clock::time_point to) {
        std::lock_guard lock(interface->mutex);
        std::vector<Clock::time_point> at;
        for (const auto& s : interface->scans)
            if (s.at >= from && s.at < to) at.push_back(s.at);
        Period p;
        p.scans = at.size();
        if (at.size() < 2) return p;
        p.mean = Ms(at.back() - at.front()) / static_cast<double>(at.size() - 1);
        for (size_t i = 1; i < at.size(); ++i)
            p.longest = std::max(p.longest, Ms(at[i] - at[i - 1]));
        return p;
    }
    // The first scan at or after `from` whose word is (or is not) `word`.
    double firstScan(Clock::time_point from, bool equal, int32_t word) {
        std::lock_guard lock(interface->mutex);
        for (const auto& s : interface->scans)
            if (s.at >= from && (s.word == word) == equal) return Ms(s.at - from);
        return -1;
    }

    std::unique_ptr<Plc> plc = std::make_unique<Plc>();
    UiQueue ui;
    CallLog log;
    RecordingHost host{ui, *plc, log};
    InterfaceTable interfaces;
    Timed* interface = nullptr;
    ForcedInputs forced;
    SteadyCycleClock clock;
    std::unique_ptr<RunControl> run;
};

void Faults(Clock::duration each) {
    std::printf("\nclient: External Device run against a device that fails, %.0f s each\n",
                Ms(each) / 1000);
    std::printf("%-28s %8s %8s %8s %12s %12s\n", "fault", "scans", "mean ms", "max ms",
                "inputs 0 ms", "back ms");
    DevicePeer device(0, 0);
    device.setInputs(0x5A5A);
    ModbusClientOptions options;
    options.port = device.port();
    Run r(std::make_unique<ModbusClientInterface>(options));
    r.run->btnRunClick();
    r.serveFor(2s);
    const struct {
        const char* name;
        DevicePeer::Fault fault;
    } faults[] = {{"killed", DevicePeer::Fault::Killed},
                  {"accepts, never answers", DevicePeer::Fault::Silent},
                  {"answers garbage", DevicePeer::Fault::Garbage},
                  {"closes after every request", DevicePeer::Fault::CloseAfterEach}};
    for (const auto& f : faults) {
        const auto on = Clock::now();
        device.setFault(f.fault);
        r.serveFor(each);
        const auto off = Clock::now();
        device.setFault(DevicePeer::Fault::None);
        r.serveFor(3s);
        const Run::Period p = r.period(on, off);
        std::printf("%-28s %8zu %8.3f %8.3f %12.0f %12.0f\n", f.name, p.scans, p.mean, p.longest,
                    r.firstScan(on, true, 0), r.firstScan(off, true, 0x5A5A));
    }
    r.run->btnStopClick();
    std::printf("longest ReadInputs or WriteOutputs call: %.4f ms\n", Ms(r.interface->longestCall));
}

// A client of the bench's own, on a thread, polling every 50 ms.
struct Poller {
    explicit Poller(int port) : thread([this, port] { loop(port); }) {}
    ~Poller() {
        stop = true;
        thread.join();
    }
    void loop(int port) {
        ClientPeer peer(port);
        while (!stop) {
            const auto start = Clock::now();
            const bool ok = peer.readInputs() >= 0 && peer.writeCoils(0x0001);
            const auto took = Clock::now() - start;
            (ok ? good : bad)++;
            {
                std::lock_guard lock(mutex);
                longest = std::max(longest, took);
            }
            std::this_thread::sleep_until(start + 50ms);
        }
    }
    std::atomic<bool> stop{false};
    std::atomic<int> good{0}, bad{0};
    std::mutex mutex;
    Clock::duration longest{};
    std::thread thread;
};

int Connect(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void Load(Clock::duration flood) {
    std::printf(
        "\nserver: External Device run; 3 clients polling every 50 ms; a fourth floods it for "
        "%.0f s while 100 more try to connect at once\n",
        Ms(flood) / 1000);
    ModbusServerOptions options;
    options.port = 0;
    Run r(std::make_unique<ModbusServerInterface>(options));
    auto& server = dynamic_cast<ModbusServerInterface&>(r.interface->inner());
    while (server.linkStatus().port == 0) std::this_thread::sleep_for(1ms);
    const int port = server.linkStatus().port;
    std::vector<std::unique_ptr<Poller>> pollers;
    for (int i = 0; i < 3; ++i) pollers.push_back(std::make_unique<Poller>(port));
    r.run->btnRunClick();
    r.serveFor(2s);
    const long before = ResidentKiB();
    const int goodBefore = pollers[0]->good;

    // The fourth client floods: requests back to back, answers read as they come.
    std::atomic<long> sent{0}, received{0};
    std::atomic<bool> flooding{true}, dropped{false};
    std::thread flooder([&] {
        const int fd = Connect(port);
        const std::vector<uint8_t> request = Frame(7, 1, {0x02, 0, 0, 0, 16});
        std::vector<uint8_t> burst;
        for (int i = 0; i < 64; ++i) burst.insert(burst.end(), request.begin(), request.end());
        uint8_t answers[65536];
        while (flooding && fd >= 0) {
            pollfd p{fd, POLLIN | POLLOUT, 0};
            if (::poll(&p, 1, 100) <= 0) continue;
            if (p.revents & POLLIN) {
                const ssize_t n = ::recv(fd, answers, sizeof answers, MSG_DONTWAIT);
                if (n <= 0) {
                    dropped = true;
                    break;
                }
                received += n / 10;
            }
            if (p.revents & POLLOUT) {
                const ssize_t n =
                    ::send(fd, burst.data(), burst.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
                if (n > 0) sent += n / static_cast<long>(request.size());
            }
        }
        if (fd >= 0) ::close(fd);
    });
    for (int i = 0; i < 2000 && sent == 0; ++i) std::this_thread::sleep_for(1ms);
    // Then a hundred more at once, beyond the four the server serves: how many get an answer
    // to one request.
    std::atomic<int> answered{0}, refused{0};
    std::vector<std::thread> crowd;
    for (int i = 0; i < 100; ++i)
        crowd.emplace_back([&] {
            RawPeer peer(port);
            peer.send(Frame(1, 1, {0x02, 0, 0, 0, 16}));
            (peer.receive(10, 2s).size() == 10 ? answered : refused)++;
        });
    const auto on = Clock::now();
    r.serveFor(flood);
    const auto off = Clock::now();
    flooding = false;
    flooder.join();
    for (auto& t : crowd) t.join();
    r.serveFor(2s);
    const long after = ResidentKiB();
    const Run::Period p = r.period(on, off);
    std::printf("scans while flooded:       %zu, mean %.3f ms, longest %.3f ms\n", p.scans, p.mean,
                p.longest);
    std::printf("the 100 at once:           %d answered, %d refused\n", answered.load(),
                refused.load());
    std::printf("the flood:                 %ld requests sent, %ld answered (%.0f a second)%s\n",
                sent.load(), received.load(),
                static_cast<double>(received.load()) / (Ms(off - on) / 1000),
                dropped ? ", then let go for not taking its answers" : "");
    for (size_t i = 0; i < pollers.size(); ++i) {
        std::lock_guard lock(pollers[i]->mutex);
        std::printf("poller %zu:                  %d good, %d failed, longest exchange %.2f ms\n",
                    i + 1, pollers[i]->good.load(), pollers[i]->bad.load(),
                    Ms(pollers[i]->longest));
    }
    std::printf("poller 1 during the flood: %d good exchanges\n",
                pollers[0]->good.load() - goodBefore);
    std::printf("resident memory:           %ld KiB before, %ld KiB after (%+ld)\n", before, after,
                after - before);
    pollers.clear();
    r.run->btnStopClick();
    std::printf("longest ReadInputs or WriteOutputs call: %.4f ms\n", Ms(r.interface->longestCall));
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 10;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--seconds=")) seconds = std::max(0.5, std::atof(argv[i] + 10));
    }
    const auto each =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    Faults(each);
    Load(each);
    return 0;
}
