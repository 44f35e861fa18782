#pragma once

#include <QRadioButton>

#include "core/app_state.h"
#include "core/framed_window.h"
#include "core/ui.h"
#include "production/output_settings.h"

namespace velmora {

// "画面质量" (TForm6): the TV standard ("制式") and the picture quality ("画质"). A click writes
// the choice to the settings at once; it holds for every later run and preview.
class PictureQualityWindow : public FramedWindow {
    Q_OBJECT
public:
    PictureQualityWindow(OutputSettings& settings, AppState& state, Ui& ui, const WindowSkin& skin,
                         QWidget* parent = nullptr);

    // Refused while the preview plays; otherwise shows the settings' choices, modally.
    void open_modal();
    // Shows the settings' choices.
    void refresh();

    QRadioButton* standard_button(mcl::TvStandard standard) const;
    QRadioButton* quality_button(PictureQuality quality) const;

protected:
    // Showing stores the checked quality, so what the window shows is what is in force.
    void showEvent(QShowEvent* event) override;

private:
    OutputSettings& settings_;
    AppState& state_;
    Ui& ui_;
    QRadioButton* pal_;
    QRadioButton* ntsc_;
    QRadioButton* standard_quality_;
    QRadioButton* high_quality_;
};

} // namespace velmora
