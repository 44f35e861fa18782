#include "app/desktop/desktop_ui.h"

#include <QCoreApplication>
#include <QApplication>
#include <QFileDialog>

namespace velmora {

void DesktopUi::show_message(const QString& text, const QString& title) {
    windows_->message_box().show_message(text, title);
}

bool DesktopUi::confirm(const QString& title, const QString& question) {
    return windows_->confirm().ask(title, question);
}

QStringList DesktopUi::choose_files(const QString& title, const QString& folder, const QString& filter) {
    const QStringList chosen =
        QFileDialog::getOpenFileNames(QApplication::activeWindow(), title, recent_.start_for(title, folder), filter);
    recent_.remember_files(title, chosen);
    return chosen;
}

QString DesktopUi::choose_folder(const QString& title, const QString& folder) {
    const QString chosen =
        QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, recent_.start_for(title, folder));
    recent_.remember_folder(title, chosen);
    return chosen;
}

void DesktopUi::show_progress(int value, int maximum) {
    if (!progress_bar_)
        return;
    progress_bar_->setRange(0, maximum);
    progress_bar_->setValue(value);
}

void DesktopUi::pump_events() { QCoreApplication::processEvents(); }

} // namespace velmora
