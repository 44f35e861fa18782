#include "core/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace velmora {

SingleInstance::SingleInstance(const QString& name, const QString& lock_folder) {
    QString folder = lock_folder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    path_ = QDir(folder).filePath(name + QStringLiteral(".lock"));
    lock_ = std::make_unique<QLockFile>(path_);
    // A lock is only stale when its process is gone, never because it is old.
    lock_->setStaleLockTime(0);
}

bool SingleInstance::acquire() {
    if (lock_->isLocked())
        return true;
    // tryLock itself takes over a lock whose process is no longer running.
    return lock_->tryLock(0);
}

} // namespace velmora
