// Load, save and load again: the model and the bytes must come back unchanged.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "files/cell_check.h"
#include "files/ladder_reader.h"
#include "files/ladder_writer.h"
#include "files/legacy_import.h"
#include "tests/files/file_fixture.h"

namespace torvex {
namespace {

using test::Model;

// A control with an operand that exists, drawn at random.
void RandomControl(std::mt19937& random, RungRecord& rung, int g, int w) {
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (;;) {
        const int32_t code = pick(0, Control::Last);
        const int32_t kind = pick(0, 9);
        const int32_t index = pick(0, 79);
        if (!CellOperandFits(code, kind, index)) continue;
        rung.setCell(g, w, code, kind, index);
        return;
    }
}

std::string RandomText(std::mt19937& random, size_t maxLength) {
    std::string text(std::uniform_int_distribution<size_t>(0, maxLength)(random), ' ');
    for (char& ch : text) {
        do ch = static_cast<char>(std::uniform_int_distribution<int>(1, 255)(random));
        while (ch == '\r' || ch == '\n' || ch == kCtrlZ);
    }
    return text;
}

void RandomModel(std::mt19937& random, Model& m) {
    const int rungs = std::uniform_int_distribution<int>(0, 40)(random);
    m.diagram().clear();
    for (int r = 0; r < rungs; ++r) {
        m.diagram().NewRung(r);
        RungRecord& rung = m.diagram().Rungs[r];
        for (int g = 0; g < kColumns; ++g)
            for (int w = 0; w < kRows; ++w) {
                if (IsControlColumn(g))
                    RandomControl(random, rung, g, w);
                else
                    rung.setCode(g, w, std::uniform_int_distribution<int>(0, Link::Last)(random));
            }
        rung.setComment(RandomText(random, 230));
    }
    for (int g = 0; g < kIOCommentGroups; ++g)
        for (int n = IOCommentGroups()[g].first; n <= IOCommentGroups()[g].last; ++n)
            *IOCommentSlot(m.comments, g, n) = IOCommentText(RandomText(random, 60));
    for (auto& t : m.memory().Timers) {
        t.Used = random() % 2;
        t.OnDelayStyle = random() % 2;
        t.Preset = static_cast<int32_t>(random() % 1000000);
    }
    for (auto& c : m.memory().Counters) {
        c.Used = random() % 2;
        c.Preset = static_cast<int32_t>(random() % 2000) - 1000;
        c.InitialCount = static_cast<int32_t>(random() % 2000) - 1000;
    }
    m.settings.simulationOpen = random() % 2;
    m.settings.currentSimulation = 1 + static_cast<int>(random() % kSimulations);
    m.settings.controlMode =
        m.settings.simulationOpen ? ControlMenuMode::InternalSimulation : ControlMenuMode::Debugger;
    m.settings.commentsShown = random() % 2;
}

// Saves `m`, loads the bytes into a fresh model and saves that: same model, same bytes.
void ExpectRoundTrip(Model& m, const std::string& what) {
    const std::string first = LadderText(*m.plc, m.comments, m.settings);
    Model back;
    const LoadResult r = LoadLadderText(*back.plc, back.comments, first);
    ASSERT_TRUE(r.completed) << what << ": " << r.error;
    EXPECT_TRUE(r.warnings.empty()) << what << ": " << r.warnings[0];
    EXPECT_EQ(test::ModelDifference(m, back), "") << what;
    EXPECT_EQ(LadderText(*back.plc, back.comments, r.settingsAfterLoad()), first) << what;
}

TEST(RoundTrip, RandomDiagramsComeBackUnchanged) {
    std::mt19937 random(20240611);
    for (int i = 0; i < 60; ++i) {
        Model m;
        RandomModel(random, m);
        ExpectRoundTrip(m, "diagram " + std::to_string(i));
    }
}

TEST(RoundTrip, TheLargestDiagramComesBackUnchanged) {
    std::mt19937 random(7);
    Model m;
    for (int r = 0; r < kMaxRungs; ++r) {
        m.diagram().NewRung(r);
        for (int g = 1; g < kColumns; g += 2)
            for (int w = 0; w < kRows; ++w) RandomControl(random, m.diagram().Rungs[r], g, w);
        m.diagram().Rungs[r].setComment(std::string(210, static_cast<char>('A' + r % 26)));
    }
    ExpectRoundTrip(m, "1001 rungs");
}

TEST(RoundTrip, EveryFileOfTheTestDataComesBackUnchanged) {
    namespace fs = std::filesystem;
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(test::DataPath(""))) {
        const fs::path path = entry.path();
        if (path.string().find("/fuzz/") != std::string::npos || !entry.is_regular_file()) continue;
        std::string extension = path.extension().string();
        for (char& ch : extension) ch = static_cast<char>(std::tolower(ch));
        if (extension != ".llg" && extension != ".lld") continue;
        ++files;
        Model m;
        const LoadResult r = extension == ".lld" ? DoOldLoad(*m.plc, m.comments, path.string())
                                                 : LoadFile(*m.plc, m.comments, path.string());
        ASSERT_TRUE(r.completed) << path << ": " << r.error;
        m.settings = r.settingsAfterLoad();
        if (extension == ".llg") {
            EXPECT_EQ(LadderText(*m.plc, m.comments, m.settings), test::ReadBytes(path.string()))
                << path;
        }
        ExpectRoundTrip(m, path.string());
    }
    EXPECT_GE(files, 5);
}

}  // namespace
}  // namespace torvex
