#pragma once

#include <optional>
#include <vector>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>

#include "core/framed_window.h"
#include "core/ui.h"
#include "templates/album.h"
#include "templates/crop_geometry.h"
#include "templates/thumbnail_service.h"

namespace velmora {

// "照片剪裁" (TForm9): one list row per slot that holds a photo; the selected slot's photo in
// its crop box, to be moved with the mouse and scaled, and saved into the slot's placement
// values. All geometry comes from crop_geometry.h; the window only shows it and writes the
// slot row on "保存剪裁". Album, Ui, thumbnails and skin are borrowed and must outlive it.
class CropWindow : public FramedWindow {
    Q_OBJECT
public:
    CropWindow(Album& album, Ui& ui, const ThumbnailService& thumbnails, const WindowSkin& skin,
               QWidget* parent = nullptr);

    // Empties the box, list and details, lists the slots that hold photos and shows the
    // window modally until it is closed.
    void open();
    // The list filled as open() fills it, without showing the window.
    void fill();

    // Selects list row `row` and shows its slot, as a click on the row does.
    void select_row(int row);

    QTreeWidget* list() const { return list_; }
    QWidget* box() const { return box_; }           // the crop box, inside the crop area
    QLabel* photo() const { return photo_; }        // the photo, inside the box
    QSize zoom_size() const { return view_.image.size(); }
    QRadioButton* full_screen_option() const { return full_screen_; }
    QRadioButton* fitted_option() const { return fitted_; }
    QString detail(int field) const { return details_.at(std::size_t(field))->text(); }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_area();
    void build_details();
    void build_commands();
    void clear_all();
    void reset_box();
    void select_current();
    void show_details(const QTreeWidgetItem& item);
    void clear_details();
    void show_view(const CropView& view);
    void clear_photo();
    void apply_options(const CropOptions& options);
    void set_zoom_enabled(bool enabled);
    bool commands_allowed();
    void run_command(QPushButton* button, void (CropWindow::*command)());
    void enlarge();
    void shrink();
    void default_size();
    void save();
    void switch_option(CropMark chosen);
    SlotRow& current_slot();
    TemplateCategory current_category() const;
    QSize current_photo_size() const;
    void drag_to(QPoint pointer_in_photo);
    void drop();

    Album& album_;
    Ui& ui_;
    const ThumbnailService& thumbnails_;
    QWidget* area_;
    QWidget* box_;
    QLabel* photo_;
    QTreeWidget* list_;
    QRadioButton* full_screen_;
    QRadioButton* fitted_;
    std::vector<QLineEdit*> details_;
    std::vector<QPushButton*> row_buttons_; // 放大, 缩小, 默认大小, 保存剪裁, 取消
    QPushButton* enlarge_ = nullptr;
    QPushButton* shrink_ = nullptr;

    std::optional<int> remembered_; // list row of the slot shown; "wu" while none
    bool options_in_use_ = false;   // the guard: false ("bushiyong") while the window sets the options
    bool zoom_enabled_ = true;
    bool photo_shown_ = false;
    CropView view_;
    std::optional<QPoint> grab_;    // where the photo was pressed, while the button is held
};

} // namespace velmora
