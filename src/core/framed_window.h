#pragma once

#include <QDialog>
#include <QLabel>
#include <QPoint>
#include <QPushButton>

#include "core/window_skin.h"

namespace velmora {

// The close label of every window: shows the skin's hover and pressed pictures and, when
// released over itself, emits `activated`.
class CloseLabel : public QLabel {
    Q_OBJECT
public:
    CloseLabel(const WindowSkin& skin, QWidget* parent);

signals:
    void activated();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const WindowSkin& skin_;
};

// The frame all windows share: no system title bar; a title bar drawn from the skin with the
// caption at 10, 10; a close label at the right end that acts as the window's cancel; the
// accent strip along the bottom. Dragging the title bar moves the window.
// Windows are created once and shown modally with exec() whenever needed.
class FramedWindow : public QDialog {
    Q_OBJECT
public:
    FramedWindow(const QString& form_name, const QString& caption, QSize size, const WindowSkin& skin,
                 QWidget* parent = nullptr);

    // A push button in the shared style, placed at `geometry`.
    QPushButton* add_button(const QString& text, QRect geometry, const QString& object_name = {});

    void set_caption(const QString& caption);
    QString caption() const;
    CloseLabel* close_label() const { return close_label_; }
    const WindowSkin& skin() const { return skin_; }

signals:
    void title_double_clicked();

protected:
    // The close label's action; by default the window's cancel (reject).
    virtual void close_label_released() { reject(); }
    // Where the title bar's drag area starts (windows with an icon move it right).
    void set_title_left(int left);
    // Space for content: below the title bar and above the bottom strip.
    QRect content_rect() const;

    // Esc acts as the close label does (while the label is enabled), never as a bare reject.
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool in_title_bar(QPoint pos) const;

    const WindowSkin& skin_;
    QLabel* title_label_;
    CloseLabel* close_label_;
    bool dragging_ = false;
    QPoint drag_offset_;
};

} // namespace velmora
