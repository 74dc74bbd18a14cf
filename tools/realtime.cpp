#include "tools/realtime.h"

#include <signal.h>

#include <charconv>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "engine/run_control.h"
#include "simulation/io/link_status.h"
#include "simulation/io/modbus_client.h"
#include "simulation/io/modbus_server.h"

namespace torvex {

namespace {

bool Number(std::string_view text, int low, int high, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= low &&
           value <= high;
}

// "HOST", "HOST:PORT", "[V6]", "[V6]:PORT" into host and port; false when malformed.
bool HostAndPort(std::string_view text, std::string& host, int& port, bool portNeeded) {
    std::string_view rest;
    if (text.starts_with('[')) {
        const size_t close = text.find(']');
        if (close == std::string_view::npos) return false;
        host = std::string(text.substr(1, close - 1));
        rest = text.substr(close + 1);
        if (!rest.empty() && !rest.starts_with(':')) return false;
        if (!rest.empty()) rest.remove_prefix(1);
    } else if (const size_t colon = text.rfind(':'); colon != std::string_view::npos) {
        host = std::string(text.substr(0, colon));
        rest = text.substr(colon + 1);
        if (rest.empty()) return false;
    } else if (portNeeded) {
        rest = text;  // the port alone
    } else {
        host = std::string(text);
    }
    if (rest.empty()) return !portNeeded && !host.empty();
    return Number(rest, 0, 65535, port);
}

std::unique_ptr<IoInterface> Client(std::string_view address, std::string& problem) {
    ModbusClientOptions options;
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t comma = address.find(',', start);
        parts.push_back(address.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (!HostAndPort(parts[0], options.host, options.port, false) || options.host.empty()) {
        problem = "modbus-client: needs HOST or HOST:PORT (a port 0 ... 65535), not '" +
                  std::string(parts[0]) + "'";
        return nullptr;
    }
    for (size_t i = 1; i < parts.size(); ++i) {
        const std::string_view part = parts[i];
        const size_t equals = part.find('=');
        const std::string_view key = part.substr(0, equals);
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view() : part.substr(equals + 1);
        constexpr int kLast = ModbusClientOptions::kLastFirstAddress;
        if (key == "unit" && Number(value, 0, 255, options.unit) &&
            ModbusClientInterface::ValidUnit(options.unit))
            continue;
        if (key == "di" && Number(value, 0, kLast, options.firstInput)) continue;
        if (key == "coils" && Number(value, 0, kLast, options.firstCoil)) continue;
        problem = "modbus-client: '" + std::string(part) +
                  "' is none of unit=N (0 ... 247 or 255), di=A or coils=B (0 ... " +
                  std::to_string(kLast) + ")";
        return nullptr;
    }
    return std::make_unique<ModbusClientInterface>(options);
}

std::unique_ptr<IoInterface> Server(std::string_view address, std::string& problem) {
    ModbusServerOptions options;
    std::string host;
    if (!HostAndPort(address, host, options.port, true)) {
        problem = "modbus-server: needs [ADDRESS:]PORT (a port 0 ... 65535), not '" +
                  std::string(address) + "'";
        return nullptr;
    }
    if (!host.empty()) options.address = host;
    return std::make_unique<ModbusServerInterface>(options);
}

// The run's windows, without windows: no debugger, monitor or rung view, the plant (if any)
// as the simulation, and the calling thread as the user-interface thread, serving the run
// thread's calls from a queue.
class HeadlessHost final : public RunHost {
public:
    explicit HeadlessHost(Plant* plant) : plant_(plant) {}

    void invoke(const std::function<void()>& call) override {
        bool done = false;
        std::unique_lock lock(mutex_);
        queue_.push_back({[&call] { call(); }, &done});
        changed_.notify_all();
        changed_.wait(lock, [&] { return done; });
    }
    void post(std::function<void()> call) override {
        std::lock_guard lock(mutex_);
        queue_.push_back({std::move(call), nullptr});
        changed_.notify_all();
    }
    void serveUntil(const std::function<bool()>& done) override {
        while (!done()) serveFor(std::chrono::milliseconds(20));
    }
    // Serves what comes within `wait`.
    void serveFor(std::chrono::milliseconds wait) {
        const auto until = std::chrono::steady_clock::now() + wait;
        std::unique_lock lock(mutex_);
        for (;;) {
            if (queue_.empty() &&
                !changed_.wait_until(lock, until, [&] { return !queue_.empty(); }))
                return;
            Item item = std::move(queue_.front());
            queue_.pop_front();
            lock.unlock();
            item.call();
            lock.lock();
            if (item.done) {
                *item.done = true;
                changed_.notify_all();
            }
        }
    }

    bool ControlDialogOpen() override { return false; }
    bool SimulationOpen() override { return plant_ != nullptr; }
    bool DebuggerOpen() override { return false; }
    bool MonitorOpen() override { return false; }
    ControlMenuMode controlMode() override {
        return plant_ ? ControlMenuMode::ExternalPLC : ControlMenuMode::ExternalDevice;
    }
    int32_t SlotsShown() override { return 0; }
    int32_t SlotsWhole() override { return 1; }
    void setTopRung(int32_t) override {}
    void setMemoTopRung(int32_t) override {}

    void setRunButtonEnabled(bool) override {}
    void setStatusText(const std::string&) override {}
    void letWindowRepaint() override {}
    void processPendingMessages() override {}
    void lockEditor() override {}
    void unlockEditor() override {}
    void setEditorMode(int32_t) override {}
    void setCommentItemsEnabled(bool) override {}
    void clearInformationBar() override {}

    void updateDebuggerDisplay() override {}
    void updateMonitorDisplay() override {}
    void takeMonitorInputs(PointStates&) override {}
    void DisplayRungs(RungDraw) override {}
    void DisplayRung(int32_t, RungDraw) override {}

    void SimulationStart() override { plant_->StartSimulation(); }
    void SimulationReadInputs(PointStates& sensors) override {
        for (int k = 0; k < kPoints; ++k) sensors[k] = plant_->Input(k);
    }
    bool SimulationWriteOutputs(const PointStates& outputs) override {
        for (int k = 0; k < kPoints; ++k) plant_->setOutput(k, outputs[k]);
        plant_->UpdateSimulation();
        return plant_->Stopped();
    }

private:
    struct Item {
        std::function<void()> call;
        bool* done;  // the waiting run thread's flag, under mutex_
    };
    Plant* plant_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item> queue_;
};

// The line printed for the link: its state, and in a failing state the reason.
std::string LinkLine(const LinkStatus& status) {
    std::string line = LinkText(status);
    const bool failing =
        status.state == LinkState::NoAnswer || status.state == LinkState::CannotListen;
    if (failing && !status.error.empty()) line += ": " + status.error;
    return line;
}

std::string Seconds(std::chrono::steady_clock::duration elapsed) {
    char text[32];
    std::snprintf(text, sizeof text, "t=%.1f", std::chrono::duration<double>(elapsed).count());
    return text;
}

// SIGINT and SIGTERM are taken by the loop below instead of ending the program at once, so
// that Stop can leave the outputs 0. Blocked before any thread starts, so every thread
// inherits the mask and the signals wait for sigtimedwait.
class HeldSignals {
public:
    HeldSignals() {
        sigemptyset(&set_);
        sigaddset(&set_, SIGINT);
        sigaddset(&set_, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &set_, &before_);
    }
    ~HeldSignals() { pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
    // A signal that has come, or 0.
    int taken() {
        const timespec now{};
        const int number = sigtimedwait(&set_, nullptr, &now);
        return number > 0 ? number : 0;
    }

private:
    sigset_t set_{};
    sigset_t before_{};
};

}  // namespace

std::unique_ptr<IoInterface> MakeInterface(const std::string& address, std::string& problem) {
    const std::string_view text = address;
    if (text.starts_with("modbus-client:")) return Client(text.substr(14), problem);
    if (text.starts_with("modbus-server:")) return Server(text.substr(14), problem);
    problem = "--io " + address +
              ": the interface is modbus-client:HOST[:PORT][,unit=N][,di=A][,coils=B] or "
              "modbus-server:[ADDRESS:]PORT";
    return nullptr;
}

int RunRealtime(Plc& plc, Plant* plant, std::unique_ptr<IoInterface> io,
                std::optional<int64_t> forMilliseconds, std::ostream& out, std::ostream& err) {
    HeldSignals signals;
    const auto* link = dynamic_cast<const LinkReport*>(io.get());
    if (auto* server = dynamic_cast<ModbusServerInterface*>(io.get());
        server && !IsLoopbackAddress(server->options().address))
        err << "torvex-run: warning: listening on " << server->options().address
            << ": any machine on that network can drive the " << (plant ? "plant" : "outputs")
            << "\n";

    InterfaceTable interfaces;
    std::vector<std::unique_ptr<IoInterface>> extra;
    extra.push_back(std::move(io));
    interfaces.RegisterInterfaces(std::move(extra));
    interfaces.Select(1);
    HeadlessHost host(plant);
    ForcedInputs forced;
    RunControl run(plc, host, interfaces, forced);

    const auto start = std::chrono::steady_clock::now();
    out << (plant ? "serving the " + plant->description().name + " to a PLC"
                  : std::string("running the diagram"))
        << " every 100 ms; Ctrl+C stops" << std::endl;
    run.btnRunClick();
    std::string shown;
    int signal = 0;
    for (;;) {
        host.serveFor(std::chrono::milliseconds(50));
        const auto elapsed = std::chrono::steady_clock::now() - start;
        if (link) {
            const std::string line = LinkLine(link->linkStatus());
            if (line != shown) out << Seconds(elapsed) << ' ' << (shown = line) << std::endl;
        }
        if (!run.RunInProgress()) break;  // the plant stopped it
        if ((signal = signals.taken()) != 0) break;
        if (forMilliseconds && elapsed >= std::chrono::milliseconds(*forMilliseconds)) break;
    }
    const bool plantStopped = !run.RunInProgress();
    run.btnStopClick();
    const std::string at = Seconds(std::chrono::steady_clock::now() - start);
    if (plantStopped) {
        out << at << " plant stopped: " << plant->stopReason().en << std::endl;
        return 1;
    }
    out << at << ' '
        << (signal == SIGINT    ? "SIGINT"
            : signal == SIGTERM ? "SIGTERM"
                                : "time up")
        << ": stopped, outputs set to 0" << std::endl;
    return 0;
}

}  // namespace torvex
