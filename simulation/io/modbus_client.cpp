#include "simulation/io/modbus_client.h"

#include <modbus.h>

#include <algorithm>
#include <cerrno>
#include <mutex>

#include "simulation/io/link_worker.h"

namespace torvex {

namespace {

// Unit ids 0 ... 247, then 255.
constexpr int kUnitChoices = 249;

// An exception the device answered: it is there, it just refuses the request.
bool DeviceRefused(int error) {
    return error >= EMBXILFUN && error <= EMBXGTAR;
}

timeval Split(std::chrono::milliseconds ms) {
    return {static_cast<time_t>(ms.count() / 1000),
            static_cast<suseconds_t>(ms.count() % 1000 * 1000)};
}

}  // namespace

struct ModbusClientInterface::Session {
    Session(Options o, ModbusTiming t, std::shared_ptr<LinkWords> w,
            std::shared_ptr<std::atomic<int>> u)
        : options(std::move(o)), timing(std::move(t)), words(std::move(w)), unit(std::move(u)) {}

    void run(Wakeup& wake);
    // One exchange: the inputs read and the outputs written, in the order given.
    bool exchange(modbus_t* ctx, bool readFirst);
    void failed(int error) {
        std::lock_guard lock(mutex);
        this->error = modbus_strerror(error);
        failures = true;
    }

    const Options options;
    const ModbusTiming timing;
    const std::shared_ptr<LinkWords> words;
    const std::shared_ptr<std::atomic<int>> unit;
    mutable std::mutex mutex;
    std::string error;      // under mutex
    bool failures = false;  // under mutex: a try has failed since the start
    LinkThread thread;
};

bool ModbusClientInterface::Session::exchange(modbus_t* ctx, bool readFirst) {
    auto read = [&] {
        uint8_t bits[kPoints] = {};
        const int got = modbus_read_input_bits(ctx, options.firstInput, kPoints, bits);
        if (got != kPoints) {
            if (got >= 0) errno = EMBBADDATA;
            return false;
        }
        uint16_t word = 0;
        for (int k = 0; k < kPoints; ++k) word |= (bits[k] ? 1 : 0) << k;
        words->setInputs(word);
        return true;
    };
    auto write = [&] {
        const uint16_t word = words->outputs();
        uint8_t bits[kPoints];
        for (int k = 0; k < kPoints; ++k) bits[k] = (word >> k) & 1;
        const int put = modbus_write_bits(ctx, options.firstCoil, kPoints, bits);
        if (put != kPoints && put >= 0) errno = EMBBADDATA;
        return put == kPoints;
    };
    // Both ways, even through a device that answers one request per connection.
    return readFirst ? read() && write() : write() && read();
}

void ModbusClientInterface::Session::run(Wakeup& wake) {
    modbus_t* ctx = modbus_new_tcp_pi(options.host.c_str(), std::to_string(options.port).c_str());
    if (!ctx) {
        failed(errno);
        return;
    }
    const timeval answer = Split(timing.responseTimeout);
    modbus_set_response_timeout(ctx, static_cast<uint32_t>(answer.tv_sec),
                                static_cast<uint32_t>(answer.tv_usec));
    // A device that trickles its answer is held to the same time between bytes.
    modbus_set_byte_timeout(ctx, static_cast<uint32_t>(answer.tv_sec),
                            static_cast<uint32_t>(answer.tv_usec));

    bool connected = false;
    bool readFirst = true;
    std::chrono::milliseconds retry = timing.firstRetry;
    auto next = std::chrono::steady_clock::now();
    while (!wake.stopping()) {
        if (!connected) {
            if (modbus_connect(ctx) != 0) {
                failed(errno);
                if (!wake.sleepFor(retry)) break;
                retry = std::min(retry * 2, timing.lastRetry);
                continue;
            }
            connected = true;
        }
        modbus_set_slave(ctx, unit->load(std::memory_order_relaxed));
        const bool ok = exchange(ctx, readFirst);
        readFirst = !readFirst;
        if (!ok) {
            const int error = errno;
            failed(error);
            if (!DeviceRefused(error)) {
                // A lost, late or garbled answer leaves the stream out of step: start afresh.
                modbus_close(ctx);
                connected = false;
                if (!wake.sleepFor(retry)) break;
                retry = std::min(retry * 2, timing.lastRetry);
                continue;
            }
        } else {
            retry = timing.firstRetry;
        }
        const auto now = std::chrono::steady_clock::now();
        next = std::max(next + timing.poll, now);
        if (!wake.sleepFor(std::chrono::duration_cast<std::chrono::milliseconds>(next - now)))
            break;
    }
    // The safe state: the coils off, if the device can be reached at all.
    if (!connected) connected = modbus_connect(ctx) == 0;
    if (connected) {
        const uint8_t off[kPoints] = {};
        modbus_write_bits(ctx, options.firstCoil, kPoints, off);
        modbus_close(ctx);
    }
    modbus_free(ctx);
}

ModbusClientInterface::ModbusClientInterface(Options options, ModbusTiming timing)
    : options_(std::move(options)),
      timing_(std::move(timing)),
      words_(std::make_shared<LinkWords>(timing_.now)),
      unit_(std::make_shared<std::atomic<int>>(options_.unit)) {}

ModbusClientInterface::~ModbusClientInterface() {
    Close();
}

ModbusClientInterface::Options ModbusClientInterface::options() const {
    return options_;
}

int32_t ModbusClientInterface::AddressCount() {
    return kUnitChoices;
}

int32_t ModbusClientInterface::AddressValue(int32_t choice) {
    if (choice < 0 || choice >= kUnitChoices) return Options::kDefaultUnit;
    return choice == kUnitChoices - 1 ? 255 : choice;
}

std::string ModbusClientInterface::AddressText(int32_t choice) {
    return "unit " + std::to_string(AddressValue(choice));
}

int32_t ModbusClientInterface::Routine() {
    Options asked = options_;
    if (!ask_ || !ask_(asked)) return 0;
    // The unit id is the base address: it takes effect when the choice is confirmed.
    const int unit = asked.unit;
    asked.unit = options_.unit;
    if (!(asked == options_)) {
        options_ = asked;
        if (changed_) changed_(options_);
        if (session_) restart();
    }
    if (!ValidUnit(unit)) return 0;
    return unit == 255 ? kUnitChoices - 1 : unit;
}

void ModbusClientInterface::Open() {
    if (session_) return;
    auto session = std::make_shared<Session>(options_, timing_, words_, unit_);
    session->thread.start([session](Wakeup& wake) { session->run(wake); });
    session_ = std::move(session);
}

void ModbusClientInterface::Close() {
    if (!session_) return;
    session_->thread.stop(std::chrono::seconds(1));
    session_.reset();
    words_->setOutputs(0);
    words_->dropInputs();
}

void ModbusClientInterface::restart() {
    Close();
    Open();
}

void ModbusClientInterface::SetAddress(int32_t address) {
    if (!ValidUnit(address) || address == options_.unit) return;
    options_.unit = address;
    unit_->store(address, std::memory_order_relaxed);
    if (changed_) changed_(options_);
}

int32_t ModbusClientInterface::ReadInputs(int32_t) {
    return words_->inputs(timing_.fresh);
}

void ModbusClientInterface::WriteOutputs(int32_t, int32_t value) {
    words_->setOutputs(static_cast<uint16_t>(value));
}

LinkStatus ModbusClientInterface::linkStatus() const {
    LinkStatus status;
    status.host = options_.host;
    status.port = options_.port;
    if (!session_) return status;
    std::lock_guard lock(session_->mutex);
    status.error = session_->error;
    status.state = words_->fresh(timing_.fresh) ? LinkState::Connected
                   : session_->failures         ? LinkState::NoAnswer
                                                : LinkState::Connecting;
    return status;
}

}  // namespace torvex
