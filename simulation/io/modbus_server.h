// "Modbus TCP server": TORVEX is the server, so a real PLC, an HMI or mbpoll is the client.
// What TORVEX writes (WriteOutputs) is readable as discrete inputs 0 ... 15 and, packed, as
// input register 0; what it reads (ReadInputs) is what a client wrote to coils 0 ... 15 or,
// packed, to holding register 0, and falls to 0 when no client has written for a second.
// The base address is the port listened on; the routine chooses the listening address.
//
// The listening and answering run on a thread of its own. ReadInputs and WriteOutputs only
// read and write atomics: no client, however slow or hostile, can delay a scan.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "engine/io_interface.h"
#include "simulation/io/link_status.h"

namespace torvex {

class LinkWords;

struct ModbusServerOptions {
    static constexpr int kDefaultPort = 1502;

    std::string address = "127.0.0.1";  // any other is the user's explicit choice
    int port = kDefaultPort;            // 0: any free port (linkStatus tells which)
    bool operator==(const ModbusServerOptions&) const = default;
};

class ModbusServerInterface final : public IoInterface, public LinkReport {
public:
    using Options = ModbusServerOptions;
    static constexpr int kMaxClients = 4;
    // Asked by the routine, on the user-interface thread: the listening address to use, or
    // false when the user cancelled.
    using Ask = std::function<bool(std::string& address)>;
    // Told, on the user-interface thread, when the options have changed (to keep them).
    using Changed = std::function<void(const Options&)>;

    explicit ModbusServerInterface(Options options = {}, ModbusTiming timing = {});
    ~ModbusServerInterface() override;

    void setAsk(Ask ask) { ask_ = std::move(ask); }
    void setChanged(Changed changed) { changed_ = std::move(changed); }
    Options options() const { return options_; }

    std::string Name() override { return "Modbus TCP server"; }
    int32_t DefaultAddress() override { return options_.port; }
    int32_t AddressCount() override;
    int32_t AddressValue(int32_t choice) override;
    std::string AddressText(int32_t choice) override;
    bool HasRoutine() override { return true; }
    std::string RoutineCaption() override { return "Listening address\u2026"; }
    int32_t Routine() override;
    // Starts listening; does nothing when listening already.
    void Open() override;
    // Sets the outputs 0, answers what is already waiting, and stops listening.
    void Close() override;
    // The port; listening moves to it at once when open.
    void SetAddress(int32_t address) override;
    int32_t ReadInputs(int32_t baseAddress) override;
    void WriteOutputs(int32_t baseAddress, int32_t value) override;

    LinkStatus linkStatus() const override;

    struct Session;  // one listening, from Open to Close

private:
    void restart();

    Options options_;
    ModbusTiming timing_;
    Ask ask_;
    Changed changed_;
    std::shared_ptr<LinkWords> words_;  // the scans' side, kept from one listening to the next
    std::shared_ptr<Session> session_;
};

}  // namespace torvex
