#include "production/synchronisation_window.h"

#include <QButtonGroup>
#include <QGroupBox>

#include "core/preview_guard.h"

namespace velmora {
namespace {

constexpr int kWidth = 460;

} // namespace

SynchronisationWindow::SynchronisationWindow(OutputSettings& settings, AppState& state, Ui& ui,
                                             const WindowSkin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm7"), QStringLiteral("同步效果"), QSize(kWidth, 250), skin, parent),
      settings_(settings), state_(state), ui_(ui) {
    auto* box = new QGroupBox(QStringLiteral("同步"), this);
    box->setGeometry(20, 58, kWidth - 40, 112);
    auto* group = new QButtonGroup(box);
    template_sync_ = new QRadioButton(to_text(SyncMode::Template), box);
    music_sync_ = new QRadioButton(to_text(SyncMode::Music), box);
    int top = 30;
    for (QRadioButton* radio : {template_sync_, music_sync_}) {
        radio->setObjectName(radio->text());
        radio->setGeometry(18, top, kWidth - 80, 26);
        group->addButton(radio);
        top += 38;
    }
    connect(template_sync_, &QRadioButton::clicked, this, [this] { settings_.sync_mode = SyncMode::Template; });
    connect(music_sync_, &QRadioButton::clicked, this, [this] { settings_.sync_mode = SyncMode::Music; });
    QPushButton* back = add_button(QStringLiteral("返  回"), QRect(kWidth - 140, 196, 120, 34));
    back->setProperty("accent", true);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    refresh();
}

void SynchronisationWindow::open_modal() {
    if (refused_while_previewing(state_, ui_))
        return;
    refresh();
    exec();
}

void SynchronisationWindow::refresh() {
    button(settings_.sync_mode)->setChecked(true);
}

QRadioButton* SynchronisationWindow::button(SyncMode mode) const {
    return mode == SyncMode::Music ? music_sync_ : template_sync_;
}

} // namespace velmora
