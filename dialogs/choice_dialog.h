// The operand dialogs of contacts, coils and resets: radio-button choices spread over
// several group boxes that act as one group, and register choices with a bit list beside
// them that is enabled only while its register is the choice.
#pragma once

#include <QStringList>
#include <array>
#include <deque>

#include "dialogs/control_dialog.h"
#include "engine/ladder.h"

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QRadioButton;

namespace torvex {

class ChoiceDialog : public ControlDialog {
    Q_OBJECT
protected:
    struct Choice {
        QRadioButton* radio;
        int kind;
        int index;        // unused for a register: its bit list holds the number
        QComboBox* bits;  // the register's bit list, or nullptr
    };

    using ControlDialog::ControlDialog;

    // A choice; from now on a click on `radio` runs ChoiceSelected.
    void AddChoice(QRadioButton* radio, int kind, int index, QComboBox* bits = nullptr);
    // "Bit 0" ... "Bit 15", or `word` in place of "Bit".
    static QStringList BitEntries(const QString& word);
    // The 16 points `prefix`0 ... `prefix`15 of `kind` (as "OP"): two columns, eight rows
    // 16 apart, OP0 OP1 / OP2 OP3 / ...
    void AddPointColumns(QGroupBox* box, const QString& prefix, int kind);
    // R1 ... R4 (kinds firstKind ... firstKind + 3) in one column, each with its bit list
    // to the right; the lists go to `lists`.
    void AddRegisterColumn(QGroupBox* box, int firstKind, const QString& bitWord,
                           std::array<QComboBox*, kRegisters>& lists);
    // Every bit list shows bit 0 and is disabled.
    void ResetBitLists();

    // The choice that names (kind, number), for a register kind the one whose list can show
    // bit `number`; nullptr when there is none.
    Choice* ChoiceNamed(int kind, int number);
    // Checks the choice's radio, which runs ChoiceSelected as a click does.
    void Select(Choice* choice);
    // The contact and reset dialogs' start: every list at bit 0 and disabled, then the
    // choice that PendingKind and PendingNumber name (or `fallback` when they name none)
    // selected, a register's list showing bit PendingNumber.
    void SelectPending(Choice* fallback = nullptr);
    // OK: hand over the control with the chosen operand and `tag`, and close.
    void HandOver(int tag);

    // Runs when a choice becomes selected (by a click, the keyboard or Select).
    virtual void ChoiceSelected(Choice& choice) = 0;
    // The contact and reset dialogs' handling: the previous choice's list is disabled but
    // keeps its bit, the new one's list is enabled.
    void SwitchKeepingBits(Choice& choice);

    Choice* current_ = nullptr;

private:
    Choice* ChoiceOf(QAbstractButton* radio);
    // The operand that OK hands over: the selected choice's kind and index (for a register,
    // the bit its list shows), or 0 and 0 when nothing is selected.
    int ChosenKind() const;
    int ChosenIndex() const;

    std::deque<Choice> choices_;  // stable addresses: current_ points into it
    QButtonGroup* group_ = nullptr;
};

}  // namespace torvex
