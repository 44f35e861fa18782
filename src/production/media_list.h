#pragma once

#include "production/mcl_types.h"

#include <QString>
#include <QVector>
#include <optional>

namespace velmora::mcl {

// An ordered list of media files handed to a converter: the pictures of the video list (one
// output frame each) or the songs of the audio list. A value owned by its caller; used on one
// thread at a time.
class MediaList {
public:
    // Appends `path` as an entry of `kind`. The file is not opened here.
    void add(const QString& path, ListKind kind);

    // F: the number of picture entries.
    int get_frame_count() const;
    // S: the samples of the song entries at 44100 samples per second, measured once per entry
    // when it is added. A song that cannot be measured counts 0 here; converting reports it.
    int get_sample_count() const;

    // The path of entry `index`, or nothing when the list has no such entry.
    std::optional<QString> get_name(int index) const;
    int size() const { return static_cast<int>(entries_.size()); }

private:
    struct Entry {
        QString path;
        ListKind kind = ListKind::invalid;
        qint64 samples = 0;
    };
    QVector<Entry> entries_;
};

// What a source callback answers through: the file to read for the asked entry, or that the
// list is exhausted. Lives for one callback; the converter owns it.
class Source {
public:
    void set_file(const QString& path) { path_ = path; }
    void finished() { path_.reset(); }

    // Read by the converter after the callback returned. A callback that answers neither
    // counts as finished.
    const std::optional<QString>& file() const { return path_; }

private:
    std::optional<QString> path_;
};

} // namespace velmora::mcl
