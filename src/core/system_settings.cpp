#include "core/system_settings.h"

namespace velmora {

const std::vector<SettingsGroupInfo>& settings_groups() {
    static const std::vector<SettingsGroupInfo> groups = {
        {SettingsGroup::LandscapeCrop, QStringLiteral("导入照片时，对横照片的剪裁效果   (支持单张照片模板效果)"),
         {QStringLiteral("横照片剪裁成适中效果"), QStringLiteral("横照片剪裁成全屏效果")}, 1, true},
        {SettingsGroup::PortraitCrop, QStringLiteral("导入照片时，对竖照片的剪裁效果   (支持单张照片模板效果)"),
         {QStringLiteral("竖照片剪裁成适中效果")}, 0, true},
        {SettingsGroup::LandscapeDisplay, QStringLiteral("主界面横照片显示效果"),
         {QStringLiteral("横照片适中显示效果"), QStringLiteral("横照片全屏显示效果")}, 1, true},
        {SettingsGroup::PortraitDisplay, QStringLiteral("主界面竖照片显示效果"),
         {QStringLiteral("竖照片适中显示效果")}, 0, true},
        {SettingsGroup::AutoTextEffects, QStringLiteral("添加照片时是否为已经使用模板自动添加文字特效"),
         {QStringLiteral("自动添加文字特效"), QStringLiteral("不添加文字特效")}, 0, true},
        {SettingsGroup::AutoPictureEffects, QStringLiteral("添加照片时是否为已经使用模板自动添加画面特效"),
         {QStringLiteral("自动添加画面特效"), QStringLiteral("不添加画面特效")}, 1, false},
        // Shown, unlike the picture-effects group: without it template combinations could not be
        // chosen at all.
        {SettingsGroup::TemplateCombination, QStringLiteral("导入照片时，使用模板组合效果"),
         {QStringLiteral("使用模板组合效果"), QStringLiteral("不使用模板组合效果")}, 1, true},
    };
    return groups;
}

SystemSettings::SystemSettings() {
    for (const SettingsGroupInfo& info : settings_groups())
        choices_[std::size_t(info.group)] = info.default_choice;
}

void SystemSettings::select(SettingsGroup group, int index) {
    const SettingsGroupInfo& info = settings_groups()[std::size_t(group)];
    if (index >= 0 && index < int(info.choices.size()))
        choices_[std::size_t(group)] = index;
}

void SystemSettings::restore_visible_defaults() {
    for (const SettingsGroupInfo& info : settings_groups())
        if (info.visible)
            choices_[std::size_t(info.group)] = info.default_choice;
}

} // namespace velmora
