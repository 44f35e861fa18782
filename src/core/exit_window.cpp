#include "core/exit_window.h"

namespace velmora {

ExitWindow::ExitWindow(const WindowSkin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm16"), QString(), QSize(731, 234), skin, parent), question_(new QLabel(this)),
      progress_(new QProgressBar(this)) {
    question_->setObjectName(QStringLiteral("message"));
    question_->setAlignment(Qt::AlignCenter);
    question_->setStyleSheet(QStringLiteral("font-size: 15px;"));
    question_->setGeometry(30, 64, 671, 64);
    yes_ = add_button(QStringLiteral("确定"), QRect(240, 156, 110, 34));
    yes_->setProperty("accent", true);
    no_ = add_button(QStringLiteral("取消"), QRect(380, 156, 110, 34));
    no_->setDefault(true);
    constexpr int kBarHeight = 3;
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setTextVisible(false);
    progress_->setGeometry(0, height() - kBarHeight - 5, width(), kBarHeight);
    connect(yes_, &QPushButton::clicked, this, &ExitWindow::confirm);
    connect(no_, &QPushButton::clicked, this, &QDialog::reject);
}

void ExitWindow::ask(const QString& caption, const QString& question) {
    set_caption(caption);
    question_->setText(question);
    progress_->setRange(0, 0);
    progress_->setValue(0);
    for (QWidget* w : {static_cast<QWidget*>(yes_), static_cast<QWidget*>(no_), static_cast<QWidget*>(close_label())})
        w->setEnabled(true);
    exec();
}

void ExitWindow::confirm() {
    for (QWidget* w : {static_cast<QWidget*>(yes_), static_cast<QWidget*>(no_), static_cast<QWidget*>(close_label())})
        w->setEnabled(false);
    if (on_confirmed)
        on_confirmed(*this);
    accept();
}

} // namespace velmora
