#include "core/scripted_ui.h"

namespace velmora {
namespace {

template <typename T>
T take_front(std::deque<T>& queue, T fallback) {
    if (queue.empty())
        return fallback;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

} // namespace

void ScriptedUi::show_message(const QString& text, const QString& title) {
    messages.push_back({title.isEmpty() ? default_message_title() : title, text});
    if (on_message)
        on_message(messages.back());
}

bool ScriptedUi::confirm(const QString& title, const QString& question) {
    questions.push_back({title, question});
    return take_front(confirm_answers, default_confirm);
}

QStringList ScriptedUi::choose_files(const QString&, const QString&, const QString&) {
    return take_front(file_answers, QStringList());
}

QString ScriptedUi::choose_folder(const QString&, const QString&) {
    return take_front(folder_answers, QString());
}

void ScriptedUi::show_progress(int value, int maximum) {
    last_progress = value;
    last_progress_maximum = maximum;
}

void ScriptedUi::pump_events() {
    ++pumps;
    if (on_pump)
        on_pump();
}

} // namespace velmora
