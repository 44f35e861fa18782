#pragma once

#include <array>
#include <vector>
#include <QString>

namespace velmora {

// The groups of the settings window, in the window's order.
enum class SettingsGroup {
    LandscapeCrop,       // how landscape photos are cropped when added
    PortraitCrop,        // how portrait photos are cropped when added (one choice)
    LandscapeDisplay,    // how the main window shows a landscape photo large
    PortraitDisplay,     // how the main window shows a portrait photo large (one choice)
    AutoTextEffects,     // text effects placed automatically after adding photos
    AutoPictureEffects,  // picture effects placed automatically after adding photos (hidden)
    TemplateCombination, // photos assigned by template combination instead of rotation
};
inline constexpr int kSettingsGroupCount = 7;

struct SettingsGroupInfo {
    SettingsGroup group;
    QString caption;
    std::vector<QString> choices;
    int default_choice;
    bool visible; // shown in the settings window
};

// The groups with their captions, choices and defaults.
const std::vector<SettingsGroupInfo>& settings_groups();

// The person's choices in the settings window. They last for the run; every start uses the
// defaults.
class SystemSettings {
public:
    SystemSettings();

    int choice(SettingsGroup group) const { return choices_[std::size_t(group)]; }
    // Selects choice `index` of `group`; an index the group does not have is ignored.
    void select(SettingsGroup group, int index);
    // "恢复默认设置": every visible group back at its default; hidden groups keep their choice.
    void restore_visible_defaults();

    bool landscape_crop_full_screen() const { return choice(SettingsGroup::LandscapeCrop) == 1; }
    bool landscape_display_full_screen() const { return choice(SettingsGroup::LandscapeDisplay) == 1; }
    bool auto_text_effects() const { return choice(SettingsGroup::AutoTextEffects) == 0; }
    bool auto_picture_effects() const { return choice(SettingsGroup::AutoPictureEffects) == 0; }
    bool use_template_combinations() const { return choice(SettingsGroup::TemplateCombination) == 0; }

private:
    std::array<int, kSettingsGroupCount> choices_{};
};

} // namespace velmora
