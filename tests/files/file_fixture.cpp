#include "tests/files/file_fixture.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "files/ladder_writer.h"
#include "tests/support/ladder_text.h"
#include "tests/support/memory_compare.h"

namespace torvex::test {

std::string DataPath(const std::string& name) {
    return std::string(TORVEX_TEST_DATA) + "/" + name;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string Crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string ModelDifference(Model& a, Model& b) {
    const Diagram& x = a.diagram();
    const Diagram& y = b.diagram();
    if (x.RungCount() != y.RungCount())
        return "RungCount " + std::to_string(x.RungCount()) + " vs " +
               std::to_string(y.RungCount());
    for (int r = 0; r < x.RungCount(); ++r) {
        const RungRecord& p = x.Rungs[r];
        const RungRecord& q = y.Rungs[r];
        for (int c = 0; c < kColumns; ++c)
            for (int w = 0; w < kRows; ++w)
                if (p.Code(c, w) != q.Code(c, w) || p.Kind(c, w) != q.Kind(c, w) ||
                    p.Index(c, w) != q.Index(c, w))
                    return "rung " + std::to_string(r) + " cell " + std::to_string(c) + "," +
                           std::to_string(w);
        if (p.Comment() != q.Comment()) return "comment of rung " + std::to_string(r);
    }
    for (int g = 0; g < kIOCommentGroups; ++g)
        for (int n = IOCommentGroups()[g].first; n <= IOCommentGroups()[g].last; ++n)
            if (*IOCommentSlot(a.comments, g, n) != *IOCommentSlot(b.comments, g, n))
                return std::string(IOCommentGroups()[g].word) + " comment " + std::to_string(n);
    for (int n = 1; n <= kTimers; ++n) {
        const TimerRecord& p = a.memory().Timers[n];
        const TimerRecord& q = b.memory().Timers[n];
        if (p.Used != q.Used) return "Used of timer " + std::to_string(n);
        if (p.Used && (p.Preset != q.Preset || p.OnDelayStyle != q.OnDelayStyle))
            return "timer " + std::to_string(n);
    }
    for (int n = 1; n <= kCounters; ++n) {
        const CounterRecord& p = a.memory().Counters[n];
        const CounterRecord& q = b.memory().Counters[n];
        if (p.Used != q.Used) return "Used of counter " + std::to_string(n);
        if (p.Used && (p.Preset != q.Preset || p.InitialCount != q.InitialCount))
            return "counter " + std::to_string(n);
    }
    return {};
}

void FillModel(Model& m) {
    SetRung(m.diagram(), 0, {Simple({"NOC:IP0", "NCC:IP1"}, "TIM:T2")});
    SetRung(m.diagram(), 1, {Simple({"NOC:T2/DN"}, "CUP:C1")});
    m.diagram().Rungs[1].setComment("counts the timer");
    m.comments.InputComments[0] = "start";
    m.memory().Timers[2] = TimerRecord{};
    m.memory().Timers[2].Used = true;
    m.memory().Timers[2].Preset = 1500;
    m.memory().Counters[1] = CounterRecord{};
    m.memory().Counters[1].Used = true;
    m.memory().Counters[1].Preset = 7;
}

ModelState StateOf(Model& m) {
    return {LadderText(*m.plc, m.comments, m.settings), m.memory()};
}

std::string StateDifference(Model& m, const ModelState& before) {
    if (LadderText(*m.plc, m.comments, m.settings) != before.text)
        return "the diagram or its comments changed";
    return FirstDifference(m.memory(), before.memory);
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "torvex-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(folder_, ec);
}

}  // namespace torvex::test
