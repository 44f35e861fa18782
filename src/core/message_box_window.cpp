#include "core/message_box_window.h"

#include "core/ui.h"

namespace velmora {

MessageBoxWindow::MessageBoxWindow(const WindowSkin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm14"), default_message_title(), QSize(584, 171), skin, parent),
      message_(new QLabel(this)) {
    message_->setObjectName(QStringLiteral("message"));
    message_->setAlignment(Qt::AlignCenter);
    message_->setWordWrap(true);
    message_->setStyleSheet(QStringLiteral("font-size: 14px;"));
    message_->setGeometry(20, 56, 544, 52);
    QPushButton* ok = add_button(QStringLiteral("确定"), QRect(242, 118, 100, 32));
    ok->setProperty("accent", true);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void MessageBoxWindow::show_message(const QString& text, const QString& title) {
    set_caption(title.isEmpty() ? default_message_title() : title);
    message_->setText(text);
    exec();
}

QString MessageBoxWindow::message() const { return message_->text(); }

} // namespace velmora
