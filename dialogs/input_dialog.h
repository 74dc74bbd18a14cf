// The contact dialog: which of 68 bits of the memory image a contact reads.
#pragma once

#include <array>

#include "dialogs/choice_dialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace torvex {

class TfrmInput : public ChoiceDialog {
    Q_OBJECT
public:
    // Shows the contact of PendingKind and PendingNumber (a contact kind and index).
    explicit TfrmInput(const ControlDialogContext& context, QWidget* parent = nullptr);

protected:
    void ChoiceSelected(Choice& choice) override { chkOP0Click(choice); }

private:
    void FormCreate();
    // The click handler of all 68 choices.
    void chkOP0Click(Choice& choice);
    void Button1Click();  // OK
    void Button2Click();  // Cancel

    QLabel* lblInstruction;
    QGroupBox* grpInputs;
    QGroupBox* grpOutputs;
    QGroupBox* grpCounters;
    QGroupBox* grpTimers;
    QGroupBox* grpFlags;
    QGroupBox* grpRegisterBits;
    std::array<QComboBox*, kRegisters> cbxR;  // cbxR1 ... cbxR4
    QPushButton* Button1;
    QPushButton* Button2;
};

}  // namespace torvex
