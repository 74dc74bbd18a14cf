// The counter dialog: which counter a counter box uses, its direction, preset and
// accumulator (the count it starts from).
#pragma once

#include <array>

#include "dialogs/control_dialog.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace torvex {

class TfrmCounter : public ControlDialog {
    Q_OBJECT
public:
    // Shows counter PendingNumber counting up for PendingCode 9, down for 10; unless
    // PlacingNew, with its stored preset and accumulator.
    explicit TfrmCounter(const ControlDialogContext& context, QWidget* parent = nullptr);

private:
    void FormCreate();
    void ShowValues(const CounterRecord& counter);
    void CounterClick(int counter);
    void btnOKClick();
    void Button2Click();  // Cancel

    QLabel* lblInstruction;
    QGroupBox* grpCounters;
    std::array<QRadioButton*, kCounters> chkC;  // chkC1 ... chkC8
    QGroupBox* grpUpDown;
    QRadioButton* chkCUP;
    QRadioButton* chkCDN;
    QLabel* lblPreset;
    QLineEdit* txtPreset;
    QLabel* lblAccumulator;
    QLineEdit* txtAccumulator;
    QPushButton* btnOK;
    QPushButton* Button2;

    QButtonGroup* counters_;
    bool creating_ = false;
};

}  // namespace torvex
