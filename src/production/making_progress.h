#pragma once

#include "production/production_state.h"
#include "templates/template_catalogue.h"

#include <QString>
#include <QtGlobal>

namespace velmora {

// The movie a run is taking its frames from: a template, or the closing movie.
struct MovieProgress {
    QString name;     // the template's name; "片尾" for the closing movie
    int done = 0;     // its frames made so far
    int total = 0;    // its frames
};

// The movie of `state`'s current play position, with its frames made of its frame count
// (the catalogue's "模板swf总帧数").
MovieProgress movie_progress(const ProductionState& state, const TemplateCatalogue& catalogue);

// `done` of `total` as a whole percentage, 0 to 100; 0 for an empty total.
int percent_of(qint64 done, qint64 total);
// "晨光  45%  60/125 帧".
QString movie_progress_text(const MovieProgress& movie);
// "45%  600/1325 帧".
QString frames_progress_text(int done, int total);

// The making window's clock: time since the run started and an estimate of the time left,
// from the rate at which frames have been made since the first one. Times are passed in
// (milliseconds of any steady clock), so the texts can be checked without waiting.
class MakingClock {
public:
    // The run starts; the workspace's preparation counts as elapsed time.
    void start(qint64 now_ms);
    // `done` of `total` album frames are made at `now_ms`.
    void frames_made(int done, int total, qint64 now_ms);

    qint64 elapsed_ms() const { return now_ms_ - start_ms_; }
    // Negative until two reports of frames give a rate.
    qint64 remaining_ms() const;
    // "已用时间 00:01:02    剩余时间 00:01:20"; the time left reads "--:--:--" until it is known.
    QString text() const;

private:
    qint64 start_ms_ = 0;
    qint64 now_ms_ = 0;
    qint64 first_frame_ms_ = -1;   // when frames started to be made
    int first_done_ = 0;
    int done_ = 0;
    int total_ = 0;
};

} // namespace velmora
