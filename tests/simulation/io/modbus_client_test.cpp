// The Modbus TCP client interface against a device on 127.0.0.1 that works, then fails as
// real ones do: the scans go on at their period, the inputs fall to 0, the link says so, and
// the client finds the device again by itself.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

#include "engine/run_control.h"
#include "simulation/io/modbus_client.h"
#include "tests/simulation/io/device_peer.h"
#include "tests/support/ladder_text.h"
#include "tests/support/recording_host.h"
#include "tests/support/ui_queue.h"

namespace torvex::test {
namespace {

using namespace std::chrono_literals;
using Fault = DevicePeer::Fault;

ModbusClientOptions To(const DevicePeer& device, int unit = 1) {
    ModbusClientOptions options;
    options.port = device.port();
    options.unit = unit;
    options.firstInput = 100;
    options.firstCoil = 200;
    return options;
}

TEST(ModbusClient, ReadsTheDevicesInputsAndSetsItsCoils) {
    DevicePeer device(100, 200);
    device.setInputs(0x8421);
    ModbusClientInterface client(To(device, 7));
    EXPECT_EQ(LinkText(client.linkStatus()),
              "Modbus 127.0.0.1:" + std::to_string(device.port()) + " \u2014 closed");
    client.Open();
    ASSERT_TRUE(WaitFor([&] { return client.ReadInputs(7) == 0x8421; }, 2s));
    EXPECT_EQ(client.linkStatus().state, LinkState::Connected);
    EXPECT_EQ(device.lastUnit(), 7);

    client.WriteOutputs(7, 0x1234);
    EXPECT_TRUE(WaitFor([&] { return device.coils() == 0x1234; }, 2s));
    device.setInputs(0x0001);
    EXPECT_TRUE(WaitFor([&] { return client.ReadInputs(7) == 0x0001; }, 2s));
    // The base address is the unit id.
    client.SetAddress(9);
    EXPECT_TRUE(WaitFor([&] { return device.lastUnit() == 9; }, 2s));

    client.Close();
    EXPECT_EQ(device.coils(), 0) << "Close leaves the device's outputs off";
    EXPECT_EQ(client.ReadInputs(9), 0);
    EXPECT_EQ(client.linkStatus().state, LinkState::Closed);
}

TEST(ModbusClient, InputsReadZeroOnceTheLastAnswerIsHalfASecondOld) {
    auto now = std::make_shared<std::atomic<int64_t>>(0);
    ModbusTiming timing;
    timing.now = [now] {
        return std::chrono::steady_clock::time_point(std::chrono::milliseconds(now->load()));
    };
    DevicePeer device(100, 200);
    device.setInputs(0x00F0);
    ModbusClientInterface client(To(device), timing);
    client.Open();
    ASSERT_TRUE(WaitFor([&] { return client.ReadInputs(1) == 0x00F0; }, 2s));
    // No answer after this one.
    device.setFault(Fault::Silent);
    ASSERT_TRUE(WaitFor([&] { return client.linkStatus().error == "Connection timed out"; }, 2s));
    const struct {
        int64_t after;
        int32_t inputs;
        LinkState state;
    } rows[] = {{500, 0x00F0, LinkState::Connected},
                {501, 0, LinkState::NoAnswer},
                {3000, 0, LinkState::NoAnswer}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.after);
        now->store(row.after);
        EXPECT_EQ(client.ReadInputs(1), row.inputs);
        EXPECT_EQ(client.linkStatus().state, row.state);
    }
}

// The run thread in External Device mode, scanning IP0 -> OP0 against the client.
class ClientInARun : public ::testing::Test {
protected:
    void SetUp() override {
        SetRung(plc->diagram, 0, {Simple({"NOC:IP0"}, "OUT:OP0")});
        host.mode = ControlMenuMode::ExternalDevice;
        host.debuggerOpen = false;
        log.setKeeping(false);
        device.setInputs(0x0001);
        std::vector<std::unique_ptr<IoInterface>> extra;
        extra.push_back(std::make_unique<ModbusClientInterface>(To(device)));
        interfaces.RegisterInterfaces(std::move(extra));
        interfaces.Select(1);
        client = dynamic_cast<ModbusClientInterface*>(interfaces.at(1));
    }
    // Serves the run until `done` holds (tested at each of its calls, every 100 ms), at most
    // `limit`.
    bool Serve(const std::function<bool()>& done, std::chrono::milliseconds limit) {
        const auto start = std::chrono::steady_clock::now();
        bool held = false;
        ui.serveUntil([&] {
            held = done();
            return held || std::chrono::steady_clock::now() - start > limit;
        });
        return held;
    }
    // Serves the run for `wait`; the scans it made.
    uint64_t Scans(std::chrono::milliseconds wait) {
        const uint64_t before = run.cycles();
        Serve([] { return false; }, wait);
        return run.cycles() - before;
    }

    std::unique_ptr<Plc> plc = std::make_unique<Plc>();
    UiQueue ui;
    CallLog log;
    RecordingHost host{ui, *plc, log};
    DevicePeer device{100, 200};
    InterfaceTable interfaces;
    ModbusClientInterface* client = nullptr;
    ForcedInputs forced;
    RunControl run{*plc, host, interfaces, forced};
};

TEST_F(ClientInARun, RidesOutEveryFaultOfTheDeviceAtItsPeriod) {
    const struct {
        const char* what;
        Fault fault;
        bool inputsFall;  // a device that still answers keeps them
    } rows[] = {
        {"killed", Fault::Killed, true},
        {"silent", Fault::Silent, true},
        {"garbage", Fault::Garbage, true},
        {"closing after every request", Fault::CloseAfterEach, false},
    };
    run.btnRunClick();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(Serve([&] { return device.coils() == 0x0001; }, 2s)) << "IP0 -> OP0 flows";
        device.setFault(row.fault);
        if (row.inputsFall) {
            EXPECT_TRUE(Serve([&] { return client->ReadInputs(1) == 0; }, 700ms));
            EXPECT_EQ(client->linkStatus().state, LinkState::NoAnswer);
            EXPECT_NE(client->linkStatus().error, "");
        }
        // A second and a half of scans, whatever the device does.
        EXPECT_GE(Scans(1500ms), 13u);
        device.setFault(Fault::None);
        EXPECT_TRUE(Serve([&] { return client->ReadInputs(1) == 0x0001; }, 2s));
        EXPECT_EQ(client->linkStatus().state, LinkState::Connected);
    }
    run.btnStopClick();
    EXPECT_EQ(device.coils(), 0) << "Stop leaves the outputs off";
}

// Stop and the end of the program wait for no device: a silent one holds the network thread's
// exchange for at most its answer time, and nothing else waits for that thread.
TEST_F(ClientInARun, StopsAtOnceThoughTheDeviceNeverAnswers) {
    run.btnRunClick();
    ASSERT_TRUE(Serve([&] { return device.coils() == 0x0001; }, 2s));
    device.setFault(Fault::Silent);
    ASSERT_TRUE(Serve([&] { return client->linkStatus().state == LinkState::NoAnswer; }, 2s));
    const auto start = std::chrono::steady_clock::now();
    run.btnStopClick();
    interfaces.RegisterInterfaces();  // the client's end, as at exit
    EXPECT_LT(std::chrono::steady_clock::now() - start, 800ms);
    EXPECT_FALSE(run.RunInProgress());
}

}  // namespace
}  // namespace torvex::test
