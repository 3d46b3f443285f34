#include "ui/mainwindow/Pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace tornavel::ui {
namespace {

// Every picture is drawn on a 32 x 32 grid and scaled to each size.
QIcon drawn(const std::function<void(QPainter&)>& draw) {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        draw(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPen outline(const QColor& colour, qreal width = 1.5) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawPage(QPainter& p) {
    QPainterPath page;
    page.moveTo(7, 3);
    page.lineTo(20, 3);
    page.lineTo(26, 9);
    page.lineTo(26, 29);
    page.lineTo(7, 29);
    page.closeSubpath();
    p.setPen(outline(QColor(90, 90, 90)));
    p.setBrush(Qt::white);
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(20, 3);
    corner.lineTo(20, 9);
    corner.lineTo(26, 9);
    p.setBrush(QColor(220, 220, 220));
    p.drawPath(corner);
    p.setPen(outline(QColor(150, 170, 200), 1.2));
    for (int y = 13; y <= 25; y += 4) {
        p.drawLine(QPointF(10, y), QPointF(23, y));
    }
}

void drawFolder(QPainter& p) {
    p.setPen(outline(QColor(140, 100, 20)));
    p.setBrush(QColor(230, 180, 60));
    QPainterPath back;
    back.moveTo(2, 8);
    back.lineTo(11, 8);
    back.lineTo(14, 11);
    back.lineTo(26, 11);
    back.lineTo(26, 27);
    back.lineTo(2, 27);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(250, 210, 100));
    QPainterPath front;
    front.moveTo(2, 27);
    front.lineTo(7, 15);
    front.lineTo(30, 15);
    front.lineTo(26, 27);
    front.closeSubpath();
    p.drawPath(front);
}

void drawDisk(QPainter& p) {
    QPainterPath body;
    body.moveTo(4, 4);
    body.lineTo(25, 4);
    body.lineTo(28, 7);
    body.lineTo(28, 28);
    body.lineTo(4, 28);
    body.closeSubpath();
    p.setPen(outline(QColor(20, 40, 90)));
    p.setBrush(QColor(50, 90, 170));
    p.drawPath(body);
    p.setBrush(QColor(210, 210, 215));
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(QColor(50, 90, 170));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(18, 6, 3, 5));
    p.setPen(outline(QColor(20, 40, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 17, 16, 11));
}

void drawDoor(QPainter& p) {
    p.setPen(outline(QColor(70, 50, 30)));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(6, 3, 16, 26));
    p.setBrush(QColor(150, 95, 45));
    QPainterPath door;
    door.moveTo(6, 3);
    door.lineTo(16, 6);
    door.lineTo(16, 31);
    door.lineTo(6, 29);
    door.closeSubpath();
    p.drawPath(door);
    p.setBrush(QColor(240, 200, 80));
    p.drawEllipse(QPointF(14, 17), 1.2, 1.2);
    // The arrow out of the door.
    p.setPen(outline(QColor(190, 30, 30), 3));
    p.drawLine(QPointF(19, 16), QPointF(29, 16));
    p.drawLine(QPointF(25, 11), QPointF(29.5, 16));
    p.drawLine(QPointF(25, 21), QPointF(29.5, 16));
}

void drawBox(QPainter& p) {
    p.setPen(outline(QColor(100, 65, 25)));
    p.setBrush(QColor(205, 150, 85));
    QPainterPath front;
    front.addRect(QRectF(3, 13, 18, 16));
    p.drawPath(front);
    p.setBrush(QColor(180, 125, 65));
    QPainterPath side;
    side.moveTo(21, 13);
    side.lineTo(28, 8);
    side.lineTo(28, 24);
    side.lineTo(21, 29);
    side.closeSubpath();
    p.drawPath(side);
    p.setBrush(QColor(230, 185, 120));
    QPainterPath top;
    top.moveTo(3, 13);
    top.lineTo(10, 8);
    top.lineTo(28, 8);
    top.lineTo(21, 13);
    top.closeSubpath();
    p.drawPath(top);
}

void drawTick(QPainter& p) {
    p.setPen(outline(QColor(255, 255, 255), 5));
    QPainterPath tick;
    tick.moveTo(15, 19);
    tick.lineTo(20, 25);
    tick.lineTo(30, 10);
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
    p.setPen(outline(QColor(30, 150, 40), 3));
    p.drawPath(tick);
}

} // namespace

QIcon newProjectPicture() {
    return drawn(drawPage);
}

QIcon openProjectPicture() {
    return drawn(drawFolder);
}

QIcon saveProjectPicture() {
    return drawn(drawDisk);
}

QIcon exitPicture() {
    return drawn(drawDoor);
}

QIcon buildPicture() {
    return drawn([](QPainter& p) {
        drawBox(p);
        drawTick(p);
    });
}

QIcon programPicture() {
    return drawn([](QPainter& p) {
        drawBox(p);
        p.setPen(outline(QColor(60, 30, 10), 3));
        p.drawLine(QPointF(7, 17), QPointF(17, 17));
        p.drawLine(QPointF(12, 17), QPointF(12, 26));
    });
}

} // namespace tornavel::ui
