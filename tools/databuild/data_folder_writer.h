#pragma once

#include <QByteArray>
#include <QString>

namespace velmora::databuild {

// Writes the files of a data folder under construction. Every file is written under a
// temporary name and renamed when complete; failures throw std::runtime_error.
class DataFolderWriter {
public:
    explicit DataFolderWriter(QString root) : root_(std::move(root)) {}

    const QString& root() const { return root_; }
    // Writes `bytes` as they are at `path` (absolute, inside the root), creating folders.
    void write(const QString& path, const QByteArray& bytes) const;
    // Writes `content` packed `rounds` times.
    void write_packed(const QString& path, const QByteArray& content, int rounds) const;

private:
    QString root_;
};

// A fresh, empty sibling folder of `final_root` to build into; an earlier leftover is removed.
QString prepare_staging_folder(const QString& final_root);

// Replaces `final_root` by the complete `staging` folder: the old folder is moved aside first
// and removed only after the new one is in place, so a failure leaves a whole folder.
void swap_in(const QString& staging, const QString& final_root);

} // namespace velmora::databuild
