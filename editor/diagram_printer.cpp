#include "editor/diagram_printer.h"

#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QPainter>

#include "editor/rung_painter.h"
#include "engine/plc.h"
#include "files/io_list.h"
#include "ui/ansi_text.h"

namespace torvex {

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("DiagramPrinter", text);
}

QFont Face(int pixels, bool bold = false, bool italic = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

constexpr qreal kLeft = 8;
constexpr qreal kWidth = RungPainter::kRungWidth;
constexpr qreal kTop = 40;  // below the header

}  // namespace

int PrintDiagram(QPagedPaintDevice& device, const Plc& plc, const IOComments& comments,
                 const PrintHeader& header, bool names) {
    QPainter p(&device);
    if (!p.isActive()) return 0;
    // Work in the rung view's pixels at 100 %: a rung's width plus margins fills the page.
    const QRect page = p.viewport();
    const qreal scale = page.width() / (kWidth + 2 * kLeft);
    p.scale(scale, scale);
    const qreal pageHeight = page.height() / scale;

    // Power and lit marks are not printed; the memory image only supplies the presets, which
    // no scan writes, so a diagram can be printed while it runs.
    auto memory = std::make_unique<MemoryImage>();
    for (int k = 1; k <= kTimers; ++k) memory->Timers[k].Preset = plc.memory.Timers[k].Preset;
    for (int k = 1; k <= kCounters; ++k) memory->Counters[k].Preset = plc.memory.Counters[k].Preset;

    const QFont heading = Face(14, true), label = Face(12, false, true), text = Face(11);
    const QFont small = Face(9);
    int pageNumber = 1;
    auto drawHeader = [&]() {
        const QRectF line(kLeft, 8, kWidth, 20);
        p.setPen(Qt::black);
        p.setFont(heading);
        p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, header.title);
        p.setFont(small);
        p.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter, header.date);
        p.setFont(label);
        p.drawText(line, Qt::AlignRight | Qt::AlignVCenter, Tr("Page %1").arg(pageNumber));
        p.setPen(QPen(QColor(128, 128, 128), 0.5));
        p.drawLine(QPointF(kLeft, 30), QPointF(kLeft + kWidth, 30));
        p.setPen(Qt::black);
    };
    qreal y = kTop;
    // A new page when `height` does not fit below y (unless the page is still empty).
    auto room = [&](qreal height) {
        if (y + height <= pageHeight || y <= kTop) return;
        device.newPage();
        ++pageNumber;
        drawHeader();
        y = kTop;
    };
    drawHeader();

    const qreal rungHeight = RungPainter::designHeight(names);
    const qreal gap = 12;
    for (int r = 0; r < plc.diagram.RungCount(); ++r) {
        // The cells alone: a run writes the power and lit fields meanwhile.
        const RungRecord& source = plc.diagram.Rungs[r];
        RungRecord rung;
        for (int c = 0; c < kColumns; ++c)
            for (int w = 0; w < kRows; ++w)
                rung.setCell(c, w, source.Code(c, w), source.Kind(c, w), source.Index(c, w));
        const QString comment = FromAnsi(source.Comment());
        p.setFont(text);
        const qreal commentHeight =
            comment.isEmpty()
                ? 0
                : p.boundingRect(QRectF(kLeft, 0, kWidth, 1000), Qt::TextWordWrap, comment)
                          .height() +
                      4;
        room(16 + rungHeight + commentHeight + gap);
        p.setFont(label);
        p.drawText(QPointF(kLeft, y + 12), Tr("Rung %1").arg(r));
        p.save();
        p.translate(kLeft, y + 16);
        RungPainter::PrintRung(p, rung, *memory, names ? &comments : nullptr);
        p.restore();
        p.setPen(QPen(QColor(128, 128, 128), 0.5));
        p.drawRect(QRectF(kLeft, y + 16, kWidth, rungHeight));
        p.setPen(Qt::black);
        if (!comment.isEmpty()) {
            p.setFont(text);
            p.drawText(QRectF(kLeft, y + 20 + rungHeight, kWidth, commentHeight), Qt::TextWordWrap,
                       comment);
        }
        y += 16 + rungHeight + commentHeight + gap;
    }

    // The I/O list, a cross-reference of the points.
    const std::vector<IOListEntry> list = IOList(plc.diagram, comments);
    if (!list.empty()) {
        const qreal pointColumn = 40, rungsColumn = 120;
        const qreal commentColumn = kWidth - pointColumn - rungsColumn;
        auto row = [&](const QString& point, const QString& note, const QString& rungs) {
            const qreal height = qMax<qreal>(
                14, p.boundingRect(QRectF(0, 0, commentColumn - 6, 1000), Qt::TextWordWrap, note)
                            .height() +
                        2);
            room(height);
            p.drawText(QRectF(kLeft, y, pointColumn, height), Qt::AlignLeft | Qt::AlignTop, point);
            p.drawText(QRectF(kLeft + pointColumn, y, commentColumn - 6, height),
                       Qt::TextWordWrap | Qt::AlignTop, note);
            p.drawText(QRectF(kLeft + pointColumn + commentColumn, y, rungsColumn, height),
                       Qt::TextWordWrap | Qt::AlignTop, rungs);
            y += height;
        };
        room(24 + 3 * 14);
        y += 6;
        p.setFont(heading);
        p.drawText(QPointF(kLeft, y + 14), Tr("I/O List"));
        y += 22;
        p.setFont(Face(11, true));
        row(Tr("Point"), Tr("Comment"), Tr("Rungs"));
        p.setPen(QPen(QColor(128, 128, 128), 0.5));
        p.drawLine(QPointF(kLeft, y), QPointF(kLeft + kWidth, y));
        p.setPen(Qt::black);
        y += 2;
        p.setFont(text);
        for (const IOListEntry& entry : list) {
            QStringList rungs;
            for (int r : entry.rungs) rungs << QString::number(r);
            row(QString::fromStdString(PointName(entry.point)), FromAnsi(entry.comment),
                rungs.join(QStringLiteral(", ")));
        }
    }
    p.end();
    return pageNumber;
}

}  // namespace torvex
