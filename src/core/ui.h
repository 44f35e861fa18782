#pragma once

#include <QString>
#include <QStringList>

namespace velmora {

// How the engine talks to the person. The desktop program answers with its own message,
// confirmation, file and progress windows; tests and the batch tool answer from a script.
// All calls are made on the interface thread; each returns once the person has answered.
class Ui {
public:
    virtual ~Ui() = default;

    // Shows `text` with one button. The title is "提示" unless the caller gives this one
    // message its own.
    virtual void show_message(const QString& text, const QString& title = {}) = 0;
    // Asks a yes/no question; true only when the person confirmed.
    virtual bool confirm(const QString& title, const QString& question) = 0;
    // Files chosen for opening (`filter` as in "照片文件 (*.jpg *.jpeg)"); empty when cancelled.
    virtual QStringList choose_files(const QString& title, const QString& folder, const QString& filter) = 0;
    // A folder; empty when cancelled.
    virtual QString choose_folder(const QString& title, const QString& folder) = 0;
    // Progress of long work: `value` of `maximum`.
    virtual void show_progress(int value, int maximum) = 0;
    // Lets pending interface events run, so windows stay drawn during long loops.
    virtual void pump_events() = 0;
};

// The title of every message that has no title of its own.
inline QString default_message_title() { return QStringLiteral("提示"); }

} // namespace velmora
