// The debugger: forcing inputs into the scans of the run control, the Real I/O Monitor, the
// value labels after scans, and the window's place.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "engine/run_control.h"
#include "files/settings_store.h"
#include "simulation/debugger.h"
#include "tests/support/ladder_text.h"
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
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(debugger->offShown(i)) << "IP" << i << " starts off";

    Click(debugger->btnOFF[2]);
    EXPECT_FALSE(debugger->offShown(2));
    EXPECT_TRUE(debugger->btnON[2]->isVisible());
    EXPECT_TRUE(forced.isOn(2));
    EXPECT_FALSE(plc->memory.Inputs[2].Raw);  // only the next input read takes it

    run->btnSingleStepClick();
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(plc->memory.Inputs[i].Raw, i == 2) << "IP" << i;
        EXPECT_EQ(plc->memory.Inputs[i].Image, i == 2) << "IP" << i;
    }
    EXPECT_TRUE(plc->memory.Outputs[0].State);
    debugger->UpdateDisplay(false);
    EXPECT_TRUE(debugger->imgOPOn[0]->isVisible());
    EXPECT_FALSE(debugger->imgOPOff[0]->isVisible());

    Click(debugger->btnON[2]);
    EXPECT_TRUE(debugger->offShown(2));
    EXPECT_FALSE(forced.isOn(2));
    run->btnSingleStepClick();
    EXPECT_FALSE(plc->memory.Inputs[2].Image);
    EXPECT_FALSE(plc->memory.Outputs[0].State);
}

TEST_F(DebuggerTest, TheRealIOMonitorMirrorsTheInputsAndForcesNothing) {
    Open(/*realIO=*/true);
    EXPECT_EQ(debugger->windowTitle(), "Real I/O Monitor");
    EXPECT_FALSE(debugger->ForcingEnabled);
    Click(debugger->btnOFF[5]);
    EXPECT_TRUE(debugger->offShown(5));
    EXPECT_FALSE(forced.isOn(5));

    // The device's inputs after a scan.
    for (int i = 0; i < 16; ++i) plc->memory.Inputs[i].Image = (i % 3 == 0);
    debugger->UpdateDisplay(false);  // not mirrored: nothing to show from outside
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(debugger->offShown(i)) << "IP" << i;
    debugger->UpdateDisplay(true);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(debugger->offShown(i), i % 3 != 0) << "IP" << i;
    Click(debugger->btnON[3]);
    EXPECT_FALSE(debugger->offShown(3));

    debugger->SetDebugger();
    EXPECT_EQ(debugger->windowTitle(), "Debugger");
    EXPECT_TRUE(debugger->ForcingEnabled);
    Click(debugger->btnON[3]);
    EXPECT_TRUE(debugger->offShown(3));
    EXPECT_FALSE(forced.isOn(3));
    Click(debugger->btnOFF[4]);
    EXPECT_TRUE(forced.isOn(4));

    debugger->SetRealIO();
    EXPECT_EQ(debugger->windowTitle(), "Real I/O Monitor");
    Click(debugger->btnON[4]);
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
    Click(debugger->btnOFF[0]);
    for (int pulse = 0; pulse < 3; ++pulse) {
        Click(debugger->btnOFF[1]);
        Loop();
        Click(debugger->btnON[1]);
        Loop();
    }
    // Six loops 100 ms apart: T1 has run 500 ms.
    EXPECT_EQ(debugger->lblTPre[0]->text(), "12.5");
    EXPECT_EQ(debugger->lblTAcc[0]->text(), "0.5");
    EXPECT_EQ(debugger->lblTDN[0]->text(), "0");
    EXPECT_EQ(debugger->lblTPre[1]->text(), "2.0");
    EXPECT_EQ(debugger->lblTAcc[1]->text(), "0.0");
    EXPECT_EQ(debugger->lblCPre[1]->text(), "10");
    EXPECT_EQ(debugger->lblCAcc[1]->text(), "3");
    EXPECT_EQ(debugger->lblCUP[1]->text(), "0");
    EXPECT_EQ(debugger->lblCDN[1]->text(), "0");
    EXPECT_EQ(debugger->lblCDN[0]->text(), "1");  // an idle counter at 0 is down-done
    EXPECT_EQ(debugger->lblFON[3]->text(), "1");
    EXPECT_EQ(debugger->lblFON[2]->text(), "0");

    Loop(20);  // 2.5 s
    EXPECT_EQ(debugger->lblTAcc[0]->text(), "2.5");
    Loop(100);  // 12.5 s: done
    EXPECT_EQ(debugger->lblTAcc[0]->text(), "12.5");
    EXPECT_EQ(debugger->lblTDN[0]->text(), "1");

    // Register 2, most significant bit on the left.
    for (int bit = 0; bit < 16; ++bit) {
        EXPECT_EQ(debugger->lblRegister[1][bit]->text(), (bit == 15 || bit == 1) ? "1" : "0")
            << bit;
        EXPECT_EQ(debugger->lblRegister[1][bit]->objectName(),
                  QStringLiteral("lblRegisterB%1").arg(bit));
        EXPECT_EQ(debugger->lblRegister[0][bit]->text(), "0");
        if (bit > 0) {
            EXPECT_LT(debugger->lblRegister[1][bit]->x(), debugger->lblRegister[1][bit - 1]->x());
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

TEST_F(DebuggerTest, FinnishCaptions) {
    FinnishTranslation finnishTexts;
    ASSERT_TRUE(finnishTexts.install());
    Open();
    EXPECT_EQ(debugger->windowTitle(), "Testaussimulaattori");
    debugger->SetRealIO();
    EXPECT_EQ(debugger->windowTitle(), "I/O-asettelu");
    const QStringList groups = {debugger->grpInputs->title(),   debugger->grpOutputs->title(),
                                debugger->grpFlags->title(),    debugger->grpTimers->title(),
                                debugger->grpCounters->title(), debugger->grpRegisters->title()};
    EXPECT_EQ(groups, QStringList({"Tulot", QString::fromUtf8("Lähdöt"), "Liput", "Ajastimet",
                                   "Laskurit", "Rekisterit"}));
}

}  // namespace
}  // namespace torvex::test
