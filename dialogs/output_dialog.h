// The coil dialog of outputs, latches and unlatches: an output, a flag or a register bit.
#pragma once

#include <array>

#include "dialogs/choice_dialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace torvex {

class TfrmOutput : public ChoiceDialog {
    Q_OBJECT
public:
    // Shows the coil of PendingKind and PendingNumber (a coil kind and index).
    explicit TfrmOutput(const ControlDialogContext& context, QWidget* parent = nullptr);

protected:
    void ChoiceSelected(Choice& choice) override { chkOP0Click(choice); }

private:
    void FormCreate();
    // The click handler of all 36 choices.
    void chkOP0Click(Choice& choice);
    void btnOKClick();
    void btnCancelClick();

    QLabel* lblInstruction;
    QGroupBox* grpOutputs;
    QGroupBox* grpFlags;
    QGroupBox* grpRegisterBits;
    std::array<QComboBox*, kRegisters> cbxR;  // cbxR1 ... cbxR4
    QPushButton* btnOK;
    QPushButton* btnCancel;
};

}  // namespace torvex
