#pragma once

#include "core/framed_window.h"

namespace velmora {

// The confirmation box: a question with "确定" and "取消". `caozuo` reads "yes" only after the
// person pressed "确定"; "取消" and the close label leave it empty.
class ConfirmWindow : public FramedWindow {
    Q_OBJECT
public:
    explicit ConfirmWindow(const WindowSkin& skin, QWidget* parent = nullptr);

    // Clears `caozuo`, shows the question modally, and returns true when it reads "yes".
    bool ask(const QString& title, const QString& question);
    QString question() const;

    QString caozuo;

private:
    QLabel* question_;
};

} // namespace velmora
