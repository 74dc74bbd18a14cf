// Diagrams run for real: opened from a file, inputs forced in the debugger, the run thread
// scanning every 100 ms, the rung view showing the power; and the windows keeping to the
// thread rule while it does.

#include <qpa/qwindowsysteminterface.h>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QScrollBar>
#include <QWindow>

#include "editor/rung_image.h"
#include "editor/rung_view.h"
#include "engine/plc.h"
#include "engine/run_control.h"
#include "simulation/debugger.h"
#include "simulation/simulation_window.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/ladder_text.h"

namespace torvex::test {
namespace {

class RunEndToEnd : public MainWindowTest {
protected:
    QAbstractButton* DebuggerButton(const char* name) {
        auto* button = main->debugger()->findChild<QAbstractButton*>(QString::fromLatin1(name));
        EXPECT_NE(button, nullptr) << name;
        return button;
    }
};

TEST_F(RunEndToEnd, ASealInMotorRunsFromTheDebugger) {
    // The example as it ships, from File > Examples.
    {
        QFile source(QStringLiteral(TORVEX_SOLUTIONS "/seal_in.llg"));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        QDir(dir.path()).mkdir(QStringLiteral("Solutions"));
        QFile copy(File(QStringLiteral("Solutions/seal_in.llg")));
        ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
        copy.write(source.readAll());
    }
    Create();
    Trigger("mnuFileExample_seal_in");
    EXPECT_TRUE(ws().shell.CurrentFileName.isEmpty()) << "an untitled copy of the example";
    ASSERT_TRUE(prompter.shown.empty()) << prompter.lastText().toStdString();
    ASSERT_NE(main->debugger(), nullptr);
    const MemoryImage& m = main->plc().memory;

    // Start pressed: forced on in the debugger before the run starts.
    QTest::mouseClick(DebuggerButton("btnIP0OFF"), Qt::LeftButton);
    EXPECT_TRUE(main->forcedInputs().isOn(0));
    QTest::mouseClick(Button("btnRun"), Qt::LeftButton);
    EXPECT_EQ(main->statusText(), QStringLiteral("Running..."));
    EXPECT_FALSE(Button("btnRun")->isEnabled());
    Cycles(3);
    // Start released: the motor holds itself in.
    QTest::mouseClick(DebuggerButton("btnIP0ON"), Qt::LeftButton);
    Cycles(3);
    EXPECT_TRUE(main->debugger()->findChild<QWidget*>(QStringLiteral("imgOP0On"))->isVisible())
        << "the debugger shows the output";

    QTest::mouseClick(Button("btnPause"), Qt::LeftButton);
    EXPECT_EQ(main->statusText(), QStringLiteral("Paused..."));
    EXPECT_FALSE(main->run().ThreadCreated());
    EXPECT_TRUE(m.Outputs[0].State);
    EXPECT_FALSE(m.Inputs[0].Image);
    // The seal-in branch carries the power to the coil, and the view showed it in red.
    const RungRecord& rung = main->plc().diagram.Rungs[0];
    EXPECT_TRUE(rung.Power[19][0]);
    EXPECT_FALSE(rung.Power[1][0]) << "IP0 is open now";
    EXPECT_TRUE(rung.Power[1][1]) << "through the OP0 contact";
    EXPECT_TRUE(rung.Power[3][0]) << "and on through Stop, which is not pressed";
    // The thread redrew the rung live in every cycle; a pause leaves the last picture.
    const QImage& image = Part<RungImage>(QStringLiteral("RungA"))->image();
    const QPoint coil = RungPainter::controlCell(9, 0);
    EXPECT_EQ(image.pixelColor(coil + QPoint(0, 13)), RungPainter::kRed);

    QTest::mouseClick(Button("btnStop"), Qt::LeftButton);
    EXPECT_EQ(main->statusText(), QStringLiteral("Stopped"));
    EXPECT_TRUE(m.Outputs[0].State) << "the memory image stays as the run left it";
    EXPECT_FALSE(rung.Power[19][0]);
    EXPECT_TRUE(Button("btnRun")->isEnabled());
    EXPECT_EQ(main->plc().guard().violations(), 0);
}

// Each worked example opens its plant and drives it on the real run thread, ten times faster
// than the clock on the wall: cars pass the junction, passengers reach their floors.
TEST_F(RunEndToEnd, TheWorkedExamplesDriveTheirPlants) {
    const struct {
        const char* file;
        const char* title;
        const char* figure;
        double atLeast;
    } cases[] = {
        {"/traffic_light.llg", "Traffic Light", "cars", 3},
        {"/elevator.llg", "Elevator", "delivered", 1},
    };
    FastClock fast(10);
    clock = &fast;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Create();
        main->OpenFile(QStringLiteral(TORVEX_SOLUTIONS) + QString::fromUtf8(c.file));
        ASSERT_TRUE(prompter.shown.empty()) << prompter.lastText().toStdString();
        ASSERT_NE(main->simulation(), nullptr) << "the file names its simulation";
        EXPECT_EQ(main->simulation()->windowTitle(), QString::fromUtf8(c.title));
        EXPECT_TRUE(Action(QStringLiteral("mnuControlInternalSimulation"))->isChecked());
        Plant& plant = main->simulation()->plant();
        QTest::mouseClick(Button("btnRun"), Qt::LeftButton);
        double value = 0;
        ASSERT_TRUE(
            Serve([&] { return plant.figure(c.figure, value) && value >= c.atLeast; }, 20000))
            << c.figure << " " << value << " after " << main->run().cycles() << " cycles";
        QTest::mouseClick(Button("btnStop"), Qt::LeftButton);
        double stopped = 1;
        EXPECT_TRUE(plant.figure("stopped", stopped));
        EXPECT_EQ(stopped, 0);
        EXPECT_EQ(main->plc().guard().violations(), 0);
    }
    main.reset();
    clock = nullptr;
}

// A scroll or a resize during a run draws nothing itself: the next cycle's redraw shows the
// rungs it asks for. Were the view to draw at once, the guard would count a touch of the
// diagram's power outside the run thread's calls.
TEST_F(RunEndToEnd, TheRungViewFollowsAScrollAndAResizeWithinACycle) {
    Create();
    Diagram& d = main->plc().diagram;
    for (int r = 0; r < 30; ++r) SetRung(d, r, {Simple({"NOC:IP0"}, "OUT:OP0")});
    d.setRungCount(30);
    TfrmRungs* view = main->rungView();
    view->resize(view->width(), 300);
    QTest::mouseClick(Button("btnRun"), Qt::LeftButton);
    Cycles(2);
    const struct {
        int top;
        int height;
    } steps[] = {{10, 300}, {20, 600}, {3, 200}, {26, 665}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.top);
        Part<QScrollBar>(QStringLiteral("ScrollBar"))->setValue(step.top);
        view->resize(view->width(), step.height);
        Cycles(2);
        EXPECT_EQ(view->TopRung(), step.top);
        EXPECT_EQ(Label("LabelA")->text(), QStringLiteral("Rung %1").arg(step.top));
        EXPECT_EQ(Label("LabelB")->text(), QStringLiteral("Rung %1").arg(step.top + 1));
    }
    QTest::mouseClick(Button("btnStop"), Qt::LeftButton);
    EXPECT_EQ(main->plc().guard().violations(), 0);
}

// A click the window system delivers while Single Loop serves pending events waits for the
// command to end, so a Stop never runs inside it.
TEST_F(RunEndToEnd, AClickQueuedDuringSingleLoopRunsAfterIt) {
    Create();
    QWindow* window = main->windowHandle();
    ASSERT_NE(window, nullptr);
    QToolButton* stop = Button("btnStop");
    const QPointF local = stop->mapTo(main.get(), stop->rect().center());
    const QPointF global = stop->mapToGlobal(stop->rect().center());
    QAction* singleLoop = Action(QStringLiteral("actSingleLoop"));
    // Queue the Stop click as the window system does, then run Single Loop before the event
    // loop has seen it.
    QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
        window, local, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
    QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
        window, local, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
    singleLoop->trigger();
    EXPECT_EQ(main->statusText(), QStringLiteral("Single Loop..."));
    EXPECT_TRUE(main->RunInProgress()) << "the Stop waited";
    QCoreApplication::processEvents();
    EXPECT_EQ(main->statusText(), QStringLiteral("Stopped"));
    EXPECT_FALSE(main->RunInProgress());
}

}  // namespace
}  // namespace torvex::test
