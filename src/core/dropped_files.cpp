#include "core/dropped_files.h"

#include <QDir>
#include <QFileInfo>

namespace velmora {
namespace {

bool has_suffix(const QFileInfo& file, std::initializer_list<const char*> suffixes) {
    for (const char* suffix : suffixes)
        if (file.suffix().compare(QLatin1String(suffix), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool is_photo(const QFileInfo& file) { return file.isFile() && has_suffix(file, {"jpg", "jpeg"}); }

QStringList photos_in(const QString& folder) {
    QStringList photos;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& entry : entries)
        if (is_photo(entry))
            photos << entry.absoluteFilePath();
    return photos;
}

} // namespace

DroppedFiles sort_dropped_files(const QStringList& paths) {
    DroppedFiles sorted;
    for (const QString& path : paths) {
        const QFileInfo file(path);
        QStringList* kind = &sorted.others;
        if (file.isDir()) {
            const QStringList photos = photos_in(path);
            if (!photos.isEmpty()) {
                sorted.photos << photos;
                continue;
            }
        } else if (is_photo(file)) {
            kind = &sorted.photos;
        } else if (file.isFile() && has_suffix(file, {"mp3"})) {
            kind = &sorted.songs;
        } else if (file.isFile() && has_suffix(file, {"lrc"})) {
            kind = &sorted.lyrics;
        }
        *kind << file.absoluteFilePath();
    }
    return sorted;
}

} // namespace velmora
