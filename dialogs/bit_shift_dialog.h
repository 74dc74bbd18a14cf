// The bit-shift dialog: which register a bit-shift box shifts, which way, and the bit it
// shifts in.
#pragma once

#include <array>

#include "dialogs/control_dialog.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace torvex {

class TfrmBitShift : public ControlDialog {
    Q_OBJECT
public:
    // Shows the shift of PendingCode (11 ... 18) fed from PendingKind and PendingNumber.
    explicit TfrmBitShift(const ControlDialogContext& context, QWidget* parent = nullptr);

private:
    // The six places the shifted-in bit can come from, in the order of the box.
    enum Source {
        kFromInputs,
        kFromOutputs,
        kFromFlags,
        kFromTimers,
        kFromCounters,
        kFromRegisters,
        kSources
    };

    void FormCreate();
    // Checks the source's radio and shows `item` in its list (the first item when `item`
    // is not one of the list's).
    void ShowSource(int source, int item);
    // The click handler of the six source radio buttons.
    void chkInputsClick(int source);
    void Button1Click();  // OK
    void Button2Click();  // Cancel

    QLabel* lblInstruction;
    QGroupBox* grpRegister;
    std::array<QRadioButton*, kRegisters> chkR;  // chkR1 ... chkR4
    QGroupBox* grpLeftRight;
    QRadioButton* chkLeft;
    QRadioButton* chkRight;
    QGroupBox* grpBit;
    // chkInputs, chkOutputs, chkFlags, chkTimers, chkCounters, chkRegisters
    std::array<QRadioButton*, kSources> chkSource;
    // cbxInputs, cbxOutputs, cbxFlags, cbxTimers, cbxCounters, cbxRegisters
    std::array<QComboBox*, kSources> cbxSource;
    QPushButton* Button1;
    QPushButton* Button2;

    QButtonGroup* sources_;
    int remembered_ = -1;  // the source whose list is enabled
};

}  // namespace torvex
