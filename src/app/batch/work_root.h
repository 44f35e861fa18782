#pragma once

#include <memory>
#include <QString>
#include <QStringList>

#include "core/data_root.h"

class QTemporaryDir;

namespace velmora::batch {

// The folder one batch run writes its work folders in, so that runs side by side never meet
// and the data folder is only read. Either a fresh folder below the system's temporary folder,
// removed with everything in it when the run ends, or a folder the caller chose (--work-dir):
// then the run's own work folders in it are removed at the end, as the desktop program removes
// them on exit, and of the rest only the folders the run created, when they are empty again.
class WorkRoot {
public:
    // `chosen` empty: a fresh folder. Check ready() afterwards.
    explicit WorkRoot(const QString& chosen);
    // Removes what the run made (see above), also when the run failed or was stopped.
    ~WorkRoot();
    WorkRoot(const WorkRoot&) = delete;
    WorkRoot& operator=(const WorkRoot&) = delete;

    // False, with the reason in error(), when the folder cannot be made.
    bool ready() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }
    const QString& path() const { return path_; }

    // `data` with its work folders below this folder.
    DataRoot applied_to(const QString& data) const { return DataRoot(data, path_); }

private:
    void clean_chosen_folder() const;

    std::unique_ptr<QTemporaryDir> temporary_;
    QString path_;
    QString error_;
    QStringList made_folders_;   // folders of a chosen work root that did not exist before the run
};

} // namespace velmora::batch
