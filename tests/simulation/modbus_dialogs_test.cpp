// The Modbus interfaces in the windows: their routine dialogs, and what Configure I/O keeps
// of them in the settings.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "files/settings_store.h"
#include "simulation/modbus_dialogs.h"
#include "simulation/preferences_dialog.h"
#include "tests/support/qstring_print.h"

namespace torvex::test {
namespace {

template <class Widget>
Widget* Child(QWidget* parent, const char* name) {
    auto* widget = parent->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

TEST(ModbusDialogs, TheConnectionTakesOnlyWhatModbusCanAddress) {
    const struct {
        const char* host;
        int unit;
        bool taken;
        QString problem;
    } rows[] = {
        {"io-module.local", 1, true, ""},
        {" 10.0.0.7 ", 255, true, ""},
        {"", 1, false, "Enter the device's host name or address."},
        {"io module", 1, false, "Enter the device's host name or address."},
        {"10.0.0.7", 248, false, "A unit id is 1 ... 247 or 255."},
        {"10.0.0.7", 254, false, "A unit id is 1 ... 247 or 255."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.host);
        TfrmModbusConnection dialog(ModbusClientOptions{});
        EXPECT_EQ(dialog.windowTitle(), "Connection");
        Child<QLineEdit>(&dialog, "txtHost")->setText(QString::fromLatin1(row.host));
        Child<QSpinBox>(&dialog, "txtUnit")->setValue(row.unit);
        Child<QSpinBox>(&dialog, "txtFirstInput")->setValue(100);
        QTest::mouseClick(Child<QPushButton>(&dialog, "btnOK"), Qt::LeftButton);
        EXPECT_EQ(dialog.result() == QDialog::Accepted, row.taken);
        EXPECT_EQ(Child<QLabel>(&dialog, "lblProblem")->text(), row.problem);
        if (row.taken) {
            EXPECT_EQ(dialog.options().host, QString::fromLatin1(row.host).trimmed().toStdString());
            EXPECT_EQ(dialog.options().firstInput, 100);
        }
    }
}

TEST(ModbusDialogs, ListeningBeyondThisMachineIsWarnedOf) {
    const struct {
        const char* address;
        bool warned;
    } rows[] = {{"127.0.0.1", false}, {"127.0.0.2", false}, {"localhost", false},
                {"::1", false},       {"0.0.0.0", true},    {"10.1.2.3", true}};
    TfrmModbusListen dialog(QStringLiteral("127.0.0.1"));
    dialog.show();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.address);
        Child<QComboBox>(&dialog, "cbxAddress")->setEditText(QString::fromLatin1(row.address));
        QLabel* warning = Child<QLabel>(&dialog, "lblWarning");
        EXPECT_EQ(warning->isVisible(), row.warned);
        EXPECT_EQ(warning->text(),
                  QStringLiteral("Listening on %1, any machine on that network can drive the "
                                 "outputs.")
                      .arg(QString::fromLatin1(row.address)));
        EXPECT_EQ(dialog.address(), QString::fromLatin1(row.address));
    }
}

// Configure I/O over the program's own interfaces, their dialogs answered by the test.
TEST(ModbusDialogs, ConfigureIoKeepsTheChoicesOfBothInterfaces) {
    QTemporaryDir folder;
    SettingsStore settings(folder.filePath(QStringLiteral("settings.ini")));
    ModbusAsks asks;
    asks.connection = [](ModbusClientOptions& o) {
        o = ModbusClientOptions{"127.0.0.2", 5020, 12, 100, 200};
        return true;
    };
    asks.listening = [](std::string& address) {
        address = "0.0.0.0";
        return true;
    };
    InterfaceTable interfaces;
    interfaces.RegisterInterfaces(ModbusInterfaces(settings, asks));
    ASSERT_EQ(interfaces.InterfaceCount(), 3);
    EXPECT_EQ(interfaces.at(1)->Name(), "Modbus TCP remote I/O");
    EXPECT_EQ(interfaces.at(2)->Name(), "Modbus TCP server");
    EXPECT_EQ(interfaces.BaseAddresses[1], 1) << "unit 1";
    EXPECT_EQ(interfaces.BaseAddresses[2], 1502) << "port 1502";

    bool open = false;
    auto* dialog = new TfrmPreferences(interfaces, settings, open);
    dialog->show();
    auto* list = Child<QComboBox>(dialog, "Interfaces");
    auto* addresses = Child<QComboBox>(dialog, "Addresses");
    auto* routine = Child<QPushButton>(dialog, "btnRoutine");
    // The server: the listening address is kept at once; the port is a choice of the list.
    list->setCurrentIndex(2);
    EXPECT_EQ(routine->text(), "Listening address\u2026");
    EXPECT_EQ(addresses->itemText(addresses->currentIndex()), "port 1502");
    routine->click();
    EXPECT_EQ(settings.value("ModbusServer", "Address", ""), "0.0.0.0");
    // The client: host, port and first points kept at once; its unit id becomes the choice.
    list->setCurrentIndex(1);
    EXPECT_EQ(routine->text(), "Connection\u2026");
    routine->click();
    EXPECT_EQ(addresses->itemText(addresses->currentIndex()), "unit 12");
    EXPECT_EQ(settings.value("ModbusClient", "Host", ""), "127.0.0.2");
    EXPECT_EQ(settings.value("ModbusClient", "Unit", ""), "1") << "the unit in use until OK";
    QTest::mouseClick(Child<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
    EXPECT_EQ(interfaces.CurrentInterface(), 1);
    EXPECT_EQ(settings.value("ModbusClient", "Unit", ""), "12");
    EXPECT_EQ(settings.readInterface(), 1);
    interfaces.Select(0);

    // What was kept is what the next start finds.
    auto again = ModbusInterfaces(settings, asks);
    auto& client = dynamic_cast<ModbusClientInterface&>(*again[0]);
    EXPECT_EQ(client.options(), (ModbusClientOptions{"127.0.0.2", 5020, 12, 100, 200}));
    EXPECT_EQ(client.DefaultAddress(), 12);
    EXPECT_EQ(dynamic_cast<ModbusServerInterface&>(*again[1]).options().address, "0.0.0.0");
    // A stored value that is not one is the default.
    settings.setValue("ModbusClient", "Unit", "250");
    settings.setValue("ModbusClient", "Port", "x");
    settings.setValue("ModbusServer", "Port", "70000");
    again = ModbusInterfaces(settings, asks);
    EXPECT_EQ(dynamic_cast<ModbusClientInterface&>(*again[0]).options().unit, 1);
    EXPECT_EQ(dynamic_cast<ModbusClientInterface&>(*again[0]).options().port, 502);
    EXPECT_EQ(dynamic_cast<ModbusServerInterface&>(*again[1]).options().port, 1502);
}

}  // namespace
}  // namespace torvex::test
