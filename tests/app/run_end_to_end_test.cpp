// A diagram run for real: opened from a file, an input forced in the debugger, the run
// thread scanning every 100 ms, the rung view showing the power, then stopped.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "editor/rung_image.h"
#include "editor/rung_view.h"
#include "engine/plc.h"
#include "engine/run_control.h"
#include "simulation/debugger.h"
#include "tests/app/main_window_fixture.h"

namespace torvex::test {
namespace {

using RunEndToEnd = MainWindowTest;

TEST_F(RunEndToEnd, ASealInMotorRunsFromTheDebugger) {
    // The example as it ships, from the Solutions folder the Open dialog starts in.
    {
        QFile source(QStringLiteral(TORVEX_SOLUTIONS "/seal_in.llg"));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        QDir(dir.path()).mkdir(QStringLiteral("Solutions"));
        QFile copy(File(QStringLiteral("Solutions/seal_in.llg")));
        ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
        copy.write(source.readAll());
    }
    Create();
    prompter.files = {File(QStringLiteral("Solutions/seal_in.llg"))};
    main->mnuFileOpenDiagramClick();
    ASSERT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(prompter.requests[0].folder, File(QStringLiteral("Solutions")));
    ASSERT_TRUE(prompter.shown.empty()) << prompter.lastText().toStdString();
    TfrmDebugger* debugger = main->debugger();
    ASSERT_NE(debugger, nullptr);
    auto* startOff = debugger->findChild<QPushButton*>(QStringLiteral("btnIP0OFF"));
    auto* startOn = debugger->findChild<QPushButton*>(QStringLiteral("btnIP0ON"));
    auto* motorLamp = debugger->findChild<QLabel*>(QStringLiteral("imgOP0On"));
    ASSERT_TRUE(startOff && startOn && motorLamp);
    const MemoryImage& m = main->plc().memory;

    // Start pressed: forced on in the debugger before the run starts.
    QTest::mouseClick(startOff, Qt::LeftButton);
    EXPECT_TRUE(main->forcedInputs().isOn(0));
    QTest::mouseClick(main->btnRun, Qt::LeftButton);
    EXPECT_EQ(main->statusText(), QStringLiteral("Running..."));
    EXPECT_FALSE(main->btnRun->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return m.Outputs[0].State; }, 3000));
    // Start released: the motor holds itself in.
    QTest::mouseClick(startOn, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m.Inputs[0].Image; }, 3000));
    QTest::qWait(300);
    EXPECT_TRUE(m.Outputs[0].State);
    EXPECT_TRUE(motorLamp->isVisible()) << "the debugger shows the output";

    QTest::mouseClick(main->btnPause, Qt::LeftButton);
    EXPECT_EQ(main->statusText(), QStringLiteral("Paused..."));
    EXPECT_FALSE(main->run().ThreadCreated());
    // The seal-in branch carries the power to the coil, and the view showed it in red.
    const RungRecord& rung = main->plc().diagram.Rungs[0];
    EXPECT_TRUE(rung.Power[19][0]);
    EXPECT_FALSE(rung.Power[1][0]) << "IP0 is open now";
    EXPECT_TRUE(rung.Power[1][1]) << "through the OP0 contact";
    EXPECT_TRUE(rung.Power[3][0]) << "and on through Stop, which is not pressed";
    // The thread redrew the rung live in every cycle; a pause leaves the last picture.
    const QImage& image = main->rungView()->Rungs[0]->image();
    const QPoint coil = RungPainter::controlCell(9, 0);
    EXPECT_EQ(image.pixelColor(coil + QPoint(0, 13)), RungPainter::kRed);

    QTest::mouseClick(main->btnStop, Qt::LeftButton);
    EXPECT_EQ(main->statusText(), QStringLiteral("Stopped"));
    EXPECT_TRUE(m.Outputs[0].State) << "the memory image stays as the run left it";
    EXPECT_FALSE(rung.Power[19][0]);
    EXPECT_TRUE(main->btnRun->isEnabled());
}

}  // namespace
}  // namespace torvex::test
