#include "core/splash_window.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace velmora {
namespace {

constexpr QSize kSize{500, 249};

QImage splash_picture() {
    QImage image(kSize, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, kSize.width(), kSize.height());
    sky.setColorAt(0, QColor(34, 30, 58));
    sky.setColorAt(1, QColor(18, 20, 36));
    p.fillRect(image.rect(), sky);
    // Soft glows behind the wordmark.
    for (const auto& [centre, colour, radius] :
         {std::tuple{QPointF(120, 40), QColor(232, 93, 117, 120), 220.0},
          std::tuple{QPointF(430, 230), QColor(124, 77, 255, 110), 240.0}}) {
        QRadialGradient glow(centre, radius);
        glow.setColorAt(0, colour);
        glow.setColorAt(1, Qt::transparent);
        p.fillRect(image.rect(), glow);
    }
    // Three tilted photo cards.
    const QColor card_colours[] = {QColor(255, 214, 165), QColor(160, 210, 235), QColor(255, 255, 255)};
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(392 + i * 10, 92 + i * 6);
        p.rotate(-14 + i * 12);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRoundedRect(QRectF(-44 + 3, -32 + 4, 88, 64), 6, 6);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(-44, -32, 88, 64), 6, 6);
        p.setBrush(card_colours[i]);
        p.drawRoundedRect(QRectF(-38, -26, 76, 44), 3, 3);
        p.restore();
    }
    QFont title(QStringLiteral("Noto Sans"), 38, QFont::Bold);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(36, 70, 330, 64), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Velmora"));
    QFont tagline(QStringLiteral("Noto Sans CJK SC"), 12);
    p.setFont(tagline);
    p.setPen(QColor(226, 226, 240));
    p.drawText(QRect(38, 134, 340, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("音乐电子相册 · 照片、音乐与歌词"));
    p.setPen(QColor(170, 170, 196));
    p.setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    p.drawText(QRect(38, 200, 300, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("正在加载模板…"));
    return image;
}

} // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), picture_(splash_picture()),
      progress_(new QProgressBar(this)) {
    setObjectName(QStringLiteral("TForm1"));
    setFixedSize(kSize);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setTextVisible(false);
    progress_->setGeometry(0, kSize.height() - 5, kSize.width(), 5);
    progress_->setRange(0, 1);
    progress_->setValue(0);
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

} // namespace velmora
