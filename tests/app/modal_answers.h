#pragma once

#include <functional>
#include <memory>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace velmora::test {

// Acts on the next modal window as soon as it shows (the caller then opens it with exec()).
// `act` receives the window; record what it shows and press one of its buttons there.
// With `form_name`, waits for the modal window of that objectName (others may show first).
void when_modal_shows(std::function<void(QWidget*)> act, const QString& form_name = {});

// Presses the push button captioned `caption` in `window`; fails the test when there is none.
void press(QWidget* window, const QString& caption);
// Releases the close label of a framed window.
void press_close_label(QWidget* window);

// Answers every message box ("提示") that shows while the returned timer lives, recording
// its message in `shown`.
std::unique_ptr<QTimer> answer_every_message(QStringList& shown);

// Pumps events until `done` holds or `timeout_ms` passes; returns whether it holds.
bool wait_until(const std::function<bool()>& done, int timeout_ms = 10000);

} // namespace velmora::test
