#include "production/album_lyrics.h"

#include "core/clock.h"
#include "core/data_error.h"

namespace velmora {

AlbumLyrics::AlbumLyrics(const LyricList& lyrics, TimedLyricTable& table, ScriptConversion& scripts)
    : lyrics_(lyrics), table_(table), scripts_(scripts) {}

void AlbumLyrics::album_started() {
    song_row_ = -1;
    line_ = {};
    line_time_.clear();
    problems_.clear();
    table_.clear();
}

void AlbumLyrics::song_started(int, const SongScheduleRow& song) {
    song_row_ = song.song_row;
    line_ = {};
    line_time_.clear();
    table_.clear();
    const std::optional<LyricEntry> file = lyrics_.lyric_for_song(song.song_row);
    if (!file)
        return;
    try {
        table_.load_lyrics(file->location);
        const QString note = lyric_lines_cut_note(file->location, table_.lines_cut());
        if (table_.lines_cut() > 0 && !problems_.contains(note))
            problems_.append(note);
    } catch (const DataError& error) {
        if (!problems_.contains(error.message()))
            problems_.append(error.message());
    }
}

void AlbumLyrics::song_ended(int) {
    line_ = {};
    line_time_.clear();
}

void AlbumLyrics::paint_lyric(QPainter& painter, QSize size, int, qint64 song_frame) {
    if (lyrics_.empty() || song_row_ < 0 || song_row_ >= lyrics_.size())
        return;
    const std::optional<TimedLyricRow> row = table_.find_lyric(frames_to_song_clock(song_frame));
    if (row && (row->time != line_time_ || size != line_size_)) {
        try {
            line_ = apply_lyric_style(lyrics_.settings_row(song_row_), size, row->text, scripts_);
        } catch (const DataError& error) {
            // Without the script tables the line is still shown, as written in the file.
            if (!problems_.contains(error.message()))
                problems_.append(error.message());
            line_ = place_lyric_line(lyrics_.settings_row(song_row_), size, row->text);
        }
        line_time_ = row->time;
        line_size_ = size;
    }
    draw_lyric_line(painter, line_);
}

} // namespace velmora
