#pragma once

#include <functional>
#include <optional>
#include <vector>
#include <QString>
#include <QStringList>

#include "core/ui.h"

namespace velmora {

// One song of the album, a row of the music list. Its 1-based number is its position.
struct MusicEntry {
    QString name;      // file name without folder and extension
    QString format;    // extension with its dot, as written
    qint64 length_ms = 0;
    QString location;  // full path
};

// One play of a song in a made album.
struct SongScheduleRow {
    int song_row = 0;       // "行号": position in the music list; also picks the lyric file
    qint64 frames = 0;      // "需要帧数": whole seconds of the song x 25
};

// A song's length as the list shows it: "00:" + minutes + ":" + seconds. Minutes are not
// carried into hours (3725 s reads "00:62:05").
QString song_length_text(qint64 length_ms);

// Measures a song: its length in milliseconds, or nothing with the reason in `error`.
using SongLengthProbe = std::function<std::optional<qint64>(const QString& path, QString& error)>;

// Measures through FFmpeg (song_probe.h).
SongLengthProbe ffmpeg_song_length();

// The sample song offered the first time the song dialog opens in a run, when it exists
// beside the program: "yinyuegeciwenjian/甜蜜蜜.mp3".
QString sample_song_path(const QString& program_folder);

// The album's songs in play order.
class MusicList {
public:
    const std::vector<MusicEntry>& songs() const { return songs_; }
    int size() const { return int(songs_.size()); }
    bool empty() const { return songs_.empty(); }

    // Appends the files in order, each measured; a file that cannot be measured is skipped with
    // a message naming it, so no row lacks a length. Progress goes to `ui`. Returns the count added.
    int add_songs(const QStringList& files, const SongLengthProbe& measure, Ui& ui);

    // "删除音乐": after confirmation deletes the first (in list order) of the selected rows.
    // Returns whether a row was deleted.
    bool delete_selected(const std::vector<int>& selected_rows, Ui& ui);
    // "全部删除": deletes every song after confirmation.
    bool delete_all(Ui& ui);

    // The songs repeated in order until they cover `album_frames`. Ends early when
    // `stop_requested` says so, and when a whole pass over the list adds no frame (every song
    // shorter than a second), so it always ends.
    std::vector<SongScheduleRow> build_song_schedule(qint64 album_frames, const std::function<bool()>& stop_requested,
                                                     Ui& ui) const;

private:
    std::vector<MusicEntry> songs_;
};

} // namespace velmora
