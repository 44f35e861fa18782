// The song decoder and the media player, on generated sine songs. Offscreen test machines
// usually have no sound device, so the player is driven silently; the position then follows
// real time and the waits below are kept to a second or two.
#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cmath>
#include <gtest/gtest.h>

#include "core/data_error.h"
#include "media/media_player.h"
#include "media/sine_song.h"
#include "media/song_decoder.h"
#include "media/song_probe.h"
#include "support/test_support.h"

namespace velmora {
namespace {

QAudioFormat format_of(int rate, int channels, QAudioFormat::SampleFormat sample) {
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(channels);
    format.setSampleFormat(sample);
    return format;
}

// Pumps events while waiting, as the interface thread does.
bool wait_for(const std::function<bool()>& done, int timeout_ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeout_ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}

TEST(SongDecoder, DecodesTheWholeSongIntoTheAskedFormat) {
    const test::TempFolder folder;
    const QString song = folder.file("tone.mp3");
    test::write_sine_mp3(song, 1.0);
    const qint64 samples = measure_song_file(song).samples;

    const struct {
        QAudioFormat format;
        double peak;  // a 0.5 sine's peak in the format's units
    } cases[] = {
        {format_of(44100, 2, QAudioFormat::Int16), 0.5 * 32767},
        {format_of(48000, 2, QAudioFormat::Float), 0.5},
        {format_of(22050, 1, QAudioFormat::Int32), 0.5 * 2147483647.0},
    };
    for (const auto& c : cases) {
        SongDecoder decoder(song, c.format);
        QByteArray sound;
        char chunk[3001];  // not a whole number of frames: reads hand out whole frames only
        while (const qint64 n = decoder.read(chunk, sizeof chunk)) {
            EXPECT_EQ(n % c.format.bytesPerFrame(), 0);
            sound.append(chunk, n);
        }
        EXPECT_TRUE(decoder.at_end());
        const qint64 frames = sound.size() / c.format.bytesPerFrame();
        const double expected = double(samples) * c.format.sampleRate() / 44100;
        EXPECT_NEAR(double(frames), expected, 0.03 * c.format.sampleRate()) << c.format.sampleRate();

        double peak = 0;
        for (qint64 i = 0; i < frames * c.format.channelCount(); ++i) {
            const char* at = sound.constData() + i * c.format.bytesPerSample();
            double v = 0;
            switch (c.format.sampleFormat()) {
            case QAudioFormat::Int16: v = *reinterpret_cast<const qint16*>(at); break;
            case QAudioFormat::Int32: v = *reinterpret_cast<const qint32*>(at); break;
            default: v = *reinterpret_cast<const float*>(at); break;
            }
            peak = std::max(peak, std::abs(v));
        }
        EXPECT_NEAR(peak, c.peak, 0.1 * c.peak) << "the tone comes through at its level";
    }
}

TEST(SongDecoder, RefusesFilesThatAreNotSongsNamingThem) {
    const test::TempFolder folder;
    const QString text = folder.write("notes.mp3", "only some words, no sound\n");
    for (const QString& path : {text, folder.file("missing.mp3")}) {
        try {
            SongDecoder decoder(path, format_of(44100, 2, QAudioFormat::Int16));
            ADD_FAILURE() << path.toStdString() << " was opened";
        } catch (const DataError& error) {
            EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
        }
    }
}

TEST(MediaPlayer, PlaysSilentlyInRealTimeAndStopsByItselfAtTheEnd) {
    const test::TempFolder folder;
    const QString song = folder.file("tone.mp3");
    test::write_sine_mp3(song, 1.2);

    MediaPlayer player{QAudioDevice()};
    EXPECT_EQ(player.mode(), PlayerMode::Stopped);
    player.set_file(song);
    player.open();
    EXPECT_TRUE(player.silent());
    EXPECT_EQ(player.length_ms(), song_length_ms(song));
    EXPECT_NEAR(player.length_ms(), 1200, 60);
    EXPECT_EQ(player.position_ms(), 0);
    EXPECT_EQ(player.mode(), PlayerMode::Stopped) << "opening does not start the song";

    player.play();
    EXPECT_EQ(player.mode(), PlayerMode::Playing);
    QThread::msleep(250);
    const qint64 first = player.position_ms();
    EXPECT_GE(first, 200);
    EXPECT_LT(first, player.length_ms());

    // Stop holds the position; play goes on from there.
    player.stop();
    const qint64 held = player.position_ms();
    QThread::msleep(100);
    EXPECT_EQ(player.position_ms(), held);
    EXPECT_EQ(player.mode(), PlayerMode::Stopped);
    player.play();
    EXPECT_TRUE(wait_for([&] { return player.mode() == PlayerMode::Stopped; }, 3000));
    EXPECT_EQ(player.position_ms(), player.length_ms());

    player.close();
    EXPECT_TRUE(player.file().isEmpty());
    EXPECT_EQ(player.length_ms(), 0);
    EXPECT_EQ(player.position_ms(), 0);
}

TEST(MediaPlayer, OpeningStartsTheSongAgainFromItsBeginning) {
    const test::TempFolder folder;
    const QString song = folder.file("tone.mp3");
    test::write_sine_mp3(song, 1.0);
    MediaPlayer player{QAudioDevice()};
    player.set_file(song);
    player.open();
    player.play();
    QThread::msleep(150);
    player.stop();
    ASSERT_GT(player.position_ms(), 0);
    player.open();
    EXPECT_EQ(player.position_ms(), 0);
    EXPECT_EQ(player.mode(), PlayerMode::Stopped);
}

TEST(MediaPlayer, RefusesAFileThatIsNotASongWithAMessageNamingIt) {
    const test::TempFolder folder;
    const QString text = folder.write("letter.mp3", "Dear reader, this is no song.\n");
    MediaPlayer player{QAudioDevice()};
    player.set_file(text);
    try {
        player.open();
        ADD_FAILURE() << "a text file was opened";
    } catch (const DataError& error) {
        EXPECT_TRUE(error.message().contains(text)) << error.message().toStdString();
    }
    player.play();
    EXPECT_EQ(player.mode(), PlayerMode::Stopped) << "nothing plays after a refused open";
    EXPECT_EQ(player.length_ms(), 0);

    MediaPlayer unset{QAudioDevice()};
    EXPECT_THROW(unset.open(), DataError);
}

// The program's own configuration: the default sound output when there is one, silence
// otherwise. Either way the song ends by itself at its length.
TEST(MediaPlayer, TheDefaultOutputAlsoEndsTheSongByItself) {
    const test::TempFolder folder;
    const QString song = folder.file("tone.mp3");
    test::write_sine_mp3(song, 1.0);
    MediaPlayer player;
    player.set_file(song);
    player.open();
    player.play();
    EXPECT_TRUE(wait_for([&] { return player.position_ms() > 0; }, 2000)) << "the position moves";
    EXPECT_TRUE(wait_for([&] { return player.mode() == PlayerMode::Stopped; }, 4000));
    EXPECT_EQ(player.position_ms(), player.length_ms());
}

} // namespace
} // namespace velmora
