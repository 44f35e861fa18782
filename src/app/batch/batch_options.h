#pragma once

#include <optional>
#include <QString>
#include <QStringList>

#include "core/data_root.h"

namespace velmora::batch {

// Command-line arguments after the command name, with the options every command shares.
struct BatchOptions {
    QString data_root;        // --data-root DIR; empty: the data folder beside the executable
    bool json = false;        // --json
    QStringList positional;   // everything else, in order
    QString work_root;        // the run's work root (see WorkRoot), set by main()

    DataRoot root(const QString& program_folder) const {
        return DataRoot(data_root.isEmpty() ? DataRoot::beside(program_folder).path() : data_root, work_root);
    }
};

// "--work-dir DIR" taken out of `arguments`: DIR, empty when absent, nothing (with the reason in
// `error`) when the folder is missing.
std::optional<QString> take_work_dir(QStringList& arguments, QString& error);

// Parses `arguments`; on a malformed option writes the reason to `error` and returns nothing.
std::optional<BatchOptions> parse_batch_options(const QStringList& arguments, QString& error);

} // namespace velmora::batch
