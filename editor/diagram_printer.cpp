#include "editor/diagram_printer.h"

#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QPainter>

#include "editor/rung_painter.h"
#include "engine/plc.h"
#include "ui/ansi_text.h"

namespace torvex {

int PrintDiagram(QPagedPaintDevice& device, const Plc& plc, const QString& title) {
    QPainter p(&device);
    if (!p.isActive()) return 0;
    // Work in the rung view's pixels: the width of a rung plus margins fills the page.
    const QRect page = p.viewport();
    const qreal logicalWidth = RungPainter::kRungWidth + 16;
    const qreal scale = page.width() / logicalWidth;
    p.scale(scale, scale);
    const qreal pageHeight = page.height() / scale;

    // Drawn sharp at the printer's resolution, not enlarged from screen pixels.
    RungPainter painter(qMax<qreal>(2.0, scale * 1.5), false, RungPainter::kSilver);
    QImage image = painter.blankRung();
    // Power and lit marks are not printed; the memory image only supplies the presets, which
    // no scan writes, so a diagram can be printed while it runs.
    MemoryImage memory{};
    for (int k = 1; k <= kTimers; ++k) memory.Timers[k].Preset = plc.memory.Timers[k].Preset;
    for (int k = 1; k <= kCounters; ++k) memory.Counters[k].Preset = plc.memory.Counters[k].Preset;

    QFont heading(QStringLiteral("Arial"));
    heading.setPixelSize(14);
    heading.setBold(true);
    QFont label(QStringLiteral("Arial"));
    label.setPixelSize(12);
    label.setItalic(true);
    QFont comment(QStringLiteral("Arial"));
    comment.setPixelSize(11);

    const qreal top = 40;
    const qreal gap = 12;
    int pageNumber = 1;
    auto header = [&]() {
        p.setFont(heading);
        p.setPen(Qt::black);
        p.drawText(QRectF(8, 8, RungPainter::kRungWidth, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   title);
        p.setFont(label);
        p.drawText(QRectF(8, 8, RungPainter::kRungWidth, 20), Qt::AlignRight | Qt::AlignVCenter,
                   QCoreApplication::translate("DiagramPrinter", "Page %1").arg(pageNumber));
    };
    header();
    qreal y = top;
    for (int r = 0; r < plc.diagram.RungCount(); ++r) {
        // The cells alone: a run writes the power and lit fields meanwhile.
        const RungRecord& source = plc.diagram.Rungs[r];
        RungRecord rung;
        for (int c = 0; c < kColumns; ++c)
            for (int w = 0; w < kRows; ++w)
                rung.setCell(c, w, source.Code(c, w), source.Kind(c, w), source.Index(c, w));
        rung.setComment(source.Comment());
        const QString text = FromAnsi(rung.Comment());
        p.setFont(comment);
        const QRectF commentBox(8, 0, RungPainter::kRungWidth, 1000);
        const qreal commentHeight =
            text.isEmpty() ? 0 : p.boundingRect(commentBox, Qt::TextWordWrap, text).height() + 4;
        const qreal block = 16 + RungPainter::kRungHeight + commentHeight + gap;
        if (y + block > pageHeight && y > top) {
            device.newPage();
            ++pageNumber;
            header();
            y = top;
        }
        p.setFont(label);
        p.drawText(QPointF(8, y + 12),
                   QCoreApplication::translate("DiagramPrinter", "Rung %1").arg(r));
        painter.DisplayRung(image, &rung, memory, RungDraw::Plain);
        p.drawImage(QRectF(8, y + 16, RungPainter::kRungWidth, RungPainter::kRungHeight), image);
        p.setPen(QPen(QColor(128, 128, 128), 0.5));
        p.drawRect(QRectF(8, y + 16, RungPainter::kRungWidth, RungPainter::kRungHeight));
        p.setPen(Qt::black);
        if (!text.isEmpty()) {
            p.setFont(comment);
            p.drawText(QRectF(8, y + 20 + RungPainter::kRungHeight, RungPainter::kRungWidth,
                              commentHeight),
                       Qt::TextWordWrap, text);
        }
        y += block;
    }
    p.end();
    return pageNumber;
}

}  // namespace torvex
