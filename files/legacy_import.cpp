#include "files/legacy_import.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

#include "engine/editing.h"
#include "files/cell_check.h"
#include "files/wipe.h"

namespace torvex {

namespace {

constexpr int kOldTimersShort = 6;  // timer and counter blocks of a plain "New" file
constexpr int kOldTimersLong = 8;   // ... and of a "New8" file

// Link-cell conversion on the way up a branch's riser.
int32_t Riser(int32_t code) {
    switch (code) {
        case Link::NON:
            return Link::DWN;
        case Link::THR:
            return Link::BRA;
        case Link::LEF:
            return Link::STA;
        case Link::RIG:
            return Link::FIN;
        default:
            return code;
    }
}

// Converts the cells above `row` in grid column `g` until one holds BRA (or, for the
// left side, STA), or row 0 is done.
void WalkUp(RungRecord& rung, int g, int row, bool stopAtSta) {
    for (int w = row - 1; w >= 0; --w) {
        const int32_t code = Riser(rung.Code(g, w));
        rung.setCode(g, w, code);
        if (code == Link::BRA || (stopAtSta && code == Link::STA)) break;
    }
}

std::string_view TrimSpaces(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The text between a quoted line's first and last characters.
std::string_view Unquoted(std::string_view line) {
    return line.size() < 2 ? std::string_view() : line.substr(1, line.size() - 2);
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::toupper(x) == std::toupper(y);
           });
}

// Timer and counter numbers used by the imported boxes, so that they are saved.
void MarkUsed(Plc& plc) {
    for (int r = 0; r < plc.diagram.RungCount(); ++r) {
        const RungRecord& rung = plc.diagram.Rungs[r];
        for (int w = 0; w < kRows; ++w) {
            for (int g = 1; g < kColumns; g += 2) {
                const int32_t code = rung.Code(g, w), n = rung.Index(g, w);
                if (IsTimerBox(code) && n >= 1 && n <= kTimers) plc.memory.Timers[n].Used = true;
                if (IsCounterBox(code) && n >= 1 && n <= kCounters)
                    plc.memory.Counters[n].Used = true;
            }
        }
    }
}

class OldReader {
public:
    OldReader(Plc& plc, std::string_view diagram, const FileBytes& commentFile, LoadResult& result)
        : plc_(plc), lines_(diagram), commentFile_(commentFile), result_(result) {}

    void ReadAll();  // throws FileFormatError
    void Finish();

private:
    bool stored(int64_t rung) const { return rung < storedRungs_; }
    RungRecord& rung(int64_t r) { return plc_.diagram.Rungs[static_cast<size_t>(r)]; }
    void readRungs();
    void readTimers();
    void readBranches();
    bool readComments();

    Plc& plc_;
    TextLines lines_;
    const FileBytes& commentFile_;
    LoadResult& result_;
    int timers_ = kOldTimersShort;
    int64_t lastRung_ = -1;
    int64_t storedRungs_ = 0;
    std::vector<std::string> leftOutBranches_;
};

void OldReader::ReadAll() {
    const std::string_view header = lines_.next();
    if (header.size() < 4 || header.substr(1, 3) != "New") {
        result_.warnings.push_back("Too old a Torvex file format");
        return;
    }
    plc_.diagram.setRungCount(0);
    if (header == "\"New8\"") timers_ = kOldTimersLong;
    std::string_view line = lines_.next();
    const bool shiftSources = line == "\"ShiftRegisters\"";
    if (shiftSources) line = lines_.next();
    lastRung_ = StrictIntOrThrow(line);
    storedRungs_ = std::clamp<int64_t>(lastRung_ + 1, 0, kMaxRungs);

    std::vector<int32_t> sources;
    if (shiftSources)
        for (int64_t r = 0; r <= lastRung_; ++r) {
            const int32_t source = StrictIntOrThrow(lines_.next());
            if (stored(r)) sources.push_back(source);
        }
    readRungs();
    readTimers();
    readBranches();
    for (size_t r = 0; r < sources.size(); ++r) ApplyOldShiftSource(rung(r), sources[r]);
    if (!readComments()) return;
    for (int64_t r = 0; r < storedRungs_; ++r) RebuildOldOutputs(rung(r));
    plc_.diagram.setRungCount(static_cast<int>(storedRungs_));
    result_.completed = true;
}

void OldReader::readRungs() {
    for (int64_t r = 0; r <= lastRung_; ++r) {
        if (stored(r)) plc_.diagram.NewRung(static_cast<int>(r));
        lines_.next();
        StrictIntOrThrow(lines_.next());
        for (int w = 0; w < kRows; ++w)
            for (int c = 0; c < kControlColumns; ++c) {
                const std::string_view cell = lines_.next();
                if (stored(r)) OldCellLine(rung(r), c, w, cell);
            }
        lines_.next();
    }
}

void OldReader::readTimers() {
    for (int k = 1; k <= timers_; ++k) {
        lines_.next();
        const int64_t preset = int64_t{StrictIntOrThrow(lines_.next())} * 1000;
        plc_.memory.Timers[k].Preset =
            static_cast<int32_t>(std::clamp<int64_t>(preset, INT32_MIN, INT32_MAX));
        plc_.memory.Counters[k].Count = StrictIntOrThrow(lines_.next());
        plc_.memory.Counters[k].Preset = StrictIntOrThrow(lines_.next());
    }
}

void OldReader::readBranches() {
    for (int64_t r = 0; r <= lastRung_; ++r) {
        bool down = false;
        for (int k = 0; k < timers_; ++k) down |= lines_.next() == "-1";
        if (down && stored(r)) rung(r).setCode(kOutputColumn, 0, Control::CDN);
        for (int w = 0; w < kRows; ++w) {
            int32_t ends[2] = {0, 0};
            bool bothGiven = true;
            for (int32_t& end : ends) {
                const std::string_view line = lines_.next();
                if (line.empty()) {
                    bothGiven = false;
                    continue;
                }
                end = StrictIntOrThrow(line[0] == '"' ? Unquoted(line) : line);
            }
            if (!bothGiven || !stored(r) || (ends[0] % 10 <= 0 && ends[1] % 10 <= 0)) continue;
            if (!AddOldBranch(rung(r), w, ends[0] / 10, ends[1] / 10))
                leftOutBranches_.push_back("rung " + std::to_string(r) + ", row " +
                                           std::to_string(w));
        }
    }
}

// False when there is no comment file to read.
bool OldReader::readComments() {
    if (!commentFile_.ok) {
        result_.error = commentFile_.error;
        return false;
    }
    TextLines comments(commentFile_.bytes);
    for (int64_t r = 0; r <= lastRung_; ++r) {
        const std::string_view line = comments.next();
        if (stored(r)) rung(r).setComment(Unquoted(line));
        if (line != "\"\"") result_.commentsShown = true;
    }
    return true;
}

void OldReader::Finish() {
    if (lastRung_ + 1 > kMaxRungs)
        result_.warnings.push_back("The file holds " + std::to_string(lastRung_ + 1) +
                                   " rungs; only rungs 0 to " + std::to_string(kMaxRungs - 1) +
                                   " were imported");
    if (!leftOutBranches_.empty())
        result_.warnings.push_back("Branches reaching outside the rung were left out: " +
                                   ListNames(leftOutBranches_));
    if (std::string cleared = ClearedCellsWarning(ClearInvalidOperands(plc_.diagram));
        !cleared.empty())
        result_.warnings.push_back(std::move(cleared));
    if (result_.completed) MarkUsed(plc_);
}

}  // namespace

int OldLetterValue(char letter) {
    static constexpr char kLetters[] = "OCTFBDEGR";
    for (int i = 0; kLetters[i] != '\0'; ++i)
        if (letter == kLetters[i]) return i + 1;
    return 0;
}

void OldCellLine(RungRecord& rung, int column, int row, std::string_view line) {
    const int g = 2 * column + 1;
    rung.setCell(g, row, Control::NON, 0, 0);
    if (line.size() < 2 || line[1] != 'P') return;
    if (line.substr(1, 2) != "PS") rung.setCode(g, row, Control::LNK);
    if (line.substr(2, 5) == "     " || (line.size() > 2 && line[2] == 'S')) return;

    const int32_t family = StrictIntOrThrow(line.substr(2, 1));
    const int letter = OldLetterValue(line.size() > 3 ? line[3] : '\0');
    const int32_t n =
        StrictIntOrThrow(TrimSpaces(line.substr(std::min<size_t>(4, line.size()), 3)));
    const bool registerLetter = letter >= 5 && letter <= 8;
    int32_t kind = 0, index = n;
    switch (family) {
        case 0:
        case 1:
            if (letter == 1) kind = ContactKind::Output;
            if (letter == 2) {
                kind = n % 2 != 0 ? ContactKind::CounterUp : ContactKind::CounterDown;
                index = n / 2 + 1;
            }
            if (letter == 3) {
                kind = ContactKind::TimerDone;
                index = n + 1;
            }
            if (letter == 4) kind = ContactKind::Flag;
            if (registerLetter) kind = letter - 5 + ContactKind::Register1;
            return rung.setCell(g, row, family == 0 ? Control::NOC : Control::NCC, kind, index);
        case 2:
        case 3:
        case 4:
            if (letter == 4) kind = CoilKind::Flag;
            if (registerLetter) kind = letter - 5 + CoilKind::Register1;
            return rung.setCell(g, row,
                                family == 2   ? Control::OUT
                                : family == 3 ? Control::LAT
                                              : Control::UNL,
                                kind, index);
        case 5:
            return rung.setCell(g, row, Control::TIM, 0, n);
        case 6:
            return rung.setCell(g, row, Control::CUP, 0, n + 1);
        case 7:
            if (registerLetter) kind = letter - 5 + ResetKind::Register1;
            if (letter == 9) {
                kind = n < 8 ? ResetKind::Timer : ResetKind::Counter;
                index = n > 7 ? n - 7 : n + 1;
            }
            return rung.setCell(g, row, Control::RES, kind, index);
        case 8:
        case 9:
            if (n >= 0 && n <= 3)
                rung.setCell(g, row, (family == 8 ? Control::BL1 : Control::BR1) + n, 0, 0);
            return;
        default:
            return;
    }
}

void ApplyOldShiftSource(RungRecord& rung, int32_t s) {
    if (!IsShift(rung.Code(kOutputColumn, 0))) return;
    int32_t kind = rung.Kind(kOutputColumn, 0), index = rung.Index(kOutputColumn, 0);
    if (s >= 0 && s <= 11) {
        kind = ShiftSourceKind::Input;
        index = s;
    } else if (s >= 16 && s <= 27) {
        kind = ShiftSourceKind::Output;
        index = s - 16;
    } else if (s >= 32 && s <= 37) {
        kind = ShiftSourceKind::TimerDone;
        index = s - 31;
    } else if (s >= 48 && s <= 59) {
        kind = s % 2 != 0 ? ShiftSourceKind::CounterUp : ShiftSourceKind::CounterDown;
        index = (s - 48) / 2 + 1;
    } else if (s >= 64 && s <= 79) {
        kind = ShiftSourceKind::Flag;
        index = s - 64;
    } else if (s >= 80 && s <= 143) {
        kind = ShiftSourceKind::RegisterBit;
        index = s - 80 + 16;
    }
    rung.setKind(kOutputColumn, 0, kind);
    rung.setIndex(kOutputColumn, 0, index);
    rung.setKind(kOutputColumn, 1, kind);
    rung.setIndex(kOutputColumn, 1, index);
}

bool AddOldBranch(RungRecord& rung, int row, int a, int b) {
    const int s = std::min(a, b), e = std::max(a, b);
    if (row < 0 || row >= kRows || s < 0 || e >= kControlColumns) return false;
    bool holdsControl = false;
    for (int c = s; c <= e; ++c) holdsControl |= rung.Code(2 * c + 1, row) != Control::NON;
    if (!holdsControl) return true;
    for (int k = s; k <= e + 1; ++k) rung.setCode(2 * k, row, Link::THR);
    rung.setCode(2 * s, row, s == 0 ? Link::STA : Link::LEF);
    rung.setCode(2 * (e + 1), row, Link::RIG);
    WalkUp(rung, 2 * s, row, true);
    WalkUp(rung, 2 * (e + 1), row, false);
    return true;
}

void RebuildOldOutputs(RungRecord& rung) {
    const int32_t second = rung.Code(kOutputColumn, 1);
    if (IsTimerBox(second)) rung.setCode(kOutputColumn, 1, Control::TBT);
    if (IsCounterBox(second)) rung.setCode(kOutputColumn, 1, Control::CBT);
    if (IsShift(second)) rung.setCode(kOutputColumn, 1, Control::BBT);
    WireParallelOutputs(rung, LastOutputRow(rung));
}

std::string OldCommentFileName(const std::string& diagramFileName) {
    namespace fs = std::filesystem;
    const std::string name =
        diagramFileName.substr(
            0, diagramFileName.size() - std::min<size_t>(3, diagramFileName.size())) +
        "LCD";
    std::error_code ec;
    if (fs::exists(name, ec)) return name;
    const fs::path path(name);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const std::string wanted = path.filename().string();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (EqualsIgnoringCase(it->path().filename().string(), wanted))
            return (path.has_parent_path() ? folder / it->path().filename() : it->path().filename())
                .string();
    return name;
}

LoadResult ImportOldText(Plc& plc, IOComments& comments, std::string_view diagram,
                         const FileBytes& commentFile) {
    LoadResult result;
    Wipe(plc, comments);
    OldReader reader(plc, diagram, commentFile, result);
    try {
        reader.ReadAll();
    } catch (const FileFormatError& e) {
        result.error = e.what();
    }
    reader.Finish();
    return result;
}

LoadResult DoOldLoad(Plc& plc, IOComments& comments, const std::string& fileName, bool) {
    const FileBytes file = ReadWholeFile(fileName);
    if (!file.ok) {
        LoadResult result;
        Wipe(plc, comments);
        result.error = file.error;
        return result;
    }
    return ImportOldText(plc, comments, file.bytes, ReadWholeFile(OldCommentFileName(fileName)));
}

}  // namespace torvex
