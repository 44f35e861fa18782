#include "templates/photo_strip_view.h"

#include <QApplication>
#include <QDrag>
#include <QMouseEvent>
#include <QPainter>

#include "templates/template_manager_pictures.h"

namespace velmora {
namespace {

// The copy carried while dragging: the strip picture over a band with the photo's name.
QPixmap floating_copy(const QPixmap& cell, const QString& name) {
    QPixmap copy(cell.width(), cell.height() + 22);
    copy.fill(QColor(69, 75, 94));
    QPainter p(&copy);
    p.drawPixmap(0, 0, cell);
    p.setPen(Qt::white);
    p.drawText(QRect(0, cell.height(), cell.width(), 22), Qt::AlignCenter,
               p.fontMetrics().elidedText(name, Qt::ElideMiddle, cell.width() - 6));
    return copy;
}

// One photo of the strip; starts the drag once the pressed pointer has moved far enough.
class StripPicture : public QLabel {
public:
    StripPicture(const PhotoStripView& strip, int photo_row, QString name)
        : strip_(strip), photo_row_(photo_row), name_(std::move(name)) {
        setCursor(Qt::OpenHandCursor);
    }
    int photo_row() const { return photo_row_; }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        armed_ = event->button() == Qt::LeftButton && (!strip_.can_pick || strip_.can_pick());
        pressed_at_ = event->position().toPoint();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!armed_ || !(event->buttons() & Qt::LeftButton) ||
            (event->position().toPoint() - pressed_at_).manhattanLength() < QApplication::startDragDistance())
            return;
        armed_ = false;
        auto* drag = new QDrag(this);
        drag->setMimeData(photo_drag_data(photo_row_));
        const QPixmap copy = floating_copy(pixmap(), name_);
        drag->setPixmap(copy);
        drag->setHotSpot(QPoint(copy.width() / 2, copy.height() / 2));
        drag->exec(Qt::CopyAction);
    }
    void mouseReleaseEvent(QMouseEvent*) override { armed_ = false; }

private:
    const PhotoStripView& strip_;
    int photo_row_;
    QString name_;
    bool armed_ = false;
    QPoint pressed_at_;
};

} // namespace

QMimeData* photo_drag_data(int photo_row) {
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kPhotoRowMimeType), QByteArray::number(photo_row));
    return data;
}

std::optional<int> dragged_photo_row(const QMimeData* data) {
    const QString type = QString::fromLatin1(kPhotoRowMimeType);
    if (!data || !data->hasFormat(type))
        return std::nullopt;
    bool ok = false;
    const int row = data->data(type).toInt(&ok);
    return ok ? std::optional<int>(row) : std::nullopt;
}

PhotoStripView::PhotoStripView(QColor background, QWidget* parent) : TileAreaView(background, parent) {
    setObjectName(QStringLiteral("photo_strip"));
}

void PhotoStripView::add_photo(int photo_row, const QImage& cell, const QString& name, const QString& hint) {
    auto* picture = new StripPicture(*this, photo_row, name);
    picture->setObjectName(QStringLiteral("photo_%1").arg(photo_row + 1));
    picture->setPixmap(QPixmap::fromImage(cell));
    picture->setToolTip(hint);
    add_tile(picture, name);
}

QPixmap PhotoStripView::cell(int photo_row) const {
    for (int k = 0; k < count(); ++k)
        if (static_cast<const StripPicture*>(picture(k))->photo_row() == photo_row)
            return picture(k)->pixmap();
    return {};
}

} // namespace velmora
