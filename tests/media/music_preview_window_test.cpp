// The music-and-lyrics preview window on the offscreen platform.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/modal_answers.h"
#include "core/scripted_ui.h"
#include "media/fake_song_player.h"
#include "media/music_preview_window.h"
#include "support/test_support.h"

namespace velmora {
namespace {

struct WindowFixture {
    WindowSkin skin = WindowSkin::paint();
    test::TempFolder folder;
    MusicList songs;
    LyricList lyrics;
    TimedLyricTable table;
    ScriptConversion scripts;
    test::FakeSongPlayer player;
    AppState state;
    ScriptedUi ui;
    MusicPreviewWindow window{songs, lyrics, table, scripts, player, state, ui, skin};

    void fill() {
        songs.add_songs({"/m/甜蜜蜜.mp3"}, [](const QString&, QString&) -> std::optional<qint64> { return 245'000; },
                        ui);
        player.lengths = {{"/m/甜蜜蜜.mp3", 245'000}};
        lyrics.add_lyrics({folder.write("甜蜜蜜.lrc", "[00:05.00]甜蜜蜜 你笑得甜蜜蜜\n")}, ui);
    }
};

// Pixels of the panel that are not black, inside `box`.
int lit_pixels(const QImage& image, QRect box) {
    int lit = 0;
    for (int y = std::max(0, box.top()); y <= std::min(image.height() - 1, box.bottom()); ++y)
        for (int x = std::max(0, box.left()); x <= std::min(image.width() - 1, box.right()); ++x)
            lit += (image.pixel(x, y) & 0xFFFFFF) != 0;
    return lit;
}

TEST(MusicPreviewWindow, DoesNotOpenWithoutSongs) {
    WindowFixture f;
    // Should the window show after all, this closes it again so that the test can fail.
    bool shown = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shown = true;
            modal->close();
        }
    });
    guard.start(50);
    f.window.open(PreviewMode::Song);
    EXPECT_FALSE(shown);
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].text, "没有添加音乐文件！");
}

TEST(MusicPreviewWindow, PlaysTheChosenSongWithItsLyricLineOnThePanel) {
    WindowFixture f;
    f.fill();
    bool shown = false;
    test::when_modal_shows([&](QWidget* modal) {
        shown = true;
        EXPECT_EQ(modal->objectName(), "TForm15");
        EXPECT_EQ(f.window.caption(), "音乐歌词预览");
        QComboBox* songs = f.window.song_selector();
        QComboBox* lyrics = f.window.lyric_selector();
        EXPECT_EQ(songs->count(), 1);
        EXPECT_EQ(songs->currentIndex(), -1);
        EXPECT_EQ(lyrics->currentIndex(), -1);
        EXPECT_EQ(f.window.panel()->size(), QSize(679, 390));

        test::press(modal, QStringLiteral("播放音乐"));
        EXPECT_EQ(f.ui.messages.back().text, "没有选择歌词文件！");
        lyrics->setCurrentIndex(0);
        songs->setCurrentIndex(0);
        EXPECT_EQ(f.window.total_time_label()->text(), "04:05");
        test::press(modal, QStringLiteral("播放音乐"));
        EXPECT_FALSE(songs->isEnabled());
        EXPECT_FALSE(lyrics->isEnabled());

        const QImage before = f.window.panel()->grab().toImage();
        EXPECT_EQ(lit_pixels(before, before.rect()), 0) << "nothing shows before the line's second";
        f.player.position = 5'300;
        EXPECT_TRUE(test::wait_until([&] { return f.window.current_time_label()->text() == "00:05"; }, 2000));
        const LyricLine& line = f.window.preview().line();
        EXPECT_EQ(line.text, "甜蜜蜜 你笑得甜蜜蜜");
        const QImage shown_line = f.window.panel()->grab().toImage();
        const QRect box(line.top_left, QSize(line.width, line.height));
        EXPECT_GT(lit_pixels(shown_line, box), 50) << "the line is painted in its box";
        EXPECT_EQ(lit_pixels(shown_line, shown_line.rect()), lit_pixels(shown_line, box)) << "and nowhere else";
        if (const QByteArray dir = qgetenv("VELMORA_SCREENSHOT_DIR"); !dir.isEmpty())
            modal->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("music_preview_window.png")));

        test::press(modal, QStringLiteral("停止播放"));
        EXPECT_EQ(f.window.current_time_label()->text(), "00:00");
        EXPECT_TRUE(songs->isEnabled());
        EXPECT_TRUE(lyrics->isEnabled());
        const QImage after = f.window.panel()->grab().toImage();
        EXPECT_EQ(lit_pixels(after, after.rect()), 0) << "stopping clears the line";
        EXPECT_FALSE(f.player.has_file());

        // Closing while playing stops the song first.
        test::press(modal, QStringLiteral("播放音乐"));
        ASSERT_TRUE(f.window.preview().playing());
        test::press_close_label(modal);
    });
    f.window.open(PreviewMode::Lyric);
    ASSERT_TRUE(shown);
    EXPECT_FALSE(f.window.isVisible());
    EXPECT_FALSE(f.window.preview().playing());
    EXPECT_FALSE(f.player.has_file());
    EXPECT_EQ(f.player.mode(), PlayerMode::Stopped);
}

} // namespace
} // namespace velmora
