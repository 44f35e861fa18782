#include "core/scripted_ui.h"
#include "production/album_lyrics.h"
#include "support/test_support.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace velmora {
namespace {

constexpr QSize kFrame(800, 450);

// Counts the lit pixels of the band where a default-placed line sits on an 800 x 450 frame
// (top 335 x 450 div 390 = 386).
int lit_in_lyric_band(const QImage& frame) {
    int lit = 0;
    for (int y = 380; y < 420; ++y)
        for (int x = 0; x < frame.width(); ++x)
            lit += qGray(frame.pixel(x, y)) > 128 ? 1 : 0;
    return lit;
}

class AlbumLyricsTest : public ::testing::Test {
protected:
    test::TempFolder dir;
    ScriptedUi ui;
    LyricList lyrics;
    TimedLyricTable table;
    ScriptConversion scripts;
    AlbumLyrics layer{lyrics, table, scripts};

    void add_lyric_file(const QString& name, const QByteArray& text) {
        lyrics.add_lyrics({dir.write(name, text)}, ui);
    }

    // The frame of song frame `song_frame`, drawn on black.
    QImage frame_at(qint64 song_frame) {
        QImage frame(kFrame, QImage::Format_RGB32);
        frame.fill(Qt::black);
        QPainter painter(&frame);
        layer.paint_lyric(painter, kFrame, 0, song_frame);
        return frame;
    }
};

TEST_F(AlbumLyricsTest, ALineShowsFromItsSecondUntilTheNextLineAndClearsWhenTheSongEnds) {
    add_lyric_file("a.lrc", "[00:01.50]甜蜜蜜\n[00:03.00]你笑得甜蜜蜜\n");
    layer.song_started(0, {0, 125});
    EXPECT_EQ(lit_in_lyric_band(frame_at(24)), 0);
    EXPECT_GT(lit_in_lyric_band(frame_at(25)), 40);
    EXPECT_EQ(layer.line().text, QStringLiteral("甜蜜蜜"));
    EXPECT_EQ(layer.line().top_left.y(), 386);
    frame_at(74);
    EXPECT_EQ(layer.line().text, QStringLiteral("甜蜜蜜"));   // no row for 00:02: the line stays
    frame_at(75);
    EXPECT_EQ(layer.line().text, QStringLiteral("你笑得甜蜜蜜"));
    layer.song_ended(0);
    EXPECT_EQ(lit_in_lyric_band(frame_at(10)), 0);
}

TEST_F(AlbumLyricsTest, ASongWithoutALyricFileShowsNothingEvenWhenTheTableHeldLines) {
    add_lyric_file("a.lrc", "[00:01.00]第一首\n");
    layer.song_started(0, {0, 75});
    frame_at(30);
    layer.song_ended(0);
    layer.song_started(1, {1, 75});   // song row 1 has no lyric file
    EXPECT_TRUE(table.rows().empty());
    EXPECT_EQ(lit_in_lyric_band(frame_at(30)), 0);
}

TEST_F(AlbumLyricsTest, TheLineIsDrawnInItsFilesScriptAndStyleScaledToTheFrame) {
    add_lyric_file("a.lrc", "[00:01.00]后来\n");
    LyricSettingsRow row = lyrics.settings_row(0);
    row.script = QStringLiteral("fanti");
    row.size = QStringLiteral("20");
    lyrics.store_settings(0, row);
    layer.song_started(0, {0, 75});
    frame_at(25);
    EXPECT_EQ(layer.line().text, QStringLiteral("後來"));
    EXPECT_EQ(layer.line().font.pixelSize(), 20 * 450 / 390 * 96 / 72);
    QImage big(1920, 1080, QImage::Format_RGB32);
    QPainter painter(&big);
    layer.paint_lyric(painter, big.size(), 0, 26);
    EXPECT_EQ(layer.line().top_left.y(), 927);
}

TEST_F(AlbumLyricsTest, AnUnreadableLyricFileIsReportedAndItsSongPlaysWithoutLyrics) {
    add_lyric_file("gone.lrc", "[00:01.00]x\n");
    QFile::remove(dir.file("gone.lrc"));
    layer.song_started(0, {0, 75});
    ASSERT_EQ(layer.problems().size(), 1);
    EXPECT_TRUE(layer.problems().front().contains(QStringLiteral("gone.lrc")));
    EXPECT_EQ(lit_in_lyric_band(frame_at(30)), 0);
    layer.song_started(2, {0, 75});   // the song again: the same file is told once
    EXPECT_EQ(layer.problems().size(), 1);
    layer.album_started();            // a new run forgets the last one's problems
    EXPECT_TRUE(layer.problems().isEmpty());
}

} // namespace
} // namespace velmora
