#include "engine/diagram.h"

#include <algorithm>

namespace torvex {

void RungRecord::setCode(int column, int row, int32_t code) {
    if (!inGrid(column, row)) return;
    code_[column][row] = code;
    prepared_ = false;
}

void RungRecord::setKind(int column, int row, int32_t kind) {
    if (!inGrid(column, row)) return;
    kind_[column][row] = kind;
    prepared_ = false;
}

void RungRecord::setIndex(int column, int row, int32_t index) {
    if (!inGrid(column, row)) return;
    index_[column][row] = index;
    prepared_ = false;
}

void RungRecord::setCell(int column, int row, int32_t code, int32_t kind, int32_t index) {
    if (!inGrid(column, row)) return;
    code_[column][row] = code;
    kind_[column][row] = kind;
    index_[column][row] = index;
    prepared_ = false;
}

void RungRecord::setComment(std::string_view text) {
    comment_.assign(text.substr(0, kCommentMax));
}

void RungRecord::clear() {
    *this = RungRecord();
}

void RungRecord::makeNew() {
    clear();
    code_[0][0] = Link::STA;
    for (int c = 1; c < kColumns - 1; ++c)
        code_[c][0] = IsControlColumn(c) ? int32_t{Control::LNK} : int32_t{Link::THR};
    code_[kColumns - 1][0] = Link::FIN;
}

void Diagram::setRungCount(int count) {
    rungCount_ = std::clamp(count, 0, kMaxRungs);
}

bool Diagram::NewRung(int index) {
    if (index < 0 || index >= kMaxRungs || rungCount_ >= kMaxRungs) return false;
    Rungs[index].makeNew();
    ++rungCount_;
    return true;
}

void Diagram::clear() {
    for (RungRecord& rung : Rungs) rung.clear();
    rungCount_ = 0;
}

}  // namespace torvex
