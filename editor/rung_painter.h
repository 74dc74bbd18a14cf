// Draws rungs as the rung view and the printout show them: each rung a 433 x 104 image
// assembled from 40 x 24 control tiles and 3 x 24 link tiles, energised cells in red.
#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QString>
#include <array>

#include "engine/diagram.h"
#include "engine/ladder.h"
#include "engine/memory_image.h"
#include "engine/rung_draw.h"

namespace torvex {

// The texts drawn on a control tile: layout A has two (label and number), B and C one.
struct TileTexts {
    enum Layout { None, A, B, C };
    Layout layout = None;
    QString first;
    QString second;
};
TileTexts TextsOf(int32_t code, int32_t kind, int32_t index, const MemoryImage& memory);

class RungPainter {
public:
    static constexpr int kRungWidth = 433;
    static constexpr int kRungHeight = 104;
    static constexpr int kTileWidth = 40;
    static constexpr int kLinkWidth = 3;
    static constexpr int kTileHeight = 24;
    // Symbol tiles of the controls; link tiles of codes 0 ... 17, the branch-deletion codes
    // included; lit link tiles of the links that conduct, 0 ... 9.
    static constexpr int kSymbolTiles = 16;
    static constexpr int kLinkTiles = Link::LastDeletion + 1;
    static constexpr int kLitLinkTiles = Link::Last + 1;
    static const QColor kSilver;
    static const QColor kRed;

    // `buttonFace` is the system's button face: where it is not silver, every tile and rung
    // background takes it instead of silver.
    explicit RungPainter(qreal devicePixelRatio = 1.0, bool largeFonts = false,
                         QColor buttonFace = kSilver);

    qreal devicePixelRatio() const { return dpr_; }
    QColor buttonFace() const { return face_; }

    // An empty rung image in the button-face colour.
    QImage blankRung() const;

    // Draws `rung` into `image` (which must be a rung image of this painter): background,
    // every link cell, every control cell whose code is not 0. A cell is drawn lit when
    // `how` is Live and its Lit flag is set; with ClearLit, Lit flags are cleared once drawn.
    // A null rung (beyond the rung count) leaves the image empty.
    void DisplayRung(QImage& image, RungRecord* rung, const MemoryImage& memory, RungDraw how);

    // Where the cells lie within a rung image.
    static QPoint controlCell(int controlColumn, int row) {
        return {43 * controlColumn + 3, 8 + 24 * row};
    }
    static QPoint linkCell(int linkColumn, int row) { return {43 * linkColumn, 8 + 24 * row}; }

    // The composed control tile (symbol over its texts) and the link tiles.
    QImage PrepareControl(int32_t code, int32_t kind, bool lit, int32_t index,
                          const MemoryImage& memory);
    const QImage& linkTile(int32_t code, bool lit) const;
    const QImage& symbolTile(int32_t code, bool lit) const;

    // Replaces every silver pixel of `image` by `face`.
    static void DoTransformation(QImage& image, QColor face);

private:
    QImage makeTile(int width, const std::function<void(QPainter&, const QColor&)>& draw,
                    const QColor& ink) const;
    void buildTiles();
    int tileIndex(int32_t code) const;

    qreal dpr_;
    bool largeFonts_;
    QColor face_;
    // Symbol tiles by tile index (see tileIndex), black and lit; link tiles by code.
    std::array<QImage, kSymbolTiles> symbols_;
    std::array<QImage, kSymbolTiles> litSymbols_;
    std::array<QImage, kLinkTiles> links_;
    std::array<QImage, kLitLinkTiles> litLinks_;
    QHash<QString, QImage> composed_;
};

}  // namespace torvex
