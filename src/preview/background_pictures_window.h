#pragma once

#include <optional>
#include <vector>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTreeWidget>

#include "core/app_state.h"
#include "core/framed_window.h"
#include "preview/background_demo.h"
#include "preview/background_pictures.h"
#include "preview/template_player_view.h"

namespace velmora {

// "背景图片" (TForm21): the background list, the chosen picture with its details, the
// transparency slider and the demonstration movie that shows the picture at that
// transparency. The slider alone changes only the demonstration; "保存设置" writes it into
// the album. The rules live in BackgroundPictures and BackgroundDemo.
class BackgroundPicturesWindow : public FramedWindow {
    Q_OBJECT
public:
    BackgroundPicturesWindow(Album& album, AppState& state, Ui& ui, const ThumbnailService& thumbnails,
                             const DataRoot& root, const WindowSkin& skin, QWidget* parent = nullptr);
    ~BackgroundPicturesWindow() override;

    // Refused while the preview plays. Otherwise prepares the demonstration movie, shows the
    // list with nothing selected and the slider at 0, and shows the window modally; the
    // demonstration player exists while it is open.
    void open_modal();

    // The list's selection and a click on it.
    std::optional<int> selected_row() const;
    void select_row(int row);
    void click_row();

    QTreeWidget* list() const { return list_; }
    QLabel* picture_box() const { return picture_; }
    QString hint() const { return hint_->text(); }
    QString detail(int field) const { return details_.at(std::size_t(field))->text(); }
    QSlider* slider() const { return slider_; }
    QCheckBox* same_for_all() const { return all_; }
    TemplatePlayerView* demonstration() const { return view_; }
    const BackgroundDemo& demo() const { return demo_; }

private:
    void build_picture_panel();
    void build_controls();
    void refresh_list();
    void clear_picture();
    void show_picture(int row);
    void show_demonstration(int row);
    void slider_released();
    void save();
    void restore_default();
    void replace_picture();

    AppState& state_;
    Ui& ui_;
    const ThumbnailService& thumbnails_;
    BackgroundPictures pictures_;
    BackgroundDemo demo_;
    bool demo_ready_ = false;
    QTreeWidget* list_;
    QLabel* picture_;
    QLabel* hint_;
    std::vector<QLineEdit*> details_;
    QWidget* demo_box_;
    TemplatePlayerView* view_;
    QSlider* slider_;
    QLabel* slider_value_;
    QCheckBox* all_;
};

} // namespace velmora
