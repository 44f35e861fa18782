#include <gtest/gtest.h>

#include "core/confirm_window.h"
#include "core/message_box_window.h"
#include "core/settings_window.h"
#include "modal_answers.h"

namespace velmora {
namespace {

class BoxesTest : public ::testing::Test {
protected:
    WindowSkin skin = WindowSkin::paint();
};

TEST_F(BoxesTest, ConfirmationReadsYesOnlyAfterConfirm) {
    ConfirmWindow box(skin);
    struct Case {
        const char* how;
        std::function<void(QWidget*)> answer;
        bool confirmed;
    };
    const Case cases[] = {
        {"确定", [](QWidget* w) { test::press(w, QStringLiteral("确定")); }, true},
        {"取消", [](QWidget* w) { test::press(w, QStringLiteral("取消")); }, false},
        {"close label", [](QWidget* w) { test::press_close_label(w); }, false},
    };
    for (const Case& c : cases) {
        box.caozuo = QStringLiteral("yes"); // left over from an earlier question
        QString caption;
        test::when_modal_shows([&](QWidget* w) {
            caption = static_cast<FramedWindow*>(w)->caption();
            c.answer(w);
        });
        EXPECT_EQ(box.ask(QStringLiteral("删除照片"), QStringLiteral("是否删除?")), c.confirmed) << c.how;
        EXPECT_EQ(box.caozuo, c.confirmed ? "yes" : "") << c.how;
        EXPECT_EQ(caption, QString::fromUtf8("删除照片"));
    }
}

TEST_F(BoxesTest, AMessageWithItsOwnTitleDoesNotKeepIt) {
    MessageBoxWindow box(skin);
    QStringList captions;
    for (const QString& title : {QStringLiteral("组合模板"), QString()}) {
        test::when_modal_shows([&](QWidget* w) {
            captions << static_cast<FramedWindow*>(w)->caption();
            test::press(w, QStringLiteral("确定"));
        });
        box.show_message(QStringLiteral("text"), title);
    }
    EXPECT_EQ(captions, (QStringList{QString::fromUtf8("组合模板"), QString::fromUtf8("提示")}));
}

TEST(SystemSettings, DefaultsAndRestoringLeavesTheHiddenGroupAlone) {
    SystemSettings settings;
    EXPECT_TRUE(settings.landscape_crop_full_screen());
    EXPECT_TRUE(settings.landscape_display_full_screen());
    EXPECT_TRUE(settings.auto_text_effects());
    EXPECT_FALSE(settings.auto_picture_effects());
    EXPECT_FALSE(settings.use_template_combinations());

    settings.select(SettingsGroup::LandscapeCrop, 0);
    settings.select(SettingsGroup::AutoTextEffects, 1);
    settings.select(SettingsGroup::TemplateCombination, 0);
    settings.select(SettingsGroup::AutoPictureEffects, 0);
    settings.select(SettingsGroup::PortraitCrop, 5); // no such choice: ignored
    settings.restore_visible_defaults();

    EXPECT_TRUE(settings.landscape_crop_full_screen());
    EXPECT_TRUE(settings.auto_text_effects());
    EXPECT_FALSE(settings.use_template_combinations()) << "the combination group is shown, so it is restored";
    EXPECT_TRUE(settings.auto_picture_effects()) << "the hidden group keeps its choice";
    EXPECT_EQ(settings.choice(SettingsGroup::PortraitCrop), 0);
}

TEST_F(BoxesTest, SettingsWindowShowsVisibleGroupsAndRestoresThem) {
    SystemSettings settings;
    SettingsWindow window(settings, skin);
    EXPECT_EQ(window.objectName(), "TForm18");
    EXPECT_EQ(window.button(SettingsGroup::AutoPictureEffects, 0), nullptr) << "hidden";
    ASSERT_NE(window.button(SettingsGroup::TemplateCombination, 0), nullptr) << "shown";
    EXPECT_TRUE(window.button(SettingsGroup::LandscapeCrop, 1)->isChecked());

    window.button(SettingsGroup::LandscapeCrop, 0)->click();
    window.button(SettingsGroup::TemplateCombination, 0)->click();
    EXPECT_FALSE(settings.landscape_crop_full_screen());
    EXPECT_TRUE(settings.use_template_combinations());

    settings.select(SettingsGroup::AutoPictureEffects, 0);
    test::press(&window, QStringLiteral("恢复默认设置"));
    EXPECT_TRUE(settings.landscape_crop_full_screen());
    EXPECT_TRUE(window.button(SettingsGroup::LandscapeCrop, 1)->isChecked());
    EXPECT_TRUE(window.button(SettingsGroup::TemplateCombination, 1)->isChecked());
    EXPECT_TRUE(settings.auto_picture_effects());
}

} // namespace
} // namespace velmora
