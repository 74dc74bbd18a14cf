// The Modbus TCP server interface against real clients on 127.0.0.1: what each request is
// answered, how long the inputs hold, how many clients are served, and what a malformed or
// hostile stream gets.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "simulation/io/modbus_server.h"
#include "tests/simulation/io/device_peer.h"

namespace torvex::test {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;

// A server on a port of its own.
class ServerTest : public ::testing::Test {
protected:
    void Start(ModbusTiming timing = {}) {
        ModbusServerOptions options;
        options.port = 0;
        server = std::make_unique<ModbusServerInterface>(options, std::move(timing));
        server->Open();
        ASSERT_TRUE(WaitFor([&] { return server->linkStatus().port != 0; }, 2s));
        port = server->linkStatus().port;
    }
    std::unique_ptr<ModbusServerInterface> server;
    int port = 0;
};

TEST_F(ServerTest, AnswersEveryRequestFromItsMapOrWithAnException) {
    Start();
    server->WriteOutputs(0, 0xA5C3);
    RawPeer client(port);
    // In order: each row sees what the rows before it wrote. `inputs` is what the scans read
    // afterwards (-1: not checked).
    const struct {
        const char* what;
        uint8_t unit;
        Bytes request;
        Bytes answer;
        int inputs;
    } rows[] = {
        {"discrete inputs 0-15 are the outputs", 1, {0x02, 0, 0, 0, 16}, {0x02, 2, 0xC3, 0xA5}, 0},
        {"discrete inputs 8-15", 1, {0x02, 0, 8, 0, 8}, {0x02, 1, 0xA5}, -1},
        {"input register 0 is the outputs packed",
         1,
         {0x04, 0, 0, 0, 1},
         {0x04, 2, 0xA5, 0xC3},
         -1},
        {"any unit id is answered: 0", 0, {0x04, 0, 0, 0, 1}, {0x04, 2, 0xA5, 0xC3}, -1},
        {"any unit id is answered: 255", 255, {0x04, 0, 0, 0, 1}, {0x04, 2, 0xA5, 0xC3}, -1},
        {"coils are the inputs", 1, {0x01, 0, 0, 0, 16}, {0x01, 2, 0, 0}, 0},
        {"writing coils 0-15", 1, {0x0F, 0, 0, 0, 16, 2, 0x5A, 0x3C}, {0x0F, 0, 0, 0, 16}, 0x3C5A},
        {"holding register 0 follows the coils", 1, {0x03, 0, 0, 0, 1}, {0x03, 2, 0x3C, 0x5A}, -1},
        {"writing holding register 0",
         1,
         {0x06, 0, 0, 0x0F, 0x0F},
         {0x06, 0, 0, 0x0F, 0x0F},
         0x0F0F},
        {"the coils follow the register", 1, {0x01, 0, 0, 0, 16}, {0x01, 2, 0x0F, 0x0F}, -1},
        {"writing one coil", 7, {0x05, 0, 5, 0xFF, 0}, {0x05, 0, 5, 0xFF, 0}, 0x0F2F},
        {"masking holding register 0",
         1,
         {0x16, 0, 0, 0xFF, 0x00, 0x00, 0x01},
         {0x16, 0, 0, 0xFF, 0x00, 0x00, 0x01},
         0x0F01},
        {"discrete input 16 is outside", 1, {0x02, 0, 16, 0, 1}, {0x82, 0x02}, 0x0F01},
        {"17 discrete inputs reach outside", 1, {0x02, 0, 0, 0, 17}, {0x82, 0x02}, -1},
        {"input register 1 is outside", 1, {0x04, 0, 1, 0, 1}, {0x84, 0x02}, -1},
        {"coil 16 is outside", 1, {0x05, 0, 16, 0xFF, 0}, {0x85, 0x02}, 0x0F01},
        {"two holding registers reach outside",
         1,
         {0x10, 0, 0, 0, 2, 4, 0, 1, 0, 2},
         {0x90, 0x02},
         0x0F01},
        {"a quantity of 0", 1, {0x01, 0, 0, 0, 0}, {0x81, 0x03}, -1},
        {"a quantity beyond the protocol", 1, {0x03, 0, 0, 0x01, 0}, {0x83, 0x03}, -1},
        {"a coil value other than on or off", 1, {0x05, 0, 1, 0x12, 0x34}, {0x85, 0x03}, 0x0F01},
        {"a byte count that does not match the quantity",
         1,
         {0x0F, 0, 0, 0, 16, 3, 1, 2, 3},
         {0x8F, 0x03},
         0x0F01},
        {"fewer data than the byte count says",
         1,
         {0x10, 0, 0, 0, 1, 2, 0xFF},
         {0x90, 0x03},
         0x0F01},
        {"a read with bytes too many", 1, {0x02, 0, 0, 0, 16, 0}, {0x82, 0x03}, -1},
        {"a read with bytes too few", 1, {0x04, 0}, {0x84, 0x03}, -1},
        {"function 0", 1, {0x00}, {0x80, 0x01}, -1},
        {"diagnostics are not offered", 1, {0x08, 0, 0, 0x12, 0x34}, {0x88, 0x01}, -1},
        {"nor the exception status", 1, {0x07}, {0x87, 0x01}, -1},
        {"an unknown function", 1, {0x41, 1, 2, 3}, {0xC1, 0x01}, 0x0F01},
        {"a function with the exception bit", 1, {0x99, 0, 0}, {0x99, 0x01}, -1},
    };
    uint16_t transaction = 0x1200;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ++transaction;
        ASSERT_TRUE(client.send(Frame(transaction, row.unit, row.request)));
        const Bytes expected = Frame(transaction, row.unit, row.answer);
        // Promptly: a server that paused before an exception would hold every client up.
        EXPECT_EQ(client.receive(expected.size(), 250ms), expected);
        if (row.inputs >= 0) {
            EXPECT_EQ(server->ReadInputs(0), row.inputs);
        }
    }
}

TEST_F(ServerTest, DropsAStreamItCannotFollowAndKeepsServingTheOthers) {
    Start();
    const struct {
        const char* what;
        Bytes bytes;
        bool dropped;
    } rows[] = {
        {"a length of 0", {0, 1, 0, 0, 0, 0, 1}, true},
        {"a length of 1", {0, 1, 0, 0, 0, 1, 1}, true},
        {"a length beyond a frame", {0, 1, 0, 0, 0x01, 0x00, 1, 2}, true},
        {"a length of 65535", {0, 1, 0, 0, 0xFF, 0xFF, 1, 2}, true},
        {"another protocol: not answered, the connection kept",
         {0, 1, 0, 7, 0, 6, 1, 2, 0, 0, 0, 16},
         false},
        {"half a header", {0, 1, 0}, false},
        {"half a frame", {0, 1, 0, 0, 0, 6, 1, 2, 0}, false},
    };
    ClientPeer good(port);
    ASSERT_TRUE(good.connected());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        RawPeer hostile(port);
        ASSERT_TRUE(hostile.send(row.bytes));
        EXPECT_EQ(hostile.closedByPeer(300ms), row.dropped);
        EXPECT_EQ(good.readInputs(), 0) << "the others are still served";
    }
    // A frame cut in pieces is answered once it is whole.
    RawPeer slow(port);
    const Bytes frame = Frame(9, 1, {0x04, 0, 0, 0, 1});
    for (uint8_t byte : frame) {
        ASSERT_TRUE(slow.send({byte}));
        std::this_thread::sleep_for(2ms);
    }
    EXPECT_EQ(slow.receive(11, 1s), Frame(9, 1, {0x04, 2, 0, 0}));
}

TEST_F(ServerTest, ServesFourClientsAtOnceAndRefusesMore) {
    Start();
    server->WriteOutputs(0, 0x0042);
    std::vector<std::unique_ptr<ClientPeer>> clients;
    for (int i = 0; i < 6; ++i) clients.push_back(std::make_unique<ClientPeer>(port));
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(clients[i]->readInputs(), i < 4 ? 0x0042 : -1);
    }
    EXPECT_EQ(LinkText(server->linkStatus()),
              "Modbus 127.0.0.1:" + std::to_string(port) + " \u2014 4 clients");
    // One leaves: a newcomer takes its place.
    clients[0].reset();
    ASSERT_TRUE(WaitFor([&] { return server->linkStatus().clients == 3; }, 2s));
    ClientPeer newcomer(port);
    EXPECT_EQ(newcomer.readInputs(), 0x0042);
}

TEST_F(ServerTest, InputsFallToZeroASecondAfterTheLastWrite) {
    // The server's time is the test's: it moves only when told to.
    auto now = std::make_shared<std::atomic<int64_t>>(0);
    ModbusTiming timing;
    timing.now = [now] {
        return std::chrono::steady_clock::time_point(std::chrono::milliseconds(now->load()));
    };
    Start(timing);
    ClientPeer client(port);
    ASSERT_TRUE(client.writeRegister(0x8001));
    const struct {
        int64_t after;
        int32_t inputs;
    } rows[] = {{0, 0x8001}, {999, 0x8001}, {1000, 0x8001}, {1001, 0}, {5000, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.after);
        now->store(row.after);
        EXPECT_EQ(server->ReadInputs(0), row.inputs);
    }
    // A client reading the coils back sees them gone too.
    EXPECT_TRUE(WaitFor([&] { return client.readCoils() == 0; }, 2s));
    // Writing again holds them again.
    ASSERT_TRUE(client.writeCoils(0x0003));
    EXPECT_EQ(server->ReadInputs(0), 0x0003);
}

TEST_F(ServerTest, ListensAgainOnceThePortIsFreeAndShowsWhy) {
    // Another program holds the port.
    auto holder = std::make_unique<ModbusServerInterface>(ModbusServerOptions{"127.0.0.1", 0});
    holder->Open();
    ASSERT_TRUE(WaitFor([&] { return holder->linkStatus().port != 0; }, 2s));
    const int taken = holder->linkStatus().port;
    ModbusServerInterface server2(ModbusServerOptions{"127.0.0.1", taken});
    server2.Open();
    ASSERT_TRUE(WaitFor([&] { return server2.linkStatus().state == LinkState::CannotListen; }, 2s));
    EXPECT_EQ(LinkText(server2.linkStatus()),
              "Modbus 127.0.0.1:" + std::to_string(taken) + " \u2014 cannot listen (retrying)");
    EXPECT_EQ(server2.linkStatus().error, "Address already in use");
    holder.reset();
    EXPECT_TRUE(WaitFor([&] { return server2.linkStatus().state == LinkState::Listening; }, 2s));
    ClientPeer client(taken);
    EXPECT_EQ(client.readInputs(), 0);
    server2.Close();
    EXPECT_EQ(LinkText(server2.linkStatus()),
              "Modbus 127.0.0.1:" + std::to_string(taken) + " \u2014 closed");
}

}  // namespace
}  // namespace torvex::test
