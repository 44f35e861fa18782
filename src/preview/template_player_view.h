#pragma once

#include <QPointer>
#include <QWidget>

#include "preview/template_player.h"

namespace velmora {

// Shows a template player's current frame, scaled to the widget, and repaints whenever the
// player's frame changes. The player is owned elsewhere; the view forgets it when it is destroyed.
class TemplatePlayerView : public QWidget {
    Q_OBJECT
public:
    explicit TemplatePlayerView(QWidget* parent = nullptr);

    void set_player(TemplatePlayer* player);
    TemplatePlayer* player() const { return player_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<TemplatePlayer> player_;
    QMetaObject::Connection connection_;
};

} // namespace velmora
