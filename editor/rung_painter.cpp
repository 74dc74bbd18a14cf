#include "editor/rung_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <utility>

#include "engine/ladder.h"
#include "files/io_list.h"
#include "ui/ansi_text.h"

namespace torvex {

const QColor RungPainter::kSilver(192, 192, 192);
const QColor RungPainter::kRed(255, 0, 0);
const QColor RungPainter::kNameInk(0, 0, 128);
const QColor RungPainter::kValueInk(0, 0, 170);

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

// Where the strokes of a tile go. The tiles are designed on a pixel grid (40 x 24 and
// 3 x 24); a stroke is a run of design pixels.
//  - On a tile image of the design's size the design pixels are the image's.
//  - On a tile image of another size each design pixel is sx by sy device pixels; a stroke
//    keeps one whole thickness and its place snaps to device pixels, so lines stay sharp;
//    curves, slants and captions are drawn smooth.
//  - Exact: on a painter already scaled to design pixels (a printer), as vector shapes.
struct Pen {
    QPainter& p;
    qreal sx = 1;
    qreal sy = 1;
    bool exact = false;

    bool pixels() const { return !exact && sx == 1 && sy == 1; }
    int thickness() const { return qMax(1, qRound(qMin(sx, sy))); }
    // Design pixels x0 ... x1 of row y.
    void hline(const QColor& ink, int x0, int x1, int y) const {
        if (exact) {
            p.fillRect(QRectF(x0, y, x1 - x0 + 1, 1), ink);
            return;
        }
        const int t = thickness();
        const int left = qRound(x0 * sx), right = qRound((x1 + 1) * sx);
        p.fillRect(QRect(left, qRound((y + 0.5) * sy - t / 2.0), right - left, t), ink);
    }
    // Design pixels y0 ... y1 of column x.
    void vline(const QColor& ink, int x, int y0, int y1) const {
        if (exact) {
            p.fillRect(QRectF(x, y0, 1, y1 - y0 + 1), ink);
            return;
        }
        const int t = thickness();
        const int top = qRound(y0 * sy), bottom = qRound((y1 + 1) * sy);
        p.fillRect(QRect(qRound((x + 0.5) * sx - t / 2.0), top, t, bottom - top), ink);
    }
    // A smooth shape, given in design pixels (pixel centres at +0.5).
    void stroke(const QColor& ink, const QPainterPath& path) const {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        if (!exact) p.scale(sx, sy);
        QPen line(ink, exact ? 1.0 : thickness() / qMin(sx, sy));
        line.setCapStyle(Qt::FlatCap);
        p.strokePath(path, line);
        p.restore();
    }
    void fill(const QColor& ink, const QPainterPath& path) const {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        if (!exact) p.scale(sx, sy);
        p.fillPath(path, ink);
        p.restore();
    }
    // Capital letters in the 3 x 5 box at (x, y), four pixels apart.
    void caption(const QColor& ink, int x, int y, const char* text) const {
        if (pixels()) {
            for (; *text; ++text, x += 4) {
                for (const PixelGlyph& g : kPixelFont) {
                    if (g.letter != *text) continue;
                    for (int r = 0; r < 5; ++r)
                        for (int c = 0; c < 3; ++c)
                            if (g.rows[r][c] == '1') p.fillRect(QRect(x + c, y + r, 1, 1), ink);
                }
            }
            return;
        }
        const int n = static_cast<int>(qstrlen(text));
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(7);
        font.setStretch(QFont::SemiCondensed);
        p.save();
        if (!exact) p.scale(sx, sy);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(QRectF(x - 2, y - 2, 4 * n + 3, 9), Qt::AlignCenter, QString::fromLatin1(text));
        p.restore();
    }
};

constexpr int kWire = 13;       // pixel row of every wire
constexpr int kBoxInside = 19;  // room for text between the sides of a box

void Contact(const Pen& p, const QColor& ink, bool closed) {
    p.hline(ink, 0, 15, kWire);
    p.vline(ink, 15, 6, 20);
    p.vline(ink, 16, 6, 20);
    p.vline(ink, 23, 6, 20);
    p.vline(ink, 24, 6, 20);
    p.hline(ink, 24, 39, kWire);
    if (!closed) return;
    if (p.pixels()) {
        for (int i = 0; i <= 14; ++i) p.p.fillRect(QRect(13 + i, 20 - i, 1, 1), ink);
        return;
    }
    QPainterPath slant;
    slant.moveTo(13, 21);
    slant.lineTo(28, 6);
    p.stroke(ink, slant);
}

void Coil(const Pen& p, const QColor& ink, const char* letter) {
    p.hline(ink, 0, 13, kWire);
    p.hline(ink, 26, 39, kWire);
    if (p.pixels()) {
        // "(" and ")" as pixel arcs.
        const int left[] = {16, 15, 14, 14, 13, 13, 13, 13, 13, 14, 14, 15, 16};
        for (int i = 0; i < 13; ++i) {
            p.p.fillRect(QRect(left[i], 7 + i, 1, 1), ink);
            p.p.fillRect(QRect(39 - left[i], 7 + i, 1, 1), ink);
        }
    } else {
        // The same arcs: a circle about the tile's middle, its top and bottom left open.
        const QRectF circle(20 - 6.6, 13.5 - 6.6, 13.2, 13.2);
        QPainterPath arcs;
        arcs.arcMoveTo(circle, 120);
        arcs.arcTo(circle, 120, 120);
        arcs.arcMoveTo(circle, -60);
        arcs.arcTo(circle, -60, 120);
        p.stroke(ink, arcs);
    }
    if (letter) p.caption(ink, 18, 11, letter);
}

// The upper part of a box: wires in and out, the box's top and sides, and its caption.
void BoxTop(const Pen& p, const QColor& ink, const char* caption) {
    p.hline(ink, 0, 7, kWire);
    p.hline(ink, 32, 39, kWire);
    p.hline(ink, 7, 32, 3);
    p.vline(ink, 7, 3, 23);
    p.vline(ink, 32, 3, 23);
    p.caption(ink, 20 - (4 * static_cast<int>(qstrlen(caption)) - 1) / 2, 5, caption);
}

void BoxBottom(const Pen& p, const QColor& ink, bool shift) {
    p.hline(ink, 0, 7, kWire);
    p.hline(ink, 32, 39, kWire);
    p.vline(ink, 7, 0, 20);
    p.vline(ink, 32, 0, 20);
    p.hline(ink, 7, 32, 20);
    if (!shift) return;
    // The data input: a small arrow into the box on the left.
    if (p.pixels()) {
        p.p.fillRect(QRect(8, 12, 1, 3), ink);
        p.p.fillRect(QRect(9, 13, 1, 1), ink);
        return;
    }
    QPainterPath arrow;
    arrow.moveTo(8, 12);
    arrow.lineTo(10, 13.5);
    arrow.lineTo(8, 15);
    arrow.closeSubpath();
    p.fill(ink, arrow);
}

void DrawSymbol(const Pen& p, int tile, const QColor& ink) {
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
            p.hline(ink, 0, 39, kWire);
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

void DrawLink(const Pen& p, int32_t code, const QColor& ink) {
    const Arms a = ArmsOf(code);
    auto colour = [&](char arm) { return a.red == arm ? RungPainter::kRed : ink; };
    // The vertical line runs along pixel column 1; arms meet it at row 13.
    if (a.n) p.vline(ink, 1, 0, kWire);
    if (a.s) p.vline(colour('S'), 1, kWire, 23);
    if (a.w) p.hline(colour('W'), 0, 1, kWire);
    if (a.e) p.hline(colour('E'), 1, 2, kWire);
}

// The texts of a control tile at their places, in design pixels. `clear` is the colour of
// the boxes cleared behind them (none on paper).
void DrawTexts(QPainter& p, const TileTexts& texts, const QColor& ink, bool largeFonts,
               const QColor& clear) {
    QFont font(QStringLiteral("Arial Narrow"));
    font.setItalic(true);
    font.setStyleStrategy(QFont::PreferAntialias);
    // Point sizes 7 and 8 (5 and 6 with large fonts) at the 96 dpi of the design.
    const int small = largeFonts ? 7 : 9, large = largeFonts ? 8 : 11;
    auto clearBox = [&](QRect box) {
        if (clear.isValid()) p.fillRect(box, clear);
    };
    auto text = [&](int x, int y, const QString& s) {
        p.setPen(ink);
        p.drawText(QRect(x, y, RungPainter::kTileWidth, RungPainter::kTileHeight),
                   Qt::AlignLeft | Qt::AlignTop, s);
    };
    switch (texts.layout) {
        case TileTexts::A:
            font.setPixelSize(small);
            p.setFont(font);
            clearBox(QRect(QPoint(4, 0), QPoint(9, 9)));
            clearBox(QRect(QPoint(31, 14), QPoint(39, 23)));
            text(4, 0, texts.first);
            text(30, 14, texts.second);
            break;
        case TileTexts::B:
            font.setPixelSize(large);
            p.setFont(font);
            clearBox(QRect(QPoint(13, 11), QPoint(23, 23)));
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
            clearBox(QRect(QPoint(10, 8), QPoint(27, 18)));
            const int w = QFontMetrics(font).horizontalAdvance(texts.first);
            text(18 - w / 2, 6, texts.first);
            break;
        }
        case TileTexts::None:
            break;
    }
}

int TileOf(int32_t code) {
    if (code >= Control::NOC && code <= Control::CDN) return code;  // NOC ... CDN in order
    if (IsShiftLeft(code)) return kTileBSL;
    if (IsShiftRight(code)) return kTileBSR;
    if (code == Control::TBT || code == Control::CBT) return kTileTCBOT;
    if (code == Control::BBT) return kTileBSBOT;
    if (code == Control::LNK) return kTileLNK;
    return kTileNone;
}

QFont NameFont(qreal pixels) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(qMax(1, qRound(pixels)));
    return font;
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

QString NameOf(int32_t code, int32_t kind, int32_t index, const IOComments& comments) {
    const PointRef point = PointOfCell(code, kind, index);
    const std::string* comment =
        point.valid() ? IOCommentSlot(comments, point.group, point.number) : nullptr;
    return comment ? FromAnsi(*comment) : QString();
}

QStringList LiveValuesOf(int32_t boxCode, int32_t index, const MemoryImage& memory) {
    if (IsTimerBox(boxCode) && index >= 1 && index <= kTimers)
        return {Seconds(memory.Timers[index].Elapsed) + QLatin1Char('/') +
                Seconds(memory.Timers[index].Preset)};
    if (IsCounterBox(boxCode) && index >= 1 && index <= kCounters)
        return {Number(memory.Counters[index].Count) + QLatin1Char('/') +
                Number(memory.Counters[index].Preset)};
    if (!IsShift(boxCode)) return {};
    const ShiftRegister& r = memory.Registers[ShiftRegisterOf(boxCode)];
    QStringList lines;
    QString line;
    for (int bit = kPoints - 1; bit >= 0; --bit) {
        line += r.Bits[bit] ? QLatin1Char('1') : QLatin1Char('0');
        if (bit % 4 == 0 && bit % 8 != 0) line += QLatin1Char(' ');
        if (bit % 8 == 0) lines.append(std::exchange(line, QString()));
    }
    return lines;
}

RungPainter::RungPainter(qreal devicePixelRatio, bool largeFonts, QColor buttonFace,
                         int zoomPercent)
    : geometry_(zoomPercent, devicePixelRatio), largeFonts_(largeFonts), face_(buttonFace) {
    buildTiles();
}

void RungPainter::setView(int zoomPercent, const IOComments* names) {
    const RungGeometry geometry(zoomPercent, geometry_.devicePixelRatio(), names != nullptr);
    const bool rebuild =
        geometry.zoom() != geometry_.zoom() || geometry.names() != geometry_.names();
    names_ = names;
    nameImages_.clear();  // a name may have changed meanwhile
    if (!rebuild) return;
    geometry_ = geometry;
    composed_.clear();
    buildTiles();
}

namespace {

// A tile of `width` by the row's height in device pixels, `draw` given the pen for it.
QImage MakeTile(int width, int designWidth, int height, const std::function<void(const Pen&)>& draw,
                const QColor& face) {
    QImage tile(width, height, QImage::Format_RGB32);
    tile.fill(RungPainter::kSilver);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing, false);
    draw(Pen{p, qreal(width) / designWidth, qreal(height) / RungPainter::kTileHeight, false});
    p.end();
    if (face != RungPainter::kSilver) RungPainter::DoTransformation(tile, face);
    return tile;
}

}  // namespace

void RungPainter::buildTiles() {
    const QColor black(0, 0, 0);
    const RungGeometry& g = geometry_;
    for (int t = 0; t < kSymbolTiles; ++t) {
        for (const bool lit : {false, true}) {
            auto draw = [t, lit, &black](const Pen& p) { DrawSymbol(p, t, lit ? kRed : black); };
            (lit ? litSymbols_ : symbols_)[t] =
                MakeTile(g.tileWidth(), kTileWidth, g.tileHeight(), draw, face_);
        }
    }
    for (int code = 0; code < kLinkTiles; ++code) {
        for (const bool lit : {false, true}) {
            if (lit && code >= kLitLinkTiles) continue;
            auto draw = [code, lit, &black](const Pen& p) {
                DrawLink(p, code, lit ? kRed : black);
            };
            QImage tile = MakeTile(g.linkWidth(), kLinkWidth, g.tileHeight(), draw, face_);
            if (lit)
                litLinks_[code] = tile;
            else
                links_[code] = tile;
        }
    }
}

int RungPainter::tileIndex(int32_t code) const {
    return TileOf(code);
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
    QImage image(geometry_.deviceSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(geometry_.devicePixelRatio());
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

    const RungGeometry& g = geometry_;
    QImage prepare(g.tileWidth(), g.tileHeight(), QImage::Format_RGB32);
    prepare.fill(Qt::white);
    QPainter p(&prepare);
    // The texts at the scaled size, drawn as text, not enlarged.
    p.scale(qreal(g.tileWidth()) / kTileWidth, qreal(g.tileHeight()) / kTileHeight);
    DrawTexts(p, texts, lit ? kRed : QColor(0, 0, 0), largeFonts_, face_);
    p.resetTransform();
    // The symbol's strokes over the text.
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(0, 0, symbolTile(code, lit));
    p.end();
    composed_.insert(key, prepare);
    return prepare;
}

const QImage& RungPainter::nameImage(const QString& name) {
    if (auto found = nameImages_.constFind(name); found != nameImages_.constEnd()) return *found;
    const RungGeometry& g = geometry_;
    const QFont font = NameFont(8 * g.deviceScale());
    QImage image(g.tileWidth(), g.nameBand(), QImage::Format_RGB32);
    image.fill(face_);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(kNameInk);
    p.drawText(image.rect(), Qt::AlignLeft | Qt::AlignBottom,
               QFontMetrics(font).elidedText(name, Qt::ElideRight, g.tileWidth()));
    p.end();
    return *nameImages_.insert(name, image);
}

// The names above the cells, and the lines that cross the band between two rows: links
// running down and the sides of a box.
void RungPainter::drawBand(QPainter& p, const RungRecord& rung, bool live) {
    const RungGeometry& g = geometry_;
    const int band = g.nameBand();
    const QColor black(0, 0, 0);
    for (int w = 0; w < kRows; ++w) {
        for (int c = 0; c < kColumns; ++c) {
            const int32_t code = rung.Code(c, w);
            const QColor ink = live && rung.Lit[c][w] ? kRed : black;
            if (IsLinkColumn(c)) {
                if (w == 0 || !ArmsOf(code).n) continue;
                const QPoint at = g.linkCell(c / 2, w) - QPoint(0, band);
                p.save();
                p.translate(at);
                Pen{p, qreal(g.linkWidth()) / kLinkWidth, 1, false}.vline(ink, 1, 0, band - 1);
                p.restore();
                continue;
            }
            const QPoint at = g.controlCell(c / 2, w) - QPoint(0, band);
            if (IsBoxBottom(code) && w > 0) {
                p.save();
                p.translate(at);
                const Pen pen{p, qreal(g.tileWidth()) / kTileWidth, 1, false};
                pen.vline(ink, 7, 0, band - 1);
                pen.vline(ink, 32, 0, band - 1);
                p.restore();
                continue;
            }
            const QString name = NameOf(code, rung.Kind(c, w), rung.Index(c, w), *names_);
            if (!name.isEmpty()) p.drawImage(at, nameImage(name));
        }
    }
}

// A box's live values in the free cells below it (a box leaves rows 2 and 3 of the output
// column, and the column before it, empty).
void RungPainter::drawValues(QPainter& p, const RungRecord& rung, const MemoryImage& memory) {
    const int c = kOutputColumn;
    const int32_t code = rung.Code(c, 0);
    if (!IsBoxTop(code)) return;
    const QStringList lines = LiveValuesOf(code, rung.Index(c, 0), memory);
    const RungGeometry& g = geometry_;
    const QFont font = NameFont(9 * g.deviceScale());
    const QFontMetrics fm(font);
    p.setFont(font);
    p.setPen(kValueInk);
    const QPoint box = g.controlCell(kControlColumns - 1, 2);
    const int right = g.deviceSize().width() - 1;
    for (int i = 0; i < lines.size() && i + 2 < kRows; ++i) {
        const int width = fm.horizontalAdvance(lines[i]);
        const int x = qMin(box.x() + (g.tileWidth() - width) / 2, right - width);
        const int y = box.y() + i * g.rowPitch();
        p.drawText(QRect(x, y, width + 1, g.tileHeight()), Qt::AlignLeft | Qt::AlignVCenter,
                   lines[i]);
    }
}

void RungPainter::DisplayRung(QImage& image, RungRecord* rung, const MemoryImage& memory,
                              RungDraw how) {
    const bool live = Has(how, RungDraw::Live), clear = Has(how, RungDraw::ClearLit);
    image.fill(face_);
    if (!rung) return;
    const RungGeometry& g = geometry_;
    // Composed in device pixels.
    const qreal dpr = image.devicePixelRatio();
    image.setDevicePixelRatio(1.0);
    QPainter p(&image);
    if (names_) drawBand(p, *rung, live);
    if (Has(how, RungDraw::Values)) drawValues(p, *rung, memory);
    for (int w = 0; w < kRows; ++w) {
        for (int c = 0; c < kColumns; ++c) {
            const bool lit = live && rung->Lit[c][w];
            const int32_t code = rung->Code(c, w);
            if (IsLinkColumn(c)) {
                p.drawImage(g.linkCell(c / 2, w), linkTile(code, lit));
            } else if (code != Control::NON) {
                p.drawImage(g.controlCell(c / 2, w),
                            PrepareControl(code, rung->Kind(c, w), lit, rung->Index(c, w), memory));
            }
            if (clear) rung->Lit[c][w] = false;
        }
    }
    p.end();
    image.setDevicePixelRatio(dpr);
}

void RungPainter::PrintRung(QPainter& p, const RungRecord& rung, const MemoryImage& memory,
                            const IOComments* names) {
    const QColor black(0, 0, 0);
    const int band = names ? RungGeometry::kDesignNameBand : 0;
    const QFont nameFont = NameFont(8);
    const QFontMetricsF fm(nameFont);
    for (int w = 0; w < kRows; ++w) {
        const int top = RungGeometry::kDesignTop + w * (kTileHeight + band);
        for (int c = 0; c < kColumns; ++c) {
            const int32_t code = rung.Code(c, w);
            const int left =
                c / 2 * RungGeometry::kDesignPitch + (IsLinkColumn(c) ? 0 : kLinkWidth);
            p.save();
            p.translate(left, top);
            const Pen pen{p, 1, 1, true};
            if (IsLinkColumn(c)) {
                if (band && w > 0 && ArmsOf(code).n) pen.vline(black, 1, 0, band - 1);
                p.translate(0, band);
                DrawLink(pen, code, black);
            } else if (code != Control::NON) {
                if (band && w > 0 && IsBoxBottom(code)) {
                    pen.vline(black, 7, 0, band - 1);
                    pen.vline(black, 32, 0, band - 1);
                } else if (band) {
                    const QString name = NameOf(code, rung.Kind(c, w), rung.Index(c, w), *names);
                    p.setFont(nameFont);
                    p.setPen(kNameInk);
                    p.drawText(QRectF(0, 0, kTileWidth, band), Qt::AlignLeft | Qt::AlignBottom,
                               fm.elidedText(name, Qt::ElideRight, kTileWidth));
                }
                p.translate(0, band);
                DrawTexts(p, TextsOf(code, rung.Kind(c, w), rung.Index(c, w), memory), black, false,
                          QColor());
                DrawSymbol(pen, TileOf(code), black);
            }
            p.restore();
        }
    }
}

}  // namespace torvex
