#pragma once

#include <vector>
#include <QRadioButton>

#include "core/framed_window.h"
#include "core/system_settings.h"

namespace velmora {

// "系统设置": one group of radio buttons per visible settings group, "恢复默认设置" and
// "返  回". The choices are written to the settings at once; they take effect at their next use.
class SettingsWindow : public FramedWindow {
    Q_OBJECT
public:
    SettingsWindow(SystemSettings& settings, const WindowSkin& skin, QWidget* parent = nullptr);

    // Shows the settings' current choices.
    void refresh();
    // The radio button of `choice` in `group`; null for a hidden group.
    QRadioButton* button(SettingsGroup group, int choice) const;

private:
    void build_group(const SettingsGroupInfo& info, int top);

    SystemSettings& settings_;
    std::vector<std::vector<QRadioButton*>> buttons_; // by group, then choice
};

} // namespace velmora
