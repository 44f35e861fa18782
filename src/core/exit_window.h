#pragma once

#include <functional>
#include <QProgressBar>

#include "core/framed_window.h"

namespace velmora {

// The exit box: asks whether to quit and shows the clean-up's progress once confirmed.
class ExitWindow : public FramedWindow {
    Q_OBJECT
public:
    explicit ExitWindow(const WindowSkin& skin, QWidget* parent = nullptr);

    // Runs when "确定" is pressed, after both buttons and the close label were disabled; it
    // does the clean-up with progress() and ends the program.
    std::function<void(ExitWindow&)> on_confirmed;

    // Shows the question modally, the progress bar reset to 0 of 0. Returns when cancelled or
    // when on_confirmed has returned.
    void ask(const QString& caption, const QString& question);

    QProgressBar* progress() const { return progress_; }

private:
    void confirm();

    QLabel* question_;
    QPushButton* yes_;
    QPushButton* no_;
    QProgressBar* progress_;
};

} // namespace velmora
