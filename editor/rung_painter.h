// Draws rungs as the rung view and the printout show them: on screen each rung an image
// assembled from control tiles and link tiles (433 x 104 pixels of 40 x 24 and 3 x 24 at
// 100 %), energised cells in red; on paper the same cells as vector graphics.
//
// At 100 % on a plain screen the tiles are the design's pixels. At any other scale they are
// drawn afresh for that scale, once, as vector strokes snapped to device pixels and text at
// the scaled size: never a picture enlarged.
#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QString>
#include <array>

#include "editor/rung_geometry.h"
#include "engine/diagram.h"
#include "engine/ladder.h"
#include "engine/memory_image.h"
#include "engine/rung_draw.h"
#include "files/io_comments.h"

class QPainter;

namespace torvex {

// The texts drawn on a control tile: layout A has two (label and number), B and C one.
struct TileTexts {
    enum Layout { None, A, B, C };
    Layout layout = None;
    QString first;
    QString second;
};
TileTexts TextsOf(int32_t code, int32_t kind, int32_t index, const MemoryImage& memory);

// The I/O comment that names a control cell ("" for none).
QString NameOf(int32_t code, int32_t kind, int32_t index, const IOComments& comments);

// What a box shows of its timer, counter or register while a run shows power: "1.3/3.0",
// "2/5", or the register's bits 15 ... 0 in groups of four, two groups a line.
QStringList LiveValuesOf(int32_t boxCode, int32_t index, const MemoryImage& memory);

class RungPainter {
public:
    // The design's figures (100 %).
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
    static const QColor kNameInk;
    static const QColor kValueInk;

    // `buttonFace` is the system's button face: where it is not silver, every tile and rung
    // background takes it instead of silver.
    explicit RungPainter(qreal devicePixelRatio = 1.0, bool largeFonts = false,
                         QColor buttonFace = kSilver, int zoomPercent = 100);

    qreal devicePixelRatio() const { return geometry_.devicePixelRatio(); }
    QColor buttonFace() const { return face_; }
    const RungGeometry& geometry() const { return geometry_; }
    // A new zoom, or names shown (`names` non-null, and outliving the painter) or not:
    // the tiles are made again for it.
    void setView(int zoomPercent, const IOComments* names);
    const IOComments* names() const { return names_; }

    // An empty rung image in the button-face colour, of the geometry's size.
    QImage blankRung() const;

    // Draws `rung` into `image` (which must be a rung image of this painter): background,
    // every link cell, every control cell whose code is not 0, and the names when shown. A
    // cell is drawn lit when `how` is Live and its Lit flag is set; with ClearLit, Lit flags
    // are cleared once drawn; with Values a box shows its live values.
    // A null rung (beyond the rung count) leaves the image empty.
    void DisplayRung(QImage& image, RungRecord* rung, const MemoryImage& memory, RungDraw how);

    // Where the cells lie within a rung image at 100 %.
    static QPoint controlCell(int controlColumn, int row) {
        return {43 * controlColumn + 3, 8 + 24 * row};
    }
    static QPoint linkCell(int linkColumn, int row) { return {43 * linkColumn, 8 + 24 * row}; }

    // The composed control tile (symbol over its texts) and the link tiles, in device pixels.
    QImage PrepareControl(int32_t code, int32_t kind, bool lit, int32_t index,
                          const MemoryImage& memory);
    const QImage& linkTile(int32_t code, bool lit) const;
    const QImage& symbolTile(int32_t code, bool lit) const;

    // Replaces every silver pixel of `image` by `face`.
    static void DoTransformation(QImage& image, QColor face);

    // The rung as vector graphics on `p`, in design pixels from (0, 0) (a rung's height grows
    // by a name band a row when `names` is given): black on the painter's ground.
    static void PrintRung(QPainter& p, const RungRecord& rung, const MemoryImage& memory,
                          const IOComments* names);
    static int designHeight(bool names) {
        return RungGeometry::kDesignTop + 4 * (kTileHeight + (names ? 9 : 0));
    }

private:
    void buildTiles();
    int tileIndex(int32_t code) const;
    void drawBand(QPainter& p, const RungRecord& rung, bool live);
    void drawValues(QPainter& p, const RungRecord& rung, const MemoryImage& memory);
    const QImage& nameImage(const QString& name);

    RungGeometry geometry_;
    bool largeFonts_;
    QColor face_;
    const IOComments* names_ = nullptr;
    // Symbol tiles by tile index (see tileIndex), black and lit; link tiles by code.
    std::array<QImage, kSymbolTiles> symbols_;
    std::array<QImage, kSymbolTiles> litSymbols_;
    std::array<QImage, kLinkTiles> links_;
    std::array<QImage, kLitLinkTiles> litLinks_;
    QHash<QString, QImage> composed_;
    QHash<QString, QImage> nameImages_;
};

}  // namespace torvex
