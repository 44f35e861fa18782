#pragma once

#include "media/lrc_lyrics.h"
#include "media/lyric_list.h"
#include "media/lyric_style.h"
#include "media/script_conversion.h"
#include "production/frame_layers.h"

#include <QStringList>

namespace velmora {

// The lyric line of a made album. Each song play reads the lyric file at its song's position
// into the program's timed-lyric table (none: the song shows no lyrics); every frame looks up
// the line of the song's clock second and draws it with its file's style, scaled to the frame.
// A line stays up until another tagged row is found; it is cleared when a song ends.
class AlbumLyrics : public FrameLayers {
public:
    AlbumLyrics(const LyricList& lyrics, TimedLyricTable& table, ScriptConversion& scripts);

    void album_started() override;
    QStringList problems() const override { return problems_; }
    void song_started(int schedule_row, const SongScheduleRow& song) override;
    void song_ended(int schedule_row) override;
    void paint_lyric(QPainter& painter, QSize size, int schedule_row, qint64 song_frame) override;

    // The line drawn last (empty text when none shows).
    const LyricLine& line() const { return line_; }

private:
    const LyricList& lyrics_;
    TimedLyricTable& table_;
    ScriptConversion& scripts_;
    int song_row_ = -1;
    LyricLine line_;
    QString line_time_;   // the table row the line came from, so unchanged lines are not re-laid
    QSize line_size_;
    QStringList problems_;
};

} // namespace velmora
