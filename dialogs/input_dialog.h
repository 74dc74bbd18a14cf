// The contact dialog: which of the bits of the memory image a contact reads.
#pragma once

#include "dialogs/choice_dialog.h"

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
    // The click handler of all the choices.
    void chkOP0Click(Choice& choice);
    void Button1Click();  // OK
    void Button2Click();  // Cancel
};

}  // namespace torvex
