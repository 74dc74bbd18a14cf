#include "simulation/modbus_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "files/settings_store.h"

namespace torvex {

namespace {

QSpinBox* Number(QWidget* parent, const char* name, int low, int high, int value) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

QLabel* Problem(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    QPalette red = label->palette();
    red.setColor(QPalette::WindowText, QColor(170, 0, 0));
    label->setPalette(red);
    label->hide();
    return label;
}

// OK and Cancel, as the program's other dialogs name them.
QDialogButtonBox* Buttons(QDialog* dialog, const QString& okText, const QString& cancelText,
                          QPushButton*& ok, QPushButton*& cancel) {
    auto* box = new QDialogButtonBox(dialog);
    ok = box->addButton(okText, QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    cancel = box->addButton(cancelText, QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return box;
}

void StayOnTop(QDialog* dialog) {
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    dialog->setModal(true);
}

const QString kClient = QStringLiteral("ModbusClient");
const QString kServer = QStringLiteral("ModbusServer");

// A stored number, or `fallback` when it is none or outside low ... high.
int Stored(const SettingsStore& settings, const QString& section, const char* name, int low,
           int high, int fallback) {
    bool ok = false;
    const int value = settings.value(section, QString::fromLatin1(name), QString()).toInt(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}

}  // namespace

TfrmModbusConnection::TfrmModbusConnection(const ModbusClientOptions& options, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmModbusConnection"));
    StayOnTop(this);
    setWindowTitle(tr("Connection"));
    constexpr int kLast = ModbusClientOptions::kLastFirstAddress;
    txtHost = new QLineEdit(QString::fromStdString(options.host), this);
    txtHost->setObjectName(QStringLiteral("txtHost"));
    txtHost->setMinimumWidth(200);
    txtPort = Number(this, "txtPort", 1, 65535, options.port);
    // Unit 0 is the broadcast address: the base-address list offers it, the dialog does not.
    txtUnit = Number(this, "txtUnit", 1, 255, std::max(1, options.unit));
    txtFirstInput = Number(this, "txtFirstInput", 0, kLast, options.firstInput);
    txtFirstCoil = Number(this, "txtFirstCoil", 0, kLast, options.firstCoil);
    lblProblem = Problem(this, "lblProblem");

    auto* form = new QFormLayout;
    form->addRow(tr("Host:"), txtHost);
    form->addRow(tr("Port:"), txtPort);
    form->addRow(tr("Unit id:"), txtUnit);
    form->addRow(tr("First discrete input (inputs 0-15):"), txtFirstInput);
    form->addRow(tr("First coil (outputs 0-15):"), txtFirstCoil);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(lblProblem);
    column->addWidget(Buttons(this, tr("OK"), tr("Cancel"), btnOK, btnCancel));
    column->setSizeConstraint(QLayout::SetFixedSize);
    connect(btnOK, &QPushButton::clicked, this, &TfrmModbusConnection::btnOKClick);
}

ModbusClientOptions TfrmModbusConnection::options() const {
    ModbusClientOptions o;
    o.host = txtHost->text().trimmed().toStdString();
    o.port = txtPort->value();
    o.unit = txtUnit->value();
    o.firstInput = txtFirstInput->value();
    o.firstCoil = txtFirstCoil->value();
    return o;
}

void TfrmModbusConnection::btnOKClick() {
    const ModbusClientOptions o = options();
    QString problem;
    if (o.host.empty() || o.host.find(' ') != std::string::npos)
        problem = tr("Enter the device's host name or address.");
    else if (!ModbusClientInterface::ValidUnit(o.unit))
        problem = tr("A unit id is 1 ... 247 or 255.");
    lblProblem->setText(problem);
    lblProblem->setVisible(!problem.isEmpty());
    if (problem.isEmpty()) accept();
}

TfrmModbusListen::TfrmModbusListen(const QString& address, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmModbusListen"));
    StayOnTop(this);
    setWindowTitle(tr("Listening address"));
    cbxAddress = new QComboBox(this);
    cbxAddress->setObjectName(QStringLiteral("cbxAddress"));
    cbxAddress->setEditable(true);
    cbxAddress->addItem(QStringLiteral("127.0.0.1"));
    cbxAddress->addItem(QStringLiteral("0.0.0.0"));
    cbxAddress->setItemData(0, tr("This machine only"), Qt::ToolTipRole);
    cbxAddress->setItemData(1, tr("Every network of this machine"), Qt::ToolTipRole);
    cbxAddress->setEditText(address);
    cbxAddress->setMinimumWidth(200);
    lblWarning = Problem(this, "lblWarning");

    auto* form = new QFormLayout;
    form->addRow(tr("Listen on:"), cbxAddress);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(lblWarning);
    column->addWidget(Buttons(this, tr("OK"), tr("Cancel"), btnOK, btnCancel));
    column->setSizeConstraint(QLayout::SetFixedSize);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cbxAddress, &QComboBox::editTextChanged, this, &TfrmModbusListen::addressChanged);
    addressChanged();
}

QString TfrmModbusListen::address() const {
    return cbxAddress->currentText().trimmed();
}

void TfrmModbusListen::addressChanged() {
    const QString a = address();
    btnOK->setEnabled(!a.isEmpty());
    const bool open = !a.isEmpty() && !IsLoopbackAddress(a.toStdString());
    lblWarning->setText(
        tr("Listening on %1, any machine on that network can drive the outputs.").arg(a));
    lblWarning->setVisible(open);
}

QString LinkCaption::text(const LinkStatus& status) {
    QString state;
    switch (status.state) {
        case LinkState::Closed:
            state = tr("closed");
            break;
        case LinkState::Connecting:
            state = tr("connecting");
            break;
        case LinkState::Connected:
            state = tr("connected");
            break;
        case LinkState::NoAnswer:
            state = tr("no answer (retrying)");
            break;
        case LinkState::Listening:
            state = status.clients == 0   ? tr("no client")
                    : status.clients == 1 ? tr("1 client")
                                          : tr("%1 clients").arg(status.clients);
            break;
        case LinkState::CannotListen:
            state = tr("cannot listen (retrying)");
            break;
    }
    return QStringLiteral("Modbus %1 \u2014 %2")
        .arg(QString::fromStdString(Endpoint(status.host, status.port)), state);
}

QString LinkCaption::toolTip(const LinkStatus& status, bool server) {
    QStringList lines;
    if (server && !IsLoopbackAddress(status.host))
        lines << tr("Any machine on that network can drive the outputs.");
    lines << (status.error.empty()
                  ? tr("No error so far.")
                  : tr("Last error: %1").arg(QString::fromStdString(status.error)));
    return lines.join(QLatin1Char('\n'));
}

ModbusAsks DialogAsks() {
    ModbusAsks asks;
    asks.connection = [](ModbusClientOptions& options) {
        TfrmModbusConnection dialog(options, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted) return false;
        options = dialog.options();
        return true;
    };
    asks.listening = [](std::string& address) {
        TfrmModbusListen dialog(QString::fromStdString(address), QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted) return false;
        address = dialog.address().toStdString();
        return true;
    };
    return asks;
}

std::vector<std::unique_ptr<IoInterface>> ModbusInterfaces(SettingsStore& settings,
                                                           ModbusAsks asks) {
    constexpr int kLast = ModbusClientOptions::kLastFirstAddress;
    ModbusClientOptions c;
    c.host = settings.value(kClient, QStringLiteral("Host"), QString::fromStdString(c.host))
                 .trimmed()
                 .toStdString();
    if (c.host.empty()) c.host = ModbusClientOptions().host;
    c.port = Stored(settings, kClient, "Port", 1, 65535, c.port);
    c.unit = Stored(settings, kClient, "Unit", 0, 255, c.unit);
    if (!ModbusClientInterface::ValidUnit(c.unit)) c.unit = ModbusClientOptions().unit;
    c.firstInput = Stored(settings, kClient, "FirstInput", 0, kLast, c.firstInput);
    c.firstCoil = Stored(settings, kClient, "FirstCoil", 0, kLast, c.firstCoil);
    auto client = std::make_unique<ModbusClientInterface>(c);
    client->setAsk(std::move(asks.connection));
    client->setChanged([&settings](const ModbusClientOptions& o) {
        settings.setValue(kClient, QStringLiteral("Host"), QString::fromStdString(o.host));
        settings.setValue(kClient, QStringLiteral("Port"), QString::number(o.port));
        settings.setValue(kClient, QStringLiteral("Unit"), QString::number(o.unit));
        settings.setValue(kClient, QStringLiteral("FirstInput"), QString::number(o.firstInput));
        settings.setValue(kClient, QStringLiteral("FirstCoil"), QString::number(o.firstCoil));
    });

    ModbusServerOptions s;
    s.address =
        settings.value(kServer, QStringLiteral("Address"), QString::fromStdString(s.address))
            .trimmed()
            .toStdString();
    if (s.address.empty()) s.address = ModbusServerOptions().address;
    // Port 0 takes any free port.
    s.port = Stored(settings, kServer, "Port", 0, 65535, s.port);
    auto server = std::make_unique<ModbusServerInterface>(s);
    server->setAsk(std::move(asks.listening));
    server->setChanged([&settings](const ModbusServerOptions& o) {
        settings.setValue(kServer, QStringLiteral("Address"), QString::fromStdString(o.address));
        settings.setValue(kServer, QStringLiteral("Port"), QString::number(o.port));
    });

    std::vector<std::unique_ptr<IoInterface>> interfaces;
    interfaces.push_back(std::move(client));
    interfaces.push_back(std::move(server));
    return interfaces;
}

}  // namespace torvex
