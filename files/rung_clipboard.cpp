#include "files/rung_clipboard.h"

#include <algorithm>
#include <memory>

#include "files/ladder_reader.h"
#include "files/ladder_writer.h"
#include "files/text_file.h"

namespace torvex {

namespace {

// The timer and counter numbers the boxes of `rungs` use.
struct BoxNumbers {
    std::array<bool, kTimers> timers{};
    std::array<bool, kCounters> counters{};
};

template <class It>
BoxNumbers BoxesOf(It begin, It end) {
    BoxNumbers used;
    for (It rung = begin; rung != end; ++rung)
        for (int c = 0; c < kControlColumns; ++c)
            for (int w = 0; w < kRows; ++w) {
                const int32_t code = rung->Code(ControlGrid(c), w);
                const int32_t n = rung->Index(ControlGrid(c), w);
                if (IsTimerBox(code) && n >= 1 && n <= kTimers) used.timers[n - 1] = true;
                if (IsCounterBox(code) && n >= 1 && n <= kCounters) used.counters[n - 1] = true;
            }
    return used;
}

// The rungs whose Controls block the text holds (numbers outside the table left out).
std::vector<bool> ControlsBlocks(std::string_view text) {
    std::vector<bool> held(kMaxRungs, false);
    for (TextLines lines(text); !lines.atEnd();) {
        const std::string_view line = lines.next();
        int32_t n = -1;
        // A banner the reader knows has a number that converts.
        if (IsSectionBanner(line) && Both("Rung", "Controls", line) && LineValue(line, n) &&
            n >= 0 && n < kMaxRungs)
            held[static_cast<size_t>(n)] = true;
    }
    return held;
}

RungsReadResult Refused(std::string error) {
    RungsReadResult result;
    result.error = std::move(error);
    return result;
}

std::string Damaged(const std::string& why, bool finnish) {
    return (finnish ? "Leikepöydän puolat ovat vioittuneet, eikä niitä liitetty: "
                    : "The rungs on the clipboard are damaged and were not pasted: ") +
           why;
}

std::string OutsideTables(const std::vector<ClearedCell>& cells, bool finnish) {
    std::vector<std::string> names;
    for (const ClearedCell& cell : cells)
        names.push_back((finnish ? "puola " : "rung ") + std::to_string(cell.rung) +
                        (finnish ? ", rivi " : ", row ") + std::to_string(cell.row) +
                        (finnish ? ", sarake " : ", column ") + std::to_string(cell.column));
    return (finnish ? "Leikepöydän puolissa on operandeja taulukoidensa ulkopuolelta, eikä niitä "
                      "liitetty: "
                    : "The rungs on the clipboard name operands outside their tables and were "
                      "not pasted: ") +
           ListNames(names, finnish);
}

}  // namespace

std::string RungsText(const Plc& plc, int first, int count) {
    const int from = std::clamp(first, 0, plc.diagram.RungCount());
    const int to = std::clamp(first + count, from, plc.diagram.RungCount());
    // A diagram of just these rungs, numbered from 0, written as a file would hold it.
    auto scratch = std::make_unique<Plc>();
    std::copy(plc.diagram.Rungs.begin() + from, plc.diagram.Rungs.begin() + to,
              scratch->diagram.Rungs.begin());
    scratch->diagram.setRungCount(to - from);
    const BoxNumbers used =
        BoxesOf(plc.diagram.Rungs.begin() + from, plc.diagram.Rungs.begin() + to);
    IOComments none;
    const DiagramSettings settings;
    LadderWriter writer(*scratch, none, settings);
    for (int r = 0; r < scratch->diagram.RungCount(); ++r) writer.WriteRung(r);
    for (int n = 1; n <= kTimers; ++n) {
        if (!used.timers[n - 1]) continue;
        TimerRecord& timer = scratch->memory.Timers[n];
        timer.Preset = plc.memory.Timers[n].Preset;
        writer.WriteTimer(n);
        if (plc.memory.Timers[n].OnDelayStyle) writer.WriteOnDelay(n);
    }
    for (int n = 1; n <= kCounters; ++n) {
        if (!used.counters[n - 1]) continue;
        CounterRecord& counter = scratch->memory.Counters[n];
        counter.Preset = plc.memory.Counters[n].Preset;
        counter.InitialCount = plc.memory.Counters[n].InitialCount;
        writer.WriteCounter(n);
    }
    for (int r = 0; r < scratch->diagram.RungCount(); ++r)
        if (!scratch->diagram.Rungs[r].Comment().empty()) writer.WriteComment(r);
    return writer.text();
}

RungsReadResult ReadRungsText(std::string_view text, bool finnish) {
    if (text.size() > kLargestRungsText)
        return Refused(finnish ? "Leikepöydällä on liikaa tekstiä kaavion puoliksi."
                               : "The clipboard holds too much text to be rungs of a diagram.");
    const std::vector<bool> held = ControlsBlocks(text);
    if (std::find(held.begin(), held.end(), true) == held.end())
        return Refused(finnish ? "Leikepöydällä ei ole TORVEX-kaavion puolia."
                               : "The clipboard holds no rungs of a TORVEX diagram.");
    auto scratch = std::make_unique<Plc>();
    IOComments comments;
    const LoadResult load =
        LoadLadderText(*scratch, comments, text, finnish ? "leikepöytä" : "clipboard", finnish);
    if (!load.clearedCells.empty()) return Refused(OutsideTables(load.clearedCells, finnish));
    if (!load.completed) return Refused(Damaged(load.error, finnish));
    if (!load.warnings.empty()) return Refused(Damaged(load.warnings.front(), finnish));
    const Diagram& d = scratch->diagram;
    if (d.RungCount() < 1)
        return Refused(finnish ? "Leikepöydällä ei ole TORVEX-kaavion puolia."
                               : "The clipboard holds no rungs of a TORVEX diagram.");
    for (int r = 0; r < d.RungCount(); ++r)
        if (!held[static_cast<size_t>(r)])
            return Refused(Damaged((finnish ? "puola " : "rung ") + std::to_string(r) +
                                       (finnish ? " puuttuu." : " is missing."),
                                   finnish));

    RungsReadResult result;
    result.ok = true;
    ClipboardRungs& clip = result.rungs;
    clip.rungs.assign(d.Rungs.begin(), d.Rungs.begin() + d.RungCount());
    const BoxNumbers used = BoxesOf(clip.rungs.begin(), clip.rungs.end());
    // A Timer or Counter section read marks its number Used in the scratch diagram.
    for (int n = 1; n <= kTimers; ++n) {
        const TimerRecord& t = scratch->memory.Timers[n];
        if (used.timers[n - 1] && t.Used)
            clip.timers[n - 1] = TimerSetting{true, t.Preset, t.OnDelayStyle};
    }
    for (int n = 1; n <= kCounters; ++n) {
        const CounterRecord& c = scratch->memory.Counters[n];
        if (used.counters[n - 1] && c.Used)
            clip.counters[n - 1] = CounterSetting{true, c.Preset, c.InitialCount};
    }
    return result;
}

RungEdit PasteRungs(Plc& plc, const ClipboardRungs& rungs, int at) {
    Diagram& d = plc.diagram;
    const int count = d.RungCount();
    const int n = static_cast<int>(rungs.rungs.size());
    if (at < 0 || at > count || n == 0) return RungEdit::NoSuchRung;
    if (n > kMaxRungs - count) return RungEdit::TableFull;
    for (int r = count - 1; r >= at; --r) d.Rungs[r + n] = d.Rungs[r];
    for (int i = 0; i < n; ++i) d.Rungs[at + i] = rungs.rungs[i];
    d.setRungCount(count + n);
    const BoxNumbers used = BoxesOf(rungs.rungs.begin(), rungs.rungs.end());
    for (int k = 1; k <= kTimers; ++k) {
        if (!used.timers[k - 1]) continue;
        TimerRecord& timer = plc.memory.Timers[k];
        if (!timer.Used && rungs.timers[k - 1]) {
            timer.Preset = rungs.timers[k - 1]->Preset;
            timer.OnDelayStyle = rungs.timers[k - 1]->OnDelayStyle;
        }
        timer.Used = true;
    }
    for (int k = 1; k <= kCounters; ++k) {
        if (!used.counters[k - 1]) continue;
        CounterRecord& counter = plc.memory.Counters[k];
        if (!counter.Used && rungs.counters[k - 1]) {
            counter.Preset = rungs.counters[k - 1]->Preset;
            counter.InitialCount = rungs.counters[k - 1]->InitialCount;
        }
        counter.Used = true;
    }
    return RungEdit::Done;
}

}  // namespace torvex
