// The debugger: forcing inputs into the scans of the run control, the Real I/O Monitor, the
// value labels after scans, and the window's place.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "engine/run_control.h"
#include "files/settings_store.h"
#include "simulation/debugger.h"
#include "tests/support/ladder_text.h"
#include "tests/support/layout_faults.h"
#include "tests/support/qstring_print.h"
#include "tests/support/recording_host.h"
#include "tests/support/scripted_prompter.h"
#include "ui/language.h"
#include "ui/workspace.h"

namespace torvex::test {
namespace {

class DebuggerTest : public ::testing::Test {
protected:
    static constexpr int kMainWidth = 1000;

    DebuggerTest() {
        interfaces.RegisterInterfaces();
        mdi.resize(kMainWidth, 760);
        mdi.show();
    }
    ~DebuggerTest() override {
        run.reset();
        if (debugger) debugger->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A debugger in the MDI area, shown, as the main window makes it.
    TfrmDebugger* Open(bool realIO = false, int mainWidth = kMainWidth) {
        debugger = new TfrmDebugger(ws, forced, realIO, mainWidth);
        mdi.addSubWindow(debugger);
        debugger->show();
        QCoreApplication::processEvents();  // the scroll bars settle on a queued call
        return debugger;
    }
    void Close() {
        debugger->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(debugger.isNull());
    }
    // Single Loop 100 ms after the last scan, and the display refresh that follows it.
    void Loop(int count = 1) {
        for (int i = 0; i < count; ++i) {
            ticks.advance(100);
            run->btnStepDiagramClick();
            debugger->UpdateDisplay(false);
        }
    }
    void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // The debugger's widgets, by the names the window gives them.
    template <class Widget>
    Widget* Child(const QString& name) const {
        auto* widget = debugger->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QPushButton* On(int input) const {
        return Child<QPushButton>(QStringLiteral("btnIP%1ON").arg(input));
    }
    QPushButton* Off(int input) const {
        return Child<QPushButton>(QStringLiteral("btnIP%1OFF").arg(input));
    }
    // The input's OFF button is showing: the input is not forced on.
    bool OffShown(int input) const { return !Off(input)->isHidden(); }
    QString Shown(const QString& label) const { return Child<QLabel>(label)->text(); }
    QString Stored(const char* name) {
        return settings.value(QStringLiteral("Debugger"), QString::fromLatin1(name),
                              QStringLiteral("none"));
    }

    QTemporaryDir folder;
    SettingsStore settings{folder.filePath(QStringLiteral("settings.ini"))};
    ScriptedPrompter prompter;
    VirtualTickSource ticks{50'000};
    std::unique_ptr<Plc> plc = std::make_unique<Plc>(ticks);
    Workspace ws{*plc, prompter, settings};
    ForcedInputs forced;
    InterfaceTable interfaces;
    UiQueue ui;
    CallLog log;
    RecordingHost host{ui, *plc, log};
    std::unique_ptr<RunControl> run = std::make_unique<RunControl>(*plc, host, interfaces, forced);
    QMdiArea mdi;
    QPointer<TfrmDebugger> debugger;
};

TEST_F(DebuggerTest, AForcedInputReachesTheNextSingleStep) {
    SetRung(plc->diagram, 0, {Simple({"NOC:IP2"}, "OUT:OP0")});
    Open();
    EXPECT_TRUE(ws.shell.DebuggerOpen);
    EXPECT_EQ(LayoutFaults(debugger), std::vector<std::string>{});
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(OffShown(i)) << "IP" << i << " starts off";

    Click(Off(2));
    EXPECT_FALSE(OffShown(2));
    EXPECT_TRUE(On(2)->isVisible());
    EXPECT_TRUE(forced.isOn(2));
    EXPECT_FALSE(plc->memory.Inputs[2].Raw);  // only the next input read takes it

    run->btnSingleStepClick();
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(plc->memory.Inputs[i].Raw, i == 2) << "IP" << i;
        EXPECT_EQ(plc->memory.Inputs[i].Image, i == 2) << "IP" << i;
    }
    EXPECT_TRUE(plc->memory.Outputs[0].State);
    debugger->UpdateDisplay(false);
    EXPECT_TRUE(Child<QLabel>(QStringLiteral("imgOP0On"))->isVisible());
    EXPECT_FALSE(Child<QLabel>(QStringLiteral("imgOP0Off"))->isVisible());

    Click(On(2));
    EXPECT_TRUE(OffShown(2));
    EXPECT_FALSE(forced.isOn(2));
    run->btnSingleStepClick();
    EXPECT_FALSE(plc->memory.Inputs[2].Image);
    EXPECT_FALSE(plc->memory.Outputs[0].State);
}

TEST_F(DebuggerTest, TheRealIOMonitorMirrorsTheInputsAndForcesNothing) {
    Open(/*realIO=*/true);
    EXPECT_EQ(debugger->windowTitle(), "Real I/O Monitor");
    Click(Off(5));
    EXPECT_TRUE(OffShown(5));
    EXPECT_FALSE(forced.isOn(5));

    // The device's inputs after a scan.
    for (int i = 0; i < 16; ++i) plc->memory.Inputs[i].Image = (i % 3 == 0);
    debugger->UpdateDisplay(false);  // not mirrored: nothing to show from outside
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(OffShown(i)) << "IP" << i;
    debugger->UpdateDisplay(true);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(OffShown(i), i % 3 != 0) << "IP" << i;
    Click(On(3));
    EXPECT_FALSE(OffShown(3));

    debugger->SetDebugger();
    EXPECT_EQ(debugger->windowTitle(), "Debugger");
    Click(On(3));
    EXPECT_TRUE(OffShown(3));
    EXPECT_FALSE(forced.isOn(3));
    Click(Off(4));
    EXPECT_TRUE(forced.isOn(4));

    debugger->SetRealIO();
    EXPECT_EQ(debugger->windowTitle(), "Real I/O Monitor");
    Click(On(4));
    EXPECT_TRUE(forced.isOn(4));  // held through the switch
}

TEST_F(DebuggerTest, TheLabelsShowTimersCountersFlagsAndRegistersAfterScans) {
    Diagram& d = plc->diagram;
    SetRung(d, 0, {Simple({"NOC:IP0"}, "TIM:T1")});
    SetRung(d, 1, {Simple({"NOC:IP1"}, "CUP:C2")});
    SetRung(d, 2, {Simple({"NOC:IP0"}, "OUT:F3")});
    SetRung(d, 3, {Simple({"NOC:IP0"}, "OUT:R2/15")});
    SetRung(d, 4, {Simple({"NOC:IP1"}, "OUT:R2/1")});
    MemoryImage& m = plc->memory;
    m.Timers[1].Preset = 12500;
    m.Timers[2].Preset = 2000;
    m.Counters[2].Preset = 10;
    Open();
    Click(Off(0));
    for (int pulse = 0; pulse < 3; ++pulse) {
        Click(Off(1));
        Loop();
        Click(On(1));
        Loop();
    }
    // Six loops 100 ms apart: T1 has run 500 ms.
    EXPECT_EQ(Shown("lblT1Pre"), "12.5");
    EXPECT_EQ(Shown("lblT1Acc"), "0.5");
    EXPECT_EQ(Shown("lblT1DN"), "0");
    EXPECT_EQ(Shown("lblT2Pre"), "2.0");
    EXPECT_EQ(Shown("lblT2Acc"), "0.0");
    EXPECT_EQ(Shown("C2Pre"), "10");
    EXPECT_EQ(Shown("C2Acc"), "3");
    EXPECT_EQ(Shown("lblC2UP"), "0");
    EXPECT_EQ(Shown("lblC2DN"), "0");
    EXPECT_EQ(Shown("lblC1DN"), "1");  // an idle counter at 0 is down-done
    EXPECT_EQ(Shown("lblF3ON"), "1");
    EXPECT_EQ(Shown("lblF2ON"), "0");

    Loop(20);  // 2.5 s
    EXPECT_EQ(Shown("lblT1Acc"), "2.5");
    Loop(100);  // 12.5 s: done
    EXPECT_EQ(Shown("lblT1Acc"), "12.5");
    EXPECT_EQ(Shown("lblT1DN"), "1");

    // Register 2, most significant bit on the left.
    for (int bit = 0; bit < 16; ++bit) {
        QLabel* r2 = Child<QLabel>(QStringLiteral("lblRegisterB%1").arg(bit));
        EXPECT_EQ(r2->text(), (bit == 15 || bit == 1) ? "1" : "0") << bit;
        EXPECT_EQ(Shown(QStringLiteral("lblRegisterA%1").arg(bit)), "0");
        if (bit > 0) {
            EXPECT_LT(r2->x(), Child<QLabel>(QStringLiteral("lblRegisterB%1").arg(bit - 1))->x());
        }
    }
}

TEST_F(DebuggerTest, OpensAtTheTopRightUntilMovedThenWhereItWasLeft) {
    Open();
    const QPoint home(kMainWidth - debugger->width() - 13, 0);
    EXPECT_EQ(debugger->pos(), home);
    Close();
    EXPECT_FALSE(ws.shell.DebuggerOpen);
    EXPECT_EQ(Stored("Moved"), "none");  // closing at the default place records nothing

    Open();
    EXPECT_EQ(debugger->pos(), home);
    debugger->move(40, 30);
    Close();
    EXPECT_EQ(Stored("Moved"), "True");
    EXPECT_EQ(Stored("Left"), "40");
    EXPECT_EQ(Stored("Top"), "30");

    Open();
    EXPECT_EQ(debugger->pos(), QPoint(40, 30));
}

TEST_F(DebuggerTest, ANarrowMainWindowPutsItAtTheLeftAndThatIsStillItsDefaultPlace) {
    Open(false, 200);
    EXPECT_EQ(debugger->pos(), QPoint(0, 0));
    Close();
    EXPECT_EQ(Stored("Moved"), "none");
}

TEST_F(DebuggerTest, InALowMdiAreaItStaysInsideAndScrollsToItsLastRow) {
    Open();
    const QSize whole = debugger->size();
    QWidget* area = mdi.viewport();
    auto* scroll = Child<QScrollArea>(QStringLiteral("scrBackground"));
    QLabel* last = Child<QLabel>(QStringLiteral("lblRegisterD0"));
    // 400 is about what a 1024 x 600 screen leaves at 150 %.
    for (int height : {400, 250, 760}) {
        SCOPED_TRACE(height);
        mdi.resize(kMainWidth, height);
        EXPECT_TRUE(area->rect().contains(debugger->geometry()));
        EXPECT_EQ(debugger->pos(), QPoint(kMainWidth - debugger->width() - 13, 0));
        scroll->ensureWidgetVisible(last);
        const QRect shown(last->mapTo(scroll->viewport(), QPoint(0, 0)), last->size());
        EXPECT_TRUE(scroll->viewport()->rect().contains(shown));
    }
    EXPECT_EQ(debugger->size(), whole);
    QCoreApplication::processEvents();
    EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
}

TEST_F(DebuggerTest, FinnishCaptions) {
    FinnishTranslation finnishTexts;
    ASSERT_TRUE(finnishTexts.install());
    Open();
    EXPECT_EQ(LayoutFaults(debugger), std::vector<std::string>{});
    EXPECT_EQ(debugger->windowTitle(), "Testaussimulaattori");
    debugger->SetRealIO();
    EXPECT_EQ(debugger->windowTitle(), "I/O-asettelu");
    QStringList groups;
    for (const char* name :
         {"grpInputs", "grpOutputs", "grpFlags", "grpTimers", "grpCounters", "grpRegisters"})
        groups << Child<QGroupBox>(QString::fromLatin1(name))->title();
    EXPECT_EQ(groups, QStringList({"Tulot", QString::fromUtf8("Lähdöt"), "Liput", "Ajastimet",
                                   "Laskurit", "Rekisterit"}));
    EXPECT_EQ(Shown(QStringLiteral("lblRegister1")), "Rekisteri 1");
}

}  // namespace
}  // namespace torvex::test
