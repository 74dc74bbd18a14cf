#include "dialogs/choice_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>

namespace torvex {

int ChoiceDialog::ChosenKind() const {
    return current_ ? current_->kind : 0;
}

int ChoiceDialog::ChosenIndex() const {
    if (!current_) return 0;
    return current_->bits ? current_->bits->currentIndex() : current_->index;
}

void ChoiceDialog::AddChoice(QRadioButton* radio, int kind, int index, QComboBox* bits) {
    if (!group_) {
        // One exclusive group across all the boxes.
        group_ = new QButtonGroup(this);
        group_->setExclusive(true);
        connect(group_, &QButtonGroup::buttonToggled, this,
                [this](QAbstractButton* button, bool checked) {
                    if (!checked) return;
                    if (Choice* choice = ChoiceOf(button)) ChoiceSelected(*choice);
                });
    }
    choices_.push_back({radio, kind, index, bits});
    group_->addButton(radio);
}

QStringList ChoiceDialog::BitEntries(const QString& word) {
    QStringList entries;
    for (int bit = 0; bit < kPoints; ++bit)
        entries << word + QLatin1Char(' ') + QString::number(bit);
    return entries;
}

void ChoiceDialog::AddPointColumns(QGroupBox* box, const QString& prefix, int kind) {
    for (int n = 0; n < kPoints; ++n) {
        const QString text = prefix + QString::number(n);
        AddChoice(MakeRadio(box, QStringLiteral("chk") + text, text,
                            at()(8 + 58 * (n % 2), 22 + 16 * (n / 2), 56, 16)),
                  kind, n);
    }
}

void ChoiceDialog::AddRegisterColumn(QGroupBox* box, int firstKind, const QString& bitWord,
                                     std::array<QComboBox*, kRegisters>& lists) {
    const QStringList bits = BitEntries(bitWord);
    for (int r = 1; r <= kRegisters; ++r) {
        const int y = 22 + 28 * (r - 1);
        auto* radio = MakeRadio(box, QStringLiteral("chkR%1").arg(r), QStringLiteral("R%1").arg(r),
                                at()(16, y + 2, 44, 17));
        lists[r - 1] = MakeList(box, QStringLiteral("cbxR%1").arg(r), bits, at()(64, y, 90, 21));
        AddChoice(radio, firstKind + r - 1, 0, lists[r - 1]);
    }
}

void ChoiceDialog::ResetBitLists() {
    for (Choice& c : choices_) {
        if (!c.bits) continue;
        c.bits->setCurrentIndex(0);
        c.bits->setEnabled(false);
    }
}

ChoiceDialog::Choice* ChoiceDialog::ChoiceNamed(int kind, int number) {
    for (Choice& c : choices_) {
        if (c.kind != kind) continue;
        if (c.bits ? number >= 0 && number < c.bits->count() : number == c.index) return &c;
    }
    return nullptr;
}

void ChoiceDialog::Select(Choice* choice) {
    if (choice) choice->radio->setChecked(true);
}

void ChoiceDialog::SelectPending(Choice* fallback) {
    ResetBitLists();
    Choice* choice = ChoiceNamed(editor().PendingKind, editor().PendingNumber);
    if (!choice) {
        choice = fallback;
    } else if (choice->bits) {
        choice->bits->setCurrentIndex(editor().PendingNumber);
    }
    Select(choice);
}

void ChoiceDialog::HandOver(int tag) {
    Confirm(Opened().code, ChosenKind(), ChosenIndex(), tag);
}

void ChoiceDialog::SwitchKeepingBits(Choice& choice) {
    if (&choice == current_) return;
    if (current_) {
        current_->radio->setChecked(false);
        if (current_->bits) current_->bits->setEnabled(false);
    }
    if (choice.bits) choice.bits->setEnabled(true);
    current_ = &choice;
}

ChoiceDialog::Choice* ChoiceDialog::ChoiceOf(QAbstractButton* radio) {
    for (Choice& c : choices_)
        if (c.radio == radio) return &c;
    return nullptr;
}

}  // namespace torvex
