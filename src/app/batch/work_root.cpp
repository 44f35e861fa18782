#include "app/batch/work_root.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/cleanup.h"

namespace velmora::batch {
namespace {

// The folders below a work root that hold the work folders; present in the data folder's
// layout, made on demand below any other root.
QStringList layout_folders(const QString& root) {
    return {root, root + QStringLiteral("/wj_0_or_2"), root + QStringLiteral("/wj_0_or_5_5"),
            root + QStringLiteral("/wj_0_or_6_6")};
}

} // namespace

WorkRoot::WorkRoot(const QString& chosen) {
    if (chosen.isEmpty()) {
        temporary_ = std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("velmora-make-XXXXXX")));
        if (!temporary_->isValid())
            error_ = QStringLiteral("cannot create a work folder in %1: %2").arg(QDir::tempPath(), temporary_->errorString());
        path_ = temporary_->path();
        return;
    }
    path_ = QDir(chosen).absolutePath();
    for (const QString& folder : layout_folders(path_))
        if (!QFileInfo::exists(folder))
            made_folders_.append(folder);
    if (!QDir().mkpath(path_) || !QFileInfo(path_).isWritable())
        error_ = QStringLiteral("the work folder %1 cannot be created or written").arg(path_);
}

WorkRoot::~WorkRoot() {
    if (!temporary_ && !path_.isEmpty())
        clean_chosen_folder();
}

void WorkRoot::clean_chosen_folder() const {
    // The data root's folder does not matter here: the clean-up touches only the work root.
    exit_cleanup(DataRoot(path_, path_));
    for (auto folder = made_folders_.crbegin(); folder != made_folders_.crend(); ++folder)
        QDir().rmdir(*folder);   // only when empty: whatever else is in it stays
}

} // namespace velmora::batch
