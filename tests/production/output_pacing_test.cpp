#include "production/album_format.h"
#include "production/output_file.h"

#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <mutex>
#include <random>

extern "C" {
#include <libavutil/log.h>
}

namespace velmora::mcl {
namespace {

// FFmpeg's errors, warnings and notices while a test writes a file: the muxers report a broken
// pacing model only there, the encoder rate settings it cannot keep only as a notice.
class FfmpegErrors {
public:
    FfmpegErrors() {
        lines().clear();
        av_log_set_callback(&FfmpegErrors::collect);
    }
    ~FfmpegErrors() { av_log_set_callback(av_log_default_callback); }
    QStringList taken() const {
        const std::lock_guard lock(mutex());
        return lines();
    }

private:
    static void collect(void*, int level, const char* format, va_list args) {
        if (level > AV_LOG_INFO)
            return;
        char line[512];
        std::vsnprintf(line, sizeof line, format, args);
        const std::lock_guard lock(mutex());
        lines().append(QString::fromUtf8(line).trimmed());
    }
    static QStringList& lines() {
        static QStringList all;
        return all;
    }
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
};

// A still frame broken every half second by a frame of noise: the noise pictures are far
// larger than the average the bit rate allows, as a new photo after a quiet stretch is.
QImage picture(int frame, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    if (frame % 12 != 0) {
        image.fill(qRgb(90, 120, 150));
        return image;
    }
    std::mt19937 noise{unsigned(frame)};
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            row[x] = 0xFF000000u | (noise() & 0xFFFFFFu);
    }
    return image;
}

// MPEG program streams pace their packs by the player's buffer the video stream declares;
// left undeclared, the muxer assumes the average rate and a small buffer, and large pictures
// break its model ("buffer underflow" on every pack of them). The DVD's highest average rate
// still leaves its peak room above the average.
TEST(OutputPacing, MpegProgramStreamsDeclareThePlayersBufferSoLargePicturesFit) {
    for (const AlbumType type : {AlbumType::vcd, AlbumType::svcd, AlbumType::dvd}) {
        const AlbumFormat* format = album_format(type);
        SCOPED_TRACE(format->name);
        QTemporaryDir folder;
        OutputPlan plan;
        plan.format = format;
        plan.path = folder.filePath("album.mpg");
        plan.width = 1280;
        plan.height = 720;
        plan.video_kbps = limited_video_kbps(*format, 9000);
        const FfmpegErrors errors;
        OutputFile output(plan);
        for (int frame = 0; frame < 50; ++frame)
            output.write_picture(picture(frame, {1280, 720}));
        output.finish();
        const QStringList logged = errors.taken();
        EXPECT_TRUE(logged.isEmpty()) << logged.size() << " errors, the first: " << logged.value(0).toStdString();
    }
}

} // namespace
} // namespace velmora::mcl
