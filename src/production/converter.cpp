#include "production/converter.h"

#include "core/bitmap_file.h"
#include "core/clock.h"
#include "production/encode_error.h"
#include "production/encode_worker.h"
#include "production/output_file.h"
#include "production/temporary_output.h"

#include <QFileInfo>
#include <algorithm>
#include <limits>

namespace velmora::mcl {
namespace {

constexpr int kMaxFrameSide = 4096;
constexpr int kDrainPollMs = 100;

bool usable_side(int pixels) {
    return pixels >= 2 && pixels <= kMaxFrameSide && pixels % 2 == 0;
}

QImage opaque_picture(QImage picture) {
    return picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
}

// Decoded here, on the calling thread, before the next frame step rewrites the file.
QImage read_frame(const QString& path) {
    QImage picture = read_bitmap(path);
    if (picture.isNull())
        throw EncodeError(QStringLiteral("Cannot read frame file %1").arg(path));
    return opaque_picture(std::move(picture));
}

int clamp_count(qint64 value) {
    return static_cast<int>(std::min<qint64>(value, std::numeric_limits<int>::max()));
}

} // namespace

Converter::~Converter() = default;

void Converter::set_format_preset(FormatPreset preset, TvStandard standard) {
    preset_ = preset;
    standard_ = standard;
}

void Converter::video_set_format(int width, int height, int bits_per_pixel) {
    width_ = width;
    height_ = height;
    bits_per_pixel_ = bits_per_pixel;
}

void Converter::video_set_bit_rate(int kbps, int mode, int max_kbps) {
    bit_rate_kbps_ = std::min(kbps, max_kbps);
    bit_rate_mode_ = mode;
}

void Converter::convert() {
    if (running_)
        return;
    error_text_.clear();
    abort_requested_ = false;
    delivered_ = false;
    frames_done_ = samples_done_ = 0;
    running_ = true;
    clock_.start();
    try {
        run();
    } catch (const EncodeError& error) {
        fail(error.message());
    }
    final_elapsed_ = get_elapsed_time();
    running_ = false;
    report(ProgressStatus::processing_time);
}

// Objects end in reverse order: the worker stops before the file closes, and the temporary
// file goes last, unless it was committed to the target.
void Converter::run() {
    report(ProgressStatus::preparing);
    OutputPlan plan = make_plan();
    TemporaryOutput temporary(video_file_);
    plan.path = temporary.path();
    OutputFile output(plan);
    EncodeWorker worker(output);
    worker.start();
    if (!deliver_frames(worker))
        return;
    delivered_ = true;
    worker.close();
    drain(worker);
    if (!worker.finished())
        throw EncodeError(worker.error());
    report(ProgressStatus::multiplexing, 100);
    temporary.commit();
}

OutputPlan Converter::make_plan() const {
    if (video_file_.isEmpty())
        throw EncodeError(QStringLiteral("No output file name is set"));
    if (!audio_file_.isEmpty() && QFileInfo(audio_file_).absoluteFilePath() != QFileInfo(video_file_).absoluteFilePath())
        throw EncodeError(QStringLiteral("The sound goes into the video file; a separate audio file %1 is not supported")
                              .arg(audio_file_));
    const AlbumFormat* format = preset_ != FormatPreset::none ? format_for_preset(preset_)
                                                              : format_for_extension(video_file_);
    if (!format)
        throw EncodeError(QStringLiteral("No output format for %1: set a format preset or name a .mov, .mp4, .wmv or .avi file")
                              .arg(video_file_));
    if (!usable_side(width_) || !usable_side(height_))
        throw EncodeError(QStringLiteral("The frame size %1 x %2 cannot be encoded: both sides must be even, from 2 to %3")
                              .arg(width_).arg(height_).arg(kMaxFrameSide));
    if (bits_per_pixel_ != 24 && bits_per_pixel_ != 32)
        throw EncodeError(QStringLiteral("Frame files of %1 bits per pixel are not supported").arg(bits_per_pixel_));
    OutputPlan plan;
    plan.format = format;
    plan.width = width_;
    plan.height = height_;
    plan.standard = standard_;
    plan.disc = disc_format_for_size(format->type, standard_, width_, height_);
    plan.video_kbps = plan.disc ? std::min(video_kbps(*format), plan.disc->max_average_kbps) : video_kbps(*format);
    plan.songs = gather_songs();
    plan.keep_duration = keep_duration_;
    return plan;
}

int Converter::video_kbps(const AlbumFormat& format) const {
    if (!bit_rate_kbps_)
        return standard_video_kbps(format, width_, height_);
    if (bit_rate_mode_ != static_cast<int>(BitRateMode::variable))
        throw EncodeError(QStringLiteral("Bit-rate mode %1 is not supported").arg(bit_rate_mode_));
    if (*bit_rate_kbps_ <= 0)
        throw EncodeError(QStringLiteral("A bit rate of %1 kbit/s cannot be encoded").arg(*bit_rate_kbps_));
    return limited_video_kbps(format, *bit_rate_kbps_);
}

QStringList Converter::gather_songs() const {
    QStringList songs;
    for (int index = 0; audio_source_; ++index) {
        Source source;
        audio_source_(source, index);
        if (!source.file())
            break;
        songs.append(*source.file());
    }
    return songs;
}

// False when aborted. Throws when a frame file cannot be read or the worker failed.
bool Converter::deliver_frames(EncodeWorker& worker) {
    int index = 0;
    for (; video_source_; ++index) {
        Source source;
        video_source_(source, index);
        // An exhausted list means every frame is handed over, whatever arrived meanwhile.
        if (!source.file())
            break;
        if (abort_requested_)
            return false;
        provided_picture_.reset();
        if (video_func_)
            video_func_(index);
        if (abort_requested_)
            return false;
        QImage picture = provided_picture_ ? opaque_picture(std::move(*provided_picture_)) : read_frame(*source.file());
        provided_picture_.reset();
        if (!worker.push(std::move(picture)))
            throw EncodeError(worker.error());
        if ((index + 1) % kFramesPerSecond == 0) {
            update_counts(worker);
            report(ProgressStatus::frame);
        }
    }
    if (index == 0)
        throw EncodeError(QStringLiteral("The video list holds no pictures"));
    return true;
}

void Converter::drain(EncodeWorker& worker) {
    while (!worker.wait(kDrainPollMs)) {
        update_counts(worker);
        report(ProgressStatus::frame);
    }
    worker.join();
    update_counts(worker);
}

void Converter::update_counts(const EncodeWorker& worker) {
    frames_done_ = clamp_count(worker.frames());
    samples_done_ = clamp_count(worker.samples());
}

void Converter::report(ProgressStatus status, int percent) {
    if (progress_)
        progress_(*this, Progress{static_cast<int>(status), frames_done_, samples_done_, percent});
}

void Converter::fail(const QString& text) {
    error_text_ = text.isEmpty() ? QStringLiteral("The conversion failed") : text;
    if (error_func_)
        error_func_(error_text_);
}

void Converter::abort() {
    if (running_ && !delivered_)
        abort_requested_ = true;
}

double Converter::get_elapsed_time() const {
    if (!running_)
        return final_elapsed_;
    return clock_.isValid() ? clock_.elapsed() / 1000.0 : 0.0;
}

double Converter::get_remaining_time(int frames, int /*samples*/) const {
    if (frames_done_ <= 0 || frames <= frames_done_)
        return 0;
    return get_elapsed_time() * (frames - frames_done_) / frames_done_;
}

} // namespace velmora::mcl
