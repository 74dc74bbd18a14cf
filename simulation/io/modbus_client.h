// "Modbus TCP remote I/O": TORVEX is the client of a remote I/O module, a PLC or a simulator.
// Each scan's ReadInputs gives the 16 discrete inputs the device holds (function 02) and
// WriteOutputs sets its 16 coils (function 15). The base address is the unit id; the routine
// ("Connection…") asks for the host, port and first addresses.
//
// The exchange runs on a thread of its own, at least every 50 ms, each answer awaited at most
// 100 ms, reconnecting by itself after a failure with waits doubling up to a second. ReadInputs
// and WriteOutputs only read and write atomics: a dead, slow or hostile device never delays a
// scan, and while there is no answer younger than half a second the inputs read 0.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "engine/io_interface.h"
#include "simulation/io/link_status.h"

namespace torvex {

class LinkWords;

struct ModbusClientOptions {
    static constexpr int kDefaultPort = 502;
    static constexpr int kDefaultUnit = 1;
    // The highest first address that still leaves room for 16 points.
    static constexpr int kLastFirstAddress = 65536 - 16;

    std::string host = "127.0.0.1";
    int port = kDefaultPort;
    int unit = kDefaultUnit;  // 0 ... 247 or 255
    int firstInput = 0;       // discrete input read as input 0
    int firstCoil = 0;        // coil written from output 0
    bool operator==(const ModbusClientOptions&) const = default;
};

class ModbusClientInterface final : public IoInterface, public LinkReport {
public:
    using Options = ModbusClientOptions;
    // A unit id Modbus TCP can address.
    static bool ValidUnit(int unit) { return (unit >= 0 && unit <= 247) || unit == 255; }

    // Asked by the routine, on the user-interface thread: the options to use (the unit id in
    // them is the base address to select), or false when the user cancelled.
    using Ask = std::function<bool(Options& options)>;
    // Told, on the user-interface thread, when the options have changed (to keep them).
    using Changed = std::function<void(const Options&)>;

    explicit ModbusClientInterface(Options options = {}, ModbusTiming timing = {});
    ~ModbusClientInterface() override;

    void setAsk(Ask ask) { ask_ = std::move(ask); }
    void setChanged(Changed changed) { changed_ = std::move(changed); }
    Options options() const;

    std::string Name() override { return "Modbus TCP remote I/O"; }
    int32_t DefaultAddress() override { return options_.unit; }
    int32_t AddressCount() override;
    int32_t AddressValue(int32_t choice) override;
    std::string AddressText(int32_t choice) override;
    bool HasRoutine() override { return true; }
    std::string RoutineCaption() override { return "Connection\u2026"; }
    int32_t Routine() override;
    // Starts connecting; does nothing when open already.
    void Open() override;
    // Writes the coils 0 once where the device can be reached, and disconnects.
    void Close() override;
    // The unit id, used from the next request on.
    void SetAddress(int32_t address) override;
    int32_t ReadInputs(int32_t baseAddress) override;
    void WriteOutputs(int32_t baseAddress, int32_t value) override;

    LinkStatus linkStatus() const override;

    struct Session;  // one connection's life, from Open to Close

private:
    void restart();

    Options options_;  // the unit in it is the user-interface thread's copy of unit_
    ModbusTiming timing_;
    Ask ask_;
    Changed changed_;
    std::shared_ptr<LinkWords> words_;
    std::shared_ptr<std::atomic<int>> unit_;
    std::shared_ptr<Session> session_;
};

}  // namespace torvex
