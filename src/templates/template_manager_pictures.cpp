#include "templates/template_manager_pictures.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "templates/photo_fit.h"

namespace velmora {
namespace {

constexpr int kFrame = 3;
const QColor kTeal{0, 128, 128};
const QColor kBadgeYellow{255, 255, 0};

QFont bold_font(int point_size) {
    QFont font;
    font.setPointSize(point_size);
    font.setBold(true);
    return font;
}

QPoint centred(QSize inner, QSize outer) {
    return {(outer.width() - inner.width()) / 2, (outer.height() - inner.height()) / 2};
}

void draw_number_badge(QPainter& p, QPoint at, int number) {
    const QString text = QStringLiteral("〔%1〕").arg(number);
    p.setFont(bold_font(8));
    const QFontMetrics metrics(p.font());
    const QRect box(at, QSize(metrics.horizontalAdvance(text) + 2, metrics.height()));
    p.fillRect(box, kBadgeYellow);
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignCenter, text);
}

} // namespace

QSize ManagerPictures::thumbnail_size(int width, int height) { return fit_photo(width, height, kPagePicture, 6); }

QImage ManagerPictures::photo_cell(const QImage& thumbnail, int number, QColor background) {
    QImage cell = framed_picture(thumbnail, kCell, kFrame, background);
    QPainter p(&cell);
    const QPoint frame_corner = centred(thumbnail.size() + QSize(2 * kFrame, 2 * kFrame), kCell);
    draw_number_badge(p, frame_corner + QPoint(kFrame, kFrame), number);
    return cell;
}

QImage ManagerPictures::empty_slot(SlotKind kind, QColor background) {
    const QSize size = kind == SlotKind::Landscape ? kLandscapePlaceholder : kPortraitPlaceholder;
    QImage cell(kCell, QImage::Format_RGB32);
    cell.fill(background);
    QPainter p(&cell);
    const QRect placeholder(centred(size, kCell), size);
    p.fillRect(placeholder, Qt::white);
    const QRect inner = placeholder.adjusted(kFrame, kFrame, -kFrame, -kFrame);
    p.fillRect(inner, kTeal);
    p.setFont(bold_font(9));
    p.setPen(QColor(255, 255, 0));
    p.drawText(inner, Qt::AlignCenter,
               kind == SlotKind::Landscape ? QStringLiteral("横照片") : QStringLiteral("竖照片"));
    return cell;
}

} // namespace velmora
