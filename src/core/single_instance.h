#pragma once

#include <memory>
#include <QLockFile>
#include <QString>

namespace velmora {

// The system-wide lock that keeps the program to one running copy. A lock left behind by a
// copy that crashed is recognised as stale (its process is gone) and taken over.
class SingleInstance {
public:
    // `lock_folder` defaults to the user's runtime folder.
    explicit SingleInstance(const QString& name, const QString& lock_folder = {});

    // True when this process now holds the lock; false when another running copy holds it.
    bool acquire();
    QString lock_path() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace velmora
