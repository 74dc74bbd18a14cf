// The figures of a rung picture at a zoom: what is one pixel at 100 % is zoom / 100 pixels
// here, rounded once per figure so that every cell of a kind has the same size and the
// pictures can be built from tiles.
//
// The picture is made in device pixels (zoom times the screen's pixel ratio); the widgets
// that show it are placed in logical pixels. The mouse is mapped back through the same
// figures, so a click selects the cell drawn under it at every zoom.
#pragma once

#include <QPoint>
#include <QRectF>
#include <QSize>
#include <QtMath>

namespace torvex {

class RungGeometry {
public:
    static constexpr int kMinZoom = 100;
    static constexpr int kMaxZoom = 400;
    // The design's figures, at 100 %.
    static constexpr int kDesignLink = 3;
    static constexpr int kDesignTile = 40;
    static constexpr int kDesignPitch = kDesignLink + kDesignTile;
    static constexpr int kDesignRow = 24;
    static constexpr int kDesignTop = 8;
    static constexpr int kDesignNameBand = 9;  // room for an I/O name above each row

    explicit RungGeometry(int zoomPercent = 100, qreal devicePixelRatio = 1.0, bool names = false)
        : zoom_(qBound(kMinZoom, zoomPercent, kMaxZoom)), dpr_(devicePixelRatio), names_(names) {
        const qreal s = deviceScale();
        link_ = qMax(1, qRound(kDesignLink * s));
        pitch_ = qRound(kDesignPitch * s);
        tile_ = pitch_ - link_;
        tileHeight_ = qRound(kDesignRow * s);
        band_ = names ? qRound(kDesignNameBand * s) : 0;
        top_ = qRound(kDesignTop * s);
    }

    int zoom() const { return zoom_; }
    qreal devicePixelRatio() const { return dpr_; }
    bool names() const { return names_; }
    // Device pixels per design pixel.
    qreal deviceScale() const { return zoom_ / 100.0 * dpr_; }
    // A logical figure of the view at this zoom.
    int scaled(int design) const { return qRound(design * zoom_ / 100.0); }

    // ---- device pixels ---------------------------------------------------------------
    int linkWidth() const { return link_; }
    int tileWidth() const { return tile_; }
    int pitch() const { return pitch_; }  // a link and a control column
    int tileHeight() const { return tileHeight_; }
    int nameBand() const { return band_; }
    int rowPitch() const { return tileHeight_ + band_; }
    QSize deviceSize() const { return {10 * pitch_ + link_, top_ + 4 * rowPitch()}; }
    QPoint controlCell(int controlColumn, int row) const {
        return {pitch_ * controlColumn + link_, top_ + rowPitch() * row + band_};
    }
    QPoint linkCell(int linkColumn, int row) const {
        return {pitch_ * linkColumn, top_ + rowPitch() * row + band_};
    }

    // ---- logical pixels --------------------------------------------------------------
    QSize imageSize() const {
        const QSize d = deviceSize();
        return {qCeil(d.width() / dpr_ - 1e-9), qCeil(d.height() / dpr_ - 1e-9)};
    }
    // The control column (0 ... 10) and row (0 ... 3) a point in the picture selects: its
    // pitch-wide stripe, and its quarter of the picture's height.
    int Column(qreal x) const { return qFloor(x * dpr_ / pitch_); }
    int Row(qreal y) const { return qFloor(y * dpr_ * 4 / deviceSize().height()); }
    // Where a cell lies in the widget, for what is drawn over the picture.
    QRectF controlRect(int controlColumn, int row) const {
        return {QPointF(controlCell(controlColumn, row)) / dpr_, QSizeF(tile_, tileHeight_) / dpr_};
    }

private:
    int zoom_;
    qreal dpr_;
    bool names_;
    int link_, pitch_, tile_, tileHeight_, band_, top_;
};

}  // namespace torvex
