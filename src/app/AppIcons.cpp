#include "app/AppIcons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <initializer_list>

namespace {

// The program icon is drawn on a grid of this many units a side and scaled.
constexpr qreal kIconUnits = 64;

QImage Transparent(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A closed outline through `corners`, in order.
QPainterPath Outline(std::initializer_list<QPointF> corners)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(corners)));
    path.closeSubpath();
    return path;
}

void DrawTile(QPainter& p)
{
    QLinearGradient blue(0, 4, 0, 60);
    blue.setColorAt(0, QColor(70, 130, 210));
    blue.setColorAt(1, QColor(30, 80, 160));
    p.setPen(QPen(QColor(20, 55, 115), 1.5));
    p.setBrush(blue);
    p.drawRoundedRect(QRectF(4, 4, 56, 56), 10, 10);
}

void DrawSheet(QPainter& p)
{
    // A page with its top right corner folded over.
    p.setPen(QPen(QColor(40, 60, 90), 1.2));
    p.setBrush(QColor(250, 250, 245));
    p.drawPath(Outline({{14, 10}, {38, 10}, {48, 20}, {48, 54}, {14, 54}}));
    p.setBrush(QColor(205, 215, 230));
    p.drawPath(Outline({{38, 10}, {38, 20}, {48, 20}}));

    // Lines of lyrics, the middle gap a slide break.
    p.setPen(QPen(QColor(150, 165, 190), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (qreal y : {26.0, 30.0, 40.0, 44.0, 48.0}) p.drawLine(QPointF(18, y), QPointF(y < 35 ? 32 : 36, y));
}

void DrawNote(QPainter& p)
{
    const QColor ink(25, 45, 95);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.save();
    p.translate(37.5, 43);
    p.rotate(-20);
    p.drawEllipse(QRectF(-4, -3, 8, 6));
    p.restore();
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(41, 42), QPointF(41, 24));
    QPainterPath flag;
    flag.moveTo(41, 24);
    flag.cubicTo(43, 29, 47, 29, 45, 35);
    p.setBrush(Qt::NoBrush);
    p.drawPath(flag);
}

void DrawArrow(QPainter& p)
{
    p.setPen(QPen(QColor(150, 70, 0), 1.2));
    p.setBrush(QColor(245, 150, 30));
    p.drawPath(Outline({{36, 50}, {48, 50}, {48, 44}, {59, 54}, {48, 63.5}, {48, 58}, {36, 58}}));
}

}  // namespace

QImage RenderProgramIcon(int size)
{
    QImage image = Transparent(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kIconUnits, size / kIconUnits);
    DrawTile(p);
    DrawSheet(p);
    DrawNote(p);
    DrawArrow(p);
    return image;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(RenderProgramIcon(size)));
    return icon;
}

QImage RenderOpenDatabaseGlyph()
{
    // A drum of three discs, drawn pixel-aligned for crispness at 16 x 16.
    QImage image = Transparent(kGlyphSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor outline(40, 70, 120);
    QLinearGradient body(2, 0, 14, 0);
    body.setColorAt(0, QColor(120, 170, 230));
    body.setColorAt(0.5, QColor(200, 225, 250));
    body.setColorAt(1, QColor(90, 140, 210));
    p.setPen(QPen(outline, 1));
    p.setBrush(body);
    QPainterPath drum;
    drum.moveTo(2.5, 3.5);
    drum.lineTo(2.5, 12.5);
    drum.arcTo(QRectF(2.5, 10.5, 11, 4), 180, 180);
    drum.lineTo(13.5, 3.5);
    drum.closeSubpath();
    p.drawPath(drum);
    p.setBrush(Qt::NoBrush);
    for (qreal y : {5.5, 8.5}) p.drawArc(QRectF(2.5, y, 11, 4), 180 * 16, 180 * 16);
    p.setBrush(QColor(225, 240, 255));
    p.drawEllipse(QRectF(2.5, 1.5, 11, 4));
    return image;
}

QIcon OpenDatabaseGlyph() { return QIcon(QPixmap::fromImage(RenderOpenDatabaseGlyph())); }
