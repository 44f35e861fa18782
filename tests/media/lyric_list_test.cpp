#include <gtest/gtest.h>

#include "core/data_error.h"
#include "core/scripted_ui.h"
#include "media/lyric_list.h"
#include "support/test_support.h"

#include <QFile>

namespace velmora {
namespace {

QStringList names(const LyricList& list) {
    QStringList result;
    for (std::size_t i = 0; i < list.entries().size(); ++i) {
        EXPECT_EQ(list.settings()[i].name, list.entries()[i].name) << "settings row " << i << " belongs to its file";
        result.append(list.entries()[i].name);
    }
    EXPECT_EQ(list.settings().size(), list.entries().size());
    return result;
}

LyricList four_files(ScriptedUi& ui) {
    LyricList list;
    list.add_lyrics({"/l/a.lrc", "/l/b.lrc", "/l/c.lrc", "/l/d.lrc"}, ui);
    return list;
}

TEST(LyricList, AddsEachFileWithDefaultSettingsBesideIt) {
    LyricList list;
    ScriptedUi ui;
    EXPECT_EQ(list.add_lyrics({"/songs/甜蜜蜜.lrc", "/songs/Two.LRC", "/songs/bare"}, ui), 3);
    EXPECT_EQ(names(list), (QStringList{"甜蜜蜜", "Two", "bare"}));
    EXPECT_EQ(list.entries()[1].format, ".LRC");
    EXPECT_EQ(list.entries()[2].format, "");
    EXPECT_EQ(list.entries()[0].location, "/songs/甜蜜蜜.lrc");

    const LyricSettingsRow& row = list.settings_row(1);
    EXPECT_EQ(row.format, ".LRC");
    EXPECT_EQ(row.location, "/songs/Two.LRC");
    EXPECT_EQ(row.position_mode, "moren_xianshi");
    EXPECT_EQ(row.default_top, "335");
    EXPECT_EQ(row.custom_top, "335");
    EXPECT_EQ(row.font, "黑体");
    EXPECT_EQ(row.style, "cuti");
    EXPECT_EQ(row.size, "10");
    EXPECT_EQ(row.colour_value, "16777215");
    EXPECT_EQ(row.script, "jianti");
    EXPECT_EQ(ui.last_progress, 3);
    EXPECT_EQ(ui.last_progress_maximum, 3);
    EXPECT_EQ(ui.pumps, 3) << "events run before each file";
}

TEST(LyricList, AFileOverTwoMegabytesIsLeftOutWithAMessageNamingIt) {
    const test::TempFolder folder;
    QFile big(folder.file("huge.lrc"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.resize(kMaxLyricFileBytes + 1);
    big.close();
    LyricList list;
    ScriptedUi ui;
    EXPECT_EQ(list.add_lyrics({folder.write("small.lrc", "[00:01.00]a\n"), big.fileName(), "/l/not_yet_there.lrc"}, ui), 2);
    EXPECT_EQ(names(list), (QStringList{"small", "not_yet_there"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.contains("huge.lrc")) << ui.messages[0].text.toStdString();
    EXPECT_EQ(ui.last_progress, 3);
}

TEST(LyricList, DeletingRefusesOrAsksAndTakesTheFirstSelectedRowWithItsSettings) {
    ScriptedUi ui;
    LyricList empty;
    EXPECT_FALSE(empty.delete_selected({0}, ui));
    EXPECT_FALSE(empty.delete_all(ui));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "没有添加歌词文件！");
    EXPECT_EQ(ui.messages[1].text, "没有添加歌词文件！");
    EXPECT_TRUE(ui.questions.empty()) << "nothing to ask about";

    LyricList list = four_files(ui);
    LyricSettingsRow marked = list.settings_row(2);
    marked.size = "33";
    list.store_settings(2, marked);

    ui.messages.clear();
    ui.confirm_answers = {false};
    EXPECT_FALSE(list.delete_selected({1}, ui));
    EXPECT_EQ(list.size(), 4);
    EXPECT_EQ(ui.questions.back().title, "删除歌词");
    EXPECT_EQ(ui.questions.back().question, "是否确定要删除当前选中的歌词文件?");

    ui.confirm_answers = {true};
    EXPECT_TRUE(list.delete_selected({3, 1, 2}, ui));
    EXPECT_EQ(names(list), (QStringList{"a", "c", "d"})) << "b, first in list order, is gone";
    EXPECT_EQ(list.settings_row(1).size, "33") << "c's settings moved up with it";
    EXPECT_TRUE(ui.messages.empty()) << "rows stay selected: no message";

    ui.confirm_answers = {true};
    EXPECT_TRUE(list.delete_selected({0}, ui));
    EXPECT_EQ(names(list), (QStringList{"c", "d"}));
    EXPECT_EQ(ui.messages.back().text, "选中的歌词文件已经删除！");

    for (const std::vector<int>& none : {std::vector<int>{}, std::vector<int>{7, -1}}) {
        ui.confirm_answers = {true};
        EXPECT_FALSE(list.delete_selected(none, ui));
        EXPECT_EQ(ui.messages.back().text, "没有选中歌词文件！");
    }
    EXPECT_EQ(list.size(), 2);
}

TEST(LyricList, DeletingAllEmptiesBothListsOnlyWhenConfirmed) {
    ScriptedUi ui;
    LyricList list = four_files(ui);
    ui.confirm_answers = {false};
    EXPECT_FALSE(list.delete_all(ui));
    EXPECT_EQ(list.size(), 4);
    EXPECT_EQ(ui.questions.back().title, "删除歌词");
    EXPECT_EQ(ui.questions.back().question, "是否确定要删除全部歌词文件?");

    ui.confirm_answers = {true};
    EXPECT_TRUE(list.delete_all(ui));
    EXPECT_TRUE(list.entries().empty());
    EXPECT_TRUE(list.settings().empty());
    EXPECT_EQ(ui.messages.back().text, "歌词文件已经全部删除！");
}

TEST(LyricList, StoredSettingsKeepTheFileCopiesAndRowsPairWithSongs) {
    ScriptedUi ui;
    LyricList list = four_files(ui);
    LyricSettingsRow edited = list.settings_row(1);
    edited.name = "renamed";
    edited.location = "/elsewhere.lrc";
    edited.format = ".txt";
    edited.position_mode = "zidingyi_xianshi";
    edited.font = "宋体";
    list.store_settings(1, edited);
    const LyricSettingsRow& stored = list.settings_row(1);
    EXPECT_EQ(stored.name, "b");
    EXPECT_EQ(stored.format, ".lrc");
    EXPECT_EQ(stored.location, "/l/b.lrc");
    EXPECT_EQ(stored.position_mode, "zidingyi_xianshi");
    EXPECT_EQ(stored.font, "宋体");

    EXPECT_THROW(list.settings_row(4), DataError);
    EXPECT_THROW(list.store_settings(-1, edited), DataError);

    ASSERT_TRUE(list.lyric_for_song(3).has_value());
    EXPECT_EQ(list.lyric_for_song(3)->name, "d");
    EXPECT_FALSE(list.lyric_for_song(4).has_value()) << "a song past the lyric list plays without lyrics";
}

} // namespace
} // namespace velmora
