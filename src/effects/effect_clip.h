#pragma once

#include <optional>
#include <vector>
#include <QImage>
#include <QString>

#include "core/data_root.h"
#include "effects/effect_id.h"

namespace velmora {

// The album frame at which an effect with start text `start` ("hh:mm:ss") begins: the first
// frame whose clock shows that second. Nothing for a text that is not a clock.
std::optional<int> clock_start_frame(const QString& start);

// The step of an effect: at album frame `album_frame`, which of its `frame_count` frames is
// shown, counted from 1. An effect starting at `start_frame` shows frame 1 there and frame
// F - 1 on its last visible frame; frame F is loaded and hidden on the same step, so it is
// never seen. Nothing before the start and from then on.
std::optional<int> effect_step_at(int start_frame, int frame_count, int album_frame);

// One placed effect as a frame source: album frame in, picture out, knowing nothing of who
// shows it. Which frame files exist is read once on construction; a missing frame file
// keeps the previous picture in place. Safe to read from several threads once made.
class EffectClip {
public:
    EffectClip(const DataRoot& root, const EffectId& id, FrameSet set, int frame_count, int start_frame);

    const EffectId& id() const { return id_; }
    int start_frame() const { return start_; }
    int frame_count() const { return frame_count_; }
    // The album frame after its last visible one.
    int end_frame() const { return start_ + std::max(0, frame_count_ - 1); }

    // The frame file number shown at `album_frame`: the step's file, or the last existing file
    // before it; 0 when nothing shows (not running, or no file yet).
    int shown_file(int album_frame) const;
    QString file_path(int file) const { return effect_frame_file(folder_, set_, file); }
    // The first album frame from `album_frame` on that shows frame file `file`; nothing when
    // none does.
    std::optional<int> next_showing(int file, int album_frame) const;
    // The picture shown at `album_frame`, as stored; null when nothing shows or it cannot be read.
    QImage picture(int album_frame) const;

private:
    EffectId id_;
    QString folder_;
    FrameSet set_;
    int frame_count_;
    int start_;
    std::vector<int> shown_;   // by step (from 1): the file number that shows
};

} // namespace velmora
