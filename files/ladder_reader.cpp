#include "files/ladder_reader.h"

#include <algorithm>
#include <optional>

#include "files/cell_check.h"
#include "files/file_messages.h"
#include "files/ladder_writer.h"
#include "files/text_file.h"
#include "files/wipe.h"

namespace torvex {

namespace {

constexpr size_t kField = 3;

// The first field of a row line, removed from it; empty once the line is used up.
std::string_view TakeField(std::string_view& text) {
    std::string_view field = text.substr(0, kField);
    text.remove_prefix(field.size());
    return field;
}

void MnemonicsLine(RungRecord& rung, int row, std::string_view text, int first,
                   int32_t (*codeOf)(std::string_view)) {
    for (int g = first; g < kColumns; g += 2) {
        const int32_t code = codeOf(TakeField(text));
        if (code >= 0) rung.setCode(g, row, code);
    }
}

template <class Set>
void NumbersLine(std::string_view text, Set set) {
    for (int g = 1; g < kColumns && !text.empty(); g += 2) {
        std::string_view field = TakeField(text);
        field.remove_prefix(std::min(field.find_first_not_of(' '), field.size()));
        set(g, StrictIntOrThrow(field));
    }
}

// The banner's title without its dashes, to name a section in messages.
std::string Title(std::string_view banner) {
    const size_t first = banner.find_first_not_of("- ");
    if (first == std::string_view::npos) return VisibleText(banner);
    const size_t last = banner.find_last_not_of("- ");
    return VisibleText(banner.substr(first, last - first + 1));
}

// The token around the digit MaxNum finds; none when the line holds no digit.
std::optional<std::string_view> NumberToken(std::string_view line) {
    const int position = MaxNum(line);
    if (position == 0) return std::nullopt;
    size_t first = static_cast<size_t>(position - 1);
    size_t last = first;
    while (first > 0 && line[first - 1] != ' ') --first;
    while (last + 1 < line.size() && line[last + 1] != ' ') ++last;
    return line.substr(first, last - first + 1);
}

// Thrown where the data ends while the open section still needs a line.
struct EndOfData {};

class LadderReader {
public:
    LadderReader(Plc& plc, IOComments& comments, std::string_view text, const std::string& fileName,
                 bool finnish, LoadResult& result)
        : plc_(plc),
          comments_(comments),
          lines_(text),
          fileName_(fileName),
          finnish_(finnish),
          result_(result) {}

    // Steps 3 and 4 of the load: every section of the file. Throws FileFormatError, its
    // message led by the file, section and line.
    void ReadAll();
    // What the load found that the user should hear of, besides the error.
    void Finish();

private:
    void sections();
    void section(std::string_view banner);
    bool numbered(std::string_view banner, int32_t n);
    // A data line of the open section; a line cut short by the end of the data is not one.
    std::string_view data();
    // The empty line that closes a section must follow its data.
    void closing();

    void ReadControls(int rung);
    void ReadTypes(int rung);
    void ReadIndexes(int rung);
    void ReadLinks(int rung);
    void ReadIOComment(int group, int number);
    void ReadTimer(int number);
    void ReadOnDelay(int number);
    void ReadCounter(int number);
    int ReadSimulation();
    void ReadControl();
    void ReadComment(int rung);
    bool ReadComments();

    void rows(int rung, void (*decode)(RungRecord&, int, std::string_view));

    Plc& plc_;
    IOComments& comments_;
    TextLines lines_;
    const std::string& fileName_;
    const bool finnish_;
    LoadResult& result_;
    ControlMenuMode checked_ = ControlMenuMode::Debugger;
    bool simulationRead_ = false;
    std::vector<std::string> skipped_;
    std::string section_;   // the title of the section being read; empty between sections
    int pendingRung_ = -1;  // the rung whose blocks were read last, until its Links block
    std::vector<int> commentRungs_;
};

void LadderReader::ReadAll() {
    plc_.diagram.setRungCount(0);
    try {
        sections();
    } catch (const EndOfData&) {
        result_.warnings.push_back(EndsInsideSection(fileName_, section_, finnish_));
    } catch (const FileFormatError& e) {
        throw FileFormatError(
            (section_.empty() ? AtLine(fileName_, lines_.number(), finnish_)
                              : InSectionAtLine(fileName_, section_, lines_.number(), finnish_)) +
            e.what());
    }
}

void LadderReader::sections() {
    while (!lines_.atEnd()) {
        const std::string_view line = lines_.next();
        if (line.size() == kBannerLength) section(line);
        if (lines_.atEnd() && lines_.endsMidLine()) {
            result_.warnings.push_back(EndsMidLine(fileName_, lines_.number(), finnish_));
            return;
        }
    }
    // A rung is written as four blocks; a file that stops before the last is cut short.
    if (pendingRung_ >= 0)
        result_.warnings.push_back(EndsInsideRung(fileName_, pendingRung_, finnish_));
}

std::string_view LadderReader::data() {
    if (lines_.atEnd()) throw EndOfData();
    const std::string_view line = lines_.next();
    if (lines_.atEnd() && lines_.endsMidLine()) throw EndOfData();
    return line;
}

void LadderReader::closing() {
    if (lines_.atEnd()) throw EndOfData();
}

void LadderReader::section(std::string_view banner) {
    section_.clear();
    int32_t n = 0;
    if (!LineValue(banner, n)) {
        section_ = Title(banner);
        if (Singly("Simulation", banner)) {
            if (const int found = ReadSimulation(); found > 0) {
                simulationRead_ = true;
                result_.simulation = found;
                checked_ = ControlMenuMode::InternalSimulation;
            }
        }
        if (Singly("Control", banner) && !simulationRead_) ReadControl();
        if (Singly("Comments", banner)) result_.commentsShown = ReadComments();
        if (Singly("Simulation", banner) || Singly("Control", banner) ||
            Singly("Comments", banner)) {
            closing();
            pendingRung_ = -1;
        }
        section_.clear();
        return;
    }
    if (!numbered(banner, n)) skipped_.push_back(Title(banner));
    section_.clear();
}

// False when the section's number lies outside the model; its data lines are then left for
// the main loop, which passes over them.
bool LadderReader::numbered(std::string_view banner, int32_t n) {
    // A rung comment ends at its closing line; every other section is followed by one.
    auto read = [&](bool inModel, auto&& reader, bool readsClosingLine = false) {
        if (!inModel) return false;
        section_ = Title(banner);
        pendingRung_ = -1;
        reader();
        if (!readsClosingLine) closing();
        return true;
    };
    const bool rung = n >= 0 && n < kMaxRungs;
    if (Both("Rung", "Controls", banner)) return read(rung, [&] { ReadControls(n); });
    if (Both("Rung", "Types", banner)) return read(rung, [&] { ReadTypes(n); });
    if (Both("Rung", "Indexes", banner)) return read(rung, [&] { ReadIndexes(n); });
    if (Both("Rung", "Links", banner)) return read(rung, [&] { ReadLinks(n); });
    for (int g = 0; g < kIOCommentGroups; ++g)
        if (Both(IOCommentGroups()[g].word, "Comment", banner))
            return read(IOCommentSlot(comments_, g, n) != nullptr, [&] { ReadIOComment(g, n); });
    const bool timer = n >= 1 && n <= kTimers;
    if (Singly("Timer", banner)) return read(timer, [&] { ReadTimer(n); });
    if (Singly("OnDelay", banner)) return read(timer, [&] { ReadOnDelay(n); });
    if (Singly("Counter", banner)) return read(n >= 1 && n <= kCounters, [&] { ReadCounter(n); });
    if (Singly("Comment", banner))
        return read(
            rung, [&] { ReadComment(n); }, true);
    return true;  // an unknown banner is passed over without a word
}

void LadderReader::rows(int rung, void (*decode)(RungRecord&, int, std::string_view)) {
    RungRecord& record = plc_.diagram.Rungs[rung];
    for (int w = 0; w < kRows; ++w) decode(record, w, data());
}

void LadderReader::ReadControls(int rung) {
    // Counted first: a block cut short still shows the rows it holds.
    if (plc_.diagram.RungCount() < rung + 1) plc_.diagram.setRungCount(rung + 1);
    pendingRung_ = rung;
    rows(rung, &ControlsLine);
}

void LadderReader::ReadTypes(int rung) {
    pendingRung_ = rung;
    rows(rung, &TypesLine);
}
void LadderReader::ReadIndexes(int rung) {
    pendingRung_ = rung;
    rows(rung, &IndexesLine);
}
void LadderReader::ReadLinks(int rung) {
    pendingRung_ = rung;
    rows(rung, &LinksLine);
    pendingRung_ = -1;
}

void LadderReader::ReadIOComment(int group, int number) {
    *IOCommentSlot(comments_, group, number) = IOCommentText(data());
}

void LadderReader::ReadTimer(int number) {
    TimerRecord& timer = plc_.memory.Timers[number];
    timer.Preset = StrictIntOrThrow(data());
    timer.Used = true;
    timer.OnDelayStyle = false;
}

void LadderReader::ReadOnDelay(int number) {
    plc_.memory.Timers[number].OnDelayStyle = true;
}

void LadderReader::ReadCounter(int number) {
    CounterRecord& counter = plc_.memory.Counters[number];
    counter.Preset = StrictIntOrThrow(data());
    counter.Used = true;
    counter.InitialCount = StrictIntOrThrow(data());
}

int LadderReader::ReadSimulation() {
    const std::string_view name = data();
    if (name.empty()) return 0;
    const int found = SimulationNumber(name);
    if (found == 0) result_.warnings.push_back("The simulation is not available");
    return found;
}

void LadderReader::ReadControl() {
    checked_ = data() == ControlModeText(ControlMenuMode::ExternalPLC)
                   ? ControlMenuMode::ExternalPLC
                   : ControlMenuMode::Debugger;
}

void LadderReader::ReadComment(int rung) {
    RungRecord& record = plc_.diagram.Rungs[rung];
    commentRungs_.push_back(rung);
    for (;;) {
        const std::string_view piece = data();
        if (piece.empty()) break;
        if (record.Comment().size() < static_cast<size_t>(kCommentMax))
            record.setComment(record.Comment() + std::string(piece));
    }
}

bool LadderReader::ReadComments() {
    return data() == "True";
}

void LadderReader::Finish() {
    // A file naming External PLC without a simulation has nothing to run that mode with.
    if (checked_ == ControlMenuMode::ExternalPLC && result_.simulation == 0)
        checked_ = ControlMenuMode::Debugger;
    result_.controlMode = checked_;
    if (!skipped_.empty())
        result_.warnings.push_back(
            "Sections whose number lies outside the diagram's tables were skipped: " +
            ListNames(skipped_));
    result_.clearedCells = ClearInvalidOperands(plc_.diagram);
    if (std::string cleared = ClearedCellsWarning(result_.clearedCells); !cleared.empty())
        result_.warnings.push_back(std::move(cleared));
    if (!result_.completed) return;
    // A comment beyond the last rung would be dropped by the next save without a word.
    std::vector<int> beyond;
    for (int rung : commentRungs_) {
        RungRecord& record = plc_.diagram.Rungs[rung];
        if (rung < plc_.diagram.RungCount() || record.Comment().empty()) continue;
        record.setComment({});
        beyond.push_back(rung);
    }
    if (!beyond.empty())
        result_.warnings.push_back(CommentsBeyondRungs(fileName_, beyond, finnish_));
}

}  // namespace

DiagramSettings LoadResult::settingsAfterLoad() const {
    DiagramSettings settings;
    settings.controlMode = controlMode;
    settings.simulationOpen = simulation > 0;
    if (simulation > 0) settings.currentSimulation = simulation;
    settings.commentsShown = commentsShown;
    return settings;
}

int MaxNum(std::string_view line) {
    int position = 0;
    for (char digit = '0'; digit <= '9'; ++digit)
        if (const size_t at = line.find(digit); at != std::string_view::npos)
            position = std::max(position, static_cast<int>(at) + 1);
    return position;
}

bool LineValue(std::string_view line, int32_t& number) {
    const std::optional<std::string_view> token = NumberToken(line);
    if (!token) return false;
    number = StrictIntOrThrow(*token);
    return true;
}

bool IsSectionBanner(std::string_view line) {
    if (line.size() != kBannerLength || line.front() != '-' || line.back() != '-') return false;
    const std::optional<std::string_view> token = NumberToken(line);
    if (!token)
        return Singly("Simulation", line) || Singly("Control", line) || Singly("Comments", line);
    if (!StrictInt(*token)) return false;
    for (const char* block : {"Controls", "Types", "Indexes", "Links"})
        if (Both("Rung", block, line)) return true;
    // Every comment section, the I/O points' too, says "Comment".
    for (const char* word : {"Timer", "OnDelay", "Counter", "Comment"})
        if (Singly(word, line)) return true;
    return false;
}

bool Both(std::string_view word1, std::string_view word2, std::string_view line) {
    return Singly(word1, line) && Singly(word2, line);
}

bool Singly(std::string_view word, std::string_view line) {
    return line.find(word) != std::string_view::npos;
}

void ControlsLine(RungRecord& rung, int row, std::string_view text) {
    MnemonicsLine(rung, row, text, 1, &ControlFromMnemonic);
}

void LinksLine(RungRecord& rung, int row, std::string_view text) {
    MnemonicsLine(rung, row, text, 0, &LinkFromMnemonic);
}

void TypesLine(RungRecord& rung, int row, std::string_view text) {
    NumbersLine(text, [&](int g, int32_t v) { rung.setKind(g, row, v); });
}

void IndexesLine(RungRecord& rung, int row, std::string_view text) {
    NumbersLine(text, [&](int g, int32_t v) { rung.setIndex(g, row, v); });
}

LoadResult LoadLadderText(Plc& plc, IOComments& comments, std::string_view text,
                          const std::string& fileName, bool finnish) {
    LoadResult result;
    // Looked for before anything is cleared: a file that is no diagram changes nothing.
    bool holdsSection = false;
    for (TextLines lines(text); !holdsSection && !lines.atEnd();)
        holdsSection = IsSectionBanner(lines.next());
    if (!holdsSection) {
        result.untouched = true;
        result.error = NotADiagram(fileName, finnish);
        return result;
    }
    Wipe(plc, comments);
    LadderReader reader(plc, comments, text, fileName, finnish, result);
    try {
        reader.ReadAll();
        result.completed = true;
    } catch (const FileFormatError& e) {
        result.error = e.what();
    }
    reader.Finish();
    return result;
}

LoadResult LoadFile(Plc& plc, IOComments& comments, const std::string& fileName, bool finnish) {
    const FileBytes file = ReadWholeFile(fileName, finnish);
    if (!file.ok) {
        LoadResult result;
        result.untouched = true;
        result.error = file.error;
        return result;
    }
    return LoadLadderText(plc, comments, file.bytes, fileName, finnish);
}

}  // namespace torvex
