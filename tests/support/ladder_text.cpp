#include "tests/support/ladder_text.h"

#include <cstdlib>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "engine/ladder.h"

namespace torvex::test {

namespace {

[[noreturn]] void Bad(const std::string& token, const std::string& why) {
    throw std::invalid_argument("ladder text: '" + token + "': " + why);
}

int Number(const std::string& token, const std::string& text) {
    if (text.empty()) Bad(token, "number missing");
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0') Bad(token, "not a number: " + text);
    return static_cast<int>(v);
}

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.rfind(prefix, 0) == 0;
}

// A point written like IP3, OP0, F12, T1, C8, R2/5, T1/DN, C1/UP, C1/DN.
struct Point {
    enum Kind {
        Input,
        Output,
        Flag,
        Timer,
        Counter,
        RegisterBit,
        TimerDone,
        CounterUp,
        CounterDown
    };
    Kind kind;
    int number;  // point, timer, counter or register
    int bit = 0;
};

Point ParsePoint(const std::string& token, const std::string& text) {
    auto suffix = [&](const std::string& s) {
        return text.size() > s.size() && text.compare(text.size() - s.size(), s.size(), s) == 0;
    };
    auto middle = [&](size_t from, size_t cut) {
        return text.substr(from, text.size() - from - cut);
    };
    if (StartsWith(text, "IP")) return {Point::Input, Number(token, text.substr(2))};
    if (StartsWith(text, "OP")) return {Point::Output, Number(token, text.substr(2))};
    if (StartsWith(text, "F")) return {Point::Flag, Number(token, text.substr(1))};
    if (StartsWith(text, "T") && suffix("/DN"))
        return {Point::TimerDone, Number(token, middle(1, 3))};
    if (StartsWith(text, "C") && suffix("/UP"))
        return {Point::CounterUp, Number(token, middle(1, 3))};
    if (StartsWith(text, "C") && suffix("/DN"))
        return {Point::CounterDown, Number(token, middle(1, 3))};
    if (StartsWith(text, "T")) return {Point::Timer, Number(token, text.substr(1))};
    if (StartsWith(text, "C")) return {Point::Counter, Number(token, text.substr(1))};
    if (StartsWith(text, "R")) {
        size_t slash = text.find('/');
        if (slash == std::string::npos) Bad(token, "register bit needs R<n>/<bit>");
        return {Point::RegisterBit, Number(token, text.substr(1, slash - 1)),
                Number(token, text.substr(slash + 1))};
    }
    Bad(token, "unknown operand " + text);
}

// Kind and index of `operand` under the kind set of `code`.
void Operand(const std::string& token, int32_t code, const std::string& text, int32_t& kind,
             int32_t& index) {
    if (size_t comma = text.find(','); comma != std::string::npos) {
        kind = Number(token, text.substr(0, comma));
        index = Number(token, text.substr(comma + 1));
        return;
    }
    const Point p = ParsePoint(token, text);
    index = p.number;
    auto fail = [&]() { Bad(token, "operand does not suit the control"); };
    if (code == Control::NOC || code == Control::NCC) {
        switch (p.kind) {
            case Point::Input:
                kind = ContactKind::Input;
                return;
            case Point::Output:
                kind = ContactKind::Output;
                return;
            case Point::Flag:
                kind = ContactKind::Flag;
                return;
            case Point::RegisterBit:
                kind = p.number + 2;
                index = p.bit;
                return;
            case Point::CounterUp:
                kind = ContactKind::CounterUp;
                return;
            case Point::CounterDown:
                kind = ContactKind::CounterDown;
                return;
            case Point::TimerDone:
                kind = ContactKind::TimerDone;
                return;
            default:
                fail();
        }
    }
    if (code == Control::OUT || code == Control::LAT || code == Control::UNL) {
        switch (p.kind) {
            case Point::Output:
                kind = CoilKind::Output;
                return;
            case Point::Flag:
                kind = CoilKind::Flag;
                return;
            case Point::RegisterBit:
                kind = p.number + 1;
                index = p.bit;
                return;
            default:
                fail();
        }
    }
    if (code == Control::RES) {
        switch (p.kind) {
            case Point::Timer:
                kind = ResetKind::Timer;
                return;
            case Point::Counter:
                kind = ResetKind::Counter;
                return;
            case Point::RegisterBit:
                kind = p.number + 1;
                index = p.bit;
                return;
            default:
                fail();
        }
    }
    if (IsTimerBox(code)) {
        if (p.kind != Point::Timer) fail();
        kind = 0;
        return;
    }
    if (IsCounterBox(code)) {
        if (p.kind != Point::Counter) fail();
        kind = 0;
        return;
    }
    if (IsShift(code)) {
        switch (p.kind) {
            case Point::Input:
                kind = ShiftSourceKind::Input;
                return;
            case Point::Output:
                kind = ShiftSourceKind::Output;
                return;
            case Point::Flag:
                kind = ShiftSourceKind::Flag;
                return;
            case Point::TimerDone:
                kind = ShiftSourceKind::TimerDone;
                return;
            case Point::CounterUp:
                kind = ShiftSourceKind::CounterUp;
                return;
            case Point::CounterDown:
                kind = ShiftSourceKind::CounterDown;
                return;
            case Point::RegisterBit:
                kind = ShiftSourceKind::RegisterBit;
                index = 16 * p.number + p.bit;
                return;
            default:
                fail();
        }
    }
    Bad(token, "this control takes no operand");
}

constexpr const char* kDeletionLinks[] = {"delBRA",  "delLRET", "delRRET", "delFIN1",
                                          "delFIN2", "delSTA",  "delLCRO", "delRCRO"};

int32_t LinkCode(const std::string& token) {
    if (token == "-") return Link::THR;
    if (token == ".") return Link::NON;
    for (int32_t i = 0; i < static_cast<int32_t>(std::size(kDeletionLinks)); ++i)
        if (token == kDeletionLinks[i]) return Link::FirstDeletion + i;
    return LinkFromMnemonic(token);
}

std::string LinkToken(int32_t code) {
    if (code == Link::THR) return "-";
    if (code == Link::NON) return ".";
    if (code >= Link::FirstDeletion && code <= Link::LastDeletion)
        return kDeletionLinks[code - Link::FirstDeletion];
    if (const char* name = LinkMnemonic(code)) return name;
    return "?" + std::to_string(code);
}

// The operand as ParsePoint reads it, or the raw "kind,index" when it names no point.
std::string OperandText(int32_t code, int32_t kind, int32_t index) {
    const std::string n = std::to_string(index);
    const std::string raw = std::to_string(kind) + "," + n;
    auto reg = [&](int32_t r, int32_t bit) {
        return "R" + std::to_string(r) + "/" + std::to_string(bit);
    };
    if (!IsValidOperand(code, kind, index)) return raw;
    if (code == Control::NOC || code == Control::NCC) {
        switch (kind) {
            case ContactKind::Input:
                return "IP" + n;
            case ContactKind::Output:
                return "OP" + n;
            case ContactKind::Flag:
                return "F" + n;
            case ContactKind::CounterUp:
                return "C" + n + "/UP";
            case ContactKind::CounterDown:
                return "C" + n + "/DN";
            case ContactKind::TimerDone:
                return "T" + n + "/DN";
            default:
                return reg(kind - 2, index);
        }
    }
    if (code == Control::OUT || code == Control::LAT || code == Control::UNL) {
        if (kind == CoilKind::Output) return "OP" + n;
        if (kind == CoilKind::Flag) return "F" + n;
        return reg(kind - 1, index);
    }
    if (code == Control::RES) {
        if (kind == ResetKind::Timer) return "T" + n;
        if (kind == ResetKind::Counter) return "C" + n;
        return reg(kind - 1, index);
    }
    if (IsTimerBox(code)) return kind == 0 ? "T" + n : raw;
    if (IsCounterBox(code)) return kind == 0 ? "C" + n : raw;
    switch (kind) {
        case ShiftSourceKind::Input:
            return "IP" + n;
        case ShiftSourceKind::Output:
            return "OP" + n;
        case ShiftSourceKind::Flag:
            return "F" + n;
        case ShiftSourceKind::TimerDone:
            return "T" + n + "/DN";
        case ShiftSourceKind::CounterUp:
            return "C" + n + "/UP";
        case ShiftSourceKind::CounterDown:
            return "C" + n + "/DN";
        default:
            return reg(index / 16, index % 16);
    }
}

std::string ControlToken(const RungRecord& rung, int column, int row) {
    const int32_t code = rung.Code(column, row), kind = rung.Kind(column, row),
                  index = rung.Index(column, row);
    const char* name = ControlMnemonic(code);
    if (name == nullptr) return "?" + std::to_string(code);
    const bool bare = code == Control::NON || code == Control::LNK || IsBoxBottom(code);
    if (bare && kind == 0 && index == 0)
        return code == Control::NON ? "." : code == Control::LNK ? "-" : name;
    if (bare) return std::string(name) + ":" + std::to_string(kind) + "," + std::to_string(index);
    return std::string(name) + ":" + OperandText(code, kind, index);
}

void SetCell(RungRecord& rung, int column, int row, const std::string& token) {
    if (IsLinkColumn(column)) {
        int32_t code = LinkCode(token);
        if (code < 0) Bad(token, "not a link in column " + std::to_string(column));
        rung.setCell(column, row, code, 0, 0);
        return;
    }
    if (token == "-") return rung.setCell(column, row, Control::LNK, 0, 0);
    if (token == ".") return rung.setCell(column, row, Control::NON, 0, 0);
    const size_t colon = token.find(':');
    const int32_t code = ControlFromMnemonic(token.substr(0, colon));
    if (code < 0) Bad(token, "not a control in column " + std::to_string(column));
    int32_t kind = 0, index = 0;
    if (colon != std::string::npos) Operand(token, code, token.substr(colon + 1), kind, index);
    rung.setCell(column, row, code, kind, index);
}

void Fill(RungRecord& rung, const std::vector<std::string>& rows) {
    if (rows.size() > static_cast<size_t>(kRows)) Bad("", "more than four rows");
    rung.clear();
    for (size_t w = 0; w < rows.size(); ++w) {
        std::istringstream in(rows[w]);
        std::string token;
        int column = 0;
        while (in >> token) {
            if (column >= kColumns) Bad(token, "more than 21 columns in row " + std::to_string(w));
            SetCell(rung, column++, static_cast<int>(w), token);
        }
    }
}

std::vector<std::string> Rows(const bool (&cells)[kColumns][kRows]) {
    std::vector<std::string> rows(kRows);
    for (int w = 0; w < kRows; ++w)
        for (int c = 0; c < kColumns; ++c) rows[w] += cells[c][w] ? '1' : '0';
    return rows;
}

}  // namespace

void SetRung(Diagram& diagram, int index, const std::vector<std::string>& rows) {
    Fill(diagram.Rungs.at(index), rows);
    if (diagram.RungCount() < index + 1) diagram.setRungCount(index + 1);
}

RungRecord MakeRung(const std::vector<std::string>& rows) {
    RungRecord rung;
    Fill(rung, rows);
    return rung;
}

std::string Simple(const std::vector<std::string>& condition, const std::string& output) {
    std::string row = "STA";
    for (int c = 1; c < kOutputColumn; ++c) {
        const size_t slot = static_cast<size_t>(c / 2);
        if (IsControlColumn(c))
            row += " " + (slot < condition.size() ? condition[slot] : std::string("-"));
        else
            row += " -";
    }
    return row + " " + output + " FIN";
}

std::vector<std::string> FullRung(int seed) {
    std::vector<std::string> rows(kRows);
    for (int w = 0; w < kRows; ++w) {
        std::string row = "STA";
        for (int c = 1; c < kOutputColumn - 1; c += 2)
            row += " NOC:IP" + std::to_string((seed + w + c) % kPoints) + " -";
        row.back() = ' ';
        row += w == 0 ? "BRA" : w == kRows - 1 ? "RET" : "FIN";
        row += " OUT:OP" + std::to_string((seed + w) % kPoints);
        row += w == 0 ? " BRA" : w == kRows - 1 ? " RET" : " FIN";
        rows[w] = row;
    }
    return rows;
}

std::vector<std::string> PowerRows(const RungRecord& rung) {
    return Rows(rung.Power);
}
std::vector<std::string> LitRows(const RungRecord& rung) {
    return Rows(rung.Lit);
}

std::vector<std::string> RungRows(const RungRecord& rung) {
    std::vector<std::string> rows;
    for (int w = 0; w < kRows; ++w) {
        std::vector<std::string> tokens;
        for (int c = 0; c < kColumns; ++c)
            tokens.push_back(IsLinkColumn(c) ? LinkToken(rung.Code(c, w))
                                             : ControlToken(rung, c, w));
        while (!tokens.empty() && tokens.back() == ".") tokens.pop_back();
        std::string row;
        for (const std::string& t : tokens) row += (row.empty() ? "" : " ") + t;
        rows.push_back(row);
    }
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    return rows;
}

}  // namespace torvex::test
