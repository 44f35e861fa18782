// The lyric window and the lyric settings window on the offscreen platform.
#include <QApplication>
#include <QFontMetrics>
#include <gtest/gtest.h>

#include "app/modal_answers.h"
#include "core/scripted_ui.h"
#include "media/lyric_list_window.h"
#include "media/lyric_settings_window.h"
#include "media/lyric_style.h"
#include "support/test_support.h"

namespace velmora {
namespace {

// A scripted Ui that also records the folder each file dialog started in.
class RecordingUi : public ScriptedUi {
public:
    QStringList dialog_starts;
    QStringList filters;
    QStringList choose_files(const QString& title, const QString& folder, const QString& filter) override {
        dialog_starts.append(folder);
        filters.append(filter);
        return ScriptedUi::choose_files(title, folder, filter);
    }
};

struct LyricWindows {
    WindowSkin skin = WindowSkin::paint();
    test::TempFolder program_folder;
    AppState state;
    RecordingUi ui;
    LyricList lyrics;
    ScriptConversion scripts;
    ProgressWindow progress{skin, nullptr, 1};
    LyricListWindow list_window{lyrics, state, ui, progress, program_folder.path(), skin};
    LyricSettingsWindow settings_window{lyrics, scripts, ui, skin};

    void add(const QStringList& files) {
        ui.file_answers.push_back(files);
        test::press(&list_window, QStringLiteral("添加歌词"));
    }
    void select(std::initializer_list<int> rows) {
        list_window.list()->clearSelection();
        for (int row : rows)
            list_window.list()->topLevelItem(row)->setSelected(true);
    }
    QStringList column(int c) const {
        QStringList cells;
        for (int i = 0; i < list_window.list()->topLevelItemCount(); ++i)
            cells.append(list_window.list()->topLevelItem(i)->text(c));
        return cells;
    }
};

const QString kSample = QStringLiteral("此处显示歌词内容");

LyricSettingsRow custom_row() {
    LyricSettingsRow row;
    row.position_mode = "zidingyi_xianshi";
    row.custom_left = "120";
    row.custom_top = "40";
    row.font = "宋体";
    row.size = "24";
    row.style = "cutixieti";
    row.colour_name = "clRed";
    row.colour_value = "255";
    row.script = "fanti";
    return row;
}

TEST(LyricListWindow, AddsTheChosenFilesAndOffersTheSampleOnlyAtFirst) {
    LyricWindows w;
    const QString sample = w.program_folder.write("yinyuegeciwenjian/甜蜜蜜.lrc", "[00:01.00]x\n");
    EXPECT_EQ(w.list_window.objectName(), "TForm5");
    EXPECT_EQ(w.list_window.caption(), "添加歌词");

    w.add({"/l/one.lrc", "/l/Two.LRC"});
    EXPECT_EQ(w.state.geci_dakai_1ci, "1");
    EXPECT_EQ(w.progress.caption(), "添加歌词");
    EXPECT_FALSE(w.progress.isVisible());
    EXPECT_EQ(w.column(0), (QStringList{"1", "2"}));
    EXPECT_EQ(w.column(1), (QStringList{"one", "Two"}));
    EXPECT_EQ(w.column(2), (QStringList{".lrc", ".LRC"}));
    EXPECT_EQ(w.column(3), (QStringList{"/l/one.lrc", "/l/Two.LRC"}));
    EXPECT_EQ(w.lyrics.settings().size(), 2u);

    w.add({});  // cancelled: nothing changes
    EXPECT_EQ(w.lyrics.size(), 2);
    ASSERT_EQ(w.ui.dialog_starts.size(), 2);
    EXPECT_EQ(w.ui.dialog_starts[0], sample);
    EXPECT_EQ(w.ui.dialog_starts[1], "") << "the sample is offered once per run";
    EXPECT_TRUE(w.ui.filters[0].contains("*.lrc"));

    // A click fills the details panel; a refresh empties it.
    w.select({1});
    EXPECT_EQ(w.list_window.detail(0), "2");
    EXPECT_EQ(w.list_window.detail(1), "Two");
    EXPECT_EQ(w.list_window.detail(2), ".LRC");
    EXPECT_EQ(w.list_window.detail(3), "/l/Two.LRC");
    w.list_window.refresh();
    EXPECT_EQ(w.list_window.detail(1), "");
}

TEST(LyricListWindow, NoSampleIsOfferedWhenItIsMissing) {
    LyricWindows w;
    w.add({});
    EXPECT_EQ(w.ui.dialog_starts, (QStringList{""}));
    EXPECT_EQ(w.state.geci_dakai_1ci, "1");
}

TEST(LyricListWindow, DeletesAndRenumbersWithTheSettingsRows) {
    LyricWindows w;
    test::press(&w.list_window, QStringLiteral("删除歌词"));
    test::press(&w.list_window, QStringLiteral("全部删除"));
    ASSERT_EQ(w.ui.messages.size(), 2u);
    EXPECT_EQ(w.ui.messages[0].text, "没有添加歌词文件！");
    EXPECT_EQ(w.ui.messages[1].text, "没有添加歌词文件！");

    w.add({"/l/a.lrc", "/l/b.lrc", "/l/c.lrc", "/l/d.lrc"});
    w.select({1, 3});
    w.ui.confirm_answers = {true};
    test::press(&w.list_window, QStringLiteral("删除歌词"));
    EXPECT_EQ(w.column(0), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(w.column(1), (QStringList{"a", "c", "d"}));
    EXPECT_EQ(w.lyrics.settings()[1].name, "c");
    EXPECT_EQ(w.list_window.list()->selectedItems().size(), 1) << "d stays selected";
    EXPECT_TRUE(w.list_window.list()->topLevelItem(2)->isSelected());

    w.select({0});
    w.ui.confirm_answers = {true};
    test::press(&w.list_window, QStringLiteral("删除歌词"));
    EXPECT_EQ(w.column(1), (QStringList{"c", "d"}));
    EXPECT_EQ(w.ui.messages.back().text, "选中的歌词文件已经删除！");

    w.ui.confirm_answers = {true};
    test::press(&w.list_window, QStringLiteral("删除歌词"));
    EXPECT_EQ(w.ui.messages.back().text, "没有选中歌词文件！");

    w.ui.confirm_answers = {true};
    test::press(&w.list_window, QStringLiteral("全部删除"));
    EXPECT_EQ(w.list_window.list()->topLevelItemCount(), 0);
    EXPECT_TRUE(w.lyrics.settings().empty());
    EXPECT_EQ(w.ui.messages.back().text, "歌词文件已经全部删除！");
}

TEST(LyricListWindow, SettingsNeedAFileAndASelectionAndOpenTheFirstSelected) {
    LyricWindows w;
    std::vector<int> opened;
    w.list_window.on_settings = [&](int row) { opened.push_back(row); };
    test::press(&w.list_window, QStringLiteral("设置歌词"));
    EXPECT_EQ(w.ui.messages.back().text, "没有添加歌词文件！");

    w.add({"/l/a.lrc", "/l/b.lrc", "/l/c.lrc"});
    test::press(&w.list_window, QStringLiteral("设置歌词"));
    EXPECT_EQ(w.ui.messages.back().text, "没有选中歌词文件！");
    EXPECT_TRUE(opened.empty());

    w.select({2, 1});
    test::press(&w.list_window, QStringLiteral("设置歌词"));
    EXPECT_EQ(opened, (std::vector<int>{1}));

    int previews = 0;
    w.list_window.on_preview = [&] { ++previews; };
    test::press(&w.list_window, QStringLiteral("歌词预览"));
    EXPECT_EQ(previews, 1);
}

class LyricSettingsWindowTest : public ::testing::Test {
protected:
    LyricWindows w;
    LyricSettingsWindow& window = w.settings_window;

    void SetUp() override { w.lyrics.add_lyrics({"/l/a.lrc", "/l/b.lrc"}, w.ui); }
    void store(int row, LyricSettingsRow settings) { w.lyrics.store_settings(row, settings); }
    QRect line_box() const { return window.preview_line()->geometry(); }
    // Where the album would draw the row's sample line on the canvas.
    QRect album_box(int row) {
        const LyricLine line = apply_lyric_style(w.lyrics.settings_row(row), {679, 390}, kSample, w.scripts);
        return {line.top_left, QSize(line.width, line.height)};
    }
};

TEST_F(LyricSettingsWindowTest, OpensOnACustomRowShowingItsValues) {
    store(1, custom_row());
    window.load(1);
    EXPECT_EQ(window.objectName(), "TForm23");
    EXPECT_EQ(window.caption(), "歌词设置");
    EXPECT_TRUE(window.custom_position()->isChecked());
    EXPECT_TRUE(window.custom_left()->isChecked());
    EXPECT_TRUE(window.slider_x()->isEnabled());
    EXPECT_TRUE(window.fonts()->isEnabled());
    EXPECT_EQ(window.slider_x()->maximum(), 679);
    EXPECT_EQ(window.slider_y()->maximum(), 390);
    EXPECT_EQ(window.slider_x()->value(), 120);
    EXPECT_EQ(window.slider_y()->value(), 40);
    EXPECT_EQ(window.colours()->currentData().toString(), "clRed");
    EXPECT_EQ(window.fonts()->currentText(), "宋体");
    EXPECT_EQ(window.sizes()->currentText(), "24");
    EXPECT_EQ(window.styles()->currentText(), "粗体 倾斜");
    EXPECT_EQ(window.scripts()->currentText(), "繁体");
    EXPECT_EQ(window.sizes()->count(), 51);
    EXPECT_EQ(window.preview_panel()->size(), QSize(679, 390));
    EXPECT_EQ(window.preview_panel()->toolTip(), "屏幕");
    EXPECT_EQ(window.preview_line()->toolTip(), "歌词");
    EXPECT_EQ(line_box(), album_box(1)) << "the sample line stands where the album draws it";

    // A default row: its position controls are off and the line sits at the default place.
    window.load(0);
    EXPECT_TRUE(window.default_position()->isChecked());
    for (QWidget* control : std::initializer_list<QWidget*>{window.slider_x(), window.slider_y(), window.colours(),
                                                            window.fonts(), window.sizes(), window.styles(),
                                                            window.scripts()})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_EQ(window.fonts()->currentText(), "黑体");
    EXPECT_EQ(window.styles()->currentText(), "粗体");
    EXPECT_EQ(line_box(), album_box(0));
    EXPECT_EQ(window.slider_x()->value(), 679 / 2 - line_box().width() / 2);
    EXPECT_EQ(window.slider_y()->value(), 335);
}

TEST_F(LyricSettingsWindowTest, AStoredFontTheListLacksIsShownAndKept) {
    LyricSettingsRow row = custom_row();
    row.font = "方正姚体";
    store(0, row);
    window.load(0);
    EXPECT_EQ(window.fonts()->currentText(), "方正姚体");
    EXPECT_EQ(window.fonts()->findText("方正姚体"), window.fonts()->count() - 1);
    window.load(1);
    EXPECT_EQ(window.fonts()->findText("方正姚体"), -1) << "the list is refilled for every file";
}

TEST_F(LyricSettingsWindowTest, ChangingTheSizeAndSavingStoresItAndSaysSo) {
    store(1, custom_row());
    bool ran = false;
    test::when_modal_shows(
        [&](QWidget* shown) {
            EXPECT_EQ(shown, &window);
            const int narrow = line_box().width();
            window.sizes()->setCurrentText("40");
            EXPECT_GT(line_box().width(), narrow) << "the sample line grows at once";
            EXPECT_EQ(line_box().topLeft(), QPoint(120, 40));
            test::press(&window, QStringLiteral("保存设置"));
            ran = true;
        },
        QStringLiteral("TForm23"));
    window.open_row(1);
    ASSERT_TRUE(ran);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(w.ui.messages.back().text, "保存设置完成！");
    const LyricSettingsRow& stored = w.lyrics.settings_row(1);
    EXPECT_EQ(stored.size, "40");
    EXPECT_EQ(stored.font, "宋体");
    EXPECT_EQ(stored.custom_left, "120");
    EXPECT_EQ(stored.custom_top, "40");
    EXPECT_EQ(stored.colour_value, "255");
    EXPECT_EQ(stored.script, "fanti");
    EXPECT_EQ(stored.name, "b");
    EXPECT_EQ(album_box(1), line_box()) << "the album now draws what the window showed";
}

TEST_F(LyricSettingsWindowTest, CancelAndTheCloseLabelStoreNothing) {
    for (const bool by_label : {false, true}) {
        test::when_modal_shows([&](QWidget*) {
            window.custom_position()->click();
            window.sizes()->setCurrentText("50");
            if (by_label)
                test::press_close_label(&window);
            else
                test::press(&window, QStringLiteral("取消"));
        });
        window.open_row(0);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(w.lyrics.settings_row(0).size, "10");
        EXPECT_EQ(w.lyrics.settings_row(0).position_mode, "moren_xianshi");
    }
    EXPECT_TRUE(w.ui.messages.empty());
}

TEST_F(LyricSettingsWindowTest, PositionControlsMoveTheSampleLine) {
    window.load(0);
    window.custom_position()->click();
    EXPECT_TRUE(window.slider_x()->isEnabled());
    EXPECT_TRUE(window.custom_left()->isChecked());
    EXPECT_EQ(line_box().topLeft(), QPoint(679 / 2 - line_box().width() / 2, 335)) << "it stays until moved";

    window.slider_x()->setValue(50);
    window.slider_y()->setValue(70);
    EXPECT_EQ(line_box().topLeft(), QPoint(50, 70));

    window.centred()->click();
    window.sizes()->setCurrentText("30");
    EXPECT_EQ(line_box().left(), 679 / 2 - line_box().width() / 2) << "centred again after a size change";
    window.slider_x()->setValue(10);
    EXPECT_TRUE(window.custom_left()->isChecked()) << "moving sideways gives up centring";
    EXPECT_EQ(line_box().left(), 10);

    window.scripts()->setCurrentText("繁体");
    window.styles()->setCurrentText("常规");
    window.colours()->setCurrentIndex(window.colours()->findData("clYellow"));
    test::press(&window, QStringLiteral("保存设置"));
    LyricSettingsRow stored = w.lyrics.settings_row(0);
    EXPECT_EQ(stored.position_mode, "zidingyi_xianshi");
    EXPECT_EQ(stored.custom_left, "10");
    EXPECT_EQ(stored.custom_top, "70");
    EXPECT_EQ(stored.custom_centring, "wu");
    EXPECT_EQ(stored.size, "30");
    EXPECT_EQ(stored.style, "changgui");
    EXPECT_EQ(stored.script, "fanti");
    EXPECT_EQ(stored.colour_name, "clYellow");
    EXPECT_EQ(stored.colour_value, "65535");

    // Back to the default position: the controls go off and the line returns.
    window.load(0);
    window.default_position()->click();
    EXPECT_FALSE(window.sizes()->isEnabled());
    EXPECT_FALSE(window.centred()->isEnabled());
    EXPECT_EQ(line_box().topLeft(), QPoint(679 / 2 - line_box().width() / 2, 335));
    test::press(&window, QStringLiteral("保存设置"));
    stored = w.lyrics.settings_row(0);
    EXPECT_EQ(stored.position_mode, "moren_xianshi");
    EXPECT_EQ(stored.custom_left, "10") << "the custom place is kept for later";
}

TEST_F(LyricSettingsWindowTest, ThePanelShowsTheLineInItsColourOnBlack) {
    window.load(0);
    const QImage panel = window.preview_panel()->grab().toImage();
    const QRect box = line_box();
    int white = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (qGray(panel.pixel(x, y)) > 200)
                ++white;
    EXPECT_GT(white, 40);
    EXPECT_EQ(panel.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(panel.pixel(box.left() - 2, box.top() - 2), qRgb(0, 0, 0));
    EXPECT_GT(box.top(), 300) << "near the bottom";
}

} // namespace
} // namespace velmora
