// A main window on the offscreen platform, with scripted dialogs and its own settings.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/main_window.h"
#include "files/settings_store.h"
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

    // Creates the main window and, unless told not to, lets its start-up run to the end.
    void Create(bool startUp = true, int width = 1024) {
        TfrmMain::Options options;
        options.prompter = &prompter;
        options.settings = settings.get();
        options.programFolder = dir.path();
        main = std::make_unique<TfrmMain>(options);
        main->resize(width, 768);
        main->show();
        if (startUp) FinishStartUp();
    }
    void FinishStartUp() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return main->startUpTicks() >= 2; }, 10000));
    }
    Workspace& ws() { return main->workspace(); }
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
