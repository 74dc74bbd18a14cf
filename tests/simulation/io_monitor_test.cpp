// The I/O monitor: which two groups it shows and what its lists offer, what it shows of the
// memory image, and its place.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "files/settings_store.h"
#include "simulation/io_monitor.h"
#include "tests/support/layout_faults.h"
#include "tests/support/qstring_print.h"
#include "tests/support/scripted_prompter.h"
#include "ui/workspace.h"

namespace torvex::test {
namespace {

class IOMonitor : public ::testing::Test {
protected:
    IOMonitor() {
        mdi.resize(1000, 700);
        mdi.show();
    }
    ~IOMonitor() override {
        if (monitor) monitor->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    TfrmSimulator* Open() {
        TfrmSimulator::MainWindowFrame frame{mdi.width(), mdi.height() + 77, 77};
        monitor = new TfrmSimulator(ws, frame, false);
        mdi.addSubWindow(monitor);
        monitor->show();
        return monitor;
    }
    QComboBox* List(const char* name) {
        return monitor->findChild<QComboBox*>(QString::fromLatin1(name));
    }
    QStringList Items(const char* name) {
        QStringList items;
        for (int i = 0; i < List(name)->count(); ++i) items << List(name)->itemText(i);
        return items;
    }
    QGroupBox* Panel(const char* name) {
        return monitor->findChild<QGroupBox*>(QString::fromLatin1(name));
    }
    // The names of the groups showing, left to right.
    QStringList Shown() {
        std::vector<QGroupBox*> boxes;
        for (QGroupBox* box : monitor->findChildren<QGroupBox*>())
            if (box->isVisibleTo(monitor)) boxes.push_back(box);
        std::sort(boxes.begin(), boxes.end(),
                  [](QGroupBox* a, QGroupBox* b) { return a->x() < b->x(); });
        QStringList names;
        for (QGroupBox* box : boxes) names << box->title();
        return names;
    }
    // Types a text into a list, as a user does, then lets the one-shot timer run.
    void Type(const char* list, const QString& text) {
        List(list)->setEditText(text);
        QTest::qWait(20);
    }

    QTemporaryDir dir;
    std::unique_ptr<Plc> plc = std::make_unique<Plc>();
    ScriptedPrompter prompter;
    SettingsStore settings{dir.filePath(QStringLiteral("Torvex.ini"))};
    Workspace ws{*plc, prompter, settings};
    QMdiArea mdi;
    QPointer<TfrmSimulator> monitor;
};

TEST_F(IOMonitor, TheListsAlwaysOfferTheGroupsNotShown) {
    Open();
    EXPECT_TRUE(ws.shell.MonitorOpen);
    EXPECT_EQ(monitor->windowTitle(), QStringLiteral("I/O Monitor"));
    EXPECT_EQ(Shown(), (QStringList{"Inputs", "Outputs"}));
    EXPECT_EQ(List("cbxLeft")->currentText(), QStringLiteral("Inputs"));
    EXPECT_EQ(List("cbxRight")->currentText(), QStringLiteral("Outputs"));
    const QStringList four = {"Flags", "Timers", "Counters", "Registers"};
    EXPECT_EQ(Items("cbxLeft"), four);
    EXPECT_EQ(Items("cbxRight"), four);

    // A group chosen on the left takes the inputs' place, at its own offset.
    Type("cbxLeft", QStringLiteral("Timers"));
    EXPECT_EQ(Shown(), (QStringList{"Timers", "Outputs"}));
    EXPECT_EQ(Panel("pnlTimers")->pos(), QPoint(38, 34));
    EXPECT_EQ(Items("cbxLeft"), (QStringList{"Inputs", "Flags", "Counters", "Registers"}));
    EXPECT_EQ(Items("cbxRight"), (QStringList{"Inputs", "Flags", "Counters", "Registers"}));
    EXPECT_EQ(List("cbxLeft")->currentText(), QStringLiteral("Timers"));

    // Anything but a group's exact name is taken back at once, and nothing else changes.
    for (const char* text : {"Tim", "timers", "Outputz", ""}) {
        Type("cbxLeft", QString::fromLatin1(text));
        EXPECT_EQ(List("cbxLeft")->currentText(), QStringLiteral("Timers")) << text;
        EXPECT_EQ(monitor->LeftGroup(), QStringLiteral("Timers"));
        EXPECT_EQ(Shown(), (QStringList{"Timers", "Outputs"}));
    }

    // The right side's group pasted on the left moves there; the right shows nothing.
    Type("cbxLeft", QStringLiteral("Outputs"));
    EXPECT_EQ(Shown(), QStringList{"Outputs"});
    EXPECT_EQ(Panel("pnlOutputs")->x(), 44);
    EXPECT_EQ(monitor->LeftGroup(), monitor->RightGroup());
    const QStringList five = {"Inputs", "Flags", "Timers", "Counters", "Registers"};
    EXPECT_EQ(Items("cbxLeft"), five);
    EXPECT_EQ(Items("cbxRight"), five);

    // A group on the right stands at half the outer width plus its offset. The group both
    // names held goes as the right one changes.
    Type("cbxRight", QStringLiteral("Registers"));
    const int half = (monitor->widget()->width() + 6) / 2;
    EXPECT_EQ(Panel("pnlRegisters")->pos(), QPoint(half + 3, 72));
    EXPECT_EQ(Shown(), QStringList{"Registers"});
}

TEST_F(IOMonitor, ItShowsTheMemoryImageAndItsButtonsChangeNothing) {
    Open();
    MemoryImage& m = plc->memory;
    m.Inputs[3].Image = true;
    m.Outputs[12].State = true;
    m.Flags[5].State = true;
    m.Timers[2].Preset = 3000;
    m.Timers[2].Elapsed = 10500;
    m.Timers[2].DoneImage = true;
    m.Counters[4].Preset = 7;
    m.Counters[4].Count = 2;
    m.Counters[4].UpImage = true;
    m.Registers[3].Bits[14] = true;
    // Without a simulation the inputs stay as they are; with one they mirror the scan's.
    monitor->UpdateDisplay(false);
    auto label = [&](const QString& name) { return monitor->findChild<QLabel*>(name); };
    auto visible = [&](const QString& name) {
        return monitor->findChild<QWidget*>(name)->isVisibleTo(monitor);
    };
    EXPECT_TRUE(visible(QStringLiteral("btnIP3OFF")));
    monitor->UpdateDisplay(true);
    EXPECT_FALSE(visible(QStringLiteral("btnIP3OFF")));
    EXPECT_TRUE(visible(QStringLiteral("btnIP3ON")));
    EXPECT_TRUE(visible(QStringLiteral("imgOP12On")));
    EXPECT_FALSE(visible(QStringLiteral("imgOP11On")));
    EXPECT_EQ(label(QStringLiteral("lblF5ON"))->text(), QStringLiteral("1"));
    EXPECT_EQ(label(QStringLiteral("lblT2Pre"))->text(), QStringLiteral("3.0"));
    EXPECT_EQ(label(QStringLiteral("lblT2Acc"))->text(), QStringLiteral("10.5"));
    EXPECT_EQ(label(QStringLiteral("lblT2DN"))->text(), QStringLiteral("1"));
    EXPECT_EQ(label(QStringLiteral("C4Pre"))->text(), QStringLiteral("7"));
    EXPECT_EQ(label(QStringLiteral("C4Acc"))->text(), QStringLiteral("2"));
    EXPECT_EQ(label(QStringLiteral("lblC4UP"))->text(), QStringLiteral("1"));
    EXPECT_EQ(label(QStringLiteral("lblRegisterC14"))->text(), QStringLiteral("1"));

    // A click on an input button changes nothing, in the window or the memory image.
    QTest::mouseClick(monitor->findChild<QPushButton*>(QStringLiteral("btnIP3ON")), Qt::LeftButton);
    QTest::mouseClick(monitor->findChild<QPushButton*>(QStringLiteral("btnIP5OFF")),
                      Qt::LeftButton);
    EXPECT_TRUE(visible(QStringLiteral("btnIP3ON")));
    EXPECT_TRUE(visible(QStringLiteral("btnIP5OFF")));
    EXPECT_TRUE(m.Inputs[3].Image);
    EXPECT_FALSE(m.Inputs[5].Raw);
    EXPECT_EQ(LayoutFaults(monitor), std::vector<std::string>{});
}

TEST_F(IOMonitor, ItOpensAtTheBottomRightAndKeepsAPlaceItWasMovedTo) {
    Open();
    const QPoint home(mdi.width() - monitor->width() - 13, mdi.height() - monitor->height() - 4);
    EXPECT_EQ(monitor->pos(), home);
    monitor->close();
    EXPECT_FALSE(ws.shell.MonitorOpen);
    EXPECT_FALSE(settings.readPlace(QStringLiteral("Simulator")).moved) << "closed at home";
    Open();
    monitor->move(20, 30);
    monitor->close();
    Open();
    EXPECT_EQ(monitor->pos(), QPoint(20, 30));
}

}  // namespace
}  // namespace torvex::test
