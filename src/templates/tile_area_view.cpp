#include "templates/tile_area_view.h"

#include <algorithm>
#include <QResizeEvent>

#include "templates/template_manager_pictures.h"
#include "templates/tile_layout.h"

namespace velmora {
namespace {

constexpr QSize kTile{ManagerPictures::kCell.width(), ManagerPictures::kCell.height() + ManagerPictures::kCaptionHeight};

} // namespace

TileAreaView::TileAreaView(QColor background, QWidget* parent) : QScrollArea(parent), canvas_(new QWidget) {
    canvas_->setObjectName(QStringLiteral("canvas"));
    canvas_->setAutoFillBackground(true);
    QPalette palette = canvas_->palette();
    palette.setColor(QPalette::Window, background);
    canvas_->setPalette(palette);
    setWidget(canvas_);
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setStyleSheet(QStringLiteral("QScrollArea { border: 1px solid #d9dce3; border-radius: 6px; background: %1; }")
                      .arg(background.name()));
    relayout();
}

void TileAreaView::clear() {
    for (QLabel* label : pictures_)
        delete label;
    for (QLabel* label : captions_)
        delete label;
    pictures_.clear();
    captions_.clear();
    relayout();
}

void TileAreaView::add_tile(QLabel* picture, const QString& caption) {
    picture->setParent(canvas_);
    picture->setFixedSize(ManagerPictures::kCell);
    picture->show();
    auto* label = new QLabel(canvas_);
    label->setObjectName(QStringLiteral("caption"));
    label->setAlignment(Qt::AlignCenter);
    label->setFixedSize(ManagerPictures::kCell.width(), ManagerPictures::kCaptionHeight);
    label->setStyleSheet(QStringLiteral("QLabel { color: #ffffff; background: #454b5e; font-size: 9pt; }"));
    label->show();
    pictures_.push_back(picture);
    captions_.push_back(label);
    set_caption(count() - 1, caption);
    // Placed at once, so that a long strip fills in visibly while it loads.
    const int width = viewport()->width();
    const QPoint at = TileLayout::position(count() - 1, kTile, width);
    picture->move(at);
    label->move(at + QPoint(0, ManagerPictures::kCell.height()));
    canvas_->resize(width, std::max(canvas_->height(), at.y() + kTile.height() + TileLayout::kMargin));
}

void TileAreaView::set_caption(int k, const QString& caption) {
    QLabel* label = captions_.at(std::size_t(k));
    label->ensurePolished(); // the caption's own font size comes from its style sheet
    label->setText(label->fontMetrics().elidedText(caption, Qt::ElideMiddle, label->width() - 6));
    label->setToolTip(caption);
}

void TileAreaView::relayout() {
    const int width = viewport()->width();
    const std::vector<QPoint> at = TileLayout::positions(count(), kTile, width);
    for (int k = 0; k < count(); ++k) {
        pictures_[std::size_t(k)]->move(at[std::size_t(k)]);
        captions_[std::size_t(k)]->move(at[std::size_t(k)] + QPoint(0, ManagerPictures::kCell.height()));
    }
    const QSize extent = TileLayout::extent(count(), kTile, width);
    canvas_->resize(width, std::max(extent.height(), viewport()->height()));
}

void TileAreaView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    relayout();
}

} // namespace velmora
