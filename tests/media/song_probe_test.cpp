#include "core/data_error.h"
#include "media/sine_song.h"
#include "media/song_probe.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(SongProbe, MeasuresAGeneratedSong) {
    const test::TempFolder folder;
    const QString song = folder.file("tone.mp3");
    test::write_sine_mp3(song, 1.5);
    const SongMeasure measure = measure_song_file(song);
    // An MP3 is a whole number of 1152-sample frames, and the encoder adds its delay.
    EXPECT_NEAR(measure.length_ms, 1500, 60);
    EXPECT_EQ(measure.sample_rate, 44100);
    EXPECT_NEAR(measure.samples, 1.5 * 44100, 0.06 * 44100);
    EXPECT_EQ(song_length_ms(song), measure.length_ms);
}

TEST(SongProbe, RefusesFilesThatAreNotAudio) {
    const test::TempFolder folder;
    const struct {
        const char* name;
        QByteArray content;   // empty with `create` false: the file does not exist
        bool create;
        const char* reason;
    } cases[] = {
        {"missing.mp3", {}, false, "no such file"},
        {"empty.mp3", {}, true, "empty"},
        {"text.mp3", "this is not a song, only some text\n", true, ""},
    };
    for (const auto& c : cases) {
        const QString path = c.create ? folder.write(c.name, c.content) : folder.file(c.name);
        try {
            song_length_ms(path);
            ADD_FAILURE() << c.name << " was measured";
        } catch (const DataError& error) {
            EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
            EXPECT_TRUE(error.message().contains(QLatin1String(c.reason))) << error.message().toStdString();
        }
    }
}

} // namespace
} // namespace velmora
