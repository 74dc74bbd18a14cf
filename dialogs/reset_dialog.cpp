#include "dialogs/reset_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "engine/ladder.h"

namespace torvex {

namespace {
constexpr int kOuterWidth = 227;
}  // namespace

TfrmReset::TfrmReset(const ControlDialogContext& context, QWidget* parent)
    : ChoiceDialog(context, kOuterWidth, 0, /*clearsPlacingNew=*/false, parent) {
    setObjectName(QStringLiteral("frmReset"));
    setWindowTitle(tr("Reset"));
    // Two lines: from the form's left of 16 the text needs three with today's wider fonts.
    lblInstruction =
        MakeLabel(this, QStringLiteral("lblInstruction"),
                  tr("Select a Timer, Counter, Register Bit or Index to reset from below."),
                  at()(10, 8, 201, 36));
    lblInstruction->setWordWrap(true);

    // Timers and counters: two columns, four rows.
    auto twoByFour = [&](QGroupBox* box, QChar letter, int kind) {
        for (int n = 1; n <= 8; ++n) {
            const QString text = letter + QString::number(n);
            AddChoice(MakeRadio(box, QStringLiteral("chk") + text, text,
                                at()(12 + 46 * ((n - 1) % 2), 21 + 20 * ((n - 1) / 2), 44, 17)),
                      kind, n);
        }
    };
    grpTimers = MakeGroup(this, QStringLiteral("grpTimers"), tr("Timers"), at()(4, 48, 105, 105));
    twoByFour(grpTimers, QLatin1Char('T'), ResetKind::Timer);
    grpCounters =
        MakeGroup(this, QStringLiteral("grpCounters"), tr("Counters"), at()(112, 48, 105, 105));
    twoByFour(grpCounters, QLatin1Char('C'), ResetKind::Counter);

    grpRegisterBits = MakeGroup(this, QStringLiteral("grpRegisterBits"), tr("Register Bits"),
                                at()(24, 160, 177, 137));
    AddRegisterColumn(grpRegisterBits, ResetKind::Register1, tr("Bit"), cbxR);

    // The buttons read the same in both languages.
    Button1 =
        MakeButton(this, QStringLiteral("Button1"), QStringLiteral("OK"), at()(38, 308, 75, 23));
    Button2 = MakeButton(this, QStringLiteral("Button2"), QStringLiteral("Cancel"),
                         at()(118, 308, 75, 23));
    connect(Button1, &QPushButton::clicked, this, &TfrmReset::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmReset::Button2Click);

    FormCreate();
    FinishSize(Button1);
}

void TfrmReset::FormCreate() {
    SelectPending(ChoiceNamed(ResetKind::Timer, 1));
}

void TfrmReset::chkT1Click(Choice& choice) {
    SwitchKeepingBits(choice);
}

void TfrmReset::Button1Click() {
    HandOver(kPlaceOutputSide);
}

void TfrmReset::Button2Click() {
    close();
}

}  // namespace torvex
