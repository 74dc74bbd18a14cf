// A main window on the offscreen platform, with scripted dialogs and its own settings.
#pragma once

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "app/main_window.h"
#include "app/palette_button.h"
#include "engine/run_control.h"
#include "files/settings_store.h"
#include "tests/support/fast_clock.h"
#include "tests/support/qt_print.h"
#include "tests/support/scripted_prompter.h"
#include "ui/workspace.h"

namespace torvex::test {

class MainWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> settings =
        std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("Torvex.ini")));
    ScriptedPrompter prompter;
    std::unique_ptr<TfrmMain> main;
    bool finnish = false;  // the Finnish texts are installed (as the program decides at start)
    const PlantRegistry* plants = nullptr;  // the simulations; null: the program's own
    FastClock* clock = nullptr;             // the run's time; null: the machine's

    // Creates the main window and, unless told not to, lets its start-up run to the end.
    void Create(bool startUp = true, int width = 1024) {
        TfrmMain::Options options;
        options.prompter = &prompter;
        options.settings = settings.get();
        options.programFolder = dir.path();
        options.finnishTexts = finnish;
        options.plants = plants;
        if (clock) {
            options.cycleClock = &clock->cycles();
            options.tickSource = &clock->ticks();
        }
        main = std::make_unique<TfrmMain>(options);
        main->resize(width, 768);
        main->show();
        if (startUp) FinishStartUp();
    }
    void FinishStartUp() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return main->startUpTicks() >= 2; }, 10000));
    }
    Workspace& ws() { return main->workspace(); }

    // The window's parts, found by the names they carry.
    template <class T = QWidget>
    T* Part(const QString& name) const {
        T* part = main->findChild<T*>(name);
        EXPECT_NE(part, nullptr) << name.toStdString();
        return part;
    }
    QAction* Action(const QString& name) const { return Part<QAction>(name); }
    QAction* Action(const char* prefix, int n) const {
        return Action(QString::fromLatin1(prefix) + QString::number(n));
    }
    void Trigger(const char* name) const { Action(QString::fromLatin1(name))->trigger(); }
    QToolButton* Button(const char* name) const {
        return Part<QToolButton>(QString::fromLatin1(name));
    }
    QMenu* Menu(const char* name) const { return Part<QMenu>(QString::fromLatin1(name)); }
    QLabel* Label(const char* name) const { return Part<QLabel>(QString::fromLatin1(name)); }
    QWidget* Widget(const char* name) const { return Part<QWidget>(QString::fromLatin1(name)); }
    PaletteButton* Palette(int tool) const {
        static const char* const names[] = {"btnArrow", "btnNOC", "btnNCC", "btnOP",  "btnRES",
                                            "btnLAT",   "btnUNL", "btnTIM", "btnCNT", "btnBS"};
        return Part<PaletteButton>(QString::fromLatin1(names[tool]));
    }
    QString InfoBar() const { return Label("pnlInfoBar")->text(); }

    // Serves the window, the run thread's calls included, until `done` or `ms` have passed.
    // (QTest::qWaitFor sleeps 10 ms a round, which would hold every marshalled call up.)
    static bool Serve(const std::function<bool()>& done, int ms = 5000) {
        QTimer wake;
        wake.start(20);
        QElapsedTimer spent;
        spent.start();
        while (!done()) {
            if (spent.elapsed() > ms) return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return true;
    }
    // Serves the window until the run thread has completed `count` more cycles.
    void Cycles(uint64_t count) {
        const uint64_t until = main->run().cycles() + count;
        ASSERT_TRUE(Serve([&] { return main->run().cycles() >= until; }))
            << "the run thread did not cycle";
    }
    QString File(const QString& name) const { return dir.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) const;
    QString Read(const QString& name) const;

    void TearDown() override {
        if (main) {
            main->workspace().shell.DiagramChanged = false;  // nothing to ask on the way out
            main->close();
            main.reset();
        }
    }
};

}  // namespace torvex::test
