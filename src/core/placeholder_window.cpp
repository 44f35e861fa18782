#include "core/placeholder_window.h"

namespace velmora {

PlaceholderWindow::PlaceholderWindow(const QString& form_name, const QString& caption, const WindowSkin& skin,
                                     QWidget* parent)
    : FramedWindow(form_name, caption, QSize(720, 420), skin, parent) {
    auto* note = new QLabel(QStringLiteral("此功能尚未提供。"), this);
    note->setObjectName(QStringLiteral("message"));
    note->setAlignment(Qt::AlignCenter);
    note->setStyleSheet(QStringLiteral("color: #7a8091; font-size: 15px;"));
    note->setGeometry(content_rect().adjusted(20, 20, -20, -80));
    QPushButton* back = add_button(QStringLiteral("返  回"), QRect(720 - 150, 420 - 60, 120, 34));
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace velmora
