#include "modal_answers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "core/framed_window.h"

namespace velmora::test {

void when_modal_shows(std::function<void(QWidget*)> act, const QString& form_name) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act = std::move(act), form_name] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || (!form_name.isEmpty() && modal->objectName() != form_name))
            return;
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start();
}

void press(QWidget* window, const QString& caption) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (button->text() == caption) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no button " << caption.toStdString() << " in " << window->objectName().toStdString();
}

void press_close_label(QWidget* window) {
    auto* label = window->findChild<CloseLabel*>();
    ASSERT_NE(label, nullptr);
    const QPointF centre(label->width() / 2.0, label->height() / 2.0);
    QMouseEvent pressed(QEvent::MouseButtonPress, centre, label->mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent released(QEvent::MouseButtonRelease, centre, label->mapToGlobal(centre), Qt::LeftButton, {}, {});
    QApplication::sendEvent(label, &pressed);
    QApplication::sendEvent(label, &released);
}

std::unique_ptr<QTimer> answer_every_message(QStringList& shown) {
    auto poll = std::make_unique<QTimer>();
    poll->setInterval(5);
    QObject::connect(poll.get(), &QTimer::timeout, [&shown] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->objectName() != QLatin1String("TForm14"))
            return;
        if (auto* message = modal->findChild<QLabel*>(QStringLiteral("message")))
            shown << message->text();
        press(modal, QStringLiteral("确定"));
    });
    poll->start();
    return poll;
}

bool wait_until(const std::function<bool()>& done, int timeout_ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeout_ms)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

} // namespace velmora::test
