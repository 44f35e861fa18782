#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <gtest/gtest.h>

#include "batch/decoded_frames.h"
#include "preview/sample_photo.h"
#include "core/jpeg_writer.h"
#include "media/sine_song.h"
#include "production/output_probe.h"
#include "support/test_support.h"

namespace velmora {
namespace {

struct MakeRun {
    int exit_code = -1;
    QString out;
    QString error;
};

bool is_dark(QColor c) { return c.red() < 24 && c.green() < 24 && c.blue() < 24; }

// A copy of the shipped data, two painted photos and a 3-second song, shared by the suite.
class MakeCommand : public ::testing::Test {
protected:
    static inline test::TempFolder* dir = nullptr;
    static QString data() { return dir->file("smxcwjj"); }
    static QString photos() { return dir->file("photos"); }
    static QString song() { return dir->file("song.mp3"); }

    static void SetUpTestSuite() {
        dir = new test::TempFolder;
        test::copy_tree(VELMORA_DATA_ROOT, data());
        QDir().mkpath(photos());
        save_jpeg(paint_sample_photo(QSize(480, 320), 3), photos() + "/a.jpg");
        save_jpeg(paint_sample_photo(QSize(320, 480), 4), photos() + "/b.JPG");
        test::write_sine_mp3(song(), 3.0);
    }
    static void TearDownTestSuite() {
        delete dir;
        dir = nullptr;
    }

    QString out(const QString& name) const {
        const QString folder = dir->file("out/" + name);
        QDir().mkpath(folder);
        return folder;
    }

    static MakeRun make(QStringList arguments) {
        arguments = QStringList{"make", "--data-root", data()} + arguments;
        QProcess process;
        process.start(QStringLiteral(VELMORA_BIN_DIR) + "/velmora-make", arguments);
        process.waitForFinished(300000);
        MakeRun r;
        r.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        r.out = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
        r.error = QString::fromUtf8(process.readAllStandardError());
        return r;
    }
};

struct TypeCase {
    const char* type;
    const char* size;
    const char* extension;
    const char* codec;
};

// Three seconds of music sync: a black first frame, then the closing movie.
TEST_F(MakeCommand, EveryTypeMakesAPlayableAlbumAtItsSizeWithSound) {
    const std::vector<TypeCase> cases = {
        {"VCD", "320x176", ".mpg", "mpeg1video"}, {"SVCD", "320x176", ".mpg", "mpeg2video"},
        {"DVD", "320x176", ".mpg", "mpeg2video"}, {"MOV", "320x176", ".mov", "h264"},
        {"AVI", "320x176", ".avi", "mpeg4"},      {"MP4", "320x176", ".mp4", "h264"},
        {"WMV", "320x176", ".wmv", "wmv2"},
    };
    for (const TypeCase& c : cases) {
        const QString folder = out(c.type);
        const MakeRun r = make({"--type", c.type, "--size", c.size, "--quality", "biaoqing", "--sync", "music",
                                "--music", song(), "--out", folder, photos()});
        ASSERT_EQ(r.exit_code, 0) << c.type << ": " << r.error.toStdString();
        const QString expected = folder + "/album" + c.extension;
        EXPECT_EQ(r.out, expected) << c.type;
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(expected).fileName()});
        EXPECT_TRUE(r.error.contains("75/75 frames")) << c.type << ": " << r.error.toStdString();
        const test::OutputProbe probe = test::probe_output(expected);
        EXPECT_EQ(probe.video_codec, c.codec) << c.type;
        EXPECT_EQ(probe.width, 320) << c.type;
        EXPECT_EQ(probe.height, 176) << c.type;
        EXPECT_NEAR(probe.frame_rate, 25.0, 0.01) << c.type;
        EXPECT_EQ(probe.video_frames, 75) << c.type;
        EXPECT_FALSE(probe.audio_codec.isEmpty()) << c.type;
        const auto frames = test::decoded_frames(expected, {0, 40});
        EXPECT_TRUE(is_dark(frames[0].pixelColor(160, 88))) << c.type;
        EXPECT_FALSE(frames[1].pixelColor(160, 88) == frames[0].pixelColor(160, 88)) << c.type;
    }
}

// Template sync at the default type: the templates' frames and the closing movie's 150.
TEST_F(MakeCommand, TemplateSyncAlbumShowsTheTemplatesAndTheClosingMovie) {
    const QString folder = out("template");
    const MakeRun r = make({"--size", "320x176", "--quality", "biaoqing", "--music", song(), "--name", "家庭",
                            "--out", folder, photos() + "/a.jpg"});
    ASSERT_EQ(r.exit_code, 0) << r.error.toStdString();
    const test::OutputProbe probe = test::probe_output(folder + "/家庭.mpg");
    EXPECT_EQ(probe.video_codec, "mpeg2video");
    const int template_frames = probe.video_frames - 150;
    EXPECT_TRUE(template_frames == 150 || template_frames == 175 || template_frames == 200 || template_frames == 225)
        << probe.video_frames;
    EXPECT_NEAR(probe.audio_seconds, probe.video_seconds, 0.2);
    const auto frames = test::decoded_frames(folder + "/家庭.mpg", {0, template_frames / 2});
    EXPECT_TRUE(is_dark(frames[0].pixelColor(160, 88)));
    int lit = 0;
    for (int x = 20; x < 320; x += 40)
        lit += is_dark(frames[1].pixelColor(x, 88)) ? 0 : 1;
    EXPECT_GE(lit, 4);
}

// White pixels in the band where a default-placed lyric line sits on an 800 x 450 frame.
int white_in_lyric_band(const QImage& frame) {
    int white = 0;
    for (int y = 384; y < 412; ++y)
        for (int x = 200; x < 600; ++x) {
            const QColor c = frame.pixelColor(x, y);
            white += c.red() > 200 && c.green() > 200 && c.blue() > 200 ? 1 : 0;
        }
    return white;
}

// Song 1 (3 s) has a lyric file whose line starts at 00:01; song 2 (2 s) has none.
TEST_F(MakeCommand, TheLyricLineShowsFromItsSecondAndGoesWhenTheNextSongHasNoLyrics) {
    const QString folder = out("lyrics");
    const QString second_song = dir->file("second.mp3");
    test::write_sine_mp3(second_song, 2.0);
    const QString lyrics = dir->write("song.lrc", "[ti:test]\n[00:01.00]甜蜜蜜\n");
    const MakeRun r = make({"--type", "MP4", "--size", "800x450", "--quality", "biaoqing", "--sync", "music",
                            "--music", song(), "--music", second_song, "--lyrics", lyrics, "--out", folder, photos()});
    ASSERT_EQ(r.exit_code, 0) << r.error.toStdString();
    EXPECT_EQ(test::probe_output(r.out).video_frames, 125);
    const auto frames = test::decoded_frames(r.out, {20, 24, 25, 30, 70, 74, 75, 80, 110});
    std::vector<int> white;
    for (const QImage& frame : frames)
        white.push_back(white_in_lyric_band(frame));
    const int before = std::max(white[0], white[1]);
    for (int shown : {white[2], white[3], white[4], white[5]})
        EXPECT_GT(shown, before + 100) << ::testing::PrintToString(white);
    for (int gone : {white[6], white[7], white[8]})
        EXPECT_LT(gone, white[5] - 100) << ::testing::PrintToString(white);
}

TEST_F(MakeCommand, AnAlbumWithoutSongsIsMadeWithAWarning) {
    const QString folder = out("silent");
    const MakeRun r = make({"--size", "320x176", "--quality", "biaoqing", "--out", folder, photos()});
    ASSERT_EQ(r.exit_code, 0) << r.error.toStdString();
    EXPECT_EQ(r.error.count("velmora-make: no song given: the album will be silent\n"), 1) << r.error.toStdString();
    EXPECT_TRUE(QFileInfo::exists(r.out));
}

TEST_F(MakeCommand, RefusesBadArgumentsAndExistingFilesWithoutWritingOne) {
    const QString folder = out("refused");
    QFile existing(folder + "/album.mpg");
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("old");
    existing.close();
    const std::vector<std::pair<QStringList, const char*>> cases = {
        {{"--type", "DVX"}, "--type"},
        {{"--size", "321x176"}, "--size"},
        {{"--quality", "best"}, "--quality"},
        {{"--sync", "never"}, "--sync"},
        {{"--name", "../escape"}, ""},
        {{"--name", "a/b"}, ""},
        {{}, "already exists"},
        {{"--sync", "music", "--overwrite"}, "没有找到音乐文件"},
        {{"--lyrics", "/no/such.lrc", "--overwrite"}, "/no/such.lrc"},
    };
    for (const auto& [extra, message] : cases) {
        const MakeRun r = make(extra + QStringList{"--out", folder, photos()});
        EXPECT_NE(r.exit_code, 0) << extra.join(' ').toStdString();
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(message))) << r.error.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"album.mpg"});
        EXPECT_EQ(test::read_file(folder + "/album.mpg"), QByteArray("old"));
    }
    EXPECT_NE(make({photos()}).exit_code, 0);   // no --out
}

// A control character in the name is a usage error; a folder where the album would go is
// refused before anything is encoded, even with --overwrite.
TEST_F(MakeCommand, RefusesControlCharactersInTheNameAndAFolderAtTheOutputName) {
    const QString folder = out("names");
    for (const char* name : {"a\nb", "tab\there", "bell\x07", "del\x7f"}) {
        const MakeRun r = make({"--name", name, "--out", folder, photos()});
        EXPECT_EQ(r.exit_code, 2) << name;
        EXPECT_TRUE(r.error.contains("control character")) << r.error.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{});

    QDir().mkpath(folder + "/taken.mpg");
    const MakeRun r = make({"--name", "taken", "--overwrite", "--out", folder, photos()});
    EXPECT_NE(r.exit_code, 0);
    EXPECT_TRUE(r.error.contains("is a folder")) << r.error.toStdString();
    EXPECT_FALSE(r.error.contains("frames")) << "refused before encoding: " << r.error.toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"taken.mpg"});
}

} // namespace
} // namespace velmora
