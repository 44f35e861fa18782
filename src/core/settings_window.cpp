#include "core/settings_window.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QShowEvent>

namespace velmora {
namespace {

constexpr int kWidth = 660;
constexpr int kGroupHeight = 62;
constexpr int kGroupGap = 10;
constexpr int kFirstGroupTop = 58;

int visible_group_count() {
    int n = 0;
    for (const SettingsGroupInfo& info : settings_groups())
        n += info.visible ? 1 : 0;
    return n;
}

} // namespace

SettingsWindow::SettingsWindow(SystemSettings& settings, const WindowSkin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm18"), QStringLiteral("系统设置"),
                   QSize(kWidth, kFirstGroupTop + visible_group_count() * (kGroupHeight + kGroupGap) + 64), skin, parent),
      settings_(settings), buttons_(kSettingsGroupCount) {
    int top = kFirstGroupTop;
    for (const SettingsGroupInfo& info : settings_groups()) {
        if (!info.visible)
            continue;
        build_group(info, top);
        top += kGroupHeight + kGroupGap;
    }
    QPushButton* defaults = add_button(QStringLiteral("恢复默认设置"), QRect(kWidth - 290, top + 6, 130, 34));
    QPushButton* back = add_button(QStringLiteral("返  回"), QRect(kWidth - 146, top + 6, 120, 34));
    back->setProperty("accent", true);
    connect(defaults, &QPushButton::clicked, this, [this] {
        settings_.restore_visible_defaults();
        refresh();
    });
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    refresh();
}

void SettingsWindow::build_group(const SettingsGroupInfo& info, int top) {
    auto* box = new QGroupBox(info.caption, this);
    box->setGeometry(20, top, kWidth - 40, kGroupHeight);
    auto* group = new QButtonGroup(box);
    auto& buttons = buttons_[std::size_t(info.group)];
    int left = 18;
    for (int c = 0; c < int(info.choices.size()); ++c) {
        auto* radio = new QRadioButton(info.choices[std::size_t(c)], box);
        radio->setObjectName(info.choices[std::size_t(c)]);
        radio->setGeometry(left, 26, 250, 26);
        left += 260;
        group->addButton(radio, c);
        buttons.push_back(radio);
    }
    connect(group, &QButtonGroup::idClicked, this, [this, g = info.group](int c) { settings_.select(g, c); });
}

void SettingsWindow::refresh() {
    for (const SettingsGroupInfo& info : settings_groups()) {
        const auto& buttons = buttons_[std::size_t(info.group)];
        const int chosen = settings_.choice(info.group);
        if (chosen < int(buttons.size()))
            buttons[std::size_t(chosen)]->setChecked(true);
    }
}

QRadioButton* SettingsWindow::button(SettingsGroup group, int choice) const {
    const auto& buttons = buttons_[std::size_t(group)];
    return choice >= 0 && choice < int(buttons.size()) ? buttons[std::size_t(choice)] : nullptr;
}

} // namespace velmora
