#include "data_folder_writer.h"

#include <stdexcept>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "core/packed_file.h"

namespace velmora::databuild {
namespace {

void remove_if_present(const QString& folder) {
    QDir dir(folder);
    if (dir.exists() && !dir.removeRecursively())
        throw std::runtime_error("cannot remove " + folder.toStdString());
}

} // namespace

void DataFolderWriter::write(const QString& path, const QByteArray& bytes) const {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw std::runtime_error("cannot create the folder of " + path.toStdString());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("cannot write " + path.toStdString() + ": " + file.errorString().toStdString());
}

void DataFolderWriter::write_packed(const QString& path, const QByteArray& content, int rounds) const {
    write(path, velmora::pack_nested(content, rounds));
}

QString prepare_staging_folder(const QString& final_root) {
    const QString staging = QDir::cleanPath(final_root) + QStringLiteral(".building");
    remove_if_present(staging);
    if (!QDir().mkpath(staging))
        throw std::runtime_error("cannot create " + staging.toStdString());
    return staging;
}

void swap_in(const QString& staging, const QString& final_root) {
    const QString root = QDir::cleanPath(final_root);
    const QString previous = root + QStringLiteral(".previous");
    remove_if_present(previous);
    if (QDir(root).exists() && !QDir().rename(root, previous))
        throw std::runtime_error("cannot move the old " + root.toStdString() + " aside");
    if (!QDir().rename(staging, root)) {
        QDir().rename(previous, root);
        throw std::runtime_error("cannot move the new data folder into " + root.toStdString());
    }
    remove_if_present(previous);
}

} // namespace velmora::databuild
