// The Modbus interfaces' side of the windows: the dialogs their routine buttons open, the
// link's state in words of the user's language, and the interfaces made from the settings
// they are kept in.
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QString>
#include <memory>
#include <vector>

#include "simulation/io/link_status.h"
#include "simulation/io/modbus_client.h"
#include "simulation/io/modbus_server.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace torvex {

class SettingsStore;

// "Connection…" of "Modbus TCP remote I/O": host, port, unit id and the first discrete input
// and coil. OK is taken only with a host and a unit id Modbus TCP can address.
class TfrmModbusConnection : public QDialog {
    Q_OBJECT
public:
    TfrmModbusConnection(const ModbusClientOptions& options, QWidget* parent = nullptr);
    ModbusClientOptions options() const;

private:
    void btnOKClick();

    QLineEdit* txtHost;
    QSpinBox* txtPort;
    QSpinBox* txtUnit;
    QSpinBox* txtFirstInput;
    QSpinBox* txtFirstCoil;
    QLabel* lblProblem;
    QPushButton* btnOK;
    QPushButton* btnCancel;
};

// "Listening address…" of "Modbus TCP server": this machine only unless the user chooses
// otherwise, with a warning as long as another address is chosen.
class TfrmModbusListen : public QDialog {
    Q_OBJECT
public:
    TfrmModbusListen(const QString& address, QWidget* parent = nullptr);
    QString address() const;

private:
    void addressChanged();

    QComboBox* cbxAddress;
    QLabel* lblWarning;
    QPushButton* btnOK;
    QPushButton* btnCancel;
};

// The link's state as the main window shows it: "Modbus 127.0.0.1:1502 — 1 client", and the
// last error for the tooltip.
class LinkCaption {
    Q_DECLARE_TR_FUNCTIONS(torvex::LinkCaption)
public:
    static QString text(const LinkStatus& status);
    static QString toolTip(const LinkStatus& status, bool server);
};

// How the interfaces ask the user, replaceable where no one is there to answer.
struct ModbusAsks {
    ModbusClientInterface::Ask connection;
    ModbusServerInterface::Ask listening;
};
// The dialogs above, modal over the window that is active (the Configure I/O dialog).
ModbusAsks DialogAsks();

// "Modbus TCP remote I/O" and "Modbus TCP server", in that order, with the options kept in
// `settings` (which must outlive them) and keeping there whatever the user changes.
std::vector<std::unique_ptr<IoInterface>> ModbusInterfaces(SettingsStore& settings,
                                                           ModbusAsks asks = DialogAsks());

}  // namespace torvex
