#include "core/file_utils.h"

#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include "core/data_error.h"
#include "core/jpeg_writer.h"

namespace velmora {
namespace {

QFileInfoList entries_in_name_order(const QString& folder) {
    return QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                      QDir::Name);
}

template <typename OnFile>
void walk_packed(const QString& folder, const OnFile& on_file) {
    for (const QFileInfo& entry : entries_in_name_order(folder)) {
        if (entry.isDir() && !entry.isSymLink())
            walk_packed(entry.filePath(), on_file);
        else if (entry.isFile() && has_packed_extension(entry.fileName()))
            on_file(entry.filePath());
    }
}

void delete_entries(const QString& folder, const ProgressStep& step) {
    for (const QFileInfo& entry : entries_in_name_order(folder)) {
        const QString name = entry.fileName().trimmed();
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        if (entry.isDir() && !entry.isSymLink())
            delete_tree(entry.filePath(), step);
        else
            QFile::remove(entry.filePath());
        if (step)
            step();
    }
}

} // namespace

bool has_packed_extension(const QString& file_name) {
    const qsizetype dot = file_name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QStringView extension = QStringView(file_name).mid(dot);
    return extension == QLatin1String(".rar") || extension == QLatin1String(".RAR");
}

void scan_packed(const QString& folder, QStringList& list) {
    walk_packed(folder, [&list](const QString& path) { list.append(path); });
}

int count_packed(const QString& folder) {
    int count = 0;
    walk_packed(folder, [&count](const QString&) { ++count; });
    return count;
}

void delete_tree(const QString& folder, const ProgressStep& step) {
    const QFileInfo info(folder);
    if (!info.exists() || !info.isDir())
        return;
    delete_entries(folder, step);
    QDir().rmdir(folder);
}

qint64 file_size(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() ? info.size() : -1;
}

QString bitmap_file_to_jpeg(const QString& bitmap_path, const QString& target_path, const PumpEvents& pump) {
    QImageReader reader(bitmap_path);
    const QImage bitmap = reader.read();
    if (bitmap.isNull())
        throw DataError(QStringLiteral("cannot read the bitmap %1: %2").arg(bitmap_path, reader.errorString()));
    const QFileInfo target(target_path);
    const QString jpeg_path = target.dir().filePath(target.completeBaseName() + QStringLiteral(".jpg"));
    save_jpeg(bitmap, jpeg_path);
    if (pump)
        pump();
    return jpeg_path;
}

QByteArray read_at_most(QIODevice& device, qint64 max_bytes) {
    constexpr qint64 kChunk = 64 * 1024;
    QByteArray data;
    while (data.size() < max_bytes) {
        const QByteArray chunk = device.read(std::min(kChunk, max_bytes - data.size()));
        if (chunk.isEmpty())
            break;
        data += chunk;
    }
    return data;
}

} // namespace velmora
