#include "production/album_format.h"
#include "production/conversion_log.h"
#include "production/progress_line.h"
#include "production/time_text.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace velmora::mcl {
namespace {

// The whole table in one line per type. If a row changes on purpose (a codec or a rate),
// update the expectation here; an accidental change usually means a mistyped row.
TEST(AlbumFormatTable, RowsAreTheAgreedContainersAndCodecs) {
    const struct {
        AlbumType type;
        const char* row;
    } expected[] = {
        {AlbumType::vcd, "VCD .mpg mpeg mpeg1video mp2 44100 224"},
        {AlbumType::svcd, "SVCD .mpg vob mpeg2video mp2 44100 224"},
        {AlbumType::dvd, "DVD .mpg dvd mpeg2video ac3 48000 448"},
        {AlbumType::mov, "MOV .mov mov libx264 aac 44100 192"},
        {AlbumType::avi, "AVI .avi avi mpeg4 libmp3lame 44100 192"},
        {AlbumType::mp4, "MP4 .mp4 mp4 libx264 aac 44100 192"},
        {AlbumType::wmv, "WMV .wmv asf wmv2 wmav2 44100 192"},
    };
    for (const auto& e : expected) {
        const AlbumFormat* f = album_format(e.type);
        ASSERT_NE(f, nullptr);
        const QString row = QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                                .arg(f->name, f->extension, f->muxer, f->video_codec, f->audio_codec)
                                .arg(f->audio_sample_rate)
                                .arg(f->audio_kbps);
        EXPECT_EQ(row, e.row);
    }
    EXPECT_EQ(album_format(AlbumType::invalid), nullptr);
}

TEST(AlbumFormatTable, PresetsAndExtensionsChooseTheType) {
    EXPECT_EQ(format_for_preset(FormatPreset::vcd)->type, AlbumType::vcd);
    EXPECT_EQ(format_for_preset(FormatPreset::svcd)->type, AlbumType::svcd);
    EXPECT_EQ(format_for_preset(FormatPreset::dvd)->type, AlbumType::dvd);
    EXPECT_EQ(format_for_preset(FormatPreset::avi)->type, AlbumType::avi);
    EXPECT_EQ(format_for_preset(FormatPreset::none), nullptr);
    EXPECT_EQ(format_for_extension("/a/album.MOV")->type, AlbumType::mov);
    EXPECT_EQ(format_for_extension("album.mp4")->type, AlbumType::mp4);
    EXPECT_EQ(format_for_extension("album.wmv")->type, AlbumType::wmv);
    EXPECT_EQ(format_for_extension("album.avi")->type, AlbumType::avi);
    EXPECT_EQ(format_for_extension("album.mpg"), nullptr);
    EXPECT_EQ(format_for_extension("album"), nullptr);
}

TEST(AlbumFormatTable, StandardBitRatesFollowTheFrameSize) {
    const AlbumFormat& vcd = *album_format(AlbumType::vcd);
    const AlbumFormat& dvd = *album_format(AlbumType::dvd);
    const AlbumFormat& mp4 = *album_format(AlbumType::mp4);
    EXPECT_EQ(standard_video_kbps(vcd, 352, 288), 1150);        // the floor, not the encoder default
    EXPECT_EQ(standard_video_kbps(vcd, 1280, 720), 5760);       // 1280 x 720 x 25 x 0.25
    EXPECT_EQ(standard_video_kbps(mp4, 1920, 1088), 4177);      // 1920 x 1088 x 25 x 0.08
    EXPECT_EQ(standard_video_kbps(mp4, 320, 176), 800);
    EXPECT_EQ(standard_video_kbps(dvd, 1920, 1088), 9000);      // players' limit
    EXPECT_EQ(limited_video_kbps(dvd, 20000), 9000);
    EXPECT_EQ(limited_video_kbps(mp4, 20000), 20000);           // "gaoqing" is above every standard rate
}

TEST(ProgressLine, OneLinePerStatusCode) {
    const struct {
        Progress progress;
        const char* line;
    } cases[] = {
        {{0, 50, 88200, 0}, "Processing time: 00:01:05"},
        {{1, 0, 0, 0}, "Preparing conversion..."},
        {{2, 7, 0, 0}, "Reducing colors, done frames: 7"},
        {{3, 25, 44100, 0}, "Frame: 25, Sample: 44100, Time Left: 01:00:01"},
        {{4, 50, 88200, 100}, "Multiplexing done: 100%"},
        {{5, 0, 0, 0}, "Unrecognized status code"},
        {{-1, 0, 0, 0}, "Unrecognized status code"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(progress_line(c.progress, 65.9, 3601.2), c.line);
}

// What a FrameProgressLine wrote, read back from a memory stream.
class WrittenProgress {
public:
    WrittenProgress() : out_(open_memstream(&data_, &size_)) {}
    ~WrittenProgress() {
        std::fclose(out_);
        std::free(data_);
    }
    std::FILE* out() const { return out_; }
    QString text() {
        std::fflush(out_);
        return QString::fromUtf8(data_, qsizetype(size_));
    }

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::FILE* out_;
};

TEST(FrameProgressLine, AwayFromATerminalPrintsAPlainLineEveryFewSeconds) {
    using namespace std::chrono_literals;
    WrittenProgress written;
    FrameProgressLine line(written.out(), false);
    const auto start = FrameProgressLine::Clock::now();
    line.show(0, 100, start);
    line.show(10, 100, start + 1s);     // too soon
    line.show(50, 100, start + 5s);
    line.show(60, 100, start + 6s);     // too soon
    line.show(100, 100, start + 7s);    // the last frame always shows
    line.end();
    const QStringList lines = written.text().split('\n');
    ASSERT_EQ(lines.size(), 4) << written.text().toStdString();   // three lines and the empty rest
    EXPECT_EQ(lines[0], "[..............................] 0/100 frames  0.0 fps  00:00:00 left");
    EXPECT_EQ(lines[1], "[###############...............] 50/100 frames  10.0 fps  00:00:05 left");
    EXPECT_TRUE(lines[2].startsWith("[##############################] 100/100 frames")) << lines[2].toStdString();
    EXPECT_EQ(lines[3], "");
    EXPECT_FALSE(written.text().contains('\r'));
}

TEST(FrameProgressLine, OnATerminalRewritesOneLineAndEndsIt) {
    using namespace std::chrono_literals;
    WrittenProgress written;
    FrameProgressLine line(written.out(), true);
    const auto start = FrameProgressLine::Clock::now();
    line.show(0, 10, start);
    line.show(5, 10, start + 100ms);    // too soon
    line.show(5, 10, start + 300ms);
    EXPECT_FALSE(written.text().contains('\n'));
    EXPECT_EQ(written.text().count('\r'), 2);
    line.end();
    EXPECT_TRUE(written.text().endsWith("left\n"));
    line.end();                          // nothing more once the line is ended
    EXPECT_EQ(written.text().count('\n'), 1);
}

// A message while the progress line is shown starts on a line of its own, and the progress
// line is drawn again below it with the next report.
TEST(FrameProgressLine, MessagesStartOnAFreshLineBelowTheProgressLine) {
    using namespace std::chrono_literals;
    WrittenProgress written;
    FrameProgressLine line(written.out(), true);
    const auto start = FrameProgressLine::Clock::now();
    line.print_line(QStringLiteral("before"));
    line.show(0, 10, start);
    line.print_line(QStringLiteral("相册制作失败：x"));
    line.show(1, 10, start + 10ms);     // soon after, yet drawn again below the message
    line.end();
    const QString text = written.text();
    EXPECT_TRUE(text.startsWith("before\n\r[")) << text.toStdString();
    const qsizetype message = text.indexOf(QStringLiteral("相册制作失败"));
    ASSERT_GT(message, 6);
    EXPECT_EQ(text.mid(message - 6, 6), " left\n") << text.toStdString();
    EXPECT_NE(text.indexOf(QStringLiteral("\r[###"), message), -1) << "drawn again: " << text.toStdString();
    EXPECT_TRUE(text.endsWith(" left\n")) << text.toStdString();
}

TEST(TimeText, WholeSecondsAsAClock) {
    EXPECT_EQ(make_time_str(0), "00:00:00");
    EXPECT_EQ(make_time_str(59.99), "00:00:59");
    EXPECT_EQ(make_time_str(3725), "01:02:05");
    EXPECT_EQ(make_time_str(-3), "00:00:00");
}

TEST(ConversionLog, KeepsTheNewest32000Lines) {
    int appended = 0;
    ConversionLog log([&appended](const QString&) { ++appended; });
    for (int i = 0; i < ConversionLog::kMaxLines + 5; ++i)
        log.append(QString::number(i));
    EXPECT_EQ(log.lines().size(), 32000);
    EXPECT_EQ(log.lines().front(), "5");
    EXPECT_EQ(log.lines().back(), "32004");
    EXPECT_EQ(appended, 32005);
    log.clear();
    EXPECT_TRUE(log.lines().isEmpty());
}

} // namespace
} // namespace velmora::mcl
