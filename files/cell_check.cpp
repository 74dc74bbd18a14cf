#include "files/cell_check.h"

namespace torvex {

namespace {

constexpr size_t kNamesListed = 20;

constexpr bool FitsField(int32_t value) {
    return value >= -99 && value <= 999;
}

}  // namespace

bool CellOperandFits(int32_t code, int32_t kind, int32_t index) {
    if (!FitsField(kind) || !FitsField(index)) return false;
    switch (code) {
        case Control::TBT:
            return IsValidOperand(Control::TIM, kind, index);
        case Control::CBT:
            return IsValidOperand(Control::CUP, kind, index);
        case Control::BBT:
            return IsValidOperand(Control::BL1, kind, index);
        default:
            return IsValidOperand(code, kind, index);
    }
}

std::vector<ClearedCell> ClearInvalidOperands(Diagram& diagram) {
    std::vector<ClearedCell> cleared;
    for (int r = 0; r < diagram.RungCount(); ++r) {
        RungRecord& rung = diagram.Rungs[r];
        for (int w = 0; w < kRows; ++w) {
            for (int c = 0; c < kControlColumns; ++c) {
                const int g = 2 * c + 1;
                const int32_t code = rung.Code(g, w);
                if (CellOperandFits(code, rung.Kind(g, w), rung.Index(g, w))) continue;
                const bool carriesOperand = code != Control::NON && code != Control::LNK;
                rung.setCell(g, w, carriesOperand ? int32_t{Control::NON} : code, 0, 0);
                cleared.push_back({r, w, c});
            }
        }
    }
    return cleared;
}

std::string ListNames(const std::vector<std::string>& names, bool finnish) {
    std::string text;
    for (size_t i = 0; i < names.size() && i < kNamesListed; ++i) {
        if (i > 0) text += "; ";
        text += names[i];
    }
    if (names.size() > kNamesListed)
        text += (finnish ? "; ja " : "; and ") + std::to_string(names.size() - kNamesListed) +
                (finnish ? " muuta" : " more");
    return text;
}

std::string ClearedCellsWarning(const std::vector<ClearedCell>& cells) {
    if (cells.empty()) return {};
    std::vector<std::string> names;
    names.reserve(cells.size());
    for (const ClearedCell& cell : cells)
        names.push_back("rung " + std::to_string(cell.rung) + ", row " + std::to_string(cell.row) +
                        ", column " + std::to_string(cell.column));
    return "Cells whose operand lies outside its table were cleared: " + ListNames(names);
}

}  // namespace torvex
