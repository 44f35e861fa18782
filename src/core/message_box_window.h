#pragma once

#include "core/framed_window.h"

namespace velmora {

// "提示": one message and the button "确定". A message may carry its own title; the next one
// is titled "提示" again.
class MessageBoxWindow : public FramedWindow {
    Q_OBJECT
public:
    explicit MessageBoxWindow(const WindowSkin& skin, QWidget* parent = nullptr);

    // Shows the message modally; returns when "确定" or the close label is pressed.
    void show_message(const QString& text, const QString& title = {});
    QString message() const;

private:
    QLabel* message_;
};

} // namespace velmora
