#include "tools/scenario.h"

#include <charconv>
#include <cmath>
#include <map>

#include "files/text_file.h"

namespace torvex {

namespace {

const std::map<std::string, PlantPoint, std::less<>>& Points() {
    static const std::map<std::string, PlantPoint, std::less<>> points = [] {
        std::map<std::string, PlantPoint, std::less<>> table;
        auto add = [&](PlantPoint p) { table.emplace(p.name, p); };
        for (int i = 0; i < kPoints; ++i) {
            const std::string n = std::to_string(i);
            add({PlantPoint::Input, i, 0, "IP" + n});
            add({PlantPoint::Output, i, 0, "OP" + n});
            add({PlantPoint::Flag, i, 0, "F" + n});
        }
        for (int r = 1; r <= kRegisters; ++r)
            for (int b = 0; b < kPoints; ++b)
                add({PlantPoint::RegisterBit, r, b,
                     "R" + std::to_string(r) + "/" + std::to_string(b)});
        for (int t = 1; t <= kTimers; ++t) {
            add({PlantPoint::TimerDone, t, 0, "T" + std::to_string(t) + "/DN"});
            add({PlantPoint::TimerElapsed, t, 0, "T" + std::to_string(t)});
        }
        for (int c = 1; c <= kCounters; ++c) {
            add({PlantPoint::CounterUp, c, 0, "C" + std::to_string(c) + "/UP"});
            add({PlantPoint::CounterDown, c, 0, "C" + std::to_string(c) + "/DN"});
            add({PlantPoint::CounterCount, c, 0, "C" + std::to_string(c)});
        }
        return table;
    }();
    return points;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t at = 0;
    while (true) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string_view::npos) break;
        const size_t end = std::min(line.find_first_of(" \t", at), line.size());
        words.push_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

class Parser {
public:
    Parser(Scenario& scenario, ScenarioError& error) : scenario_(scenario), error_(error) {}
    bool line(int number, std::string_view text);

private:
    bool fail(std::string message) {
        error_.line = lineNumber_;
        error_.message = std::move(message);
        return false;
    }
    bool time(std::string_view word, int64_t& scan);
    bool assignment(std::string_view word, ScenarioCommand::Type type,
                    ScenarioCommand::Assignment& out);
    bool figure(std::string_view word, ScenarioCommand::Type type, FigureCheck& out);

    Scenario& scenario_;
    ScenarioError& error_;
    int lineNumber_ = 0;
};

bool Parser::time(std::string_view word, int64_t& scan) {
    const std::optional<int64_t> ms = ParseSeconds(word);
    if (!ms)
        return fail(Quoted(word) +
                    " is not a time in seconds (0 to 1000000, at most three decimals)");
    scan = FirstScanAt(*ms);
    return true;
}

bool Parser::assignment(std::string_view word, ScenarioCommand::Type type,
                        ScenarioCommand::Assignment& out) {
    const size_t equals = word.find('=');
    if (equals == std::string_view::npos) return fail(Quoted(word) + " is not POINT=VALUE");
    const std::string_view name = word.substr(0, equals), value = word.substr(equals + 1);
    const std::optional<PlantPoint> point = FindPoint(name);
    if (!point) return fail("unknown point " + Quoted(name));
    if (type == ScenarioCommand::Set && point->kind != PlantPoint::Input)
        return fail("only inputs IP0 ... IP15 can be set, not " + Quoted(name));
    const std::optional<int32_t> number = StrictInt(value);
    if (point->isBit() && (!number || (*number != 0 && *number != 1)))
        return fail(Quoted(value) + " is not a value for " + point->name + " (0 or 1)");
    if (!number) return fail(Quoted(value) + " is not an integer value for " + point->name);
    out = {*point, *number};
    return true;
}

// "plant.NAME<OP>VALUE" with a decimal VALUE.
bool Parser::figure(std::string_view word, ScenarioCommand::Type type, FigureCheck& out) {
    if (type == ScenarioCommand::Set)
        return fail("only inputs IP0 ... IP15 can be set, not " + Quoted(word));
    const size_t op = word.find_first_of("<>=");
    const std::string_view name = word.substr(6, op == std::string_view::npos ? op : op - 6);
    if (op == std::string_view::npos || name.empty())
        return fail(Quoted(word) + " is not plant.NAME<OP>VALUE with <OP> one of = < <= > >=");
    static const std::pair<const char*, FigureCheck::Compare> kCompares[] = {
        {"<=", FigureCheck::LessOrEqual},
        {">=", FigureCheck::GreaterOrEqual},
        {"<", FigureCheck::Less},
        {">", FigureCheck::Greater},
        {"=", FigureCheck::Equal}};
    std::string_view rest = word.substr(op);
    for (const auto& [text, compare] : kCompares)
        if (rest.substr(0, std::char_traits<char>::length(text)) == text) {
            out.compare = compare;
            rest.remove_prefix(std::char_traits<char>::length(text));
            break;
        }
    // A plain decimal number: digits, at most one point, an optional minus sign in front.
    const std::string_view digits = rest.substr(!rest.empty() && rest[0] == '-');
    const size_t point = digits.find('.');
    const bool plain =
        !digits.empty() && digits.size() <= 16 && digits.front() != '.' && digits.back() != '.' &&
        digits.find_first_not_of("0123456789.") == std::string_view::npos &&
        (point == std::string_view::npos || digits.find('.', point + 1) == std::string_view::npos);
    if (!plain ||
        std::from_chars(rest.data(), rest.data() + rest.size(), out.value).ec != std::errc())
        return fail(Quoted(rest) + " is not a number for plant." + std::string(name));
    out.name = std::string(name);
    out.text = std::string(word.substr(op));
    return true;
}

bool Parser::line(int number, std::string_view text) {
    lineNumber_ = number;
    text = text.substr(0, text.find('#'));
    const std::vector<std::string_view> words = Words(text);
    if (words.empty()) return true;
    if (words[0] == "end") {
        if (words.size() != 2) return fail("'end' takes one time: end T");
        if (scenario_.endScan) return fail("'end' is given twice");
        int64_t scan = 0;
        if (!time(words[1], scan)) return false;
        scenario_.endScan = scan;
        return true;
    }
    if (words[0] != "at")
        return fail("unknown command " + Quoted(words[0]) +
                    ": a line is 'at T set P=V ...', 'at T expect P=V ...' or 'end T'");
    if (words.size() < 3 || (words[2] != "set" && words[2] != "expect"))
        return fail("'at T' is followed by 'set' or 'expect'");
    ScenarioCommand command;
    command.type = words[2] == "set" ? ScenarioCommand::Set : ScenarioCommand::Expect;
    command.line = number;
    if (!time(words[1], command.scan)) return false;
    if (words.size() < 4) return fail(std::string(words[2]) + " needs at least one POINT=VALUE");
    for (size_t i = 3; i < words.size(); ++i) {
        if (words[i].substr(0, 6) == "plant.") {
            FigureCheck f;
            if (!figure(words[i], command.type, f)) return false;
            command.figures.push_back(std::move(f));
            continue;
        }
        ScenarioCommand::Assignment a;
        if (!assignment(words[i], command.type, a)) return false;
        command.assignments.push_back(std::move(a));
    }
    scenario_.commands.push_back(std::move(command));
    return true;
}

}  // namespace

bool FigureCheck::holds(double figure) const {
    switch (compare) {
        case Less:
            return figure < value;
        case LessOrEqual:
            return figure <= value;
        case Greater:
            return figure > value;
        case GreaterOrEqual:
            return figure >= value;
        case Equal:
            break;
    }
    return figure == value;
}

std::optional<PlantPoint> FindPoint(std::string_view name) {
    const auto& points = Points();
    if (auto it = points.find(name); it != points.end()) return it->second;
    return std::nullopt;
}

int64_t PointValue(const MemoryImage& memory, const PlantPoint& point) {
    switch (point.kind) {
        case PlantPoint::Input:
            return memory.Inputs[point.number].Image;
        case PlantPoint::Output:
            return memory.Outputs[point.number].State;
        case PlantPoint::Flag:
            return memory.Flags[point.number].State;
        case PlantPoint::RegisterBit:
            return memory.Registers[point.number].Bits[point.bit];
        case PlantPoint::TimerDone:
            return memory.Timers[point.number].DoneImage;
        case PlantPoint::TimerElapsed:
            return memory.Timers[point.number].Elapsed;
        case PlantPoint::CounterUp:
            return memory.Counters[point.number].UpImage;
        case PlantPoint::CounterDown:
            return memory.Counters[point.number].DownImage;
        case PlantPoint::CounterCount:
            return memory.Counters[point.number].Count;
    }
    return 0;
}

std::optional<int64_t> ParseSeconds(std::string_view text) {
    const size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction = dot == std::string_view::npos ? "" : text.substr(dot + 1);
    if (whole.empty() || whole.size() > 7 || fraction.size() > 3) return std::nullopt;
    int64_t ms = 0;
    for (char ch : whole) {
        if (ch < '0' || ch > '9') return std::nullopt;
        ms = ms * 10 + (ch - '0');
    }
    int64_t scale = 100;
    ms *= 1000;
    for (char ch : fraction) {
        if (ch < '0' || ch > '9') return std::nullopt;
        ms += (ch - '0') * scale;
        scale /= 10;
    }
    if (ms > kLongestRunMilliseconds) return std::nullopt;
    return ms;
}

bool ParseScenario(std::string_view text, Scenario& scenario, ScenarioError& error) {
    // Plain text only: a Ctrl-Z would end the lines early, and the commands after it would
    // never be checked.
    int line = 1;
    for (size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte == '\n' || (byte == '\r' && (at + 1 == text.size() || text[at + 1] != '\n'))) {
            ++line;
            continue;
        }
        if ((byte >= 0x20 && byte != 0x7F) || byte == '\t' || byte == '\r') continue;
        error.line = line;
        error.message = "the control character " + VisibleText(text.substr(at, 1)) +
                        " is not allowed: a scenario is plain text";
        return false;
    }
    Parser parser(scenario, error);
    TextLines lines(text);
    for (int number = 1; !lines.atEnd(); ++number)
        if (!parser.line(number, lines.next())) return false;
    return true;
}

}  // namespace torvex
