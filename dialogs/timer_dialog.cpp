#include "dialogs/timer_dialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs/preset_value.h"
#include "engine/ladder.h"
#include "ui/prompter.h"

namespace torvex {

namespace {
constexpr int kOuterWidth = 188;
constexpr int kLargeFontsWidth = 237;
}  // namespace

TfrmTimer::TfrmTimer(const ControlDialogContext& context, QWidget* parent)
    : ControlDialog(context, kOuterWidth, kLargeFontsWidth, /*clearsPlacingNew=*/true, parent) {
    setObjectName(QStringLiteral("frmTimer"));
    setWindowTitle(tr("Timers"));
    lblInstruction =
        MakeLabel(this, QStringLiteral("lblInstruction"),
                  tr("Select a timer number and a preset value."), at()(6, 6, 170, 32));
    lblInstruction->setAlignment(Qt::AlignCenter);
    lblInstruction->setWordWrap(true);

    // Two rows of four, with air between a button's text and the next button.
    // The boxes are 2 wider than the form's, for "Latched On Delay Timer" and the air after it.
    grpTimers = MakeGroup(this, QStringLiteral("grpTimers"), tr("Timers"), at()(3, 42, 176, 64));
    timers_ = new QButtonGroup(this);
    for (int t = 1; t <= kTimers; ++t) {
        chkT[t - 1] =
            MakeRadio(grpTimers, QStringLiteral("chkT%1").arg(t), QStringLiteral("T%1").arg(t),
                      at()(8 + 41 * ((t - 1) % 4), 21 + 20 * ((t - 1) / 4), 41, 17));
        timers_->addButton(chkT[t - 1], t);
    }
    connect(timers_, &QButtonGroup::idToggled, this, [this](int t, bool checked) {
        if (checked) TimerClick(t);
    });

    lblPreset = MakeLabel(this, QStringLiteral("lblPreset"), tr("Preset"), at()(8, 118, 48, 17));
    txtPreset = new QLineEdit(this);
    txtPreset->setObjectName(QStringLiteral("txtPreset"));
    txtPreset->setGeometry(at()(58, 116, 76, 21));
    // txtPresetKeyPress: Return is swallowed and acts as OK.
    OnReturnKey(txtPreset, [this] { btnOKClick(); });
    lblSecs = MakeLabel(this, QStringLiteral("lblSecs"), tr("Secs"), at()(140, 118, 38, 17));

    // "Timer Style" and "On Delay Timer" read the same in Finnish.
    grpTimerStyle = MakeGroup(this, QStringLiteral("grpTimerStyle"), QStringLiteral("Timer Style"),
                              at()(3, 146, 176, 64));
    chkOnDelay = MakeRadio(grpTimerStyle, QStringLiteral("chkOnDelay"),
                           QStringLiteral("On Delay Timer"), at()(4, 21, 170, 17));
    chkLatchedOnDelay = MakeRadio(grpTimerStyle, QStringLiteral("chkLatchedOnDelay"),
                                  QStringLiteral("Latched On Delay Timer"), at()(4, 41, 170, 17));
    chkOnDelay->setChecked(true);

    btnOK = MakeButton(this, QStringLiteral("btnOK"), QStringLiteral("OK"), at()(12, 222, 75, 23));
    Button2 = MakeButton(this, QStringLiteral("Button2"), QStringLiteral("Cancel"),
                         at()(95, 222, 75, 23));
    connect(btnOK, &QPushButton::clicked, this, &TfrmTimer::btnOKClick);
    connect(Button2, &QPushButton::clicked, this, &TfrmTimer::Button2Click);

    FormCreate();
    FinishSize(btnOK);
}

void TfrmTimer::FormCreate() {
    creating_ = true;
    const int number = editor().PendingNumber;
    chkT[0]->setChecked(true);
    if (number >= 2 && number <= kTimers) chkT[number - 1]->setChecked(true);
    if (!editor().PlacingNew && number >= 1 && number <= kTimers) {
        const TimerRecord& timer = memory().Timers[number];
        txtPreset->setText(SecondsText(timer.Preset));
        if (timer.Used && !timer.OnDelayStyle) chkLatchedOnDelay->setChecked(true);
    }
    creating_ = false;
}

void TfrmTimer::TimerClick(int number) {
    const TimerRecord& timer = memory().Timers[number];
    if (timer.Used) {
        txtPreset->setText(SecondsText(timer.Preset));
        (timer.OnDelayStyle ? chkOnDelay : chkLatchedOnDelay)->setChecked(true);
    } else {
        txtPreset->clear();
        chkOnDelay->setChecked(true);
    }
    if (!creating_) txtPreset->setFocus();
}

int TfrmTimer::CheckedTimer() const {
    const int id = timers_->checkedId();
    return id >= 2 ? id : 1;
}

void TfrmTimer::btnOKClick() {
    const int number = CheckedTimer();
    const std::optional<float> seconds = SecondsFromText(txtPreset->text());
    if (!seconds) {
        prompter().warn(this, tr("Please enter Preset value"));
        txtPreset->setFocus();
        return;
    }
    if (!(*seconds > 0) || *seconds >= 1000) {
        prompter().warn(this, tr("Preset value out of range"));
        return;
    }
    TimerRecord& timer = memory().Timers[number];
    timer.Preset = PresetMilliseconds(*seconds);
    timer.OnDelayStyle = chkOnDelay->isChecked();
    Confirm(timer.OnDelayStyle ? Control::ODT : Control::TIM, Opened().kind, number,
            kPlaceOutputSide);
}

void TfrmTimer::Button2Click() {
    close();
}

}  // namespace torvex
