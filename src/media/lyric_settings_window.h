#pragma once

#include <QComboBox>
#include <QRadioButton>
#include <QSlider>

#include "core/framed_window.h"
#include "core/ui.h"
#include "media/lyric_list.h"
#include "media/lyric_settings_choice.h"
#include "media/script_conversion.h"

namespace velmora {

// "歌词设置" (TForm23): how the lines of one lyric file are drawn. A black panel of the lyric
// canvas's size shows a sample line drawn exactly as the album draws it; every control acts on
// it at once. "保存设置" stores the choices in the file's settings row; "取消" and the close
// label leave the row as it was.
class LyricSettingsWindow : public FramedWindow {
    Q_OBJECT
public:
    LyricSettingsWindow(LyricList& lyrics, ScriptConversion& scripts, Ui& ui, const WindowSkin& skin,
                        QWidget* parent = nullptr);

    // Shows the settings of lyric row `row` modally.
    void open_row(int row);
    // Sets the controls and the sample line for lyric row `row`, without showing the window.
    void load(int row);

    // What the controls hold now.
    const LyricSettingsChoice& choice() const { return choice_; }
    QWidget* preview_panel() const { return panel_; }
    QWidget* preview_line() const { return line_view_; }
    QRadioButton* default_position() const { return default_position_; }
    QRadioButton* custom_position() const { return custom_position_; }
    QRadioButton* custom_left() const { return custom_left_; }
    QRadioButton* centred() const { return centred_; }
    QSlider* slider_x() const { return slider_x_; }
    QSlider* slider_y() const { return slider_y_; }
    QComboBox* colours() const { return colours_; }
    QComboBox* fonts() const { return fonts_; }
    QComboBox* sizes() const { return sizes_; }
    QComboBox* styles() const { return styles_; }
    QComboBox* scripts() const { return scripts_; }

private:
    void build_position_controls();
    void build_lists();
    void fill_lists();
    void show_choice();
    void set_custom_controls_enabled(bool enabled);
    void choose_default_position();
    void choose_custom_position();
    void choose_centring(bool centred);
    void list_changed();
    void redraw_line();
    // The sample line in the chosen script, or in `script_code` ("jianti", "fanti").
    QString sample_text();
    QString sample_text_for(const QString& script_code);
    void save();

    LyricList& lyrics_;
    ScriptConversion& script_conversion_;
    Ui& ui_;
    int row_ = -1;
    LyricSettingsRow base_;
    LyricSettingsChoice choice_;
    bool showing_ = false;  // true while the controls are being set from the choice

    QWidget* panel_ = nullptr;
    QWidget* line_view_ = nullptr;
    QRadioButton* default_position_ = nullptr;
    QRadioButton* custom_position_ = nullptr;
    QRadioButton* custom_left_ = nullptr;
    QRadioButton* centred_ = nullptr;
    QSlider* slider_x_ = nullptr;
    QSlider* slider_y_ = nullptr;
    QComboBox* colours_ = nullptr;
    QComboBox* fonts_ = nullptr;
    QComboBox* sizes_ = nullptr;
    QComboBox* styles_ = nullptr;
    QComboBox* scripts_ = nullptr;
};

} // namespace velmora
