// Paints the pictures of the information forms and the logo menu into resources/pictures.
// Run by hand when the artwork changes (the results are committed):
//   cmake --build build --target paint_pictures && build/tools/paint_pictures resources/pictures

#include <QApplication>
#include <QDir>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>

#include "torvex_version.h"
#include "ui/artwork.h"

namespace {

const QColor kNavy(18, 38, 86);
const QColor kRed(255, 0, 0);

QFont Face(int pixels, bool bold = false, bool italic = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

// A few rungs of ladder: rails, contacts, coils, one branch; `live` rungs in red.
void Ladder(QPainter& p, const QRectF& r, int rungs, qreal width) {
    const QColor black(20, 20, 20);
    const qreal gap = r.height() / rungs;
    QPen rail(QColor(230, 230, 230), width * 1.6);
    p.setPen(rail);
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.drawLine(r.topRight(), r.bottomRight());
    for (int i = 0; i < rungs; ++i) {
        const qreal y = r.top() + gap * (i + 0.5);
        const bool live = i % 2 == 0;
        QPen pen(live ? kRed : QColor(230, 230, 230), width);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        const qreal x0 = r.left(), x1 = r.right();
        const qreal c1 = x0 + r.width() * 0.18, c2 = x0 + r.width() * 0.40;
        const qreal coil = x1 - r.width() * 0.15;
        const qreal h = gap * 0.28;
        p.drawLine(QPointF(x0, y), QPointF(c1, y));
        p.drawLine(QPointF(c1, y - h), QPointF(c1, y + h));
        p.drawLine(QPointF(c1 + h, y - h), QPointF(c1 + h, y + h));
        p.drawLine(QPointF(c1 + h, y), QPointF(c2, y));
        p.drawLine(QPointF(c2, y - h), QPointF(c2, y + h));
        p.drawLine(QPointF(c2 + h, y - h), QPointF(c2 + h, y + h));
        if (i == 1) p.drawLine(QPointF(c2 - h * 0.2, y + h), QPointF(c2 + h * 1.2, y - h));
        p.drawLine(QPointF(c2 + h, y), QPointF(coil - h, y));
        p.drawArc(QRectF(coil - h * 1.2, y - h, h * 1.4, h * 2), 110 * 16, 140 * 16);
        p.drawArc(QRectF(coil - h * 0.2, y - h, h * 1.4, h * 2), -70 * 16, 140 * 16);
        p.drawLine(QPointF(coil + h * 1.2, y), QPointF(x1, y));
        if (i == 0 && rungs > 1) {
            // A parallel branch around the first contact.
            const qreal yb = y + gap * 0.45;
            p.drawLine(QPointF(x0 + width, yb), QPointF(c1, yb));
            p.drawLine(QPointF(c1, yb - h * 0.8), QPointF(c1, yb + h * 0.8));
            p.drawLine(QPointF(c1 + h, yb - h * 0.8), QPointF(c1 + h, yb + h * 0.8));
            p.drawLine(QPointF(c1 + h, yb), QPointF(c2 - h, yb));
            p.drawLine(QPointF(c2 - h, yb), QPointF(c2 - h, y));
        }
    }
    Q_UNUSED(black);
}

// The maker's name, as large as `pixels` allows while it still fits the width of `r`.
void Wordmark(QPainter& p, const QRectF& r, const QColor& ink, int pixels) {
    const QString name = QStringLiteral("Quendale");
    QFont font = Face(pixels, true, true);
    while (font.pixelSize() > 6 && QFontMetricsF(font).horizontalAdvance(name) > r.width() * 0.94)
        font.setPixelSize(font.pixelSize() - 1);
    p.setPen(ink);
    p.setFont(font);
    p.drawText(r, Qt::AlignCenter, name);
}

QImage Splash() {
    QImage img(514, 394, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 394);
    sky.setColorAt(0, QColor(16, 30, 70));
    sky.setColorAt(1, QColor(40, 80, 150));
    p.fillRect(img.rect(), sky);
    p.setPen(QColor(255, 255, 255));
    p.setFont(Face(64, true));
    p.drawText(QRectF(0, 28, 514, 80), Qt::AlignCenter, QStringLiteral("TORVEX"));
    p.setFont(Face(18, false, true));
    p.setPen(QColor(200, 215, 240));
    p.drawText(QRectF(0, 104, 514, 28), Qt::AlignCenter,
               QStringLiteral("PLC ladder logic trainer  \u00b7  version ") +
                   QString::fromLatin1(torvex::kTorvexMajorMinor));
    Ladder(p, QRectF(60, 268, 394, 104), 3, 2.2);
    return img;
}

QImage MakerLogo(QSize size, const QColor& ground) {
    QImage img(size, QImage::Format_ARGB32);
    img.fill(ground);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal h = size.height();
    QRectF card(1, 1, size.width() - 2, h - 2);
    p.setPen(QPen(kNavy, qMax(1.0, h / 40)));
    p.setBrush(Qt::white);
    p.drawRoundedRect(card, h / 8, h / 8);
    // Emblem: a stylised Q made of a rung and a coil.
    const QRectF emblem(h * 0.18, h * 0.18, h * 0.64, h * 0.64);
    p.setPen(QPen(kNavy, h / 12));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(emblem);
    p.setPen(QPen(kRed, h / 12, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(emblem.center(), emblem.bottomRight() + QPointF(h * 0.05, h * 0.05));
    Wordmark(p, QRectF(h * 0.92, 0, size.width() - h * 1.0, h * 0.78), kNavy, int(h * 0.42));
    p.setFont(Face(qMax(8, int(h * 0.13))));
    p.setPen(QColor(90, 90, 90));
    p.drawText(QRectF(h * 0.9, h * 0.58, size.width() - h, h * 0.3), Qt::AlignCenter,
               QStringLiteral("training software"));
    return img;
}

// The About picture: a control cabinet with a PLC and indicator lamps beside a screen
// showing a running rung, lit from the left.
QImage AboutPicture() {
    QImage img(306, 213, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient wall(0, 0, 306, 213);
    wall.setColorAt(0, QColor(210, 214, 220));
    wall.setColorAt(1, QColor(120, 128, 140));
    p.fillRect(img.rect(), wall);
    // Cabinet.
    QLinearGradient steel(10, 0, 150, 0);
    steel.setColorAt(0, QColor(235, 235, 230));
    steel.setColorAt(1, QColor(160, 160, 155));
    p.setPen(QPen(QColor(80, 80, 80), 1.5));
    p.setBrush(steel);
    p.drawRoundedRect(QRectF(14, 14, 134, 186), 6, 6);
    // DIN rail with a PLC.
    p.setBrush(QColor(70, 70, 75));
    p.drawRect(QRectF(22, 42, 118, 8));
    p.setBrush(QColor(50, 90, 160));
    p.drawRoundedRect(QRectF(28, 30, 62, 52), 3, 3);
    for (int i = 0; i < 8; ++i) {
        p.setBrush(i % 3 == 0 ? QColor(60, 230, 60) : QColor(30, 70, 30));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(36 + 7 * i, 70), 2.2, 2.2);
    }
    p.setPen(QPen(QColor(80, 80, 80), 1.5));
    p.setBrush(QColor(200, 200, 195));
    p.drawRoundedRect(QRectF(96, 30, 38, 52), 3, 3);
    // Lamps and push buttons.
    const QColor lamps[] = {QColor(230, 30, 30), QColor(240, 200, 30), QColor(40, 200, 60)};
    for (int i = 0; i < 3; ++i) {
        QRadialGradient glow(QPointF(46 + 35 * i, 128), 14);
        glow.setColorAt(0, lamps[i].lighter(160));
        glow.setColorAt(1, lamps[i].darker(140));
        p.setBrush(glow);
        p.drawEllipse(QPointF(46 + 35 * i, 128), 11, 11);
        p.setBrush(QColor(40, 40, 40));
        p.drawEllipse(QPointF(46 + 35 * i, 166), 9, 9);
    }
    // Screen with a rung.
    p.setPen(QPen(QColor(30, 30, 30), 3));
    p.setBrush(QColor(20, 24, 32));
    p.drawRoundedRect(QRectF(160, 34, 134, 104), 5, 5);
    p.fillRect(QRectF(166, 40, 122, 92), QColor(192, 192, 192));
    QPainter::CompositionMode mode = p.compositionMode();
    Ladder(p, QRectF(172, 48, 110, 76), 3, 1.6);
    p.setCompositionMode(mode);
    p.setPen(QPen(QColor(40, 40, 40), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(227, 140), QPointF(227, 160));
    p.drawLine(QPointF(200, 164), QPointF(254, 164));
    return img;
}

QImage ContactLogo() {
    QImage img(433, 69, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 433, 0);
    band.setColorAt(0, kNavy);
    band.setColorAt(1, QColor(50, 100, 180));
    p.fillRect(img.rect(), band);
    p.drawImage(QPointF(8, 6), MakerLogo(QSize(164, 57), kNavy));
    p.setPen(Qt::white);
    p.setFont(Face(30, true));
    p.drawText(QRectF(180, 4, 245, 40), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("TORVEX"));
    p.setFont(Face(12, false, true));
    p.setPen(QColor(210, 225, 245));
    p.drawText(QRectF(180, 40, 245, 22), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("ladder logic training"));
    return img;
}

QImage MenuLogo(int height) {
    const QColor ground(236, 233, 216);
    QImage img(64, height, QImage::Format_RGB32);
    img.fill(ground);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    Wordmark(p, QRectF(0, 0, 64, height), kNavy, height - 3);
    return img;
}

bool Save(const QImage& img, const QString& path, const char* format, int quality = -1) {
    if (!img.save(path, format, quality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: paint_pictures OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    bool ok = Save(Splash(), out.filePath("intro.png"), "PNG");
    ok &= Save(MakerLogo(QSize(263, 92), Qt::transparent), out.filePath("maker.png"), "PNG");
    ok &= Save(AboutPicture(), out.filePath("about.jpg"), "JPEG", 88);
    ok &= Save(ContactLogo(), out.filePath("contact.png"), "PNG");
    ok &= Save(MenuLogo(15), out.filePath("menu-logo.png"), "PNG");
    ok &= Save(MenuLogo(20), out.filePath("menu-logo-large.png"), "PNG");
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QImage icon(size, size, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        QPainter p(&icon);
        torvex::GlyphIcon(torvex::Glyph::Application).paint(&p, icon.rect());
        p.end();
        ok &= Save(icon, out.filePath(QStringLiteral("torvex-%1.png").arg(size)), "PNG");
    }
    return ok ? 0 : 1;
}
