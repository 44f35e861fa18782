#pragma once

#include "production/album_format.h"
#include "production/mcl_types.h"
#include "production/media_list.h"
#include "production/progress_line.h"

#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <optional>

namespace velmora::mcl {

class Converter;
class EncodeWorker;
struct OutputPlan;

// Asked for entry `index` of the video or audio list (0, 1, ... until it answers finished()).
using SourceCallback = std::function<void(Source& source, int index)>;
// Runs once per output frame, after the video source named the frame's file and before that
// file is read: the caller may rewrite the file here.
using VideoCallback = std::function<void(int frame_index)>;
using ProgressCallback = std::function<void(Converter& converter, const Progress& progress)>;
// The conversion failed; `text` is what get_error_str() gives.
using ErrorCallback = std::function<void(const QString& text)>;

// One conversion of pictures and songs into a video file of an album type at 25 frames per
// second. Owned by its caller and used from one thread (the "calling thread"); all callbacks
// run on that thread, inside convert(), and may let pending interface events run.
// Settings keep their values across conversions.
class Converter {
public:
    Converter() = default;
    ~Converter();
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    void assign_video_source(SourceCallback callback) { video_source_ = std::move(callback); }
    void assign_video_func(VideoCallback callback) { video_func_ = std::move(callback); }
    void assign_audio_source(SourceCallback callback) { audio_source_ = std::move(callback); }
    void assign_progress(ProgressCallback callback) { progress_ = std::move(callback); }
    void assign_error(ErrorCallback callback) { error_func_ = std::move(callback); }

    // The album type by preset; FormatPreset::none (the default) lets the output file's
    // extension choose (".mov", ".mp4", ".wmv", ".avi").
    void set_format_preset(FormatPreset preset, TvStandard standard);
    // On: the sound is cut or padded with silence to the video's length. Off (the default):
    // every song plays to its end, and silence pads the sound to at least the video's length.
    void video_set_keep_duration(bool keep) { keep_duration_ = keep; }
    // Output frame size (both even, 2..4096) and the frame files' bits per pixel (24 or 32).
    // The disc size of a DVD or VCD preset under its TV standard (720 x 576 or 720 x 480,
    // 352 x 288 or 352 x 240) writes a stream for disc players: see DiscFormat.
    void video_set_format(int width, int height, int bits_per_pixel);
    // Average video bit rate in kbit/s held below `max_kbps`; without this call every type gets
    // its standard rate for the frame size.
    void video_set_bit_rate(int kbps, int mode, int max_kbps);
    void video_set_file_name(const QString& path) { video_file_ = path; }
    // The sound is written into the video file: leave this empty or give the same path.
    void audio_set_file_name(const QString& path) { audio_file_ = path; }

    // Pulls every picture through the video source and video callbacks, reads each frame file
    // right after its video callback, and encodes on a worker thread while the next frame is
    // made. Returns when the file is complete (renamed from its temporary name to the target),
    // failed, or was aborted; only a complete conversion leaves a file at the target, and no
    // temporary file is left in any case. Blocks the calling thread; not re-entrant.
    void convert();

    // 0 when the last conversion completed or was aborted, 1 when it failed.
    int get_error() const { return error_text_.isEmpty() ? 0 : 1; }
    QString get_error_str() const { return error_text_; }

    // For the video callback: `picture` is what it has just written to the frame file, so the
    // converter takes it as it is instead of reading the file back.
    void provide_frame_picture(QImage picture) { provided_picture_ = std::move(picture); }

    // Ends the running conversion at the next frame and discards its output. Meant for the
    // calling thread, from an event pump inside a callback. Once every frame has been handed
    // over the album is complete in content and an abort no longer discards it; with no
    // conversion running it does nothing.
    void abort();

    // Seconds since the last conversion started (frozen when it ended).
    double get_elapsed_time() const;
    // Estimated seconds left for `frames` frames in all; the sound follows the frames, so
    // `samples` does not change the estimate.
    double get_remaining_time(int frames, int samples) const;

private:
    OutputPlan make_plan() const;
    QStringList gather_songs() const;
    int video_kbps(const AlbumFormat& format) const;
    void run();
    bool deliver_frames(EncodeWorker& worker);
    void drain(EncodeWorker& worker);
    void report(ProgressStatus status, int percent = 0);
    void update_counts(const EncodeWorker& worker);
    void fail(const QString& text);

    SourceCallback video_source_;
    VideoCallback video_func_;
    std::optional<QImage> provided_picture_;
    SourceCallback audio_source_;
    ProgressCallback progress_;
    ErrorCallback error_func_;

    FormatPreset preset_ = FormatPreset::none;
    TvStandard standard_ = TvStandard::pal;
    bool keep_duration_ = false;
    int width_ = 0;
    int height_ = 0;
    int bits_per_pixel_ = 32;
    std::optional<int> bit_rate_kbps_;
    int bit_rate_mode_ = 0;
    QString video_file_;
    QString audio_file_;

    QString error_text_;
    std::atomic<bool> running_{false};
    std::atomic<bool> delivered_{false};
    std::atomic<bool> abort_requested_{false};
    QElapsedTimer clock_;
    double final_elapsed_ = 0;
    int frames_done_ = 0;
    int samples_done_ = 0;
};

} // namespace velmora::mcl
