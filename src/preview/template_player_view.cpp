#include "preview/template_player_view.h"

#include <QPainter>

namespace velmora {

TemplatePlayerView::TemplatePlayerView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TemplatePlayerView::set_player(TemplatePlayer* player) {
    disconnect(connection_);
    player_ = player;
    if (player)
        connection_ = connect(player, &TemplatePlayer::frame_changed, this, qOverload<>(&QWidget::update));
    update();
}

void TemplatePlayerView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (!player_ || size().isEmpty())
        return;
    if (player_->host_size() != size())
        player_->set_host_size(size());
    p.drawImage(rect(), player_->grab());
}

} // namespace velmora
