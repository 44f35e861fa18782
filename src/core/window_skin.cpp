#include "core/window_skin.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace velmora {
namespace {

constexpr QColor kTitleTop{44, 48, 66};
constexpr QColor kTitleBottom{30, 33, 47};

QImage title_piece(int width, bool round_left, bool round_right) {
    QImage image(width, WindowSkin::kTitleHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, WindowSkin::kTitleHeight);
    gradient.setColorAt(0, kTitleTop);
    gradient.setColorAt(1, kTitleBottom);
    QPainterPath path;
    const qreal r = 10;
    const QRectF box(0, 0, width, WindowSkin::kTitleHeight);
    path.moveTo(round_left ? r : 0, 0);
    path.lineTo(round_right ? width - r : width, 0);
    if (round_right)
        path.quadTo(width, 0, width, r);
    path.lineTo(width, box.bottom());
    path.lineTo(0, box.bottom());
    path.lineTo(0, round_left ? r : 0);
    if (round_left)
        path.quadTo(0, 0, r, 0);
    p.fillPath(path, gradient);
    // A hairline of light along the top edge gives the bar some depth.
    p.setPen(QColor(255, 255, 255, 28));
    p.drawLine(QPointF(round_left ? r : 0, 0.5), QPointF(round_right ? width - r : width, 0.5));
    return image;
}

QImage close_picture(QColor circle, QColor cross) {
    const int s = WindowSkin::kCloseSize;
    QImage image(s, s, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(circle);
    p.drawEllipse(QRectF(1, 1, s - 2, s - 2));
    p.setPen(QPen(cross, 2, Qt::SolidLine, Qt::RoundCap));
    const qreal a = s * 0.36;
    const qreal b = s - a;
    p.drawLine(QPointF(a, a), QPointF(b, b));
    p.drawLine(QPointF(b, a), QPointF(a, b));
    return image;
}

QImage program_icon(QColor accent) {
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 32, 32);
    gradient.setColorAt(0, accent.lighter(115));
    gradient.setColorAt(1, QColor(124, 77, 255));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 8, 8);
    // A stylised film frame with a play triangle: photos becoming a video.
    p.setBrush(QColor(255, 255, 255, 235));
    QPainterPath play;
    play.moveTo(12, 9);
    play.lineTo(23, 16);
    play.lineTo(12, 23);
    play.closeSubpath();
    p.drawPath(play);
    return image;
}

} // namespace

WindowSkin WindowSkin::paint() {
    WindowSkin skin;
    skin.left = title_piece(24, true, false);
    skin.middle = title_piece(8, false, false);
    skin.right = title_piece(56, false, true);
    skin.bottom = QImage(8, kBottomHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&skin.bottom);
    QLinearGradient strip(0, 0, 8, 0);
    strip.setColorAt(0, skin.accent);
    strip.setColorAt(1, skin.accent.darker(110));
    p.fillRect(skin.bottom.rect(), strip);
    p.end();
    skin.close_normal = close_picture(QColor(255, 255, 255, 22), QColor(220, 224, 232));
    skin.close_hover = close_picture(QColor(229, 72, 77), Qt::white);
    skin.close_pressed = close_picture(QColor(180, 45, 52), Qt::white);
    skin.icon = program_icon(skin.accent);
    return skin;
}

} // namespace velmora
