// The timer dialog: which timer a timer box uses, its preset in seconds and its style.
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

class TfrmTimer : public ControlDialog {
    Q_OBJECT
public:
    // Shows timer PendingNumber; unless PlacingNew, with its stored preset and style.
    explicit TfrmTimer(const ControlDialogContext& context, QWidget* parent = nullptr);

private:
    void FormCreate();
    int CheckedTimer() const;
    void TimerClick(int timer);
    void btnOKClick();
    void Button2Click();  // Cancel

    QLabel* lblInstruction;
    QGroupBox* grpTimers;
    std::array<QRadioButton*, kTimers> chkT;  // chkT1 ... chkT8
    QLabel* lblPreset;
    QLineEdit* txtPreset;
    QLabel* lblSecs;
    QGroupBox* grpTimerStyle;
    QRadioButton* chkOnDelay;
    QRadioButton* chkLatchedOnDelay;
    QPushButton* btnOK;
    QPushButton* Button2;

    QButtonGroup* timers_;
    bool creating_ = false;
};

}  // namespace torvex
