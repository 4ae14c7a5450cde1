// SPDX-License-Identifier: Apache-2.0
// Draws the status monitor's artwork: the application icon and the twelve status badges.
// Usage: generate_artwork OUTPUT_DIR
//
// The dialog shows every picture scaled to 80 x 80 with nearest-pixel sampling, so all shapes
// are bold (no detail thinner than about 10 pixels at full size) and every badge is told apart
// by its colour and, where the state needs it, a symbol in the lower right corner.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>

#include <cstdio>

namespace {

constexpr int kBadgeSize = 346;
constexpr int kIconSize = 256;

// Badge geometry: the coloured disc sits a little above the centre so that its shadow shows.
const QPointF kBadgeCentre(173.0, 168.0);
constexpr qreal kBadgeRadius = 158.0;
constexpr qreal kBadgeRim = 9.0;
const QPointF kCornerCentre(264.0, 264.0);
constexpr qreal kCornerRadius = 76.0;
constexpr qreal kCornerRim = 10.0;

enum class CornerSymbol { None, WasteBin, PaperSheet, RibbonSpools, Zigzag };

struct Palette {
    QColor light;
    QColor base;
    QColor dark;
};

struct Badge {
    const char* fileName;
    Palette palette;
    CornerSymbol symbol;
};

const Palette kGreen{QColor(0x8c, 0xe0, 0x6a), QColor(0x2f, 0xa0, 0x3c), QColor(0x13, 0x5e, 0x1f)};
const Palette kBlue{QColor(0x7c, 0xc0, 0xff), QColor(0x1e, 0x6f, 0xd6), QColor(0x0b, 0x3a, 0x80)};
const Palette kPurple{QColor(0xc6, 0x9c, 0xf2), QColor(0x7c, 0x3c, 0xbf), QColor(0x44, 0x1a, 0x73)};
const Palette kYellow{QColor(0xff, 0xf1, 0x80), QColor(0xf5, 0xc2, 0x00), QColor(0xb0, 0x80, 0x00)};
const Palette kOrange{QColor(0xff, 0xb0, 0x66), QColor(0xee, 0x6c, 0x0c), QColor(0x9a, 0x3c, 0x00)};
const Palette kRed{QColor(0xff, 0x7a, 0x72), QColor(0xd0, 0x1e, 0x1e), QColor(0x7c, 0x08, 0x08)};
const Palette kGrey{QColor(0xd4, 0xd7, 0xdb), QColor(0x86, 0x8b, 0x92), QColor(0x4a, 0x4e, 0x54)};

const Badge kBadges[] = {
    {"PrtStsIdle.bmp", kGreen, CornerSymbol::None},
    {"PrtStsPrinting.bmp", kBlue, CornerSymbol::None},
    {"PrtStsCooling.bmp", kPurple, CornerSymbol::None},
    {"PrtStsCoverOpen.bmp", kYellow, CornerSymbol::None},
    {"PrtStsNoScrapBox.bmp", kOrange, CornerSymbol::WasteBin},
    {"PrtStsPaperEnd.bmp", kYellow, CornerSymbol::PaperSheet},
    {"PrtStsRibbonEnd.bmp", kYellow, CornerSymbol::RibbonSpools},
    {"PrtStsPaperJam.bmp", kOrange, CornerSymbol::Zigzag},
    {"PrtStsRibbonErr.bmp", kOrange, CornerSymbol::RibbonSpools},
    {"PrtStsPaperErr.bmp", kOrange, CornerSymbol::PaperSheet},
    {"PrtStsSystemErr01.bmp", kRed, CornerSymbol::None},
    {"PrtStsOffline.bmp", kGrey, CornerSymbol::None},
};

QRectF circleRect(const QPointF& centre, qreal radius) {
    return QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
}

// A soft round shadow: a radial gradient that fades out towards the given radius.
void drawSoftShadow(QPainter& painter, const QPointF& centre, qreal radius, int alpha) {
    QRadialGradient shadow(centre, radius);
    shadow.setColorAt(0.80, QColor(0, 0, 0, alpha));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shadow);
    painter.drawEllipse(circleRect(centre, radius));
}

// The disc: a dark rim around a radial body lit from the upper left.
void drawDisc(QPainter& painter, const QPointF& centre, qreal radius, qreal rim,
              const Palette& palette) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.dark);
    painter.drawEllipse(circleRect(centre, radius));

    const qreal inner = radius - rim;
    QRadialGradient body(centre, inner, centre + QPointF(-0.35 * inner, -0.45 * inner));
    body.setColorAt(0.0, palette.light);
    body.setColorAt(0.55, palette.base);
    body.setColorAt(1.0, palette.base.darker(125));
    painter.setBrush(body);
    painter.drawEllipse(circleRect(centre, inner));
}

// The gloss: a bright cap over the top of the disc and a faint glow along its lower edge.
void drawGloss(QPainter& painter, const QPointF& centre, qreal radius) {
    QPainterPath disc;
    disc.addEllipse(circleRect(centre, radius));
    QPainterPath cap;
    cap.addEllipse(QRectF(centre.x() - 0.74 * radius, centre.y() - 0.95 * radius, 1.48 * radius,
                          0.66 * radius));
    QLinearGradient gloss(0, centre.y() - radius, 0, centre.y() - 0.3 * radius);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 180));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 10));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gloss);
    painter.drawPath(cap.intersected(disc));

    QPainterPath lower;
    lower.addEllipse(
        QRectF(centre.x() - 0.7 * radius, centre.y() + 0.55 * radius, 1.4 * radius, 0.6 * radius));
    QLinearGradient glow(0, centre.y() + 0.55 * radius, 0, centre.y() + radius);
    glow.setColorAt(0.0, QColor(255, 255, 255, 0));
    glow.setColorAt(1.0, QColor(255, 255, 255, 70));
    painter.setBrush(glow);
    painter.drawPath(lower.intersected(disc));
}

// The printer seen from the front: sheet in the feeder, body, output slot, printed sheet.
QPainterPath printerSilhouette() {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addRoundedRect(QRectF(118, 62, 110, 70), 8, 8);
    path.addRoundedRect(QRectF(72, 112, 202, 112), 24, 24);
    path.addRoundedRect(QRectF(118, 186, 110, 76), 6, 6);
    return path.simplified();
}

// White with a drop shadow; a dark outline keeps its top apart from the gloss.
void drawPrinterSymbol(QPainter& painter, const Palette& palette) {
    const QPainterPath silhouette = printerSilhouette();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawPath(silhouette.translated(4, 6));
    painter.setPen(QPen(palette.dark, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::white);
    painter.drawPath(silhouette);
    painter.setPen(Qt::NoPen);

    // Output slot and power lamp; the printed sheet comes out in front of the slot and carries
    // two lines of print.
    painter.setBrush(palette.dark);
    painter.drawRoundedRect(QRectF(100, 176, 146, 14), 7, 7);
    painter.drawEllipse(circleRect(QPointF(244, 144), 10));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(118, 186, 110, 10));
    painter.setBrush(palette.base);
    painter.drawRoundedRect(QRectF(136, 208, 74, 11), 5, 5);
    painter.drawRoundedRect(QRectF(136, 232, 50, 11), 5, 5);
}

// The corner symbols below are drawn around the origin, inside the white disc of radius
// kSymbolArea; drawCornerSymbol moves and scales them into place.
constexpr qreal kSymbolArea = 60.0;

void drawWasteBin(QPainter& painter, const QColor& ink) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawRoundedRect(QRectF(-13, -46, 26, 14), 4, 4);
    painter.drawRoundedRect(QRectF(-34, -36, 68, 13), 5, 5);
    painter.drawPolygon(
        QPolygonF({QPointF(-28, -18), QPointF(28, -18), QPointF(21, 42), QPointF(-21, 42)}));
    painter.setBrush(Qt::white);
    for (const qreal slitCentre : {-12.0, 0.0, 12.0})
        painter.drawRoundedRect(QRectF(slitCentre - 3.5, -9, 7, 42), 3.5, 3.5);
}

void drawPaperSheet(QPainter& painter, const QColor& ink) {
    const qreal fold = 22;
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPolygon(QPolygonF({QPointF(-30, -44), QPointF(30 - fold, -44),
                                   QPointF(30, -44 + fold), QPointF(30, 44), QPointF(-30, 44)}));
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF({QPointF(30 - fold + 5, -41), QPointF(27, -44 + fold - 5),
                                   QPointF(30 - fold + 5, -44 + fold - 5)}));
    painter.drawRoundedRect(QRectF(-19, -12, 38, 9), 4.5, 4.5);
    painter.drawRoundedRect(QRectF(-19, 6, 38, 9), 4.5, 4.5);
    painter.drawRoundedRect(QRectF(-19, 24, 26, 9), 4.5, 4.5);
}

// Two spools with the ribbon film running along their top and bottom edges.
void drawRibbonSpools(QPainter& painter, const QColor& ink) {
    const qreal spool = 20;
    const qreal film = 9;
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawRect(QRectF(-26, -spool, 52, film));
    painter.drawRect(QRectF(-26, spool - film, 52, film));
    for (const qreal x : {-26.0, 26.0}) {
        painter.setBrush(ink);
        painter.drawEllipse(circleRect(QPointF(x, 0), spool));
        painter.setBrush(Qt::white);
        painter.drawEllipse(circleRect(QPointF(x, 0), 12));
        painter.setBrush(ink);
        painter.drawEllipse(circleRect(QPointF(x, 0), 6));
    }
}

void drawZigzag(QPainter& painter, const QColor& ink) {
    painter.setPen(QPen(ink, 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(
        QPolygonF({QPointF(-42, 14), QPointF(-28, -16), QPointF(-14, 14), QPointF(0, -16),
                   QPointF(14, 14), QPointF(28, -16), QPointF(42, 14)}));
}

// The state symbol: a white disc with a dark rim at the lower right, overlapping the badge edge.
void drawCornerSymbol(QPainter& painter, CornerSymbol symbol, const Palette& palette) {
    if (symbol == CornerSymbol::None)
        return;
    drawSoftShadow(painter, kCornerCentre + QPointF(2, 4), kCornerRadius + 5, 90);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.dark);
    painter.drawEllipse(circleRect(kCornerCentre, kCornerRadius));
    painter.setBrush(Qt::white);
    painter.drawEllipse(circleRect(kCornerCentre, kCornerRadius - kCornerRim));

    painter.save();
    painter.translate(kCornerCentre);
    const qreal scale = (kCornerRadius - kCornerRim) / kSymbolArea;
    painter.scale(scale, scale);
    switch (symbol) {
    case CornerSymbol::WasteBin:
        drawWasteBin(painter, palette.dark);
        break;
    case CornerSymbol::PaperSheet:
        drawPaperSheet(painter, palette.dark);
        break;
    case CornerSymbol::RibbonSpools:
        drawRibbonSpools(painter, palette.dark);
        break;
    case CornerSymbol::Zigzag:
        drawZigzag(painter, palette.dark);
        break;
    case CornerSymbol::None:
        break;
    }
    painter.restore();
}

QImage makeBadge(const Badge& badge) {
    QImage canvas(kBadgeSize, kBadgeSize, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    drawSoftShadow(painter, kBadgeCentre + QPointF(0, 8), kBadgeRadius + 10, 80);
    drawDisc(painter, kBadgeCentre, kBadgeRadius, kBadgeRim, badge.palette);
    drawGloss(painter, kBadgeCentre, kBadgeRadius - kBadgeRim);
    drawPrinterSymbol(painter, badge.palette);
    drawCornerSymbol(painter, badge.symbol, badge.palette);
    painter.end();
    return canvas.convertToFormat(QImage::Format_RGB888);
}

// The application icon: a grey photo printer handing out a colour photograph.
QImage makeIcon() {
    QImage canvas(kIconSize, kIconSize, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor outline(0x3c, 0x44, 0x4e);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawRoundedRect(QRectF(24, 82, 216, 118), 26, 26);

    painter.setPen(QPen(outline, 6));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(70, 16, 116, 80));
    painter.setPen(QPen(QColor(0xb0, 0xb6, 0xbe), 6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(88, 38), QPointF(168, 38));
    painter.drawLine(QPointF(88, 56), QPointF(148, 56));

    QLinearGradient body(0, 72, 0, 190);
    body.setColorAt(0.0, QColor(0xf6, 0xf7, 0xf9));
    body.setColorAt(1.0, QColor(0xa4, 0xab, 0xb4));
    painter.setPen(QPen(outline, 6));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(18, 72, 220, 118), 24, 24);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x22, 0x27, 0x2d));
    painter.drawRoundedRect(QRectF(46, 146, 164, 16), 8, 8);
    painter.setBrush(QColor(0x2f, 0xc0, 0x4a));
    painter.drawEllipse(QRectF(192, 94, 22, 22));

    const QRectF photo(64, 154, 128, 96);
    painter.setPen(QPen(outline, 5));
    painter.setBrush(Qt::white);
    painter.drawRect(photo);
    const QRectF picture = photo.adjusted(10, 10, -10, -10);
    QLinearGradient sky(0, picture.top(), 0, picture.bottom());
    sky.setColorAt(0.0, QColor(0x2e, 0x8c, 0xf0));
    sky.setColorAt(1.0, QColor(0xb8, 0xe0, 0xff));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRect(picture);
    painter.setBrush(QColor(0xff, 0xc8, 0x1e));
    painter.drawEllipse(QRectF(picture.right() - 40, picture.top() + 8, 26, 26));
    QPainterPath hill;
    hill.moveTo(picture.bottomLeft());
    hill.lineTo(picture.left(), picture.bottom() - 30);
    hill.cubicTo(picture.left() + 40, picture.bottom() - 58, picture.left() + 70,
                 picture.bottom() - 8, picture.right(), picture.bottom() - 36);
    hill.lineTo(picture.bottomRight());
    hill.closeSubpath();
    painter.setBrush(QColor(0x2f, 0xa6, 0x3c));
    painter.drawPath(hill);
    painter.end();
    return canvas;
}

bool save(const QImage& image, const QDir& dir, const char* fileName, const char* format) {
    const QString path = dir.filePath(QString::fromLatin1(fileName));
    if (image.save(path, format))
        return true;
    std::fprintf(stderr, "generate_artwork: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: generate_artwork OUTPUT_DIR\n");
        return 2;
    }
    const QDir outputDir(QString::fromLocal8Bit(argv[1]));
    if (!outputDir.exists() && !QDir().mkpath(outputDir.path())) {
        std::fprintf(stderr, "generate_artwork: cannot create %s\n", argv[1]);
        return 1;
    }

    bool ok = save(makeIcon(), outputDir, "printer_icon.png", "PNG");
    for (const Badge& badge : kBadges)
        ok = save(makeBadge(badge), outputDir, badge.fileName, "BMP") && ok;
    return ok ? 0 : 1;
}
