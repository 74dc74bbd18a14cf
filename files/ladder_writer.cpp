#include "files/ladder_writer.h"

#include "files/text_file.h"

namespace torvex {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Rungs and comment sections are only as large as these; reserving avoids regrowth.
constexpr size_t kRungBytes = 4 * (kBannerLength + 2) + 8 * 32 + 8 * 35 + 4 * 2;

std::string Field(int32_t value) {
    std::string digits = std::to_string(value);
    return Copies(3 - static_cast<int>(digits.size()), " ") + digits;
}

std::string Mnemonics(const RungRecord& rung, int row, int first, const char* (*name)(int32_t)) {
    std::string text;
    text.reserve(33);
    for (int g = first; g < kColumns; g += 2)
        if (const char* token = name(rung.Code(g, row))) text += token;
    return text;
}

}  // namespace

std::string Copies(int count, std::string_view text) {
    std::string result;
    for (int i = 0; i < count; ++i) result += text;
    return result;
}

std::string MakeForty(std::string_view title) {
    std::string middle = " " + std::string(title) + " ";
    std::string line = Copies((kBannerLength - static_cast<int>(middle.size())) / 2, "-") + middle;
    return line + Copies(kBannerLength - static_cast<int>(line.size()), "-");
}

std::string LineControls(const RungRecord& rung, int row) {
    return Mnemonics(rung, row, 1, &ControlMnemonic);
}

std::string LineLinks(const RungRecord& rung, int row) {
    return Mnemonics(rung, row, 0, &LinkMnemonic);
}

std::string LineTypes(const RungRecord& rung, int row) {
    std::string text;
    for (int g = 1; g < kColumns; g += 2) text += Field(rung.Kind(g, row));
    return text;
}

std::string LineIndexes(const RungRecord& rung, int row) {
    std::string text;
    for (int g = 1; g < kColumns; g += 2) text += Field(rung.Index(g, row));
    return text;
}

std::string FileSafeComment(std::string_view text) {
    std::string safe(text);
    for (char& ch : safe)
        if (ch == '\r' || ch == '\n' || ch == kCtrlZ) ch = ' ';
    return safe;
}

LadderWriter::LadderWriter(const Plc& plc, const IOComments& comments,
                           const DiagramSettings& settings)
    : plc_(plc), comments_(comments), settings_(settings) {}

void LadderWriter::line(std::string_view text) {
    text_ += text;
    text_ += kLineEnd;
}

void LadderWriter::banner(std::string_view title) {
    line(MakeForty(title));
}

void LadderWriter::rungBlock(int rung, const char* word,
                             std::string (*rowLine)(const RungRecord&, int)) {
    if (rung < 0 || rung >= kMaxRungs) return;
    banner("Rung " + std::to_string(rung) + " " + word);
    const RungRecord& record = plc_.diagram.Rungs[rung];
    for (int w = 0; w < kRows; ++w) line(rowLine(record, w));
    line("");
}

void LadderWriter::WriteRung(int rung) {
    WriteControls(rung);
    WriteTypes(rung);
    WriteIndexes(rung);
    WriteLinks(rung);
}

void LadderWriter::WriteControls(int rung) {
    rungBlock(rung, "Controls", &LineControls);
}
void LadderWriter::WriteTypes(int rung) {
    rungBlock(rung, "Types", &LineTypes);
}
void LadderWriter::WriteIndexes(int rung) {
    rungBlock(rung, "Indexes", &LineIndexes);
}
void LadderWriter::WriteLinks(int rung) {
    rungBlock(rung, "Links", &LineLinks);
}

void LadderWriter::ioComment(int group, int number) {
    const std::string* text = IOCommentSlot(comments_, group, number);
    if (!text) return;
    banner(std::string(IOCommentGroups()[group].word) + " Comment " + std::to_string(number));
    line(FileSafeComment(IOCommentText(*text)));
    line("");
}

void LadderWriter::WriteInputComment(int number) {
    ioComment(0, number);
}
void LadderWriter::WriteOutputComment(int number) {
    ioComment(1, number);
}
void LadderWriter::WriteFlagComment(int number) {
    ioComment(2, number);
}
void LadderWriter::WriteTimerComment(int number) {
    ioComment(3, number);
}
void LadderWriter::WriteCounterComment(int number) {
    ioComment(4, number);
}
void LadderWriter::WriteRegisterComment(int number) {
    ioComment(5, number);
}

void LadderWriter::WriteTimer(int number) {
    if (number < 1 || number > kTimers) return;
    banner("Timer " + std::to_string(number));
    line(std::to_string(plc_.memory.Timers[number].Preset));
    line("");
}

void LadderWriter::WriteOnDelay(int number) {
    if (number < 1 || number > kTimers) return;
    banner("OnDelay " + std::to_string(number));
    line("");
}

void LadderWriter::WriteCounter(int number) {
    if (number < 1 || number > kCounters) return;
    const CounterRecord& counter = plc_.memory.Counters[number];
    banner("Counter " + std::to_string(number));
    line(std::to_string(counter.Preset));
    line(std::to_string(counter.InitialCount));
    line("");
}

void LadderWriter::WriteSimulation() {
    banner("Simulation");
    line(SimulationName(settings_.currentSimulation));
    line("");
}

void LadderWriter::WriteControl() {
    banner("Control");
    line(ControlModeText(settings_.controlMode));
    line("");
}

void LadderWriter::WriteComment(int rung) {
    if (rung < 0 || rung >= kMaxRungs) return;
    banner("Comment " + std::to_string(rung));
    const std::string text = FileSafeComment(plc_.diagram.Rungs[rung].Comment());
    for (size_t at = 0; at < text.size(); at += kCommentPiece)
        line(std::string_view(text).substr(at, kCommentPiece));
    line("");
}

void LadderWriter::WriteComments() {
    banner("Comments");
    line(settings_.commentsShown ? "True" : "False");
    line("");
}

void LadderWriter::WriteAll() {
    const int rungCount = plc_.diagram.RungCount();
    text_.reserve(text_.size() + static_cast<size_t>(rungCount) * kRungBytes);
    for (int r = 0; r < rungCount; ++r) WriteRung(r);
    // Empty comments are left out: reading leaves them empty anyway.
    for (int g = 0; g < kIOCommentGroups; ++g)
        for (int n = IOCommentGroups()[g].first; n <= IOCommentGroups()[g].last; ++n)
            if (!IOCommentSlot(comments_, g, n)->empty()) ioComment(g, n);
    for (int n = 1; n <= kTimers; ++n) {
        if (!plc_.memory.Timers[n].Used) continue;
        WriteTimer(n);
        // After its Timer section: reading a Timer section clears the on-delay style.
        if (plc_.memory.Timers[n].OnDelayStyle) WriteOnDelay(n);
    }
    for (int n = 1; n <= kCounters; ++n)
        if (plc_.memory.Counters[n].Used) WriteCounter(n);
    if (settings_.simulationOpen) WriteSimulation();
    WriteControl();
    for (int r = 0; r < rungCount; ++r)
        if (!plc_.diagram.Rungs[r].Comment().empty()) WriteComment(r);
    WriteComments();
}

std::string LadderText(const Plc& plc, const IOComments& comments,
                       const DiagramSettings& settings) {
    LadderWriter writer(plc, comments, settings);
    writer.WriteAll();
    return writer.text();
}

std::string SaveLadder(const Plc& plc, const IOComments& comments, const DiagramSettings& settings,
                       const std::string& fileName, bool finnish) {
    return ReplaceFile(fileName, LadderText(plc, comments, settings), finnish);
}

}  // namespace torvex
