// A rung view in an MDI area of its own, over the shared data of one diagram.
#pragma once

#include <gtest/gtest.h>

#include <QMdiArea>
#include <QTemporaryDir>
#include <memory>

#include "editor/rung_view.h"
#include "files/settings_store.h"
#include "tests/support/scripted_prompter.h"
#include "ui/workspace.h"

namespace torvex::test {

class RungViewTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<Plc> plc = std::make_unique<Plc>();
    ScriptedPrompter prompter;
    SettingsStore settings{dir.filePath(QStringLiteral("Torvex.ini"))};
    Workspace ws{*plc, prompter, settings};
    QMdiArea area;
    TfrmRungs* view = nullptr;

    void SetUp() override {
        area.resize(1200, 1000);
        area.show();
        view = new TfrmRungs(ws, 900);
        area.addSubWindow(view);
        view->show();
    }
};

}  // namespace torvex::test
