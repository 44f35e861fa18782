#pragma once

#include <QPointer>
#include <QProgressBar>

#include "app/desktop/recent_folders.h"
#include "app/desktop/window_set.h"
#include "core/ui.h"

namespace velmora {

// The Ui of the desktop program: its own message and confirmation boxes, Qt's file dialogs.
// A dialog's title names the kind of file it asks for ("添加照片", "添加音乐", ...); a dialog
// the caller gives no folder opens where the last one of its kind was answered in this run.
// The windows are made after the engine objects that talk through this Ui, so they are
// attached afterwards; nothing may be shown before.
class DesktopUi : public Ui {
public:
    void attach(WindowSet& windows) { windows_ = &windows; }

    void show_message(const QString& text, const QString& title = {}) override;
    bool confirm(const QString& title, const QString& question) override;
    QStringList choose_files(const QString& title, const QString& folder, const QString& filter) override;
    QString choose_folder(const QString& title, const QString& folder) override;
    void show_progress(int value, int maximum) override;
    void pump_events() override;

    // The bar that shows progress of the work running now (a window's own bar); none: hidden.
    void set_progress_bar(QProgressBar* bar) { progress_bar_ = bar; }

private:
    WindowSet* windows_ = nullptr;
    RecentFolders recent_;
    QPointer<QProgressBar> progress_bar_;
};

} // namespace velmora
