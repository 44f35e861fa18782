#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "core/ui.h"

namespace velmora {

// A Ui that answers from a script and records what was shown: for tests and the batch tool.
// Questions with no scripted answer are answered `default_confirm`; file and folder choices
// with none are cancelled.
class ScriptedUi : public Ui {
public:
    struct Message {
        QString title;
        QString text;
    };
    struct Question {
        QString title;
        QString question;
    };

    void show_message(const QString& text, const QString& title = {}) override;
    bool confirm(const QString& title, const QString& question) override;
    QStringList choose_files(const QString& title, const QString& folder, const QString& filter) override;
    QString choose_folder(const QString& title, const QString& folder) override;
    void show_progress(int value, int maximum) override;
    void pump_events() override;

    // Script.
    std::deque<bool> confirm_answers;
    std::deque<QStringList> file_answers;
    std::deque<QString> folder_answers;
    bool default_confirm = false;
    // Runs on every pump, e.g. QCoreApplication::processEvents.
    std::function<void()> on_pump;
    // Runs on every message (the batch tool prints them).
    std::function<void(const Message&)> on_message;

    // Record.
    std::vector<Message> messages;
    std::vector<Question> questions;
    int last_progress = 0;
    int last_progress_maximum = 0;
    int pumps = 0;
};

} // namespace velmora
