// DVD and VCD at their disc sizes: streams disc players take, probed back with FFmpeg, and a
// DVD-Video folder that dvdauthor makes from the DVD.
#include "production/album_fixture.h"
#include "production/converter.h"
#include "production/dvd_folder.h"
#include "production/output_probe.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <gtest/gtest.h>

namespace velmora {
namespace {

using mcl::FormatPreset;
using mcl::TvStandard;

constexpr int kAlbumFrames = 50;   // two seconds of album at 25 frames a second

struct DiscCase {
    const char* name;
    FormatPreset preset;
    TvStandard standard;
    int width;
    int height;
    const char* video_codec;
    const char* frame_rate;
    int stream_frames;      // the album's 50 frames on the disc
    int gop;
    const char* audio_codec;
    int audio_rate;
    int packet_bytes;
    qint64 mux_rate;
    double aspect_tolerance;   // MPEG-1 marks 16:9 only approximately at 352 pixels
};

const DiscCase kDiscs[] = {
    {"DvdPal", FormatPreset::dvd, TvStandard::pal, 720, 576, "mpeg2video", "25/1", 50, 15, "ac3", 48000, 2048,
     10080000, 0.001},
    {"DvdNtsc", FormatPreset::dvd, TvStandard::ntsc, 720, 480, "mpeg2video", "30000/1001", 60, 18, "ac3", 48000,
     2048, 10080000, 0.001},
    {"VcdPal", FormatPreset::vcd, TvStandard::pal, 352, 288, "mpeg1video", "25/1", 50, 15, "mp2", 44100, 2324,
     1411200, 0.03},
    {"VcdNtsc", FormatPreset::vcd, TvStandard::ntsc, 352, 240, "mpeg1video", "30000/1001", 60, 18, "mp2", 44100,
     2324, 1411200, 0.03},
};

void PrintTo(const DiscCase& disc, std::ostream* out) { *out << disc.name; }

// The album frame a stream frame shows: the last one whose time, rounded to the stream's
// frames, has come.
int album_frame_shown(int stream_frame, const DiscCase& disc) {
    const double per_album_frame = disc.stream_frames / double(kAlbumFrames);
    int shown = 0;
    while (shown + 1 < kAlbumFrames && std::lround((shown + 1) * per_album_frame) <= stream_frame)
        ++shown;
    return shown;
}

bool near_colour(const QColor& got, const QColor& want) {
    constexpr int kTolerance = 40;
    return std::abs(got.red() - want.red()) <= kTolerance && std::abs(got.green() - want.green()) <= kTolerance &&
           std::abs(got.blue() - want.blue()) <= kTolerance;
}

QString make_disc(test::AlbumFixture& fixture, const DiscCase& disc) {
    fixture.add_song(fixture.make_song("song.mp3", 3.0));
    const QString target = fixture.folder().file("album.mpg");
    mcl::Converter converter;
    fixture.prepare(converter, kAlbumFrames, disc.width, disc.height, target);
    converter.set_format_preset(disc.preset, disc.standard);
    converter.video_set_bit_rate(20000, int(mcl::BitRateMode::variable), 100000);
    converter.convert();
    EXPECT_EQ(converter.get_error(), 0) << converter.get_error_str().toStdString();
    return target;
}

class DiscStreamTest : public testing::TestWithParam<DiscCase> {};

TEST_P(DiscStreamTest, FollowsTheDiscStandardAt16By9) {
    const DiscCase& disc = GetParam();
    test::AlbumFixture fixture;
    const QString target = make_disc(fixture, disc);

    const test::OutputProbe probe = test::probe_output(target);
    EXPECT_EQ(probe.container, "mpeg");
    EXPECT_EQ(probe.video_codec, disc.video_codec);
    EXPECT_EQ(probe.width, disc.width);
    EXPECT_EQ(probe.height, disc.height);
    EXPECT_EQ(probe.frame_rate_text, disc.frame_rate);
    EXPECT_EQ(probe.video_frames, disc.stream_frames);
    EXPECT_NEAR(probe.display_aspect / (16.0 / 9.0), 1.0, disc.aspect_tolerance) << probe.display_aspect;
    EXPECT_EQ(probe.longest_gop, disc.gop);
    EXPECT_EQ(probe.audio_codec, disc.audio_codec);
    EXPECT_EQ(probe.audio_sample_rate, disc.audio_rate);
    EXPECT_EQ(probe.audio_channels, 2);
    // The album keeps its length: the sound is cut to two seconds of album, not of frames.
    EXPECT_NEAR(probe.video_seconds, 2.0, 0.01);
    EXPECT_NEAR(probe.audio_seconds, 2.0, 0.1);
    EXPECT_EQ(QFileInfo(target).size() % disc.packet_bytes, 0) << "packs of " << disc.packet_bytes << " bytes";
    EXPECT_EQ(test::first_pack_mux_rate(target), disc.mux_rate);
    // Each stream frame shows the album frame of its time: the colour changes where the
    // album's does, wherever the NTSC repeats fall.
    for (const int album_frame : {17, 34}) {
        const int first = int(std::lround(album_frame * disc.stream_frames / double(kAlbumFrames)));
        for (const int frame : {first - 1, first}) {
            const QColor want = test::AlbumFixture::colour_at(album_frame_shown(frame, disc), kAlbumFrames);
            const QColor got = test::frame_pixel(target, frame, disc.width / 2, disc.height / 2);
            EXPECT_TRUE(near_colour(got, want)) << "frame " << frame << ": " << got.name().toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Discs, DiscStreamTest, testing::ValuesIn(kDiscs),
                         [](const testing::TestParamInfo<DiscCase>& info) { return info.param.name; });

TEST(DiscStream, OtherSizesOfTheTypeStayOrdinaryFilesAt25FramesASecond) {
    test::AlbumFixture fixture;
    const QString target = fixture.folder().file("album.mpg");
    mcl::Converter converter;
    fixture.prepare(converter, kAlbumFrames, 720, 576, target);
    converter.set_format_preset(FormatPreset::dvd, TvStandard::ntsc);   // 720 x 576 is PAL's disc size
    converter.convert();
    ASSERT_EQ(converter.get_error(), 0) << converter.get_error_str().toStdString();
    const test::OutputProbe probe = test::probe_output(target);
    EXPECT_EQ(probe.frame_rate_text, "25/1");
    EXPECT_EQ(probe.video_frames, kAlbumFrames);
    EXPECT_NEAR(probe.display_aspect, 720.0 / 576.0, 0.001);   // square pixels
}

class DvdFolderTest : public testing::Test {
protected:
    test::TempFolder out;
    QString folder = out.file("dvd");
};

TEST_F(DvdFolderTest, DvdauthorTakesThePalAndNtscDiscs) {
    for (const DiscCase& disc : {kDiscs[0], kDiscs[1]}) {
        test::AlbumFixture fixture;
        const QString album = make_disc(fixture, disc);
        const QString dvd = out.file(disc.name);
        const DvdFolderResult result = write_dvd_folder(album, dvd, disc.standard);
        EXPECT_EQ(result.error, "") << disc.name;
        EXPECT_EQ(result.warnings, QStringList()) << disc.name;
        for (const char* file : {"VIDEO_TS/VIDEO_TS.IFO", "VIDEO_TS/VTS_01_0.IFO", "VIDEO_TS/VTS_01_1.VOB"})
            EXPECT_TRUE(QFileInfo(dvd + "/" + file).isFile()) << disc.name << " " << file;
        EXPECT_GT(QFileInfo(dvd + "/VIDEO_TS/VTS_01_1.VOB").size(), QFileInfo(album).size() / 2) << disc.name;
        EXPECT_TRUE(QFileInfo(dvd).permissions() & QFileDevice::ReadOther) << "an ordinary folder, not a private one";
    }
    // Only the finished folders are left: no temporary one beside them.
    EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"DvdNtsc", "DvdPal"}));
}

TEST_F(DvdFolderTest, AnExistingFolderOrAMissingAlbumIsRefusedAndNothingIsLeft) {
    QDir().mkpath(folder);
    out.write("dvd/keep.txt", "mine");
    const QString album = out.write("album.mpg", "not an album");
    EXPECT_NE(write_dvd_folder(album, folder, TvStandard::pal).error, "");
    EXPECT_EQ(test::read_file(folder + "/keep.txt"), "mine");
    const QString other = out.file("other");
    EXPECT_NE(write_dvd_folder(out.file("missing.mpg"), other, TvStandard::pal).error, "");
    // dvdauthor itself refuses a file that is no MPEG program stream.
    EXPECT_NE(write_dvd_folder(album, other, TvStandard::pal).error, "");
    EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"album.mpg", "dvd"}));
}

} // namespace
} // namespace velmora
