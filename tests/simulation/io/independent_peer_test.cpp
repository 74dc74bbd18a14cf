// Both interfaces against pymodbus, a Modbus implementation that shares no code with the
// libmodbus they are built on: the wire format as someone else reads it.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "simulation/io/modbus_client.h"
#include "simulation/io/modbus_server.h"
#include "tests/simulation/io/device_peer.h"
#include "tests/support/child_process.h"

namespace torvex::test {
namespace {

using namespace std::chrono_literals;

ChildProcess Pymodbus(const std::vector<std::string>& args) {
    std::vector<std::string> argv{TORVEX_PYTHON3, TORVEX_PYMODBUS_PEER};
    argv.insert(argv.end(), args.begin(), args.end());
    return ChildProcess(argv);
}

TEST(Pymodbus, DrivesTheServerAsAPlcWould) {
    // Frozen time: what the client wrote last is still held when it has gone.
    ModbusTiming timing;
    timing.now = [] { return std::chrono::steady_clock::time_point(); };
    ModbusServerInterface server(ModbusServerOptions{"127.0.0.1", 0}, timing);
    server.Open();
    ASSERT_TRUE(WaitFor([&] { return server.linkStatus().port != 0; }, 2s));
    server.WriteOutputs(0, 0xA5C3);
    ChildProcess plc = Pymodbus({"client", std::to_string(server.linkStatus().port), "0xA5C3"});
    EXPECT_EQ(plc.wait(30s), 0) << plc.output();
    EXPECT_EQ(plc.output(), "ok\n");
    EXPECT_EQ(server.ReadInputs(0), 0x0F0F) << "holding register 0, written last";
}

TEST(Pymodbus, IsARemoteIoDeviceForTheClient) {
    ChildProcess device = Pymodbus({"server", "0x9D21"});
    const std::optional<std::string> listening = device.lineWith("port ", 30s);
    ASSERT_TRUE(listening) << device.output();
    ModbusClientOptions options;
    options.port = std::stoi(listening->substr(5));
    options.firstInput = 100;
    options.firstCoil = 200;
    ModbusClientInterface client(options);
    client.Open();
    EXPECT_TRUE(WaitFor([&] { return client.ReadInputs(1) == 0x9D21; }, 5s));
    client.WriteOutputs(1, 0x1234);
    EXPECT_TRUE(device.lineWith("coils 0x1234", 5s)) << device.output();
    client.Close();
    EXPECT_TRUE(device.lineWith("coils 0x0000", 5s)) << device.output();
}

}  // namespace
}  // namespace torvex::test
