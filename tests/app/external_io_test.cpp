// The external modes end to end, with real Modbus peers on 127.0.0.1: a diagram drives a
// remote I/O device, a Modbus client drives a plant, and the link shows beside the status.

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "engine/plc.h"
#include "simulation/debugger.h"
#include "simulation/io/modbus_server.h"
#include "simulation/preferences_dialog.h"
#include "simulation/simulation_window.h"
#include "tests/app/main_window_fixture.h"
#include "tests/simulation/io/device_peer.h"
#include "tests/support/ladder_text.h"
#include "ui/language.h"

namespace torvex::test {
namespace {

using ExternalIo = MainWindowTest;

TEST_F(ExternalIo, TheInterfaceChosenLastIsCurrentAgainAtStartUp) {
    const struct {
        const char* stored;
        int current;
    } rows[] = {{nullptr, 0}, {"2", 2}, {"1", 1}, {"3", 0}, {"-1", 0}, {"x", 0}};
    // Nothing answers on these: the test's own free port, found and let go.
    settings->setValue("ModbusServer", "Port", "0");
    settings->setValue("ModbusClient", "Port", QString::number(DevicePeer(0, 0).port()));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored ? row.stored : "none");
        if (row.stored) settings->setValue("Setup", "Interface", QString::fromLatin1(row.stored));
        Create();
        ASSERT_EQ(main->interfaces().InterfaceCount(), 3);
        EXPECT_EQ(main->interfaces().CurrentInterface(), row.current);
        TearDown();
    }
}

TEST_F(ExternalIo, ADiagramDrivesAModbusDeviceAndShowsWhatItReports) {
    DevicePeer device(0, 0);
    settings->writeInterface(1);
    settings->setValue("ModbusClient", "Port", QString::number(device.port()));
    Create();
    SetRung(main->plc().diagram, 0, {Simple({"NOC:IP0"}, "OUT:OP0")});
    QLabel* link = Label("lblLink");
    EXPECT_FALSE(link->isVisible()) << "only in the external modes";
    Trigger("mnuControlExternalDevice");
    const QString endpoint = QStringLiteral("Modbus 127.0.0.1:%1 \u2014 ").arg(device.port());
    EXPECT_TRUE(Serve([&] { return link->text() == endpoint + "connected"; }, 3000))
        << link->text().toStdString();

    device.setInputs(0x0001);
    QTest::mouseClick(Button("btnRun"), Qt::LeftButton);
    EXPECT_TRUE(Serve([&] { return device.coils() == 0x0001; }));
    Cycles(2);
    auto* debugger = main->debugger();
    EXPECT_TRUE(debugger->findChild<QWidget*>(QStringLiteral("btnIP0ON"))->isVisible())
        << "the input as the device reports it";
    EXPECT_TRUE(debugger->findChild<QWidget*>(QStringLiteral("imgOP0On"))->isVisible());

    // The device goes away during the run: the inputs fall to 0, the link says so.
    device.setFault(DevicePeer::Fault::Killed);
    EXPECT_TRUE(Serve([&] { return link->text() == endpoint + "no answer (retrying)"; }, 3000))
        << link->text().toStdString();
    EXPECT_TRUE(link->toolTip().contains("Last error: Connection refused"))
        << link->toolTip().toStdString();
    EXPECT_TRUE(Serve(
        [&] { return debugger->findChild<QWidget*>(QStringLiteral("btnIP0OFF"))->isVisible(); }));
    // It comes back: the run goes on with it.
    device.setFault(DevicePeer::Fault::None);
    EXPECT_TRUE(Serve([&] { return link->text() == endpoint + "connected"; }, 3000));
    EXPECT_TRUE(Serve([&] { return device.coils() == 0x0001; }));
    QTest::mouseClick(Button("btnStop"), Qt::LeftButton);
    EXPECT_EQ(device.coils(), 0) << "Stop leaves the device's outputs off";
    EXPECT_TRUE(Serve([&] { return link->text() == endpoint + "closed"; }, 1500));
    EXPECT_EQ(main->plc().guard().violations(), 0);
}

TEST_F(ExternalIo, TheInterfacesAndTheLinkSpeakFinnish) {
    FinnishTranslation finnishTexts;
    ASSERT_TRUE(finnishTexts.install());
    finnish = true;
    settings->writeInterface(2);
    settings->setValue("ModbusServer", "Port", "0");
    Create();
    Trigger("mnuSetupConfigureIO");
    ASSERT_NE(main->preferences(), nullptr);
    auto* list = main->preferences()->findChild<QComboBox*>(QStringLiteral("Interfaces"));
    auto* addresses = main->preferences()->findChild<QComboBox*>(QStringLiteral("Addresses"));
    auto* routine = main->preferences()->findChild<QPushButton*>(QStringLiteral("btnRoutine"));
    EXPECT_EQ(list->itemText(1), QStringLiteral("Modbus TCP -etä-I/O"));
    EXPECT_EQ(list->itemText(2), QStringLiteral("Modbus TCP -palvelin"));
    EXPECT_EQ(addresses->itemText(0), QStringLiteral("portti 1502"));
    EXPECT_EQ(routine->text(), QStringLiteral("Kuunteluosoite\u2026"));
    list->setCurrentIndex(1);
    EXPECT_EQ(addresses->itemText(12), QStringLiteral("yksikkö 12"));
    main->preferences()->close();

    Trigger("mnuControlExternalDevice");
    auto& server = dynamic_cast<ModbusServerInterface&>(*main->interfaces().at(2));
    EXPECT_TRUE(Serve([&] {
        return Label("lblLink")->text() ==
               QStringLiteral("Modbus 127.0.0.1:%1 \u2014 ei asiakkaita")
                   .arg(server.linkStatus().port);
    }));
    main.reset();
}

// A PLC drives the Traffic Light through the server, the plant ten times faster than the
// clock on the wall: it reads the sensors and switches the lamps, and the plant follows.
TEST_F(ExternalIo, AModbusClientDrivesTheTrafficLight) {
    FastClock fast(10);
    clock = &fast;
    settings->writeInterface(2);
    settings->setValue("ModbusServer", "Port", "0");
    Create();
    auto& server = dynamic_cast<ModbusServerInterface&>(*main->interfaces().at(2));
    ASSERT_TRUE(Serve([&] { return server.linkStatus().port != 0; }));
    Action("mnuControlExternalPLCSimulation", 1)->trigger();
    ASSERT_NE(main->simulation(), nullptr);
    EXPECT_TRUE(Action(QStringLiteral("mnuControlExternalPLC"))->isChecked());
    Plant& plant = main->simulation()->plant();
    ClientPeer plc(server.linkStatus().port);
    QTest::mouseClick(Button("btnRun"), Qt::LeftButton);

    // Red both ways, written as a PLC writes it each scan, until a car waits at the light.
    int sensors = 0;
    ASSERT_TRUE(Serve(
        [&] {
            plc.writeCoils(0x0009);
            sensors = plc.readInputs();
            return sensors > 0 && (sensors & 0x0003) != 0;
        },
        20000));
    EXPECT_TRUE(plant.Output(0) && plant.Output(3) && !plant.Output(2) && !plant.Output(5));
    EXPECT_EQ(Label("lblLink")->text(),
              QStringLiteral("Modbus 127.0.0.1:%1 \u2014 1 client").arg(server.linkStatus().port));
    // Green both ways: the plant stops the run.
    plc.writeCoils(0x0024);
    ASSERT_TRUE(Serve([&] { return !main->RunInProgress(); }));
    EXPECT_EQ(plant.stopReason().en, "conflicting greens");
    EXPECT_EQ(main->plc().guard().violations(), 0);
}

}  // namespace
}  // namespace torvex::test
