#include "core/framed_window.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace velmora {

CloseLabel::CloseLabel(const WindowSkin& skin, QWidget* parent) : QLabel(parent), skin_(skin) {
    setObjectName(QStringLiteral("close_label"));
    setPixmap(QPixmap::fromImage(skin.close_normal));
    setFixedSize(WindowSkin::kCloseSize, WindowSkin::kCloseSize);
    setCursor(Qt::PointingHandCursor);
}

void CloseLabel::enterEvent(QEnterEvent*) { setPixmap(QPixmap::fromImage(skin_.close_hover)); }
void CloseLabel::leaveEvent(QEvent*) { setPixmap(QPixmap::fromImage(skin_.close_normal)); }
void CloseLabel::mousePressEvent(QMouseEvent*) { setPixmap(QPixmap::fromImage(skin_.close_pressed)); }

void CloseLabel::mouseReleaseEvent(QMouseEvent* event) {
    setPixmap(QPixmap::fromImage(skin_.close_normal));
    if (rect().contains(event->position().toPoint()))
        emit activated();
}

FramedWindow::FramedWindow(const QString& form_name, const QString& caption, QSize size, const WindowSkin& skin,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), skin_(skin),
      title_label_(new QLabel(caption, this)), close_label_(new CloseLabel(skin, this)) {
    setObjectName(form_name);
    setWindowTitle(caption);
    setModal(true);
    setAttribute(Qt::WA_TranslucentBackground, false);
    resize(size);
    title_label_->setObjectName(QStringLiteral("title_label"));
    title_label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    title_label_->setStyleSheet(QStringLiteral("color: %1; font-size: 14px; font-weight: 600; background: transparent;")
                                    .arg(skin.title_text.name()));
    set_title_left(10);
    connect(close_label_, &CloseLabel::activated, this, [this] { close_label_released(); });
}

QPushButton* FramedWindow::add_button(const QString& text, QRect geometry, const QString& object_name) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(object_name.isEmpty() ? text : object_name);
    button->setGeometry(geometry);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

void FramedWindow::set_caption(const QString& caption) {
    setWindowTitle(caption);
    title_label_->setText(caption);
    title_label_->adjustSize();
}

QString FramedWindow::caption() const { return title_label_->text(); }

void FramedWindow::set_title_left(int left) {
    title_label_->move(left, 10);
    title_label_->adjustSize();
    title_label_->setMinimumHeight(WindowSkin::kTitleHeight - 20);
}

QRect FramedWindow::content_rect() const {
    return QRect(0, WindowSkin::kTitleHeight, width(), height() - WindowSkin::kTitleHeight - WindowSkin::kBottomHeight);
}

void FramedWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    if (close_label_->isEnabled())
        close_label_released();
}

void FramedWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), skin_.background);
    const int right_x = width() - skin_.right.width();
    p.drawImage(0, 0, skin_.left);
    p.drawImage(QRect(skin_.left.width(), 0, qMax(0, right_x - skin_.left.width()), skin_.left.height()), skin_.middle);
    p.drawImage(right_x, 0, skin_.right);
    p.drawImage(QRect(0, height() - WindowSkin::kBottomHeight, width(), WindowSkin::kBottomHeight), skin_.bottom);
}

void FramedWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int margin = (WindowSkin::kTitleHeight - WindowSkin::kCloseSize) / 2;
    close_label_->move(width() - WindowSkin::kCloseSize - margin - 4, margin);
    close_label_->raise();
}

bool FramedWindow::in_title_bar(QPoint pos) const {
    return pos.y() >= 0 && pos.y() < WindowSkin::kTitleHeight && !close_label_->geometry().contains(pos);
}

void FramedWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && in_title_bar(event->position().toPoint())) {
        dragging_ = true;
        drag_offset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
    QDialog::mousePressEvent(event);
}

void FramedWindow::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - drag_offset_);
    QDialog::mouseMoveEvent(event);
}

void FramedWindow::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QDialog::mouseReleaseEvent(event);
}

void FramedWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && in_title_bar(event->position().toPoint()))
        emit title_double_clicked();
    QDialog::mouseDoubleClickEvent(event);
}

} // namespace velmora
