// The simulations in the main window: opening, switching and closing their windows, the
// modes and the I/O monitor that come with them, the window places, and the exchanges of a
// real run with the plant.

#include <QMdiArea>

#include "editor/rung_view.h"
#include "engine/plc.h"
#include "engine/run_control.h"
#include "files/ladder_writer.h"
#include "simulation/debugger.h"
#include "simulation/io_monitor.h"
#include "simulation/simulation_window.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/fake_plant.h"
#include "tests/support/ladder_text.h"

namespace torvex::test {
namespace {

class SimulationBridge : public MainWindowTest {
protected:
    void SetUp() override {
        plants = &fake.registry;
        Create();
    }
    QMdiArea* Area() { return Part<QMdiArea>(QStringLiteral("mdiArea")); }
    bool Marked(const char* mode) { return Action(QString::fromLatin1(mode))->isChecked(); }
    FakePlants fake;
};

TEST_F(SimulationBridge, AChosenSimulationOpensWithTheMonitorInItsMode) {
    ws().comments.InputComments[2] = "Start";
    const struct {
        const char* entry;
        int k;
        const char* mode;
        const char* monitorCaption;
    } entries[] = {
        {"mnuSimulationsSimulation", 1, "mnuControlInternalSimulation", "I/O Monitor"},
        {"mnuControlInternalSimulationSimulation", 3, "mnuControlInternalSimulation",
         "I/O Monitor"},
        {"mnuControlExternalPLCSimulation", 2, "mnuControlExternalPLC", "Real I/O PLC Monitor"},
    };
    for (const auto& e : entries) {
        SCOPED_TRACE(e.entry);
        ws().comments.InputComments[2] = "Start";
        Action(e.entry, e.k)->trigger();
        ASSERT_NE(main->simulation(), nullptr);
        EXPECT_EQ(main->simulation()->windowTitle(),
                  QString::fromStdString(fake.descriptions[e.k - 1].name));
        EXPECT_EQ(main->simulation()->widget()->size(), QSize(120 + 10 * e.k, 100));
        EXPECT_TRUE(ws().shell.SimulationOpen);
        EXPECT_EQ(ws().shell.CurrentSimulation, e.k);
        EXPECT_TRUE(Marked(e.mode));
        EXPECT_FALSE(Marked("mnuControlDebugger"));
        EXPECT_EQ(main->debugger(), nullptr) << "the debugger closes";
        ASSERT_NE(main->monitor(), nullptr);
        EXPECT_EQ(main->monitor()->windowTitle(), QString::fromLatin1(e.monitorCaption));
        for (const char* step : {"actSingleLoop", "actSingleStep", "actPause"})
            EXPECT_FALSE(Action(QString::fromLatin1(step))->isEnabled()) << step;
        EXPECT_TRUE(ws().comments.InputComments[2].empty()) << "chosen from a menu";
    }
    EXPECT_EQ(fake.log.starts, 3) << "each new window starts its plant";

    // The open one chosen again keeps its window and plant; the rest is applied again.
    QPointer<TfrmSimulation> open = main->simulation();
    ws().comments.InputComments[2] = "Start";
    Action("mnuSimulationsSimulation", 2)->trigger();
    EXPECT_EQ(main->simulation(), open.data());
    EXPECT_EQ(fake.log.starts, 3);
    EXPECT_TRUE(Marked("mnuControlInternalSimulation"));
    EXPECT_EQ(main->monitor()->windowTitle(), QStringLiteral("I/O Monitor"));
    EXPECT_TRUE(ws().comments.InputComments[2].empty());

    // The Debugger mode and the Close Simulation button close both windows.
    Button("btnClose")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main->simulation(), nullptr);
    EXPECT_EQ(main->monitor(), nullptr);
    EXPECT_FALSE(ws().shell.SimulationOpen);
    EXPECT_FALSE(ws().shell.MonitorOpen);
    EXPECT_EQ(ws().shell.CurrentSimulation, 2) << "closing leaves it";
    EXPECT_TRUE(Marked("mnuControlDebugger"));
    EXPECT_NE(main->debugger(), nullptr);
    EXPECT_TRUE(Action(QStringLiteral("actSingleStep"))->isEnabled());
}

TEST_F(SimulationBridge, AWindowOpensAtTheTopRightThenWhereItWasLeft) {
    Action("mnuSimulationsSimulation", 1)->trigger();
    TfrmSimulation* first = main->simulation();
    EXPECT_EQ(first->geometry().right() + 1, Area()->width() - 6);
    EXPECT_EQ(first->y(), 0);
    first->move(30, 40);
    // Opening another stores the first one's place.
    Action("mnuSimulationsSimulation", 3)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ws().shell.CurrentSimulation, 3);
    const SettingsStore::Place place = settings->readPlace(QStringLiteral("Simulation1"));
    EXPECT_TRUE(place.moved);
    EXPECT_EQ(QPoint(place.left, place.top), QPoint(30, 40));
    Action("mnuSimulationsSimulation", 1)->trigger();
    EXPECT_EQ(main->simulation()->pos(), QPoint(30, 40));
}

TEST_F(SimulationBridge, ASimulationWithoutAPlantReturnsToTheDebugger) {
    PlantRegistry none;
    plants = &none;
    main.reset();
    Create();
    ws().comments.InputComments[0] = "kept";
    Action("mnuSimulationsSimulation", 2)->trigger();
    EXPECT_EQ(prompter.lastText(), QStringLiteral("The Simulation cannot be opened."));
    EXPECT_EQ(prompter.shown.back().icon, Prompter::Icon::Warning);
    EXPECT_TRUE(Marked("mnuControlDebugger"));
    EXPECT_NE(main->debugger(), nullptr);
    EXPECT_EQ(main->monitor(), nullptr);
    EXPECT_EQ(main->simulation(), nullptr);
    EXPECT_EQ(ws().comments.InputComments[0], "kept");
}

TEST_F(SimulationBridge, AnOpenControlDialogHoldsOffTheTwelveEntries) {
    ws().editor.ControlDialogOpen = true;
    for (const char* entry : {"mnuSimulationsSimulation", "mnuControlInternalSimulationSimulation",
                              "mnuControlExternalPLCSimulation"})
        for (int k = 1; k <= 4; ++k) Action(entry, k)->trigger();
    ws().editor.ControlDialogOpen = false;
    EXPECT_EQ(main->simulation(), nullptr);
    EXPECT_TRUE(Marked("mnuControlDebugger"));
    EXPECT_TRUE(prompter.shown.empty());
}

// A file naming a simulation opens it in the Internal Simulation mode (whatever its Control
// section says) and keeps the comments read from it.
TEST_F(SimulationBridge, ADiagramFileOpensTheSimulationItNames) {
    const struct {
        const char* control;
        const char* mode;
        bool kept;
    } files[] = {
        {"Simulation", "mnuControlInternalSimulation", true},
        {"Simulation From PLC", "mnuControlInternalSimulation", true},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.control);
        auto section = [](const char* title, const std::string& lines) {
            return MakeForty(title) + "\r\n" + lines + "\r\n";
        };
        const std::string none = "NONNONNONNONNONNONNONNONNONNON\r\n";
        const std::string text =
            section("Rung 0 Controls", "NOCNONNONNONNONNONNONNONNONOUT\r\n" + none + none + none) +
            section("Input Comment 0", "Start\r\n") + section("Simulation", "Car Park\r\n") +
            section("Control", std::string(f.control) + "\r\n");
        Write(QStringLiteral("plant.llg"), QByteArray::fromStdString(text));
        main->OpenFile(File(QStringLiteral("plant.llg")));
        ASSERT_NE(main->simulation(), nullptr) << prompter.lastText().toStdString();
        EXPECT_EQ(ws().shell.CurrentSimulation, 3);
        EXPECT_TRUE(Marked(f.mode));
        EXPECT_EQ(ws().comments.InputComments[0].empty(), !f.kept);
        EXPECT_EQ(ws().plc.diagram.Rungs[0].Code(1, 0) == Control::NOC, f.kept);
        Button("btnClose")->click();
    }
}

// In a real run sensor k becomes input k and output k drives actuator k, once a cycle;
// when the plant asks to stop, the run stops, the window stays and the reason shows.
TEST_F(SimulationBridge, ARunExchangesWithThePlantUntilItStops) {
    Diagram& d = ws().plc.diagram;
    for (int k = 0; k < kPoints; ++k) {
        const std::string n = std::to_string(k);
        SetRung(d, k, {Simple({"NOC:IP" + n}, "OUT:OP" + n)});
    }
    d.setRungCount(kPoints);
    Action("mnuSimulationsSimulation", 1)->trigger();
    const int startsBefore = fake.log.starts;
    fake.sensors = 0xA5C3;
    QTest::mouseClick(Button("btnRun"), Qt::LeftButton);
    EXPECT_EQ(fake.log.starts, startsBefore + 1) << "a run start starts the plant";
    Cycles(3);
    EXPECT_GE(fake.log.updates, 3);
    fake.stop = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main->RunInProgress(); }, 5000));
    EXPECT_EQ(fake.log.outputsAtUpdate, 0xA5C3);
    EXPECT_EQ(main->statusText(), QStringLiteral("Stopped"));
    EXPECT_NE(main->simulation(), nullptr) << "the window stays open";
    EXPECT_EQ(InfoBar(), QStringLiteral("test stop"));
    EXPECT_EQ(main->plc().guard().violations(), 0);
}

TEST_F(SimulationBridge, ClosingTheProgramDuringARunWithAPlantEndsCleanly) {
    Action("mnuSimulationsSimulation", 4)->trigger();
    QTest::mouseClick(Button("btnRun"), Qt::LeftButton);
    Cycles(2);
    main->close();
    EXPECT_FALSE(main->RunInProgress());
    EXPECT_FALSE(ws().shell.SimulationOpen);
    EXPECT_TRUE(settings->readPlace(QStringLiteral("Simulation4")).moved);
}

}  // namespace
}  // namespace torvex::test
