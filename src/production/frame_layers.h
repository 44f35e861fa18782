#pragma once

#include "media/music_list.h"

#include <QPainter>
#include <QSize>
#include <QStringList>

namespace velmora {

// What is laid over the template frames: the lyric line and the picture and text effects.
// The frame step calls these in frame order on the thread that makes the frames; the defaults draw nothing, so
// an album without lyrics or effects passes a plain FrameLayers.
class FrameLayers {
public:
    virtual ~FrameLayers() = default;

    // A run starts making frames: whatever an earlier run left is forgotten.
    virtual void album_started() {}
    // What could not be drawn as asked during the run, one message each (a lyric file that
    // cannot be read, say); the album is made without it.
    virtual QStringList problems() const { return {}; }

    // Song play `schedule_row` of the songs-needed list starts: the lyric layer reads the lyric
    // file of `song.song_row` here (or shows none when there is no such file).
    virtual void song_started(int schedule_row, const SongScheduleRow& song) {
        (void)schedule_row;
        (void)song;
    }
    // The current song play ended; the lyric line is cleared.
    virtual void song_ended(int schedule_row) { (void)schedule_row; }

    // Picture and text effects of album frame `album_frame`, drawn over the template frame of
    // `size`. They also go into the snapshot the next template shows.
    virtual void paint_effects(QPainter& painter, QSize size, int album_frame) {
        (void)painter;
        (void)size;
        (void)album_frame;
    }
    // The lyric line at `song_frame` frames into song play `schedule_row`; drawn last and left
    // out of the snapshot.
    virtual void paint_lyric(QPainter& painter, QSize size, int schedule_row, qint64 song_frame) {
        (void)painter;
        (void)size;
        (void)schedule_row;
        (void)song_frame;
    }
};

} // namespace velmora
