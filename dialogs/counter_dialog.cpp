#include "dialogs/counter_dialog.h"

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
constexpr int kOuterWidth = 269;
constexpr int kLargeFontsWidth = 333;
constexpr int kPresetLimit = 1000;  // presets are 0 ... 999
}  // namespace

TfrmCounter::TfrmCounter(const ControlDialogContext& context, QWidget* parent)
    : ControlDialog(context, kOuterWidth, kLargeFontsWidth, /*clearsPlacingNew=*/true, parent) {
    setObjectName(QStringLiteral("frmCounter"));
    setWindowTitle(tr("Counters"));
    lblInstruction = MakeLabel(this, QStringLiteral("lblInstruction"),
                               tr("Select the counter, direction, preset and accumulator values."),
                               at()(8, 6, 247, 32));
    lblInstruction->setAlignment(Qt::AlignCenter);
    lblInstruction->setWordWrap(true);

    // The counters box is 6 wider than the form's and the direction box 1 narrower, so that
    // each button's text keeps clear of the next button and of the frame.
    grpCounters =
        MakeGroup(this, QStringLiteral("grpCounters"), tr("Counters"), at()(5, 42, 172, 64));
    counters_ = new QButtonGroup(this);
    for (int c = 1; c <= kCounters; ++c) {
        chkC[c - 1] =
            MakeRadio(grpCounters, QStringLiteral("chkC%1").arg(c), QStringLiteral("C%1").arg(c),
                      at()(4 + 42 * ((c - 1) % 4), 21 + 20 * ((c - 1) / 4), 40, 17));
        counters_->addButton(chkC[c - 1], c);
    }
    connect(counters_, &QButtonGroup::idToggled, this, [this](int c, bool checked) {
        if (checked) CounterClick(c);
    });

    grpUpDown = MakeGroup(this, QStringLiteral("grpUpDown"), tr("Up/Down"), at()(182, 42, 74, 64));
    chkCUP = MakeRadio(grpUpDown, QStringLiteral("chkCUP"), tr("UP"), at()(6, 21, 62, 17));
    chkCDN = MakeRadio(grpUpDown, QStringLiteral("chkCDN"), tr("DOWN"), at()(6, 41, 62, 17));

    lblPreset = MakeLabel(this, QStringLiteral("lblPreset"), tr("Preset"), at()(16, 118, 84, 17));
    txtPreset = new QLineEdit(this);
    txtPreset->setObjectName(QStringLiteral("txtPreset"));
    txtPreset->setGeometry(at()(104, 116, 72, 21));
    // txtPresetKeyPress: Return is swallowed and acts as OK.
    OnReturnKey(txtPreset, [this] { btnOKClick(); });
    lblAccumulator =
        MakeLabel(this, QStringLiteral("lblAccumulator"), tr("Accumulator"), at()(16, 146, 84, 17));
    txtAccumulator = new QLineEdit(QStringLiteral("0"), this);
    txtAccumulator->setObjectName(QStringLiteral("txtAccumulator"));
    txtAccumulator->setGeometry(at()(104, 144, 72, 21));  // Return does nothing here

    btnOK = MakeButton(this, QStringLiteral("btnOK"), QStringLiteral("OK"), at()(48, 176, 75, 23));
    Button2 = MakeButton(this, QStringLiteral("Button2"), QStringLiteral("Cancel"),
                         at()(140, 176, 75, 23));
    connect(btnOK, &QPushButton::clicked, this, &TfrmCounter::btnOKClick);
    connect(Button2, &QPushButton::clicked, this, &TfrmCounter::Button2Click);

    FormCreate();
    FinishSize(btnOK);
}

void TfrmCounter::FormCreate() {
    creating_ = true;
    if (editor().PendingCode == Control::CUP) chkCUP->setChecked(true);
    if (editor().PendingCode == Control::CDN) chkCDN->setChecked(true);
    const int number = editor().PendingNumber;
    chkC[0]->setChecked(true);
    if (number >= 2 && number <= kCounters) chkC[number - 1]->setChecked(true);
    if (!editor().PlacingNew && number >= 1 && number <= kCounters)
        ShowValues(memory().Counters[number]);
    creating_ = false;
}

void TfrmCounter::ShowValues(const CounterRecord& counter) {
    txtPreset->setText(QString::number(counter.Preset));
    txtAccumulator->setText(QString::number(counter.InitialCount));
}

void TfrmCounter::CounterClick(int number) {
    const CounterRecord& counter = memory().Counters[number];
    if (counter.Used) {
        ShowValues(counter);
    } else {
        txtPreset->clear();
        txtAccumulator->setText(QStringLiteral("0"));
    }
    if (!creating_) txtPreset->setFocus();
}

void TfrmCounter::btnOKClick() {
    const int32_t code = chkCUP->isChecked() ? Control::CUP : Control::CDN;
    const int id = counters_->checkedId();
    const int number = id >= 2 ? id : 1;

    const std::optional<int32_t> preset = WholeFromText(txtPreset->text());
    if (!preset) {
        prompter().warn(this, tr("Please enter Preset value"));
        txtPreset->setFocus();
        return;
    }
    if (*preset < 0 || *preset >= kPresetLimit) {
        prompter().warn(this, tr("Preset value out of range"));
        return;
    }
    const std::optional<int32_t> accumulator = WholeFromText(txtAccumulator->text());
    if (!accumulator) {
        prompter().warn(this, tr("Please enter Accumulator value"));
        return;
    }
    // Both checks run, so both messages can follow each other.
    bool refused = false;
    if (*accumulator < 0) {
        prompter().warn(this, tr("Please enter Accumulator value"));
        refused = true;
    }
    if (*preset < *accumulator) {
        prompter().warn(this, tr("Accumulator value cannot be greater than Preset"));
        refused = true;
    }
    if (refused) return;

    CounterRecord& counter = memory().Counters[number];
    counter.Preset = *preset;
    counter.InitialCount = *accumulator;
    Confirm(code, Opened().kind, number, kPlaceOutputSide);
}

void TfrmCounter::Button2Click() {
    close();
}

}  // namespace torvex
