#include "engine/branches.h"

#include <utility>

#include "engine/editing.h"

namespace torvex {

namespace {

using D = DeletionLink;

void Mark(RungRecord& rung, int column, int row) {
    rung.Power[column][row] = true;
    rung.Lit[column][row] = true;
}

// A link gaining an arm down to the row below.
int32_t WithArmDown(int32_t code) {
    switch (code) {
        case Link::NON:
            return Link::DWN;
        case Link::THR:
            return Link::BRA;
        case Link::RET:
            return Link::CRO;
        case Link::LEF:
            return Link::STA;
        case Link::RIG:
            return Link::FIN;
        default:
            return code;
    }
}

bool HasArmUp(int32_t code) {
    switch (code) {
        case Link::STA:
        case Link::FIN:
        case Link::CRO:
        case Link::RET:
        case Link::LEF:
        case Link::RIG:
        case Link::DWN:
            return true;
        default:
            return false;
    }
}

// Joins the end of a branch on `row` to the rows above: up to the first link that was there.
void Riser(RungRecord& rung, int column, int row) {
    for (int w = row - 1; w >= 0; --w) {
        const int32_t was = rung.Code(column, w);
        rung.setCode(column, w, WithArmDown(was));
        if (was != Link::NON) return;
    }
}

// What a marked link becomes when its branch is wiped.
int32_t Wiped(int32_t code) {
    switch (code) {
        case Link::STA:
        case Link::THR:
        case Link::BRA:
        case Link::LEF:
        case Link::RIG:
        case Link::DWN:
            return Link::NON;
        case Link::FIN:
        case D::delRRET:
        case D::delFIN2:
            return Link::RIG;
        case Link::CRO:
            return Link::RET;
        case D::delLCRO:
            return Link::STA;
        case D::delBRA:
            return Link::THR;
        case D::delLRET:
            return Link::LEF;
        case D::delFIN1:
        case D::delSTA:
            return Link::DWN;
        case D::delRCRO:
            return Link::FIN;
        default:
            return code;
    }
}

bool RowEmpty(const RungRecord& rung, int row) {
    for (int c = 0; c < kColumns - 1; ++c) {
        const int32_t code = rung.Code(c, row);
        if (IsControlColumn(c) ? code != Control::NON : code != Link::NON && code != Link::DWN)
            return false;
    }
    return true;
}

}  // namespace

RungBackup BackupRung(const RungRecord& rung) {
    RungBackup b;
    for (int c = 0; c < kColumns; ++c)
        for (int w = 0; w < kRows; ++w) {
            b.Code[c][w] = rung.Code(c, w);
            b.Kind[c][w] = rung.Kind(c, w);
            b.Index[c][w] = rung.Index(c, w);
            b.Lit[c][w] = rung.Lit[c][w];
        }
    return b;
}

void RestoreRung(RungRecord& rung, const RungBackup& backup) {
    for (int c = 0; c < kColumns; ++c)
        for (int w = 0; w < kRows; ++w) {
            rung.setCell(c, w, backup.Code[c][w], backup.Kind[c][w], backup.Index[c][w]);
            rung.Lit[c][w] = backup.Lit[c][w];
            // Outside a run Power holds only FindBranch's marks; a later WipeBranch would
            // take stale ones for a branch.
            rung.Power[c][w] = false;
        }
}

bool BranchStartAccepted(const Diagram& diagram, int rung, int column) {
    return RungInUse(diagram, rung) && column >= 0 && column <= kLastBranchControlColumn;
}

int BranchRow(const RungRecord& rung, int start, int end) {
    for (int w = 0; w < kRows; ++w) {
        bool empty = true;
        for (int c = start; c <= end && empty; ++c)
            empty = rung.Code(ControlGrid(c), w) == Control::NON;
        if (empty) return w;
    }
    return -1;
}

std::optional<BranchSpan> BranchFor(const Diagram& diagram, int rung, int first, int second) {
    if (!BranchStartAccepted(diagram, rung, first) || !BranchStartAccepted(diagram, rung, second))
        return std::nullopt;
    if (first > second) std::swap(first, second);
    const int row = BranchRow(diagram.Rungs[rung], first, second);
    if (row < 0) return std::nullopt;
    return BranchSpan{first, second, row};
}

void DrawBranch(RungRecord& rung, int start, int end, int row) {
    if (start > end) std::swap(start, end);
    if (start < 0 || end > kLastBranchControlColumn || row < 0 || row >= kRows) return;
    for (int c = start; c <= end; ++c) rung.setCell(ControlGrid(c), row, Control::LNK, 0, 0);
    for (int k = start + 1; k <= end; ++k) rung.setCode(LinkGrid(k), row, Link::THR);

    const int left = LinkGrid(start), right = LinkGrid(end + 1);
    int32_t code = rung.Code(left, row);
    if (start == 0)
        code = Link::STA;
    else if (code == Link::NON)
        code = Link::LEF;
    else if (code == Link::FIN)
        code = Link::CRO;
    else if (code == Link::RIG)
        code = Link::RET;
    else if (code == Link::DWN)
        code = Link::STA;
    rung.setCode(left, row, code);

    code = rung.Code(right, row);
    if (code == Link::NON)
        code = Link::RIG;
    else if (code == Link::STA)
        code = Link::CRO;
    else if (code == Link::LEF)
        code = Link::RET;
    else if (code == Link::DWN)
        code = Link::FIN;
    rung.setCode(right, row, code);

    Riser(rung, left, row);
    Riser(rung, right, row);
}

bool BranchClickAccepted(const Diagram& diagram, int rung, int column, int row) {
    // The output column's rows are wired by the editor itself, and its links to the rail
    // lie outside what a branch deletion rewrites.
    return RungInUse(diagram, rung) && column >= 0 && column < kOutputControlColumn && row > 0 &&
           row < kRows && diagram.Rungs[rung].Code(ControlGrid(column), row) != Control::NON;
}

void FindBranch(RungRecord& rung, int column, int row) {
    const int g = ControlGrid(column);
    if (!RungRecord::inGrid(g, row)) return;

    for (int c = g; c < kColumns; ++c) {
        Mark(rung, c, row);
        const int32_t code = rung.Code(c, row);
        if (!IsLinkColumn(c) || code == Link::THR || code == Link::BRA) continue;
        if (code == Link::FIN) rung.setCode(c, row, D::delFIN1);
        if (code == Link::CRO) rung.setCode(c, row, D::delLCRO);
        if (code == Link::RET) rung.setCode(c, row, D::delLRET);
        if (code == Link::RIG)
            for (int w = row - 1; w >= 0; --w) {
                Mark(rung, c, w);
                const int32_t up = rung.Code(c, w);
                if (up == Link::BRA || up == Link::FIN) {
                    rung.setCode(c, w, up == Link::BRA ? D::delBRA : D::delFIN2);
                    break;
                }
            }
        break;
    }

    for (int c = g - 1; c >= 0; --c) {
        Mark(rung, c, row);
        const int32_t code = rung.Code(c, row);
        if (!IsLinkColumn(c) || code == Link::THR || code == Link::BRA) continue;
        // A rail STA with nothing below it goes altogether; RestoreLinks mends the rail.
        const bool railEnd = c == 0 && (row == kRows - 1 || rung.Code(0, row + 1) == Link::NON);
        if (code == Link::STA && !railEnd) rung.setCode(c, row, D::delSTA);
        if (code == Link::CRO) rung.setCode(c, row, D::delRCRO);
        if (code == Link::RET) rung.setCode(c, row, D::delRRET);
        if (code == Link::LEF)
            for (int w = row - 1; w >= 0; --w) {
                const int32_t up = rung.Code(c, w);
                if (up == Link::STA) break;  // still feeds other rows
                Mark(rung, c, w);
                if (up == Link::BRA) {
                    rung.setCode(c, w, D::delBRA);
                    break;
                }
            }
        break;
    }
}

void WipeBranch(RungRecord& rung) {
    // The rail's column too: an imported branch may reach it, and no deletion link may stay.
    for (int c = 0; c < kColumns; ++c)
        for (int w = 0; w < kRows; ++w) {
            if (!rung.Power[c][w]) continue;
            const int32_t code = IsControlColumn(c) ? Control::NON : Wiped(rung.Code(c, w));
            rung.setCell(c, w, code, 0, 0);
            rung.Power[c][w] = false;
            rung.Lit[c][w] = false;
        }
}

void RestoreLinks(RungRecord& rung) {
    constexpr int kMoved = kColumns - 1;  // the rail's links (column 20) stay in their rows
    for (int e = 0; e < kRows; ++e) {
        if (!RowEmpty(rung, e)) continue;
        for (int w = e + 1; w < kRows; ++w)
            for (int c = 0; c < kMoved; ++c)
                rung.setCell(c, w - 1, rung.Code(c, w), rung.Kind(c, w), rung.Index(c, w));
        if (e < kRows - 1)
            for (int c = 0; c < kMoved; ++c) rung.setCell(c, kRows - 1, 0, 0, 0);
        break;
    }

    for (int w = kRows - 1; w >= 1; --w)
        for (int k = 0; k < kLinkColumns - 1; ++k) {
            const int c = LinkGrid(k);
            const int32_t above = rung.Code(c, w - 1);
            if (HasArmUp(rung.Code(c, w)))
                rung.setCode(c, w - 1, WithArmDown(above));
            else if (above == Link::STA && k != 0)
                rung.setCode(c, w - 1, Link::LEF);
        }

    auto rail = [&](int w) { return rung.Code(0, w); };
    auto clearRail = [&](int from) {
        for (int w = from; w < kRows; ++w) rung.setCell(0, w, Link::NON, 0, 0);
    };
    if (rail(3) == Link::DWN) clearRail(3);
    if (rail(2) == Link::DWN && rail(3) != Link::STA) clearRail(2);
    if (rail(1) == Link::DWN && rail(2) != Link::STA &&
        !(rail(2) == Link::DWN && rail(3) == Link::STA))
        clearRail(1);
}

}  // namespace torvex
