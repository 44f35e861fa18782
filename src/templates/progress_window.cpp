#include "templates/progress_window.h"

namespace velmora {

ProgressWindow::ProgressWindow(const WindowSkin& skin, QWidget* parent, int start_delay_ms)
    : FramedWindow(QStringLiteral("TForm13"), QStringLiteral("加载照片"), QSize(460, 110), skin, parent),
      bar_(new QProgressBar(this)) {
    bar_->setObjectName(QStringLiteral("progress"));
    bar_->setGeometry(24, 64, 412, 14);
    bar_->setTextVisible(false);
    start_timer_.setSingleShot(true);
    start_timer_.setInterval(start_delay_ms);
    connect(&start_timer_, &QTimer::timeout, this, &ProgressWindow::start_job);
}

void ProgressWindow::run(const QString& title, std::function<void()> job) {
    set_caption(title);
    set_progress(0, 1);
    if (in_run_) {
        // Asked again from inside a running job's window (a reload after a deletion): the
        // window is already up, so the job runs in it at once.
        job();
        return;
    }
    in_run_ = true;
    job_ = std::move(job);
    start_timer_.start();
    exec();
    in_run_ = false;
    start_timer_.stop();
    job_ = nullptr;
}

void ProgressWindow::set_progress(int value, int maximum) {
    bar_->setRange(0, std::max(maximum, 1));
    bar_->setValue(value);
}

void ProgressWindow::start_job() {
    running_ = true;
    if (job_)
        job_();
    running_ = false;
    accept();
}

void ProgressWindow::close_label_released() {
    if (!running_)
        reject();
}

} // namespace velmora
