#pragma once

#include <QProgressBar>
#include <QWidget>

namespace velmora {

// The splash window shown while the work folder is cleared and the catalogue is read:
// 500 x 249, its picture and a progress bar of height 5 along the bottom edge.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

    QProgressBar* progress() const { return progress_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    QProgressBar* progress_;
};

} // namespace velmora
