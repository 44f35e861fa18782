#include "production/insert_video_window.h"

#include <QLabel>

namespace velmora {

InsertVideoWindow::InsertVideoWindow(const WindowSkin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm22"), QStringLiteral("插入视频"), QSize(460, 200), skin, parent) {
    auto* text = new QLabel(QStringLiteral("电子相册暂不支持插入视频文件。"), this);
    text->setObjectName(QStringLiteral("message"));
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    text->setStyleSheet(QStringLiteral("font-size: 14px;"));
    text->setGeometry(20, 64, 420, 52);
    QPushButton* back = add_button(QStringLiteral("返  回"), QRect(170, 134, 120, 34));
    back->setProperty("accent", true);
    back->setDefault(true);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace velmora
