#pragma once

#include <QRadioButton>

#include "core/app_state.h"
#include "core/framed_window.h"
#include "core/ui.h"
#include "production/output_settings.h"

namespace velmora {

// "同步效果" (TForm7): whether the templates or the music set the album's time. A click writes
// the choice to the settings at once. The main window refreshes its times after it closes.
class SynchronisationWindow : public FramedWindow {
    Q_OBJECT
public:
    SynchronisationWindow(OutputSettings& settings, AppState& state, Ui& ui, const WindowSkin& skin,
                          QWidget* parent = nullptr);

    // Refused while the preview plays; otherwise shows the settings' choice, modally.
    void open_modal();
    void refresh();

    QRadioButton* button(SyncMode mode) const;

private:
    OutputSettings& settings_;
    AppState& state_;
    Ui& ui_;
    QRadioButton* template_sync_;
    QRadioButton* music_sync_;
};

} // namespace velmora
