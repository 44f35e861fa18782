#include "core/confirm_window.h"

namespace velmora {

ConfirmWindow::ConfirmWindow(const WindowSkin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm17"), QString(), QSize(806, 233), skin, parent), question_(new QLabel(this)) {
    question_->setObjectName(QStringLiteral("message"));
    question_->setAlignment(Qt::AlignCenter);
    question_->setWordWrap(true);
    question_->setStyleSheet(QStringLiteral("font-size: 15px;"));
    question_->setGeometry(30, 64, 746, 70);
    QPushButton* yes = add_button(QStringLiteral("确定"), QRect(278, 162, 110, 34));
    yes->setProperty("accent", true);
    QPushButton* no = add_button(QStringLiteral("取消"), QRect(418, 162, 110, 34));
    no->setDefault(true);
    connect(yes, &QPushButton::clicked, this, [this] {
        caozuo = QStringLiteral("yes");
        accept();
    });
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
}

bool ConfirmWindow::ask(const QString& title, const QString& question) {
    caozuo.clear();
    set_caption(title);
    question_->setText(question);
    exec();
    return caozuo == QLatin1String("yes");
}

QString ConfirmWindow::question() const { return question_->text(); }

} // namespace velmora
