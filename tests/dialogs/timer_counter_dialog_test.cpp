// The timer and counter dialogs: what they show, what they refuse with which message, and
// what they store.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs/counter_dialog.h"
#include "dialogs/preset_value.h"
#include "dialogs/timer_dialog.h"
#include "tests/dialogs/editor_side.h"
#include "tests/support/ladder_text.h"

namespace torvex::test {
namespace {

TEST(PresetValue, SecondsBecomeRoundedMilliseconds) {
    const struct {
        const char* text;
        int32_t ms;
    } cases[] = {
        {"999.9", 999900}, {"0.0004", 0}, {"0.0005", 1},       {"2.5", 2500},
        {"5", 5000},       {"0.001", 1},  {"1e-3", 1},         {" 7 ", 7000},
        {"2,5", 2500},     {"0.1", 100},  {"123.456", 123456},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<float> seconds = SecondsFromText(QString::fromLatin1(c.text));
        ASSERT_TRUE(seconds.has_value());
        EXPECT_EQ(PresetMilliseconds(*seconds), c.ms);
    }
    for (const char* text : {"", " ", "abc", "1.2.3", "1,000.5", "5s", "1,2,3"})
        EXPECT_FALSE(SecondsFromText(QString::fromLatin1(text)).has_value()) << text;
}

TEST(PresetValue, MillisecondsShowAsTheShortestSeconds) {
    EXPECT_EQ(SecondsText(5000), "5");
    EXPECT_EQ(SecondsText(2500), "2.5");
    EXPECT_EQ(SecondsText(999900), "999.9");
    EXPECT_EQ(SecondsText(1), "0.001");
    EXPECT_EQ(SecondsText(0), "0");
}

class TimerDialog : public EditorSide {
protected:
    TfrmTimer* OpenNew() {
        PrepareNew(7);
        return dialog = Open<TfrmTimer>();
    }
    // Types `preset` and presses OK; true when the dialog closed.
    bool Enter(const QString& preset) {
        Type(Find<QLineEdit>(dialog, "txtPreset"), preset);
        Click(Find<QPushButton>(dialog, "btnOK"));
        return Gone();
    }
    TfrmTimer* dialog = nullptr;
};

// Every refusal: the message, a warning with OK only, nothing stored, the dialog open.
TEST_F(TimerDialog, RefusedPresetsInBothLanguages) {
    const struct {
        const char* preset;
        const char* english;
        const char* finnish;
    } cases[] = {
        {"", "Please enter Preset value", "Syötä asetusarvo"},
        {"abc", "Please enter Preset value", "Syötä asetusarvo"},
        {"nan", "Please enter Preset value", "Syötä asetusarvo"},
        {"1e50", "Please enter Preset value", "Syötä asetusarvo"},
        {"0", "Preset value out of range", "Asetuarvo alueen ulkopuolella"},
        {"-1", "Preset value out of range", "Asetuarvo alueen ulkopuolella"},
        {"1000", "Preset value out of range", "Asetuarvo alueen ulkopuolella"},
        {"999.99999", "Preset value out of range", "Asetuarvo alueen ulkopuolella"},
    };
    for (bool finnish : {false, true}) {
        std::unique_ptr<FinnishTexts> texts;
        if (finnish) texts = std::make_unique<FinnishTexts>();
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.preset) + (finnish ? " fi" : " en"));
            prompter.shown.clear();
            plc->memory.Timers[1].Preset = 4321;
            OpenNew();
            EXPECT_FALSE(Enter(QString::fromLatin1(c.preset)));
            ASSERT_EQ(prompter.shown.size(), 1u);
            EXPECT_EQ(prompter.shown[0].text, QString::fromUtf8(finnish ? c.finnish : c.english));
            EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Warning);
            EXPECT_EQ(prompter.shown[0].buttons, Prompter::Ok);
            // Only a text that is no number sends the user back to the preset.
            EXPECT_EQ(dialog->focusWidget() == Find<QLineEdit>(dialog, "txtPreset"),
                      std::string(c.english).starts_with("Please"));
            EXPECT_EQ(plc->memory.Timers[1].Preset, 4321);
            EXPECT_TRUE(tags.empty());
            EXPECT_TRUE(editor.ControlDialogOpen);
            Click(Find<QPushButton>(dialog, "Button2"));
            EXPECT_EQ(tags, std::vector<int>{kPlaceNothing});
            tags.clear();
            EXPECT_TRUE(Gone());
        }
    }
}

TEST_F(TimerDialog, AcceptedPresetsAreStoredInMilliseconds) {
    const struct {
        const char* preset;
        int32_t ms;
    } cases[] = {{"999.9", 999900}, {"0.0004", 0}, {"0.0005", 1}, {"2.5", 2500}, {"1,5", 1500}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.preset);
        tags.clear();
        OpenNew();
        Click(Find<QRadioButton>(dialog, "chkT3"));
        EXPECT_TRUE(Enter(QString::fromLatin1(c.preset)));
        EXPECT_TRUE(prompter.shown.empty());
        EXPECT_EQ(plc->memory.Timers[3].Preset, c.ms);
        EXPECT_EQ(tags, std::vector<int>{kPlaceOutputSide});
        plc->memory.Timers[3].Used = false;
    }
}

TEST_F(TimerDialog, ANewOnDelayTimerIsPlacedAsAnOnDelayBox) {
    OpenNew();
    EXPECT_TRUE(editor.PlacingNew);
    EXPECT_TRUE(Find<QRadioButton>(dialog, "chkT1")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(dialog, "chkOnDelay")->isChecked());
    EXPECT_TRUE(Find<QLineEdit>(dialog, "txtPreset")->text().isEmpty());
    Click(Find<QRadioButton>(dialog, "chkT5"));
    EXPECT_TRUE(Enter("1.5"));
    EXPECT_EQ(tags, std::vector<int>{kPlaceOutputSide});
    EXPECT_FALSE(dialogOpenAtPlacement);
    EXPECT_FALSE(placingNewAtPlacement) << "PlacingNew is cleared before tmrPlace runs";
    EXPECT_EQ(CellAt(kOutputColumn, 0), Token("ODT:T5"));
    EXPECT_EQ(CellAt(kOutputColumn, 1), Cell(Control::TBT, 0, 5));
    const TimerRecord& t5 = plc->memory.Timers[5];
    EXPECT_EQ(t5.Preset, 1500);
    EXPECT_TRUE(t5.OnDelayStyle);
    EXPECT_TRUE(t5.Used);
}

TEST_F(TimerDialog, ReturnInThePresetActsAsOk) {
    OpenNew();
    Click(Find<QRadioButton>(dialog, "chkLatchedOnDelay"));
    Type(Find<QLineEdit>(dialog, "txtPreset"), "12");
    QTest::keyClick(Find<QLineEdit>(dialog, "txtPreset"), Qt::Key_Return);
    EXPECT_TRUE(Gone());
    EXPECT_EQ(Pending(), Cell(Control::TIM, 0, 1));
    EXPECT_EQ(plc->memory.Timers[1].Preset, 12000);
    EXPECT_FALSE(plc->memory.Timers[1].OnDelayStyle);
}

TEST_F(TimerDialog, ANewTimerShowsWhatAUsedTimerHolds) {
    TimerRecord& t1 = plc->memory.Timers[1];
    t1.Used = true;
    t1.Preset = 2500;
    t1.OnDelayStyle = false;
    OpenNew();
    EXPECT_EQ(Find<QLineEdit>(dialog, "txtPreset")->text(), "2.5");
    EXPECT_TRUE(Find<QRadioButton>(dialog, "chkLatchedOnDelay")->isChecked());
    // Timer 2 is not used: empty preset, on-delay style, and the preset gets the focus.
    Click(Find<QRadioButton>(dialog, "chkT2"));
    EXPECT_TRUE(Find<QLineEdit>(dialog, "txtPreset")->text().isEmpty());
    EXPECT_TRUE(Find<QRadioButton>(dialog, "chkOnDelay")->isChecked());
    EXPECT_EQ(dialog->focusWidget(), Find<QLineEdit>(dialog, "txtPreset"));
    Click(Find<QRadioButton>(dialog, "chkT1"));
    EXPECT_EQ(Find<QLineEdit>(dialog, "txtPreset")->text(), "2.5");
    EXPECT_TRUE(Find<QRadioButton>(dialog, "chkLatchedOnDelay")->isChecked());
    Click(Find<QPushButton>(dialog, "Button2"));
    EXPECT_TRUE(Gone());
    EXPECT_FALSE(editor.PlacingNew);
}

TEST_F(TimerDialog, EditingShowsTheTimersPresetAndStyle) {
    std::string bottom;
    for (int column = 0; column < kOutputColumn; ++column) bottom += ". ";
    SetRung(plc->diagram, 0, {Simple({"NOC:IP0"}, "TIM:T6"), bottom + "TBT"});
    TimerRecord& t6 = plc->memory.Timers[6];
    t6.Used = true;
    t6.Preset = 5000;
    t6.OnDelayStyle = false;
    PrepareEdit(kOutputColumn, 1);  // the box bottom: the edit goes to its top
    EXPECT_EQ(editor.TargetRow, 0);
    dialog = Open<TfrmTimer>();
    EXPECT_TRUE(Find<QRadioButton>(dialog, "chkT6")->isChecked());
    EXPECT_EQ(Find<QLineEdit>(dialog, "txtPreset")->text(), "5");
    EXPECT_TRUE(Find<QRadioButton>(dialog, "chkLatchedOnDelay")->isChecked());
    Click(Find<QRadioButton>(dialog, "chkOnDelay"));
    EXPECT_TRUE(Enter("5"));
    EXPECT_EQ(CellAt(kOutputColumn, 0), Token("ODT:T6"));
    EXPECT_TRUE(t6.OnDelayStyle);
}

TEST_F(TimerDialog, FinnishCaptions) {
    FinnishTexts finnish;
    dialog = OpenNew();
    EXPECT_EQ(dialog->windowTitle(), "Ajastimet");
    EXPECT_EQ(Find<QLabel>(dialog, "lblInstruction")->text(),
              "Valitse ajastimen numero ja aseta aika");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpTimers")->title(), "Ajastimet");
    EXPECT_EQ(Find<QLabel>(dialog, "lblPreset")->text(), "Asetus");
    EXPECT_EQ(Find<QLabel>(dialog, "lblSecs")->text(), "s");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpTimerStyle")->title(), "Timer Style");
    EXPECT_EQ(Find<QRadioButton>(dialog, "chkOnDelay")->text(), "On Delay Timer");
    EXPECT_EQ(Find<QRadioButton>(dialog, "chkLatchedOnDelay")->text(), "Latched On Delay Timer");
    EXPECT_EQ(Find<QPushButton>(dialog, "Button2")->text(), "Cancel");
    dialog->close();
}

class CounterDialog : public EditorSide {
protected:
    TfrmCounter* OpenNew() {
        PrepareNew(8);
        return dialog = Open<TfrmCounter>();
    }
    bool Enter(const QString& preset, const QString& accumulator) {
        Type(Find<QLineEdit>(dialog, "txtPreset"), preset);
        Type(Find<QLineEdit>(dialog, "txtAccumulator"), accumulator);
        Click(Find<QPushButton>(dialog, "btnOK"));
        return Gone();
    }
    std::vector<QString> Messages() const {
        std::vector<QString> texts;
        for (const auto& shown : prompter.shown) {
            EXPECT_EQ(shown.icon, Prompter::Icon::Warning);
            EXPECT_EQ(shown.buttons, Prompter::Ok);
            texts.push_back(shown.text);
        }
        return texts;
    }
    TfrmCounter* dialog = nullptr;
};

TEST_F(CounterDialog, RefusedValuesInBothLanguages) {
    const QString presetMissing = "Please enter Preset value", range = "Preset value out of range",
                  accumulator = "Please enter Accumulator value",
                  greater = "Accumulator value cannot be greater than Preset";
    const QString fiPreset = "Syötä asetusarvo", fiAccumulator = "Syötä akun alkuarvo";
    const struct {
        const char* preset;
        const char* accumulator;
        std::vector<QString> english;
        std::vector<QString> finnish;
    } cases[] = {
        {"", "0", {presetMissing}, {fiPreset}},
        {"x", "0", {presetMissing}, {fiPreset}},
        {"2.5", "0", {presetMissing}, {fiPreset}},
        {"-1", "0", {range}, {fiPreset}},
        {"1000", "0", {range}, {fiPreset}},
        {"10", "", {accumulator}, {fiAccumulator}},
        {"10", "one", {accumulator}, {fiAccumulator}},
        {"10", "-1", {accumulator}, {fiAccumulator}},
        {"0", "-1", {accumulator}, {fiAccumulator}},
        {"999", "1000", {greater}, {fiAccumulator}},
        {"5", "6", {greater}, {fiAccumulator}},
    };
    for (bool finnish : {false, true}) {
        std::unique_ptr<FinnishTexts> texts;
        if (finnish) texts = std::make_unique<FinnishTexts>();
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.preset) + " / " + c.accumulator + (finnish ? " fi" : " en"));
            prompter.shown.clear();
            plc->memory.Counters[1].Preset = 77;
            OpenNew();
            EXPECT_FALSE(Enter(QString::fromLatin1(c.preset), QString::fromLatin1(c.accumulator)));
            EXPECT_EQ(Messages(), finnish ? c.finnish : c.english);
            EXPECT_EQ(plc->memory.Counters[1].Preset, 77);
            EXPECT_TRUE(tags.empty());
            Click(Find<QPushButton>(dialog, "Button2"));
            EXPECT_EQ(tags, std::vector<int>{kPlaceNothing});
            tags.clear();
            EXPECT_TRUE(Gone());
        }
    }
}

TEST_F(CounterDialog, AcceptedValuesAreStored) {
    const struct {
        const char* preset;
        const char* accumulator;
    } cases[] = {{"999", "999"}, {"0", "0"}, {"10", "3"}, {" 12 ", "+4"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.preset);
        tags.clear();
        OpenNew();
        Click(Find<QRadioButton>(dialog, "chkC8"));
        EXPECT_TRUE(Enter(QString::fromLatin1(c.preset), QString::fromLatin1(c.accumulator)));
        EXPECT_TRUE(prompter.shown.empty());
        EXPECT_EQ(plc->memory.Counters[8].Preset, QString::fromLatin1(c.preset).trimmed().toInt());
        EXPECT_EQ(plc->memory.Counters[8].InitialCount, QString::fromLatin1(c.accumulator).toInt());
        EXPECT_EQ(tags, std::vector<int>{kPlaceOutputSide});
        plc->memory.Counters[8].Used = false;
    }
}

TEST_F(CounterDialog, ANewUpCounterIsPlacedWithItsBoxBottom) {
    OpenNew();
    EXPECT_TRUE(Find<QRadioButton>(dialog, "chkCUP")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(dialog, "chkC1")->isChecked());
    EXPECT_TRUE(Find<QLineEdit>(dialog, "txtPreset")->text().isEmpty());
    EXPECT_EQ(Find<QLineEdit>(dialog, "txtAccumulator")->text(), "0");
    Click(Find<QRadioButton>(dialog, "chkC3"));
    Click(Find<QRadioButton>(dialog, "chkCDN"));
    EXPECT_TRUE(Enter("20", "20"));
    EXPECT_FALSE(dialogOpenAtPlacement);
    EXPECT_FALSE(placingNewAtPlacement);
    EXPECT_EQ(CellAt(kOutputColumn, 0), Token("CDN:C3"));
    EXPECT_EQ(CellAt(kOutputColumn, 1), Cell(Control::CBT, 0, 3));
    EXPECT_TRUE(plc->memory.Counters[3].Used);
    EXPECT_EQ(plc->memory.Counters[3].InitialCount, 20);
}

TEST_F(CounterDialog, ReturnInThePresetActsAsOkButNotInTheAccumulator) {
    OpenNew();
    Type(Find<QLineEdit>(dialog, "txtPreset"), "9");
    Type(Find<QLineEdit>(dialog, "txtAccumulator"), "2");
    QTest::keyClick(Find<QLineEdit>(dialog, "txtAccumulator"), Qt::Key_Return);
    EXPECT_FALSE(Gone());
    EXPECT_TRUE(tags.empty());
    QTest::keyClick(Find<QLineEdit>(dialog, "txtPreset"), Qt::Key_Return);
    EXPECT_TRUE(Gone());
    EXPECT_EQ(plc->memory.Counters[1].Preset, 9);
    EXPECT_EQ(plc->memory.Counters[1].InitialCount, 2);
}

TEST_F(CounterDialog, UsedCountersShowTheirValues) {
    CounterRecord& c2 = plc->memory.Counters[2];
    c2.Used = true;
    c2.Preset = 40;
    c2.InitialCount = 4;
    OpenNew();
    Click(Find<QRadioButton>(dialog, "chkC2"));
    EXPECT_EQ(Find<QLineEdit>(dialog, "txtPreset")->text(), "40");
    EXPECT_EQ(Find<QLineEdit>(dialog, "txtAccumulator")->text(), "4");
    Click(Find<QRadioButton>(dialog, "chkC4"));
    EXPECT_TRUE(Find<QLineEdit>(dialog, "txtPreset")->text().isEmpty());
    EXPECT_EQ(Find<QLineEdit>(dialog, "txtAccumulator")->text(), "0");
    dialog->close();
}

TEST_F(CounterDialog, EditingShowsTheCountersDirectionAndValues) {
    SetRung(plc->diagram, 0, {Simple({"NOC:IP0"}, "CDN:C7")});
    CounterRecord& c7 = plc->memory.Counters[7];
    c7.Used = true;
    c7.Preset = 15;
    c7.InitialCount = 15;
    PrepareEdit(kOutputColumn, 0);
    dialog = Open<TfrmCounter>();
    EXPECT_TRUE(Find<QRadioButton>(dialog, "chkCDN")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(dialog, "chkC7")->isChecked());
    EXPECT_EQ(Find<QLineEdit>(dialog, "txtPreset")->text(), "15");
    EXPECT_EQ(Find<QLineEdit>(dialog, "txtAccumulator")->text(), "15");
    Click(Find<QRadioButton>(dialog, "chkCUP"));
    EXPECT_TRUE(Enter("16", "1"));
    EXPECT_EQ(CellAt(kOutputColumn, 0), Token("CUP:C7"));
    EXPECT_EQ(c7.Preset, 16);
    EXPECT_EQ(c7.InitialCount, 1);
}

TEST_F(CounterDialog, FinnishCaptions) {
    FinnishTexts finnish;
    dialog = OpenNew();
    EXPECT_EQ(dialog->windowTitle(), "Laskurit");
    EXPECT_EQ(Find<QLabel>(dialog, "lblInstruction")->text(),
              "Valitse laskuri, suunta, asetusarvo ja akun alkuarvo");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpCounters")->title(), "Laskurit");
    EXPECT_EQ(Find<QGroupBox>(dialog, "grpUpDown")->title(), "Ylös/Alas");
    EXPECT_EQ(Find<QLabel>(dialog, "lblPreset")->text(), "Asetus");
    EXPECT_EQ(Find<QLabel>(dialog, "lblAccumulator")->text(), "Akku");
    EXPECT_EQ(Find<QRadioButton>(dialog, "chkCUP")->text(), "Ylös");
    EXPECT_EQ(Find<QRadioButton>(dialog, "chkCDN")->text(), "Alas");
    EXPECT_EQ(Find<QPushButton>(dialog, "Button2")->text(), "Cancel");
    dialog->close();
}

}  // namespace
}  // namespace torvex::test
