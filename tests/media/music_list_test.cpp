#include <gtest/gtest.h>

#include "core/scripted_ui.h"
#include "media/music_list.h"

namespace velmora {
namespace {

// Lengths by file name; a file named "broken.mp3" cannot be opened.
SongLengthProbe lengths(std::map<QString, qint64> by_name) {
    return [by_name](const QString& path, QString& error) -> std::optional<qint64> {
        const auto found = by_name.find(path.section(QLatin1Char('/'), -1));
        if (found == by_name.end()) {
            error = QStringLiteral("not audio");
            return std::nullopt;
        }
        return found->second;
    };
}

TEST(MusicList, LengthTextNeverCarriesMinutesIntoHours) {
    EXPECT_EQ(song_length_text(59'900), "00:00:59");
    EXPECT_EQ(song_length_text(3'725'000), "00:62:05");
    EXPECT_EQ(song_length_text(0), "00:00:00");
}

TEST(MusicList, AddsMeasuredSongsAndSkipsOnesThatCannotBeOpened) {
    MusicList list;
    ScriptedUi ui;
    const int added = list.add_songs({"/m/Song A.mp3", "/m/broken.mp3", "/m/b.MP3"},
                                     lengths({{"Song A.mp3", 100'000}, {"b.MP3", 40'500}}), ui);
    EXPECT_EQ(added, 2);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.songs()[0].name, "Song A");
    EXPECT_EQ(list.songs()[0].format, ".mp3");
    EXPECT_EQ(list.songs()[1].format, ".MP3");
    EXPECT_EQ(list.songs()[1].location, "/m/b.MP3");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.contains("broken.mp3"));
    EXPECT_EQ(ui.last_progress, 3);
}

TEST(MusicList, ScheduleRepeatsSongsUntilTheAlbumIsCoveredAndAlwaysEnds) {
    MusicList list;
    ScriptedUi ui;
    list.add_songs({"/a.mp3", "/b.mp3"}, lengths({{"a.mp3", 100'000}, {"b.mp3", 40'000}}), ui);
    const auto schedule = list.build_song_schedule(5000, {}, ui);
    ASSERT_EQ(schedule.size(), 3u);
    EXPECT_EQ(schedule[0].song_row, 0);
    EXPECT_EQ(schedule[0].frames, 2500);
    EXPECT_EQ(schedule[1].song_row, 1);
    EXPECT_EQ(schedule[1].frames, 1000);
    EXPECT_EQ(schedule[2].song_row, 0);

    MusicList short_songs;
    short_songs.add_songs({"/s.mp3"}, lengths({{"s.mp3", 900}}), ui);
    EXPECT_EQ(short_songs.build_song_schedule(5000, {}, ui).size(), 1u) << "a pass that adds nothing ends it";

    int polls = 0;
    EXPECT_TRUE(list.build_song_schedule(5000, [&] { return ++polls > 1; }, ui).size() == 1u) << "stop request";
}

TEST(MusicList, DeletingAsksAndTakesOnlyTheFirstSelectedRow) {
    MusicList list;
    ScriptedUi ui;
    EXPECT_FALSE(list.delete_selected({0}, ui));
    EXPECT_EQ(ui.messages.back().text, QString::fromUtf8("没有添加音乐文件！"));
    list.add_songs({"/a.mp3", "/b.mp3", "/c.mp3", "/d.mp3"},
                   lengths({{"a.mp3", 1000}, {"b.mp3", 1000}, {"c.mp3", 1000}, {"d.mp3", 1000}}), ui);

    ui.confirm_answers = {false};
    EXPECT_FALSE(list.delete_selected({1}, ui)) << "not confirmed";
    EXPECT_EQ(list.size(), 4);

    ui.messages.clear();
    ui.confirm_answers = {true};
    EXPECT_TRUE(list.delete_selected({2, 1, 3}, ui));
    EXPECT_EQ(list.songs()[1].name, "c") << "b, the first selected in list order, is gone";
    EXPECT_TRUE(ui.messages.empty()) << "rows stay selected: no message";

    ui.confirm_answers = {true};
    EXPECT_FALSE(list.delete_selected({}, ui));
    EXPECT_EQ(ui.messages.back().text, QString::fromUtf8("没有选中音乐文件！"));

    ui.confirm_answers = {true};
    EXPECT_TRUE(list.delete_all(ui));
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(ui.questions.back().question, QString::fromUtf8("是否确定要删除全部音乐文件?"));
}

} // namespace
} // namespace velmora
