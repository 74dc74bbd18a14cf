// torvex-run --realtime: the real program as a soft PLC and as a plant server, against
// Modbus peers on 127.0.0.1, stopped by signals and by its plant.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "tests/files/file_fixture.h"
#include "tests/simulation/io/device_peer.h"
#include "tests/support/child_process.h"
#include "tools/torvex_run.h"

namespace torvex::test {
namespace {

using namespace std::chrono_literals;

ChildProcess TorvexRun(const std::vector<std::string>& args) {
    std::vector<std::string> argv{TORVEX_RUN_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    return ChildProcess(argv);
}

TEST(TorvexRealtime, RefusesWhatItCannotRun) {
    const std::string motor = DataPath("run/motor.llg");
    const struct {
        std::vector<std::string> args;
        const char* err;
    } rows[] = {
        {{motor, "--io", "modbus-server:1502"}, "--io needs --realtime"},
        {{motor, "--for", "3"}, "--for needs --realtime"},
        {{motor, "--realtime"}, "--realtime needs --io INTERFACE"},
        {{motor, "s.scn", "--realtime", "--io", "modbus-server:1502"}, "--realtime runs one"},
        {{motor, "--realtime", "--io", "modbus-server:1502", "--end", "3"}, "takes no --trace"},
        {{motor, "--plant", "traffic", "--realtime", "--io", "modbus-server:1502"},
         "--realtime --plant serves the plant to a PLC with no diagram"},
        {{motor, "--realtime", "--io", "modbus-server:1502", "--for", "-1"},
         "--for -1 is not a time"},
        {{motor, "--realtime", "--io", "modbus-rtu:/dev/ttyS0"}, "the interface is modbus-client"},
        {{motor, "--realtime", "--io", "modbus-server:"}, "needs [ADDRESS:]PORT"},
        {{motor, "--realtime", "--io", "modbus-server:70000"}, "needs [ADDRESS:]PORT"},
        {{motor, "--realtime", "--io", "modbus-server:[::1"}, "needs [ADDRESS:]PORT"},
        {{motor, "--realtime", "--io", "modbus-client:"}, "needs HOST or HOST:PORT"},
        {{motor, "--realtime", "--io", "modbus-client:io:"}, "needs HOST or HOST:PORT"},
        {{motor, "--realtime", "--io", "modbus-client:io,unit=250"}, "'unit=250' is none of"},
        {{motor, "--realtime", "--io", "modbus-client:io,di=65521"}, "'di=65521' is none of"},
        {{motor, "--realtime", "--io", "modbus-client:io,coils=x"}, "'coils=x' is none of"},
        {{motor, "--realtime", "--io", "modbus-client:io,speed=9600"}, "'speed=9600' is none"},
        {{"missing.llg", "--realtime", "--io", "modbus-server:0"}, "missing.llg"},
    };
    for (const auto& row : rows) {
        std::ostringstream out, err;
        EXPECT_EQ(TorvexRunMain(row.args, out, err), 2) << row.err;
        EXPECT_NE(err.str().find(row.err), std::string::npos) << err.str();
        EXPECT_EQ(out.str(), "");
    }
}

TEST(TorvexRealtime, RunsADiagramAsASoftPlcUntilASignalAndLeavesItsOutputsOff) {
    for (const auto& [signal, name] :
         {std::pair{SIGTERM, "SIGTERM"}, std::pair{SIGINT, "SIGINT"}}) {
        SCOPED_TRACE(name);
        DevicePeer device(0, 0);
        ChildProcess plc = TorvexRun({DataPath("run/motor.llg"), "--realtime", "--io",
                                      "modbus-client:127.0.0.1:" + std::to_string(device.port())});
        ASSERT_TRUE(plc.lineWith("connected", 10s)) << plc.output();
        // Start pressed and released: the motor seals itself in.
        device.setInputs(0x0001);
        ASSERT_TRUE(WaitFor([&] { return device.coils() == 0x0001; }, 5s)) << plc.output();
        device.setInputs(0x0000);
        std::this_thread::sleep_for(300ms);
        EXPECT_EQ(device.coils(), 0x0001);
        plc.signal(signal);
        EXPECT_EQ(plc.wait(10s), 0) << plc.output();
        EXPECT_NE(plc.output().find(std::string(name) + ": stopped, outputs set to 0"),
                  std::string::npos)
            << plc.output();
        EXPECT_EQ(device.coils(), 0) << "the way out leaves the outputs off";
    }
}

TEST(TorvexRealtime, ServesATrafficLightThatAPlcDrives) {
    ChildProcess server = TorvexRun(
        {"--plant", "traffic", "--realtime", "--io", "modbus-server:127.0.0.1:0", "--for", "60"});
    const std::optional<std::string> listening = server.lineWith("no client", 10s);
    ASSERT_TRUE(listening) << server.output();
    const size_t colon = listening->find(':', listening->find("127.0.0.1"));
    const int port = std::stoi(listening->substr(colon + 1));
    ClientPeer plc(port);
    ASSERT_TRUE(plc.connected());
    // Red both ways: the junction is quiet and nobody is waiting yet.
    ASSERT_TRUE(plc.writeCoils(0x0009));
    EXPECT_EQ(plc.readInputs(), 0);
    EXPECT_TRUE(server.lineWith("1 client", 5s)) << server.output();
    // Green both ways: the plant stops the run.
    ASSERT_TRUE(plc.writeCoils(0x0024));
    EXPECT_TRUE(server.lineWith("plant stopped: conflicting greens", 5s)) << server.output();
    EXPECT_EQ(server.wait(10s), 1) << server.output();
}

}  // namespace
}  // namespace torvex::test
