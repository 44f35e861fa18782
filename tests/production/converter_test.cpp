#include "production/album_fixture.h"
#include "production/conversion_log.h"
#include "production/converter.h"
#include "production/output_probe.h"

#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>
#include <thread>

namespace velmora {
namespace {

using mcl::Converter;
using mcl::FormatPreset;
using mcl::TvStandard;

constexpr int kFrames = 50;   // two seconds at 25 frames per second

bool near_colour(const QColor& got, const QColor& want) {
    constexpr int kTolerance = 40;
    return std::abs(got.red() - want.red()) <= kTolerance && std::abs(got.green() - want.green()) <= kTolerance &&
           std::abs(got.blue() - want.blue()) <= kTolerance;
}

std::string describe(const QColor& c) {
    return c.name().toStdString();
}

struct AlbumCase {
    const char* name;
    FormatPreset preset;
    const char* file;
    int width;
    int height;
    const char* container;
    const char* brand;
    const char* video_codec;
    const char* audio_codec;
};

const AlbumCase kAlbums[] = {
    {"VCD", FormatPreset::vcd, "album.mpg", 352, 288, "mpeg", "", "mpeg1video", "mp2"},
    {"SVCD", FormatPreset::svcd, "album.mpg", 480, 576, "mpeg", "", "mpeg2video", "mp2"},
    {"DVD", FormatPreset::dvd, "album.mpg", 720, 576, "mpeg", "", "mpeg2video", "ac3"},
    {"MOV", FormatPreset::none, "album.mov", 320, 180, "mov,mp4,m4a,3gp,3g2,mj2", "qt  ", "h264", "aac"},
    {"AVI", FormatPreset::avi, "album.avi", 320, 180, "avi", "", "mpeg4", "mp3"},
    {"MP4", FormatPreset::none, "album.mp4", 320, 180, "mov,mp4,m4a,3gp,3g2,mj2", "isom", "h264", "aac"},
    {"WMV", FormatPreset::none, "album.wmv", 320, 180, "asf", "", "wmv2", "wmav2"},
};

void PrintTo(const AlbumCase& album, std::ostream* out) {
    *out << album.name;
}

class AlbumTypeTest : public testing::TestWithParam<AlbumCase> {};

// Two songs of 1.2 s against 2 s of pictures: the second song is cut at the video's end.
TEST_P(AlbumTypeTest, WritesTheTypeWithPicturesAndSongs) {
    const AlbumCase& album = GetParam();
    test::AlbumFixture fixture;
    fixture.add_song(fixture.make_song("one.mp3", 1.2));
    fixture.add_song(fixture.make_song("two.mp3", 1.2, 660));
    const QString target = fixture.folder().file(album.file);
    Converter converter;
    fixture.prepare(converter, kFrames, album.width, album.height, target);
    converter.set_format_preset(album.preset, TvStandard::pal);
    converter.convert();
    ASSERT_EQ(converter.get_error(), 0) << converter.get_error_str().toStdString();

    const test::OutputProbe probe = test::probe_output(target);
    EXPECT_EQ(probe.container, album.container);
    EXPECT_EQ(probe.brand, album.brand);
    EXPECT_EQ(probe.video_codec, album.video_codec);
    EXPECT_EQ(probe.width, album.width);
    EXPECT_EQ(probe.height, album.height);
    EXPECT_DOUBLE_EQ(probe.frame_rate, 25.0);
    EXPECT_EQ(probe.video_frames, kFrames);
    EXPECT_EQ(probe.audio_codec, album.audio_codec);
    EXPECT_NEAR(probe.audio_seconds, probe.video_seconds, 0.1);
    // 17 and 34 are the first frames of a new colour: a frame file read before its video
    // callback would show the previous colour there.
    for (const int frame : {8, 17, 34, 49}) {
        const QColor got = test::frame_pixel(target, frame, album.width / 2, album.height / 2);
        const QColor want = test::AlbumFixture::colour_at(frame, kFrames);
        EXPECT_TRUE(near_colour(got, want)) << "frame " << frame << ": " << describe(got) << " for " << describe(want);
    }
    EXPECT_EQ(fixture.stray_files({album.file}), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Albums, AlbumTypeTest, testing::ValuesIn(kAlbums),
                         [](const testing::TestParamInfo<AlbumCase>& info) { return info.param.name; });

Converter& mp4(Converter& converter) {
    converter.set_format_preset(FormatPreset::none, TvStandard::pal);
    return converter;
}

TEST(ConverterSound, SongsPlayInOrderThenSilencePadsToTheVideo) {
    test::AlbumFixture fixture;
    fixture.add_song(fixture.make_song("one.mp3", 0.6));
    fixture.add_song(fixture.make_song("two.mp3", 0.6, 660));
    const QString target = fixture.folder().file("album.mp4");
    Converter converter;
    fixture.prepare(mp4(converter), kFrames, 320, 180, target);
    converter.convert();
    ASSERT_EQ(converter.get_error(), 0) << converter.get_error_str().toStdString();
    EXPECT_NEAR(test::probe_output(target).audio_seconds, 2.0, 0.1);
    EXPECT_GT(test::sound_level(target, 0.1, 0.5), 0.1);   // first song (level 0.5 x 1/sqrt 2)
    EXPECT_GT(test::sound_level(target, 0.7, 1.1), 0.1);   // second song
    EXPECT_LT(test::sound_level(target, 1.4, 1.9), 0.01);  // silence after the songs
}

TEST(ConverterSound, WithoutKeepDurationEverySongPlaysToItsEnd) {
    test::AlbumFixture fixture;
    fixture.add_song(fixture.make_song("one.mp3", 1.5));
    fixture.add_song(fixture.make_song("two.mp3", 1.5));
    const QString target = fixture.folder().file("album.mp4");
    Converter converter;
    fixture.prepare(mp4(converter), kFrames, 320, 180, target);
    converter.video_set_keep_duration(false);
    converter.convert();
    ASSERT_EQ(converter.get_error(), 0) << converter.get_error_str().toStdString();
    EXPECT_NEAR(test::probe_output(target).audio_seconds, 3.0, 0.15);
}

TEST(ConverterSound, AnEmptyAudioListGivesASilentTrack) {
    test::AlbumFixture fixture;
    const QString target = fixture.folder().file("album.mp4");
    Converter converter;
    fixture.prepare(mp4(converter), kFrames, 320, 180, target);
    converter.convert();
    ASSERT_EQ(converter.get_error(), 0) << converter.get_error_str().toStdString();
    const test::OutputProbe probe = test::probe_output(target);
    EXPECT_EQ(probe.video_frames, kFrames);
    EXPECT_EQ(probe.audio_codec, "aac");
    EXPECT_NEAR(probe.audio_seconds, 2.0, 0.1);
    EXPECT_LT(test::sound_level(target, 0.0, 2.0), 0.01);
}

// The log the making window keeps, fed by the progress callback.
TEST(ConverterProgress, ReportsPreparationFramesMultiplexingAndTime) {
    test::AlbumFixture fixture;
    const QString target = fixture.folder().file("album.mp4");
    Converter converter;
    fixture.prepare(mp4(converter), kFrames, 320, 180, target);
    ConversionLog log;
    std::vector<mcl::Progress> reports;
    converter.assign_progress([&](Converter& c, const mcl::Progress& p) {
        reports.push_back(p);
        log.append(mcl::progress_line(p, c.get_elapsed_time(), c.get_remaining_time(kFrames, 0)));
    });
    converter.convert();
    ASSERT_GE(reports.size(), 4u);
    EXPECT_EQ(log.lines().front(), "Preparing conversion...");
    EXPECT_TRUE(log.lines().contains("Multiplexing done: 100%"));
    EXPECT_TRUE(log.lines().back().startsWith("Processing time: 00:00:")) << log.lines().back().toStdString();
    EXPECT_EQ(reports.back().frames, kFrames);
    EXPECT_GT(reports.back().samples, 0);
    EXPECT_TRUE(std::any_of(reports.begin(), reports.end(),
                            [](const mcl::Progress& p) { return p.status == int(mcl::ProgressStatus::frame); }));
}

// Stop pressed while the frame step lets events run: the abort arrives through the event loop.
TEST(ConverterAbort, StopInsideTheVideoCallbackLeavesNoFileAndKeepsTheOldOne) {
    test::AlbumFixture fixture;
    const QString target = fixture.folder().write("album.mp4", "an older album");
    Converter converter;
    fixture.prepare(mp4(converter), kFrames, 320, 180, target);
    int last_frame = -1;
    converter.assign_video_func([&](int frame) {
        last_frame = frame;
        if (frame == 20)
            QMetaObject::invokeMethod(qApp, [&converter] { converter.abort(); }, Qt::QueuedConnection);
        QCoreApplication::processEvents();
    });
    converter.convert();
    EXPECT_EQ(last_frame, 20);
    EXPECT_EQ(converter.get_error(), 0);
    EXPECT_EQ(test::read_file(target), "an older album");
    EXPECT_EQ(fixture.stray_files({"album.mp4"}), QStringList());
}

// The closing timer's abort comes after the last frame: the album is finished, not cut.
TEST(ConverterAbort, AnAbortAfterTheLastFrameDoesNotCutTheAlbum) {
    test::AlbumFixture fixture;
    const QString target = fixture.folder().file("album.mp4");
    Converter converter;
    fixture.prepare(mp4(converter), kFrames, 320, 180, target);
    bool closing = false;
    converter.assign_video_func([&closing](int frame) { closing = frame == kFrames - 1; });
    converter.assign_progress([&closing](Converter& c, const mcl::Progress&) {
        if (closing)
            c.abort();
    });
    converter.convert();
    ASSERT_EQ(converter.get_error(), 0) << converter.get_error_str().toStdString();
    EXPECT_EQ(test::probe_output(target).video_frames, kFrames);
    EXPECT_EQ(fixture.stray_files({"album.mp4"}), QStringList());
}

struct FailureCase {
    const char* name;
    const char* expected;   // part of the error text
    // Spoils the prepared conversion; returns the new target, or nothing to keep it.
    std::function<QString(test::AlbumFixture&, Converter&)> arrange;
};

QString retarget(Converter& converter, const QString& target) {
    converter.video_set_file_name(target);
    converter.audio_set_file_name(target);
    return target;
}

const FailureCase kFailures[] = {
    {"MissingFolder", "Cannot create a file in",
     [](test::AlbumFixture& f, Converter& c) { return retarget(c, f.folder().file("gone/album.mp4")); }},
    {"FolderIsAFile", "Cannot create a file in",
     [](test::AlbumFixture& f, Converter& c) { return retarget(c, f.folder().write("plain", "x") + "/album.mp4"); }},
    {"FrameFileVanishes", "Cannot read frame file",
     [](test::AlbumFixture& f, Converter& c) {
         c.assign_video_func([path = f.frame_file()](int frame) {
             if (frame == 10)
                 QFile::remove(path);
         });
         return QString();
     }},
    {"SongIsNotAudio", "not-a-song.mp3",
     [](test::AlbumFixture& f, Converter&) {
         f.add_song(f.folder().write("not-a-song.mp3", "plain text"));
         return QString();
     }},
    {"OddFrameSize", "321 x 180",
     [](test::AlbumFixture&, Converter& c) {
         c.video_set_format(321, 180, 32);
         return QString();
     }},
    {"UnknownBitRateMode", "Bit-rate mode 0",
     [](test::AlbumFixture&, Converter& c) {
         c.video_set_bit_rate(20000, 0, 100000);
         return QString();
     }},
    {"MpegWithoutPreset", "No output format",
     [](test::AlbumFixture& f, Converter& c) { return retarget(c, f.folder().file("album.mpg")); }},
};

void PrintTo(const FailureCase& failure, std::ostream* out) {
    *out << failure.name;
}

class ConverterFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(ConverterFailureTest, ReportsTheErrorOnTheCallingThreadAndLeavesNoFile) {
    test::AlbumFixture fixture;
    QString target = fixture.folder().file("album.mp4");
    Converter converter;
    fixture.prepare(mp4(converter), kFrames, 320, 180, target);
    if (const QString changed = GetParam().arrange(fixture, converter); !changed.isEmpty())
        target = changed;
    QStringList errors;
    const auto caller = std::this_thread::get_id();
    converter.assign_error([&](const QString& text) {
        EXPECT_EQ(std::this_thread::get_id(), caller);
        errors.append(text);
    });
    converter.convert();
    EXPECT_EQ(converter.get_error(), 1);
    EXPECT_TRUE(converter.get_error_str().contains(GetParam().expected)) << converter.get_error_str().toStdString();
    EXPECT_EQ(errors, QStringList{converter.get_error_str()});
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(fixture.stray_files({"plain"}), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Failures, ConverterFailureTest, testing::ValuesIn(kFailures),
                         [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

} // namespace
} // namespace velmora
