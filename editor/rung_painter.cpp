#include "editor/rung_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <functional>

#include "engine/ladder.h"

namespace torvex {

const QColor RungPainter::kSilver(192, 192, 192);
const QColor RungPainter::kRed(255, 0, 0);

namespace {

// Symbol tiles, each named after the control it draws, whatever caption the box shows (the
// latched on-delay timer TIM draws "RTO", the on-delay timer ODT "TON"). NOC ... CDN share
// their control codes.
enum Tile {
    kTileNone = 0,
    kTileNOC,
    kTileNCC,
    kTileOUT,
    kTileRES,
    kTileLAT,
    kTileUNL,
    kTileTIM,  // latched on-delay timer, box top
    kTileODT,  // on-delay timer, box top
    kTileCUP,
    kTileCDN,
    kTileBSL,    // BL1 ... BL4, box top
    kTileBSR,    // BR1 ... BR4, box top
    kTileTCBOT,  // TBT and CBT, the bottom of a timer's or counter's box
    kTileBSBOT,  // BBT, the bottom of a bit shift's box
    kTileLNK,
    kTileCount
};
static_assert(kTileCount == RungPainter::kSymbolTiles);
static_assert(int{kTileNOC} == Control::NOC && int{kTileTIM} == Control::TIM &&
              int{kTileODT} == Control::ODT && int{kTileCDN} == Control::CDN);

// Link codes that show a branch while its deletion is being confirmed: the tile of a link
// code with the arm to go in red.
enum DeletionLink : int32_t {
    kDelBRA = Link::FirstDeletion,  // BRA, S arm red
    kDelLRET,                       // RET, W arm red
    kDelRRET,                       // RET, E arm red
    kDelFIN1,                       // FIN, W arm red
    kDelFIN2,                       // FIN, S arm red
    kDelSTA,                        // STA, E arm red
    kDelLCRO,                       // CRO, W arm red
    kDelRCRO                        // CRO, E arm red
};
static_assert(int32_t{kDelRCRO} == Link::LastDeletion);

// A 3 x 5 pixel font for the captions inside the boxes.
struct PixelGlyph {
    char letter;
    const char* rows[5];
};
constexpr PixelGlyph kPixelFont[] = {
    {'B', {"110", "101", "110", "101", "110"}}, {'C', {"011", "100", "100", "100", "011"}},
    {'D', {"110", "101", "101", "101", "110"}}, {'L', {"100", "100", "100", "100", "111"}},
    {'N', {"110", "101", "101", "101", "101"}}, {'O', {"010", "101", "101", "101", "010"}},
    {'R', {"110", "101", "110", "101", "101"}}, {'S', {"011", "100", "010", "001", "110"}},
    {'T', {"111", "010", "010", "010", "010"}}, {'U', {"101", "101", "101", "101", "111"}},
};

void PixelText(QPainter& p, const QColor& ink, int x, int y, const char* text) {
    for (; *text; ++text, x += 4) {
        for (const PixelGlyph& g : kPixelFont) {
            if (g.letter != *text) continue;
            for (int r = 0; r < 5; ++r)
                for (int c = 0; c < 3; ++c)
                    if (g.rows[r][c] == '1') p.fillRect(QRect(x + c, y + r, 1, 1), ink);
        }
    }
}

// Strokes of the tiles, on the 1x pixel grid; the painter is scaled for other ratios.
void HLine(QPainter& p, const QColor& ink, int x0, int x1, int y) {
    p.fillRect(QRect(x0, y, x1 - x0 + 1, 1), ink);
}
void VLine(QPainter& p, const QColor& ink, int x, int y0, int y1) {
    p.fillRect(QRect(x, y0, 1, y1 - y0 + 1), ink);
}

constexpr int kWire = 13;       // pixel row of every wire
constexpr int kBoxInside = 19;  // room for text between the sides of a box

void Contact(QPainter& p, const QColor& ink, bool closed) {
    HLine(p, ink, 0, 15, kWire);
    VLine(p, ink, 15, 6, 20);
    VLine(p, ink, 16, 6, 20);
    VLine(p, ink, 23, 6, 20);
    VLine(p, ink, 24, 6, 20);
    HLine(p, ink, 24, 39, kWire);
    if (closed) {
        for (int i = 0; i <= 14; ++i) p.fillRect(QRect(13 + i, 20 - i, 1, 1), ink);
    }
}

void Coil(QPainter& p, const QColor& ink, const char* letter) {
    HLine(p, ink, 0, 13, kWire);
    HLine(p, ink, 26, 39, kWire);
    // "(" and ")" as pixel arcs.
    const int left[] = {16, 15, 14, 14, 13, 13, 13, 13, 13, 14, 14, 15, 16};
    for (int i = 0; i < 13; ++i) {
        p.fillRect(QRect(left[i], 7 + i, 1, 1), ink);
        p.fillRect(QRect(39 - left[i], 7 + i, 1, 1), ink);
    }
    if (letter) PixelText(p, ink, 18, 11, letter);
}

// The upper part of a box: wires in and out, the box's top and sides, and its caption.
void BoxTop(QPainter& p, const QColor& ink, const char* caption) {
    HLine(p, ink, 0, 7, kWire);
    HLine(p, ink, 32, 39, kWire);
    HLine(p, ink, 7, 32, 3);
    VLine(p, ink, 7, 3, 23);
    VLine(p, ink, 32, 3, 23);
    PixelText(p, ink, 20 - (4 * static_cast<int>(qstrlen(caption)) - 1) / 2, 5, caption);
}

void BoxBottom(QPainter& p, const QColor& ink, bool shift) {
    HLine(p, ink, 0, 7, kWire);
    HLine(p, ink, 32, 39, kWire);
    VLine(p, ink, 7, 0, 20);
    VLine(p, ink, 32, 0, 20);
    HLine(p, ink, 7, 32, 20);
    if (shift) {
        // The data input: a small arrow into the box on the left.
        p.fillRect(QRect(8, 12, 1, 3), ink);
        p.fillRect(QRect(9, 13, 1, 1), ink);
    }
}

void DrawSymbol(QPainter& p, int tile, const QColor& ink) {
    switch (tile) {
        case kTileNOC:
            Contact(p, ink, false);
            break;
        case kTileNCC:
            Contact(p, ink, true);
            break;
        case kTileOUT:
            Coil(p, ink, nullptr);
            break;
        case kTileRES:
            Coil(p, ink, "R");
            break;
        case kTileLAT:
            Coil(p, ink, "L");
            break;
        case kTileUNL:
            Coil(p, ink, "U");
            break;
        case kTileTIM:
            BoxTop(p, ink, "RTO");
            break;
        case kTileODT:
            BoxTop(p, ink, "TON");
            break;
        case kTileCUP:
            BoxTop(p, ink, "CTU");
            break;
        case kTileCDN:
            BoxTop(p, ink, "CTD");
            break;
        case kTileBSL:
            BoxTop(p, ink, "BSL");
            break;
        case kTileBSR:
            BoxTop(p, ink, "BSR");
            break;
        case kTileTCBOT:
            BoxBottom(p, ink, false);
            break;
        case kTileBSBOT:
            BoxBottom(p, ink, true);
            break;
        case kTileLNK:
            HLine(p, ink, 0, 39, kWire);
            break;
        default:
            break;
    }
}

// Arms of a link tile: north, south, west, east; and which one a deletion tile draws red.
struct Arms {
    bool n, s, w, e;
    char red;  // 0, or 'S', 'W', 'E'
};
Arms ArmsOf(int32_t code) {
    switch (code) {
        case Link::STA:
            return {true, true, false, true, 0};
        case Link::FIN:
            return {true, true, true, false, 0};
        case Link::THR:
            return {false, false, true, true, 0};
        case Link::BRA:
            return {false, true, true, true, 0};
        case Link::CRO:
            return {true, true, true, true, 0};
        case Link::RET:
            return {true, false, true, true, 0};
        case Link::LEF:
            return {true, false, false, true, 0};
        case Link::RIG:
            return {true, false, true, false, 0};
        case Link::DWN:
            return {true, true, false, false, 0};
        case kDelBRA:
            return {false, true, true, true, 'S'};
        case kDelLRET:
            return {true, false, true, true, 'W'};
        case kDelRRET:
            return {true, false, true, true, 'E'};
        case kDelFIN1:
            return {true, true, true, false, 'W'};
        case kDelFIN2:
            return {true, true, true, false, 'S'};
        case kDelSTA:
            return {true, true, false, true, 'E'};
        case kDelLCRO:
            return {true, true, true, true, 'W'};
        case kDelRCRO:
            return {true, true, true, true, 'E'};
        default:
            return {false, false, false, false, 0};
    }
}

void DrawLink(QPainter& p, int32_t code, const QColor& ink) {
    const Arms a = ArmsOf(code);
    auto colour = [&](char arm) { return a.red == arm ? RungPainter::kRed : ink; };
    // The vertical line runs along pixel column 1; arms meet it at row 13.
    if (a.n) VLine(p, ink, 1, 0, kWire);
    if (a.s) VLine(p, colour('S'), 1, kWire, 23);
    if (a.w) HLine(p, colour('W'), 0, 1, kWire);
    if (a.e) HLine(p, colour('E'), 1, 2, kWire);
}

QString Number(int32_t n) {
    return QString::number(n);
}

// Seconds with one decimal, as the box bottom of a timer shows its preset.
QString Seconds(int32_t milliseconds) {
    return QString::number(milliseconds / 1000.0, 'f', 1);
}

}  // namespace

TileTexts TextsOf(int32_t code, int32_t kind, int32_t n, const MemoryImage& memory) {
    TileTexts t;
    if (code >= Control::NOC && code <= Control::UNL) {
        t.layout = TileTexts::A;
        t.second = Number(n);
        if (code == Control::NOC || code == Control::NCC) {
            static const char* const labels[] = {"I", "O", "F", "R1", "R2", "R3", "R4"};
            if (kind >= 0 && kind <= 6) {
                t.first = QString::fromLatin1(labels[kind]);
            } else if (kind == ContactKind::CounterUp || kind == ContactKind::CounterDown) {
                t.first = QStringLiteral("C") + Number(n);
                t.second =
                    kind == ContactKind::CounterUp ? QStringLiteral("UP") : QStringLiteral("DN");
            } else if (kind == ContactKind::TimerDone) {
                t.first = QStringLiteral("T") + Number(n);
                t.second = QStringLiteral("DN");
            } else {
                t.second.clear();
            }
        } else if (code == Control::RES) {
            static const char* const labels[] = {"T", "C", "R1", "R2", "R3", "R4"};
            if (kind >= 0 && kind <= 5)
                t.first = QString::fromLatin1(labels[kind]);
            else
                t.second.clear();
        } else {
            static const char* const labels[] = {"O", "F", "R1", "R2", "R3", "R4"};
            if (kind >= 0 && kind <= 5)
                t.first = QString::fromLatin1(labels[kind]);
            else
                t.second.clear();
        }
    } else if (IsTimerBox(code)) {
        t.layout = TileTexts::B;
        t.first = QStringLiteral("T") + Number(n);
    } else if (IsCounterBox(code)) {
        t.layout = TileTexts::B;
        t.first = QStringLiteral("C") + Number(n);
    } else if (IsShift(code)) {
        t.layout = TileTexts::B;
        t.first = QStringLiteral("R") + Number(ShiftRegisterOf(code));
    } else if (code == Control::TBT) {
        t.layout = TileTexts::C;
        if (n >= 1 && n <= kTimers) t.first = Seconds(memory.Timers[n].Preset);
    } else if (code == Control::CBT) {
        t.layout = TileTexts::C;
        if (n >= 1 && n <= kCounters) t.first = Number(memory.Counters[n].Preset);
    } else if (code == Control::BBT) {
        t.layout = TileTexts::C;
        switch (kind) {
            case ShiftSourceKind::Input:
                t.first = QStringLiteral("IP") + Number(n);
                break;
            case ShiftSourceKind::Output:
                t.first = QStringLiteral("OP") + Number(n);
                break;
            case ShiftSourceKind::Flag:
                t.first = QStringLiteral("F") + Number(n);
                break;
            case ShiftSourceKind::TimerDone:
                t.first = QStringLiteral("T%1/DN").arg(n);
                break;
            case ShiftSourceKind::CounterUp:
                t.first = QStringLiteral("C%1/UP").arg(n);
                break;
            case ShiftSourceKind::CounterDown:
                t.first = QStringLiteral("C%1/DN").arg(n);
                break;
            case ShiftSourceKind::RegisterBit:
                t.first = QStringLiteral("R%1/%2").arg(n / 16).arg(n % 16);
                break;
            default:
                break;
        }
    }
    return t;
}

RungPainter::RungPainter(qreal devicePixelRatio, bool largeFonts, QColor buttonFace)
    : dpr_(devicePixelRatio), largeFonts_(largeFonts), face_(buttonFace) {
    buildTiles();
}

QImage RungPainter::makeTile(int width, const std::function<void(QPainter&, const QColor&)>& draw,
                             const QColor& ink) const {
    QImage tile(QSize(width, kTileHeight) * dpr_, QImage::Format_RGB32);
    tile.setDevicePixelRatio(dpr_);
    tile.fill(kSilver);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing, false);
    draw(p, ink);
    p.end();
    if (face_ != kSilver) DoTransformation(tile, face_);
    return tile;
}

void RungPainter::buildTiles() {
    const QColor black(0, 0, 0);
    for (int t = 0; t < kSymbolTiles; ++t) {
        auto draw = [t](QPainter& p, const QColor& ink) { DrawSymbol(p, t, ink); };
        symbols_[t] = makeTile(kTileWidth, draw, black);
        litSymbols_[t] = makeTile(kTileWidth, draw, kRed);
    }
    for (int code = 0; code < kLinkTiles; ++code) {
        auto draw = [code](QPainter& p, const QColor& ink) { DrawLink(p, code, ink); };
        links_[code] = makeTile(kLinkWidth, draw, black);
        if (code < kLitLinkTiles) litLinks_[code] = makeTile(kLinkWidth, draw, kRed);
    }
}

int RungPainter::tileIndex(int32_t code) const {
    if (code >= Control::NOC && code <= Control::CDN) return code;  // NOC ... CDN in order
    if (IsShiftLeft(code)) return kTileBSL;
    if (IsShiftRight(code)) return kTileBSR;
    if (code == Control::TBT || code == Control::CBT) return kTileTCBOT;
    if (code == Control::BBT) return kTileBSBOT;
    if (code == Control::LNK) return kTileLNK;
    return kTileNone;
}

const QImage& RungPainter::symbolTile(int32_t code, bool lit) const {
    const int t = tileIndex(code);
    return lit ? litSymbols_[t] : symbols_[t];
}

const QImage& RungPainter::linkTile(int32_t code, bool lit) const {
    if (code < 0 || code >= kLinkTiles) code = Link::NON;
    if (lit && code < kLitLinkTiles) return litLinks_[code];
    return links_[code];
}

QImage RungPainter::blankRung() const {
    QImage image(QSize(kRungWidth, kRungHeight) * dpr_, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr_);
    image.fill(face_);
    return image;
}

void RungPainter::DoTransformation(QImage& image, QColor face) {
    const QRgb silver = kSilver.rgb();
    const QRgb to = face.rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (silver & 0xFFFFFF)) line[x] = to;
    }
}

QImage RungPainter::PrepareControl(int32_t code, int32_t kind, bool lit, int32_t index,
                                   const MemoryImage& memory) {
    const TileTexts texts = TextsOf(code, kind, index, memory);
    const QString key = QStringLiteral("%1|%2|%3|%4|%5|%6")
                            .arg(code)
                            .arg(kind)
                            .arg(index)
                            .arg(lit)
                            .arg(texts.first, texts.second);
    if (auto found = composed_.constFind(key); found != composed_.constEnd()) return *found;

    QImage prepare(QSize(kTileWidth, kTileHeight) * dpr_, QImage::Format_RGB32);
    prepare.setDevicePixelRatio(dpr_);
    prepare.fill(Qt::white);
    QPainter p(&prepare);
    QFont font(QStringLiteral("Arial Narrow"));
    font.setItalic(true);
    font.setStyleStrategy(QFont::PreferAntialias);
    const QColor ink = lit ? kRed : QColor(0, 0, 0);
    // Point sizes 7 and 8 (5 and 6 with large fonts) at the 96 dpi of the design.
    const int small = largeFonts_ ? 7 : 9, large = largeFonts_ ? 8 : 11;
    auto clear = [&](QRect box) { p.fillRect(box, face_); };
    auto text = [&](int x, int y, const QString& s) {
        p.setPen(ink);
        p.drawText(QRect(x, y, kTileWidth, kTileHeight), Qt::AlignLeft | Qt::AlignTop, s);
    };
    switch (texts.layout) {
        case TileTexts::A:
            font.setPixelSize(small);
            p.setFont(font);
            clear(QRect(QPoint(4, 0), QPoint(9, 9)));
            clear(QRect(QPoint(31, 14), QPoint(39, 23)));
            text(4, 0, texts.first);
            text(30, 14, texts.second);
            break;
        case TileTexts::B:
            font.setPixelSize(large);
            p.setFont(font);
            clear(QRect(QPoint(13, 11), QPoint(23, 23)));
            text(13, 10, texts.first);
            break;
        case TileTexts::C: {
            font.setPixelSize(large);
            // A long source such as "R1/15" would run into the box's sides: it gets a
            // smaller face rather than being overdrawn.
            while (font.pixelSize() > small - 1 &&
                   QFontMetrics(font).horizontalAdvance(texts.first) > kBoxInside)
                font.setPixelSize(font.pixelSize() - 1);
            p.setFont(font);
            clear(QRect(QPoint(10, 8), QPoint(27, 18)));
            const int w = QFontMetrics(font).horizontalAdvance(texts.first);
            text(18 - w / 2, 6, texts.first);
            break;
        }
        case TileTexts::None:
            break;
    }
    // The symbol's strokes over the text.
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(0, 0, symbolTile(code, lit));
    p.end();
    composed_.insert(key, prepare);
    return prepare;
}

void RungPainter::DisplayRung(QImage& image, RungRecord* rung, const MemoryImage& memory,
                              RungDraw how) {
    const bool live = Has(how, RungDraw::Live), clear = Has(how, RungDraw::ClearLit);
    image.fill(face_);
    if (!rung) return;
    QPainter p(&image);
    for (int w = 0; w < kRows; ++w) {
        for (int c = 0; c < kColumns; ++c) {
            const bool lit = live && rung->Lit[c][w];
            const int32_t code = rung->Code(c, w);
            if (IsLinkColumn(c)) {
                p.drawImage(linkCell(c / 2, w), linkTile(code, lit));
            } else if (code != Control::NON) {
                p.drawImage(controlCell(c / 2, w),
                            PrepareControl(code, rung->Kind(c, w), lit, rung->Index(c, w), memory));
            }
            if (clear) rung->Lit[c][w] = false;
        }
    }
}

}  // namespace torvex
