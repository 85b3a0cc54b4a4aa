// Draws the toolbar images and the program icon as PNG files (24 and 48 pixels).
// Run once after changing a drawing; the images are committed with the sources:
//   zeptor_drawicons <output folder>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <functional>

namespace {

// Every drawing works on a 24 by 24 canvas; the painter scales it up.
using Drawing = std::function<void(QPainter &)>;

const QColor Outline(40, 40, 40);

void pen(QPainter &p, const QColor &color, qreal width)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void drawOpen(QPainter &p)
{
    pen(p, QColor(120, 90, 20), 1);
    p.setBrush(QColor(230, 180, 60));
    p.drawPolygon(QPolygonF({{2, 6}, {9, 6}, {11, 8}, {20, 8}, {20, 20}, {2, 20}}));
    p.setBrush(QColor(250, 215, 110));
    p.drawPolygon(QPolygonF({{5, 11}, {23, 11}, {20, 20}, {2, 20}}));
}

void drawSave(QPainter &p)
{
    pen(p, QColor(20, 40, 90), 1);
    p.setBrush(QColor(50, 90, 170));
    p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 3, 12, 7));
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(7, 14, 10, 7));
    p.setBrush(QColor(50, 90, 170));
    p.drawRect(QRectF(14, 4, 2, 5));
}

void drawPrint(QPainter &p)
{
    pen(p, Outline, 1);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 2, 10, 8));
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 14, 12, 8));
    pen(p, QColor(120, 120, 120), 1);
    p.drawLine(QPointF(8, 17), QPointF(16, 17));
    p.drawLine(QPointF(8, 19.5), QPointF(14, 19.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 180, 60));
    p.drawEllipse(QPointF(19, 11.5), 1, 1);
}

void drawProject(QPainter &p)
{
    pen(p, Outline, 1);
    p.setBrush(QColor(190, 140, 80));
    p.drawRoundedRect(QRectF(4, 3, 16, 20), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 5, 12, 16));
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(9, 1.5, 6, 3.5), 1, 1);
    pen(p, QColor(50, 90, 170), 1.2);
    for (qreal y : {9.0, 12.0, 15.0, 18.0})
        p.drawLine(QPointF(8, y), QPointF(y < 17 ? 16 : 13, y));
}

void drawPipes(QPainter &p)
{
    // A 90 degree pipe bend with its flanges.
    QPainterPath bend;
    bend.moveTo(3, 6);
    bend.lineTo(10, 6);
    bend.quadTo(18, 6, 18, 14);
    bend.lineTo(18, 21);
    p.setBrush(Qt::NoBrush);
    pen(p, Outline, 8);
    p.drawPath(bend);
    pen(p, QColor(170, 175, 185), 6);
    p.drawPath(bend);
    pen(p, QColor(225, 228, 235), 2);
    p.drawPath(bend.translated(-0.5, -1));
    pen(p, Outline, 1);
    p.setBrush(QColor(110, 115, 125));
    p.drawRect(QRectF(2, 1.5, 2.5, 9));
    p.drawRect(QRectF(13.5, 19.5, 9, 2.5));
}

void drawValves(QPainter &p)
{
    // The valve symbol on a pipe line, with its hand wheel.
    pen(p, Outline, 2);
    p.drawLine(QPointF(1, 15), QPointF(23, 15));
    pen(p, Outline, 1);
    p.setBrush(QColor(200, 60, 50));
    p.drawPolygon(QPolygonF({{4, 9}, {12, 15}, {4, 21}}));
    p.drawPolygon(QPolygonF({{20, 9}, {12, 15}, {20, 21}}));
    pen(p, Outline, 1.5);
    p.drawLine(QPointF(12, 15), QPointF(12, 5));
    p.drawLine(QPointF(7, 4), QPointF(17, 4));
}

void drawRoughness(QPainter &p)
{
    // A pipe wall, hatched, with a rough inner surface.
    pen(p, Outline, 1);
    p.setBrush(QColor(170, 175, 185));
    QPolygonF wall({{2, 22}, {2, 13}});
    for (int i = 0; i <= 10; ++i)
        wall << QPointF(2 + i * 2, (i % 2) ? 9.5 : 13.5);
    wall << QPointF(22, 22);
    p.drawPolygon(wall);
    pen(p, QColor(90, 95, 105), 1);
    for (int x = 0; x < 24; x += 4)
        p.drawLine(QPointF(x + 2, 22), QPointF(x + 6, 16));
    pen(p, QColor(50, 90, 170), 1.5);
    p.drawLine(QPointF(3, 4), QPointF(21, 4));
    p.drawLine(QPointF(17, 1.5), QPointF(21, 4));
    p.drawLine(QPointF(17, 6.5), QPointF(21, 4));
}

void drawDiameter(QPainter &p)
{
    // A pipe's cross-section with its inner diameter dimensioned.
    pen(p, Outline, 1);
    p.setBrush(QColor(170, 175, 185));
    p.drawEllipse(QPointF(12, 12), 10.5, 10.5);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 12), 8, 8);
    pen(p, QColor(200, 60, 50), 1.5);
    p.drawLine(QPointF(4.5, 12), QPointF(19.5, 12));
    p.setBrush(QColor(200, 60, 50));
    pen(p, QColor(200, 60, 50), 1);
    p.drawPolygon(QPolygonF({{4.2, 12}, {7.5, 10}, {7.5, 14}}));
    p.drawPolygon(QPolygonF({{19.8, 12}, {16.5, 10}, {16.5, 14}}));
}

void drawClear(QPainter &p)
{
    // An eraser wiping a line.
    pen(p, QColor(120, 120, 120), 1.5);
    p.drawLine(QPointF(2, 21), QPointF(22, 21));
    p.translate(12, 11);
    p.rotate(-40);
    pen(p, Outline, 1);
    p.setBrush(QColor(235, 120, 140));
    p.drawRoundedRect(QRectF(-9, -4.5, 11, 9), 1.5, 1.5);
    p.setBrush(QColor(90, 120, 200));
    p.drawRoundedRect(QRectF(2, -4.5, 7, 9), 1.5, 1.5);
    p.resetTransform();
}

void drawLetterInCircle(QPainter &p, const QColor &color, const QString &letter)
{
    pen(p, color.darker(150), 1);
    p.setBrush(color);
    p.drawEllipse(QPointF(12, 12), 10.5, 10.5);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(16);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, letter);
}

void drawHelp(QPainter &p)
{
    drawLetterInCircle(p, QColor(50, 110, 200), QStringLiteral("?"));
}

void drawInfo(QPainter &p)
{
    drawLetterInCircle(p, QColor(40, 150, 120), QStringLiteral("i"));
}

void drawStop(QPainter &p)
{
    QPolygonF octagon;
    for (int i = 0; i < 8; ++i) {
        const qreal angle = (22.5 + 45 * i) * 3.14159265358979 / 180;
        octagon << QPointF(12 + 10.8 * std::cos(angle), 12 + 10.8 * std::sin(angle));
    }
    pen(p, QColor(120, 20, 20), 1);
    p.setBrush(QColor(210, 40, 40));
    p.drawPolygon(octagon);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 10.5, 12, 3));
}

void drawProgram(QPainter &p)
{
    // A pipe with the flow arrow and a pressure gauge on top.
    pen(p, Outline, 1);
    p.setBrush(QColor(170, 175, 185));
    p.drawRect(QRectF(1, 14, 22, 7));
    pen(p, QColor(50, 90, 170), 1.6);
    p.drawLine(QPointF(4, 17.5), QPointF(19, 17.5));
    p.drawLine(QPointF(16, 15.5), QPointF(19, 17.5));
    p.drawLine(QPointF(16, 19.5), QPointF(19, 17.5));
    pen(p, Outline, 1.5);
    p.drawLine(QPointF(12, 14), QPointF(12, 11));
    pen(p, Outline, 1);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 6.5), 5.5, 5.5);
    pen(p, QColor(200, 60, 50), 1.4);
    p.drawLine(QPointF(12, 6.5), QPointF(15, 3.8));
}

bool write(const QString &folder, const QString &name, const Drawing &draw)
{
    for (int scale : {1, 2}) {
        QImage image(24 * scale, 24 * scale, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(scale, scale);
        draw(painter);
        painter.end();
        const QString file = folder + QLatin1Char('/') + name
            + (scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png"));
        if (!image.save(file))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    const std::pair<const char *, Drawing> drawings[] = {
        {"open", drawOpen},
        {"save", drawSave},
        {"print", drawPrint},
        {"project", drawProject},
        {"pipes", drawPipes},
        {"valves", drawValves},
        {"ruw", drawRoughness},
        {"diameter", drawDiameter},
        {"clear", drawClear},
        {"help", drawHelp},
        {"info", drawInfo},
        {"stop", drawStop},
        {"zeptor", drawProgram},
    };
    for (const auto &[name, draw] : drawings) {
        if (!write(folder, QString::fromLatin1(name), draw))
            return 1;
    }
    return 0;
}
