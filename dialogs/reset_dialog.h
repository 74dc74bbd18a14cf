// The reset dialog: a timer, a counter or a register bit to reset.
#pragma once

#include <array>

#include "dialogs/choice_dialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace torvex {

class TfrmReset : public ChoiceDialog {
    Q_OBJECT
public:
    // Shows the reset of PendingKind and PendingNumber (a reset kind and index); a new
    // reset, which arrives with 0 and 0, starts on T1.
    explicit TfrmReset(const ControlDialogContext& context, QWidget* parent = nullptr);

protected:
    void ChoiceSelected(Choice& choice) override { chkT1Click(choice); }

private:
    void FormCreate();
    // The click handler of all 20 choices.
    void chkT1Click(Choice& choice);
    void Button1Click();  // OK
    void Button2Click();  // Cancel

    QLabel* lblInstruction;
    QGroupBox* grpTimers;
    QGroupBox* grpCounters;
    QGroupBox* grpRegisterBits;
    std::array<QComboBox*, kRegisters> cbxR;  // cbxR1 ... cbxR4
    QPushButton* Button1;
    QPushButton* Button2;
};

}  // namespace torvex
