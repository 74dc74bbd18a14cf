// The Configure I/O dialog: the user picks the external I/O interface and its base address
// from the interface table. Modeless, stays on top, frees itself when closed.
#pragma once

#include <QDialog>
#include <cstdint>

class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QPushButton;

namespace torvex {

class InterfaceTable;
class SettingsStore;

class TfrmPreferences : public QDialog {
    Q_OBJECT
public:
    // `preferencesOpen` is set here and cleared when the dialog closes; the table, the
    // settings and the flag must outlive the dialog.
    TfrmPreferences(InterfaceTable& interfaces, SettingsStore& settings, bool& preferencesOpen,
                    QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape and the title bar's close button cancel.
    void reject() override;

private:
    // Shows the address choices of interface j, the one among them that is in use selected.
    void DisplayOptions(int j);
    // The highest choice of interface j whose value is `address`; 0 when none is.
    int OptionIndex(int j, int32_t address) const;

    void InterfacesChange();
    void btnRoutineClick();
    void btnOKClick();
    void btnCancelClick();
    void FormCreate();
    void FormClose();
    // True when the key is one the address list swallows.
    static bool AddressesKeyPress(const QKeyEvent& key);

    InterfaceTable& interfaces_;
    SettingsStore& settings_;
    bool& preferencesOpen_;
    QGroupBox* grpInterface;
    QComboBox* Interfaces;
    QLabel* lblBaseAddress;
    QComboBox* Addresses;
    QPushButton* btnRoutine;
    QPushButton* btnOK;
    QPushButton* btnCancel;
};

}  // namespace torvex
