#include "files/legacy_import.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <vector>

#include "engine/editing.h"
#include "files/cell_check.h"
#include "files/file_messages.h"
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
void MarkUsed(const Diagram& diagram, MemoryImage& memory) {
    for (int r = 0; r < diagram.RungCount(); ++r) {
        const RungRecord& rung = diagram.Rungs[r];
        for (int w = 0; w < kRows; ++w) {
            for (int g = 1; g < kColumns; g += 2) {
                const int32_t code = rung.Code(g, w), n = rung.Index(g, w);
                if (IsTimerBox(code) && n >= 1 && n <= kTimers) memory.Timers[n].Used = true;
                if (IsCounterBox(code) && n >= 1 && n <= kCounters) memory.Counters[n].Used = true;
            }
        }
    }
}

bool IsNewHeader(std::string_view header) {
    return header.size() >= 4 && header.substr(1, 3) == "New";
}

// Thrown where the data ends while the structure still needs a line.
struct EndOfData {};

// The next line the structure needs; a line cut short by the end of the data is not one.
std::string_view NeedLine(TextLines& lines) {
    if (lines.atEnd()) throw EndOfData();
    const std::string_view line = lines.next();
    if (lines.atEnd() && lines.endsMidLine()) throw EndOfData();
    return line;
}

// Reads into a diagram and memory image of its own; the caller takes them over.
class OldReader {
public:
    OldReader(Diagram& diagram, MemoryImage& memory, std::string_view text,
              const std::string& fileName, bool finnish, LoadResult& result)
        : diagram_(diagram),
          memory_(memory),
          lines_(text),
          fileName_(fileName),
          finnish_(finnish),
          result_(result) {}

    // The diagram file after a header that is new enough. A file cut short is read as far as
    // it goes, with a warning. Throws FileFormatError, its message led by the file and line.
    void ReadAll();
    // False when the comment file could not be read.
    bool ReadComments(const FileBytes& commentFile);
    void Finish();

private:
    bool stored(int64_t rung) const { return rung < storedRungs_; }
    RungRecord& rung(int64_t r) { return diagram_.Rungs[static_cast<size_t>(r)]; }
    std::string_view line() { return NeedLine(lines_); }
    void readAll();
    void readRungs();
    void readTimers();
    void readBranches();
    std::string endsHere() const;

    Diagram& diagram_;
    MemoryImage& memory_;
    TextLines lines_;
    const std::string& fileName_;
    const bool finnish_;
    LoadResult& result_;
    int timers_ = kOldTimersShort;
    int64_t lastRung_ = -1;
    int64_t storedRungs_ = 0;
    std::vector<int32_t> sources_;
    std::vector<std::string> leftOutBranches_;
    // Where reading is, for a file that ends early: a rung (with its branch lines) or a
    // timer block.
    bool inTimers_ = false;
    int64_t at_ = 0;
};

void OldReader::ReadAll() {
    try {
        readAll();
    } catch (const EndOfData&) {
        result_.warnings.push_back(endsHere());
    } catch (const FileFormatError& e) {
        throw FileFormatError(AtLine(fileName_, lines_.number(), finnish_) + e.what());
    }
}

std::string OldReader::endsHere() const {
    return inTimers_
               ? EndsInsideTimerBlock(fileName_, static_cast<int>(at_), finnish_)
               : EndsInsideRung(fileName_, static_cast<int>(std::min<int64_t>(at_, INT32_MAX)),
                                finnish_);
}

void OldReader::readAll() {
    if (line() == "\"New8\"") timers_ = kOldTimersLong;
    std::string_view count = line();
    const bool shiftSources = count == "\"ShiftRegisters\"";
    if (shiftSources) count = line();
    lastRung_ = StrictIntOrThrow(count);
    storedRungs_ = std::clamp<int64_t>(lastRung_ + 1, 0, kMaxRungs);
    if (shiftSources)
        for (at_ = 0; at_ <= lastRung_; ++at_) {
            const int32_t source = StrictIntOrThrow(line());
            if (stored(at_)) sources_.push_back(source);
        }
    readRungs();
    readTimers();
    readBranches();
}

void OldReader::readRungs() {
    for (at_ = 0; at_ <= lastRung_; ++at_) {
        // Made first: a rung cut short keeps the cells it holds.
        if (stored(at_)) diagram_.NewRung(static_cast<int>(at_));
        line();
        StrictIntOrThrow(line());
        for (int w = 0; w < kRows; ++w)
            for (int c = 0; c < kControlColumns; ++c) {
                const std::string_view cell = line();
                if (stored(at_)) OldCellLine(rung(at_), c, w, cell);
            }
        line();
    }
}

void OldReader::readTimers() {
    inTimers_ = true;
    for (at_ = 1; at_ <= timers_; ++at_) {
        const int k = static_cast<int>(at_);
        line();
        const int64_t preset = int64_t{StrictIntOrThrow(line())} * 1000;
        memory_.Timers[k].Preset =
            static_cast<int32_t>(std::clamp<int64_t>(preset, INT32_MIN, INT32_MAX));
        memory_.Counters[k].Count = StrictIntOrThrow(line());
        memory_.Counters[k].Preset = StrictIntOrThrow(line());
    }
    inTimers_ = false;
}

void OldReader::readBranches() {
    for (at_ = 0; at_ <= lastRung_; ++at_) {
        const int64_t r = at_;
        bool down = false;
        for (int k = 0; k < timers_; ++k) down |= line() == "-1";
        if (down && stored(r)) rung(r).setCode(kOutputColumn, 0, Control::CDN);
        for (int w = 0; w < kRows; ++w) {
            int32_t ends[2] = {0, 0};
            bool bothGiven = true;
            for (int32_t& end : ends) {
                const std::string_view text = line();
                if (text.empty()) {
                    bothGiven = false;
                    continue;
                }
                end = StrictIntOrThrow(text[0] == '"' ? Unquoted(text) : text);
            }
            if (!bothGiven || !stored(r) || (ends[0] % 10 <= 0 && ends[1] % 10 <= 0)) continue;
            if (!AddOldBranch(rung(r), w, ends[0] / 10, ends[1] / 10))
                leftOutBranches_.push_back("rung " + std::to_string(r) + ", row " +
                                           std::to_string(w));
        }
    }
}

bool OldReader::ReadComments(const FileBytes& commentFile) {
    if (!commentFile.ok) return false;
    TextLines comments(commentFile.bytes);
    for (int r = 0; r < diagram_.RungCount(); ++r) {
        std::string_view line;
        try {
            line = NeedLine(comments);
        } catch (const EndOfData&) {
            result_.warnings.push_back(EndsInsideRung(commentFile.path, r, finnish_));
            break;
        }
        rung(r).setComment(Unquoted(line));
        if (line != "\"\"") result_.commentsShown = true;
    }
    return true;
}

void OldReader::Finish() {
    const int rungs = diagram_.RungCount();
    for (size_t r = 0; r < sources_.size() && r < static_cast<size_t>(rungs); ++r)
        ApplyOldShiftSource(rung(static_cast<int64_t>(r)), sources_[r]);
    for (int r = 0; r < rungs; ++r) RebuildOldOutputs(rung(r));
    if (lastRung_ + 1 > kMaxRungs)
        result_.warnings.push_back("The file holds " + std::to_string(lastRung_ + 1) +
                                   " rungs; only rungs 0 to " + std::to_string(kMaxRungs - 1) +
                                   " were imported");
    if (!leftOutBranches_.empty())
        result_.warnings.push_back("Branches reaching outside the rung were left out: " +
                                   ListNames(leftOutBranches_));
    if (std::string cleared = ClearedCellsWarning(ClearInvalidOperands(diagram_)); !cleared.empty())
        result_.warnings.push_back(std::move(cleared));
    MarkUsed(diagram_, memory_);
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
                         const FileBytes& commentFile, const std::string& fileName, bool finnish) {
    LoadResult result;
    if (!IsNewHeader(TextLines(diagram).next())) {
        Wipe(plc, comments);
        result.warnings.push_back("Too old a Torvex file format");
        return result;
    }
    // Built aside and taken over only when whole, so that an import that fails leaves the
    // diagram, the I/O comments and the timer and counter tables as they were.
    auto scratch = std::make_unique<Diagram>();
    MemoryImage memory = plc.memory;
    for (TimerRecord& timer : memory.Timers) timer.Used = false;
    for (CounterRecord& counter : memory.Counters) counter.Used = false;
    OldReader reader(*scratch, memory, diagram, fileName, finnish, result);
    auto refuse = [&](std::string error) {
        result.untouched = true;
        result.error = std::move(error);
        result.warnings.clear();
        result.commentsShown = false;
        return result;
    };
    try {
        reader.ReadAll();
    } catch (const FileFormatError& e) {
        return refuse(e.what());
    }
    if (!reader.ReadComments(commentFile)) return refuse(commentFile.error);
    reader.Finish();
    plc.diagram = std::move(*scratch);
    plc.memory = memory;
    comments.clear();
    result.completed = true;
    return result;
}

LoadResult DoOldLoad(Plc& plc, IOComments& comments, const std::string& fileName, bool finnish) {
    const FileBytes file = ReadWholeFile(fileName, finnish);
    if (!file.ok) {
        LoadResult result;
        result.untouched = true;
        result.error = file.error;
        return result;
    }
    return ImportOldText(plc, comments, file.bytes,
                         ReadWholeFile(OldCommentFileName(fileName), finnish), fileName, finnish);
}

}  // namespace torvex
