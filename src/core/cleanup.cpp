#include "core/cleanup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace velmora {
namespace {

// Retries `done` until it holds, pumping events and pausing briefly between attempts.
template <typename Attempt>
bool retry(const Attempt& attempt, const PumpEvents& pump, int attempts) {
    for (int i = 0; i < attempts; ++i) {
        if (attempt())
            return true;
        if (pump)
            pump();
        QThread::msleep(5);
    }
    return attempt();
}

} // namespace

QStringList transient_files(const DataRoot& root) {
    return {
        root.background_demo_work_folder() + QStringLiteral("/wj_0_or_5_5_d_1.rar"),
        root.background_demo_work_folder() + QStringLiteral("/wj_0_or_5_5_d_2.rar"),
        root.background_demo_work_folder() + QStringLiteral("/wj_y_l_b_j.bmp"),
        root.background_demo_work_folder() + QStringLiteral("/wj_y_l_b_j.jpg"),
        root.default_background_jpeg(),
    };
}

void delete_transient_files(const DataRoot& root) {
    for (const QString& path : transient_files(root))
        QFile::remove(path);
}

bool remove_work_dir(const DataRoot& root, const PumpEvents& pump, int attempts) {
    const QString work = root.work_dir();
    return retry([&] { delete_tree(work); return !QFileInfo::exists(work); }, pump, attempts);
}

bool recreate_work_dir(const DataRoot& root, const PumpEvents& pump, int attempts) {
    if (!remove_work_dir(root, pump, attempts))
        return false;
    const QString work = root.work_dir();
    return retry([&] { QDir().mkpath(work); return QFileInfo(work).isDir(); }, pump, attempts);
}

void first_show_cleanup(const DataRoot& root) {
    delete_transient_files(root);
    delete_tree(root.preview_workspace());
    delete_tree(root.stray_folder());
}

void exit_cleanup(const DataRoot& root, const CleanupProgress& progress) {
    if (progress.reset)
        progress.reset(count_packed(root.work_dir()));
    delete_tree(root.work_dir(), progress.step);
    delete_tree(root.preview_workspace(), progress.step);
    delete_transient_files(root);
}

} // namespace velmora
