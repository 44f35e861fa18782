// The music-and-lyrics preview's rules, on a player whose clock the test sets, and once on the
// real player playing silently.
#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include "core/scripted_ui.h"
#include "media/fake_song_player.h"
#include "media/media_player.h"
#include "media/music_preview.h"
#include "media/sine_song.h"
#include "support/test_support.h"

namespace velmora {
namespace {

const QByteArray kLyrics = "[ti:甜蜜蜜]\n[00:03.00]开头\n[00:12.50]你笑得甜蜜蜜\n[00:20.00]\n[00:30.00]后来\n";

struct PreviewFixture {
    test::TempFolder folder;
    MusicList songs;
    LyricList lyrics;
    TimedLyricTable table;
    ScriptConversion scripts;
    test::FakeSongPlayer player;
    AppState state;
    ScriptedUi ui;
    MusicPreview preview{songs, lyrics, table, scripts, player, state, ui};

    // Songs "a" (245 s) and "b" (61 s); "gone" is listed but the player refuses it.
    void add_songs() {
        const std::map<QString, qint64> lengths{{"/m/a.mp3", 245'400}, {"/m/b.mp3", 61'000}, {"/m/gone.mp3", 5'000}};
        songs.add_songs({"/m/a.mp3", "/m/b.mp3", "/m/gone.mp3"},
                        [lengths](const QString& path, QString&) -> std::optional<qint64> { return lengths.at(path); },
                        ui);
        player.lengths = {{"/m/a.mp3", 245'400}, {"/m/b.mp3", 61'000}};
    }
    // Lyric files "one" and "two" with the same lines; "two" is shown in traditional characters.
    void add_lyrics() {
        lyrics.add_lyrics({folder.write("one.lrc", kLyrics), folder.write("two.lrc", kLyrics)}, ui);
        LyricSettingsRow traditional = lyrics.settings_row(1);
        traditional.script = QStringLiteral("fanti");
        lyrics.store_settings(1, traditional);
    }
    QString last_message() const { return ui.messages.empty() ? QString() : ui.messages.back().text; }
    // One clock step at `ms` into the song.
    void tick_at(qint64 ms) {
        player.position = ms;
        preview.tick();
    }
};

TEST(MusicPreview, OpeningNeedsSongsAndStartsWithNothingChosen) {
    PreviewFixture f;
    EXPECT_FALSE(f.preview.open(PreviewMode::Song));
    EXPECT_EQ(f.last_message(), "没有添加音乐文件！");

    f.add_songs();
    f.add_lyrics();
    f.preview.choose_song(0);
    ASSERT_TRUE(f.preview.open(PreviewMode::Lyric));
    EXPECT_EQ(f.state.yinyue_geci_kaiguan, "bofanggeci");
    EXPECT_EQ(f.preview.song_names(), QStringList({"a", "b", "gone"}));
    EXPECT_EQ(f.preview.lyric_names(), QStringList({"one", "two"}));
    EXPECT_EQ(f.preview.chosen_song(), -1);
    EXPECT_EQ(f.preview.chosen_lyric(), -1);
    EXPECT_EQ(f.preview.current_time(), "00:00");
    EXPECT_EQ(f.preview.total_time(), "00:00");
    EXPECT_TRUE(f.preview.line().text.isEmpty());
    ASSERT_TRUE(f.preview.open(PreviewMode::Song));
    EXPECT_EQ(f.state.yinyue_geci_kaiguan, "bofangyingyue");
}

TEST(MusicPreview, PlayNeedsTheChoicesOfItsMode) {
    const struct {
        PreviewMode mode;
        int song;
        int lyric;
        const char* message;  // empty: it plays
    } cases[] = {
        {PreviewMode::Song, -1, -1, "没有选择音乐文件！"},
        {PreviewMode::Song, -1, 0, "没有选择音乐文件！"},
        {PreviewMode::Song, 0, -1, ""},
        {PreviewMode::Lyric, 0, -1, "没有选择歌词文件！"},
        {PreviewMode::Lyric, -1, -1, "没有选择歌词文件！"},
        {PreviewMode::Lyric, -1, 0, "没有选择音乐文件！"},
        {PreviewMode::Lyric, 0, 0, ""},
    };
    for (const auto& c : cases) {
        PreviewFixture f;
        f.add_songs();
        f.add_lyrics();
        ASSERT_TRUE(f.preview.open(c.mode));
        f.preview.choose_song(c.song);
        f.preview.choose_lyric(c.lyric);
        f.ui.messages.clear();
        const bool plays = f.preview.play();
        EXPECT_EQ(plays, *c.message == '\0') << int(c.mode) << c.song << c.lyric;
        EXPECT_EQ(f.last_message(), QString::fromUtf8(c.message));
        EXPECT_EQ(f.preview.playing(), plays);
        EXPECT_EQ(f.preview.clock().isActive(), plays);
    }
}

TEST(MusicPreview, ChoosingASongOnlyShowsItsTotalTime) {
    PreviewFixture f;
    f.add_songs();
    ASSERT_TRUE(f.preview.open(PreviewMode::Song));
    f.preview.choose_song(0);
    EXPECT_EQ(f.preview.total_time(), "04:05");
    EXPECT_EQ(f.player.calls, QStringList({"set /m/a.mp3", "open", "stop"}));

    f.player.calls.clear();
    f.preview.choose_song(1);
    EXPECT_EQ(f.preview.total_time(), "01:01");
    EXPECT_EQ(f.player.calls, QStringList({"stop", "set /m/b.mp3", "open", "stop"}));
    EXPECT_EQ(f.player.mode(), PlayerMode::Stopped);
    EXPECT_FALSE(f.preview.playing());
    EXPECT_FALSE(f.preview.clock().isActive());
    EXPECT_EQ(f.preview.current_time(), "00:00");

    // A song the player refuses names the file; its total time reads 00:00.
    f.preview.choose_song(2);
    EXPECT_TRUE(f.last_message().contains("gone.mp3")) << f.last_message().toStdString();
    EXPECT_EQ(f.preview.total_time(), "00:00");
    EXPECT_FALSE(f.player.has_file());
    EXPECT_FALSE(f.preview.play());
    EXPECT_FALSE(f.preview.playing());
}

TEST(MusicPreview, ShowsEachLineFromTheSecondItsTagNames) {
    PreviewFixture f;
    f.add_songs();
    f.add_lyrics();
    ASSERT_TRUE(f.preview.open(PreviewMode::Lyric));
    f.preview.choose_lyric(0);
    EXPECT_EQ(f.state.shijian_lrc_num, "0");
    f.preview.choose_song(0);
    ASSERT_TRUE(f.preview.play());
    EXPECT_EQ(f.player.calls.mid(f.player.calls.size() - 4), QStringList({"stop", "set /m/a.mp3", "open", "play"}));

    const struct {
        qint64 ms;
        const char* clock;
        const char* line;
    } steps[] = {
        {0, "00:00", ""},
        {3'400, "00:03", "开头"},
        {11'999, "00:11", "开头"},
        {12'000, "00:12", "你笑得甜蜜蜜"},      // tagged 00:12.50, shown from 00:12
        {19'000, "00:19", "你笑得甜蜜蜜"},
        {20'300, "00:20", "你笑得甜蜜蜜"},      // a tag alone on its line adds no row
        {30'000, "00:30", "后来"},
    };
    for (const auto& s : steps) {
        f.tick_at(s.ms);
        EXPECT_EQ(f.preview.current_time(), s.clock);
        EXPECT_EQ(f.preview.line().text, QString::fromUtf8(s.line)) << s.clock;
    }
    // Placed with the file's settings on the 679 x 390 canvas: centred, top 335, white.
    const LyricLine& line = f.preview.line();
    EXPECT_GT(line.width, 0);
    EXPECT_EQ(line.top_left, QPoint(679 / 2 - line.width / 2, 335));
    EXPECT_EQ(line.colour, QColor(Qt::white));
    EXPECT_TRUE(line.font.bold());

    // The chosen file's settings row draws: the second file's is traditional.
    f.preview.stop();
    f.preview.choose_lyric(1);
    EXPECT_EQ(f.state.shijian_lrc_num, "1");
    ASSERT_TRUE(f.preview.play());
    f.tick_at(30'500);
    EXPECT_EQ(f.preview.line().text, "後來");
}

TEST(MusicPreview, StopsByItselfAtTheSongsEndAndResets) {
    PreviewFixture f;
    f.add_songs();
    f.add_lyrics();
    ASSERT_TRUE(f.preview.open(PreviewMode::Song));
    f.preview.choose_lyric(0);
    f.preview.choose_song(1);
    ASSERT_TRUE(f.preview.play());
    int changes = 0;
    f.preview.on_changed = [&] { ++changes; };
    f.tick_at(30'200);
    ASSERT_EQ(f.preview.line().text, "后来");
    EXPECT_TRUE(f.preview.playing());
    EXPECT_GT(changes, 0);

    f.tick_at(61'000);
    EXPECT_FALSE(f.preview.playing()) << "the player ended the song";
    EXPECT_FALSE(f.preview.clock().isActive());
    EXPECT_TRUE(f.preview.line().text.isEmpty());
    EXPECT_EQ(f.preview.current_time(), "00:00");
    EXPECT_EQ(f.preview.total_time(), "01:01");
    EXPECT_FALSE(f.player.has_file()) << "the player's file is cleared";

    // Stopped, the song can be chosen again and played.
    f.preview.choose_song(0);
    EXPECT_EQ(f.preview.total_time(), "04:05");
    EXPECT_TRUE(f.preview.play());
}

TEST(MusicPreview, AnUnreadableLyricFileIsNamedAndLeavesNoLines) {
    PreviewFixture f;
    f.add_songs();
    f.add_lyrics();
    f.lyrics.add_lyrics({f.folder.file("lost.lrc")}, f.ui);
    ASSERT_TRUE(f.preview.open(PreviewMode::Lyric));
    f.preview.choose_lyric(0);
    ASSERT_FALSE(f.table.rows().empty());
    f.preview.choose_lyric(2);
    EXPECT_TRUE(f.last_message().contains("lost.lrc")) << f.last_message().toStdString();
    EXPECT_TRUE(f.table.rows().empty()) << "the previous file's lines are gone";
    EXPECT_EQ(f.state.shijian_lrc_num, "2");

    f.preview.choose_song(0);
    ASSERT_TRUE(f.preview.play());
    f.tick_at(12'000);
    EXPECT_TRUE(f.preview.line().text.isEmpty());
    EXPECT_TRUE(f.preview.playing());
}

TEST(MusicPreview, ALyricPositionTheListNoLongerHasDrawsWithDefaults) {
    PreviewFixture f;
    f.add_songs();
    f.add_lyrics();
    f.table.load_lyrics_text(QString::fromUtf8(kLyrics));
    f.state.shijian_lrc_num = QStringLiteral("7");  // files deleted since it was chosen
    ASSERT_TRUE(f.preview.open(PreviewMode::Song));
    f.preview.choose_song(0);
    ASSERT_TRUE(f.preview.play());
    f.tick_at(12'100);
    EXPECT_EQ(f.preview.line().text, "你笑得甜蜜蜜");
    EXPECT_EQ(f.preview.line().top_left.y(), 335);
}

TEST(MusicPreview, PlaysARealSongSilentlyUntilItEnds) {
    PreviewFixture f;
    const QString song = f.folder.file("tone.mp3");
    test::write_sine_mp3(song, 1.2);
    f.songs.add_songs({song}, ffmpeg_song_length(), f.ui);
    f.lyrics.add_lyrics({f.folder.write("tone.lrc", "[00:01.00]一秒\n")}, f.ui);
    MediaPlayer player{QAudioDevice()};
    MusicPreview preview{f.songs, f.lyrics, f.table, f.scripts, player, f.state, f.ui};
    ASSERT_TRUE(preview.open(PreviewMode::Lyric));
    preview.choose_lyric(0);
    preview.choose_song(0);
    EXPECT_EQ(preview.total_time(), "00:01");
    ASSERT_TRUE(preview.play());

    // The clock timer drives it: the line of 00:01 shows, then the song ends the preview.
    bool line_seen = false;
    QElapsedTimer waited;
    waited.start();
    while (preview.playing() && waited.elapsed() < 4000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        line_seen = line_seen || preview.line().text == "一秒";
    }
    EXPECT_TRUE(line_seen);
    EXPECT_FALSE(preview.playing());
    EXPECT_EQ(preview.current_time(), "00:00");
    EXPECT_TRUE(preview.line().text.isEmpty());
    EXPECT_TRUE(player.file().isEmpty());
}

} // namespace
} // namespace velmora
