#pragma once

#include <functional>
#include <QProgressBar>
#include <QTimer>

#include "core/framed_window.h"

namespace velmora {

// "加载照片" (TForm13): runs one long job with a progress bar. run() shows the window modally,
// a one-shot timer starts the job, and the window closes when the job returns. The job reports
// through the Ui, whose progress goes to bar() (the desktop Ui is pointed at it).
class ProgressWindow : public FramedWindow {
    Q_OBJECT
public:
    explicit ProgressWindow(const WindowSkin& skin, QWidget* parent = nullptr, int start_delay_ms = 500);

    // Titles the window, resets the bar and runs `job` inside the modal window. Called while
    // the window is already up, the job runs at once in it.
    void run(const QString& title, std::function<void()> job);
    void set_progress(int value, int maximum);
    QProgressBar* bar() const { return bar_; }

protected:
    // The job cannot be abandoned half-way: the close label does nothing while it runs.
    void close_label_released() override;

private:
    void start_job();

    QProgressBar* bar_;
    QTimer start_timer_;
    std::function<void()> job_;
    bool running_ = false;
    bool in_run_ = false;
};

} // namespace velmora
