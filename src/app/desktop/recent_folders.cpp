#include "app/desktop/recent_folders.h"

#include <QFileInfo>

namespace velmora {

QString RecentFolders::start_for(const QString& kind, const QString& requested) const {
    if (!requested.isEmpty())
        return requested;
    const auto found = folders_.find(kind);
    return found == folders_.end() ? QString() : found->second;
}

void RecentFolders::remember_files(const QString& kind, const QStringList& chosen) {
    if (!chosen.isEmpty())
        remember_folder(kind, QFileInfo(chosen.front()).absolutePath());
}

void RecentFolders::remember_folder(const QString& kind, const QString& folder) {
    if (!folder.isEmpty())
        folders_[kind] = folder;
}

} // namespace velmora
