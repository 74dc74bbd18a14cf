#include "simulation/preferences_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "engine/io_interface.h"
#include "files/settings_store.h"

namespace torvex {

namespace {

// The interfaces name themselves in English. The texts this program has a translation for
// are shown in the user's language, "unit 12" as its word with the number.
QString Text(const std::string& text) {
    const QString english = QString::fromStdString(text);
    const qsizetype space = english.lastIndexOf(QLatin1Char(' '));
    bool numbered = false;
    const int number = space > 0 ? english.mid(space + 1).toInt(&numbered) : 0;
    if (numbered) {
        const QByteArray pattern = (english.left(space) + QStringLiteral(" %1")).toUtf8();
        return TfrmPreferences::tr(pattern.constData()).arg(number);
    }
    return TfrmPreferences::tr(text.c_str());
}

// An interface reports its choices; a negative count has none.
int ChoiceCount(IoInterface& descriptor) {
    return std::max<int32_t>(0, descriptor.AddressCount());
}

}  // namespace

TfrmPreferences::TfrmPreferences(InterfaceTable& interfaces, SettingsStore& settings,
                                 bool& preferencesOpen, QWidget* parent)
    : QDialog(parent),
      interfaces_(interfaces),
      settings_(settings),
      preferencesOpen_(preferencesOpen) {
    setObjectName(QStringLiteral("frmPreferences"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    setWindowTitle(tr("Configure I/O"));

    grpInterface = new QGroupBox(tr("Interface"), this);
    grpInterface->setObjectName(QStringLiteral("grpInterface"));
    grpInterface->setGeometry(8, 6, 344, 124);

    Interfaces = new QComboBox(grpInterface);
    Interfaces->setObjectName(QStringLiteral("Interfaces"));
    Interfaces->setGeometry(12, 26, 320, 26);

    lblBaseAddress = new QLabel(tr("Base Address"), grpInterface);
    lblBaseAddress->setObjectName(QStringLiteral("lblBaseAddress"));
    lblBaseAddress->setGeometry(12, 62, 170, 18);

    Addresses = new QComboBox(grpInterface);
    Addresses->setObjectName(QStringLiteral("Addresses"));
    Addresses->setGeometry(12, 84, 170, 26);
    // Not editable, and no key reaches it: a base address is only ever one of the choices.
    Addresses->setEditable(false);
    Addresses->installEventFilter(this);
    lblBaseAddress->setBuddy(Addresses);

    btnRoutine = new QPushButton(grpInterface);
    btnRoutine->setObjectName(QStringLiteral("btnRoutine"));
    btnRoutine->setGeometry(192, 84, 140, 26);

    btnOK = new QPushButton(tr("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(184, 140, 80, 28);
    btnOK->setDefault(true);

    btnCancel = new QPushButton(tr("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(272, 140, 80, 28);

    setFixedSize(360, 178);

    connect(btnRoutine, &QPushButton::clicked, this, &TfrmPreferences::btnRoutineClick);
    connect(btnOK, &QPushButton::clicked, this, &TfrmPreferences::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmPreferences::btnCancelClick);

    FormCreate();
    // Only the user's choices from here on: filling the list must not count as one.
    connect(Interfaces, &QComboBox::currentIndexChanged, this, &TfrmPreferences::InterfacesChange);
}

void TfrmPreferences::FormCreate() {
    preferencesOpen_ = true;
    for (int i = 0; i < interfaces_.InterfaceCount(); ++i)
        Interfaces->addItem(Text(interfaces_.at(i)->Name()));
    Interfaces->setCurrentIndex(interfaces_.CurrentInterface());
    DisplayOptions(interfaces_.CurrentInterface());
}

void TfrmPreferences::DisplayOptions(int j) {
    Addresses->clear();
    IoInterface* descriptor = interfaces_.at(j);
    const int n = descriptor ? ChoiceCount(*descriptor) : 0;
    for (int i = 0; i < n; ++i) Addresses->addItem(Text(descriptor->AddressText(i)));
    Addresses->setEnabled(n > 0);
    if (n > 0) Addresses->setCurrentIndex(OptionIndex(j, interfaces_.BaseAddresses[j]));
    const bool routine = descriptor && descriptor->HasRoutine();
    btnRoutine->setVisible(routine);
    btnRoutine->setText(routine ? Text(descriptor->RoutineCaption()) : QString());
    btnOK->setEnabled(n > 0);
}

int TfrmPreferences::OptionIndex(int j, int32_t address) const {
    IoInterface* descriptor = interfaces_.at(j);
    if (!descriptor) return 0;
    for (int i = ChoiceCount(*descriptor) - 1; i >= 0; --i)
        if (descriptor->AddressValue(i) == address) return i;
    return 0;
}

void TfrmPreferences::InterfacesChange() {
    DisplayOptions(Interfaces->currentIndex());
}

void TfrmPreferences::btnRoutineClick() {
    IoInterface* descriptor = interfaces_.at(Interfaces->currentIndex());
    if (!descriptor) return;
    const int32_t r = descriptor->Routine();
    // A choice the list does not have would leave no address selected.
    if (r > 0 && r < Addresses->count()) Addresses->setCurrentIndex(r);
}

void TfrmPreferences::btnOKClick() {
    const int selected = Interfaces->currentIndex();
    const int choice = Addresses->currentIndex();
    if (!btnOK->isEnabled() || interfaces_.at(selected) == nullptr || choice < 0) return;
    // Select closes the old interface and opens the new one only when they differ.
    interfaces_.Select(selected);
    const int current = interfaces_.CurrentInterface();
    IoInterface* descriptor = interfaces_.at(current);
    const int32_t v = descriptor->AddressValue(choice);
    interfaces_.BaseAddresses[current] = v;
    descriptor->SetAddress(v);
    settings_.writeInterface(current);
    close();
}

void TfrmPreferences::btnCancelClick() {
    close();
}

void TfrmPreferences::reject() {
    close();
}

bool TfrmPreferences::AddressesKeyPress(const QKeyEvent& key) {
    // Moving the focus on and the dialog's own OK and Cancel keys are not the list's.
    switch (key.key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return false;
        default:
            return true;
    }
}

bool TfrmPreferences::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Addresses && event->type() == QEvent::KeyPress &&
        AddressesKeyPress(static_cast<const QKeyEvent&>(*event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TfrmPreferences::FormClose() {
    preferencesOpen_ = false;
}

void TfrmPreferences::closeEvent(QCloseEvent* event) {
    // QDialog's own handler would reject, which closes again: the dialog just goes.
    FormClose();
    event->accept();
}

}  // namespace torvex
