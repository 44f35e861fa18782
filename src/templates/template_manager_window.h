#pragma once

#include <functional>
#include <map>
#include <optional>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>
#include <QTreeWidget>

#include "core/framed_window.h"
#include "preview/template_picture_cache.h"
#include "templates/photo_strip_view.h"
#include "templates/slot_frames_view.h"
#include "templates/template_management.h"
#include "templates/thumbnail_service.h"

namespace velmora {

// What the window starts elsewhere; an unset hook leaves its command disabled.
struct TemplateManagerHooks {
    // Shows the template preview window ("预览模板", TForm19) and returns when it closed.
    OpenTemplatePreview open_preview;
    // "自动匹配照片": runs the fitting job over the photos without a template.
    std::function<void()> auto_match;
    // "使用组合模板": lets the person choose a template combination and applies it.
    std::function<void()> use_combination;
};

// "模板管理" (TForm8): the catalogue's template list, the used templates with the details and
// slot frames of the selected one, and the strip of all photos, which are dragged onto the
// frames. Every command goes through TemplateManagement; the window only shows the lists.
// With a picture cache, both template lists show a small picture of each template, rendered
// only for the rows in view while the window is open, and a larger one while the pointer
// rests on a row.
class TemplateManagerWindow : public FramedWindow {
    Q_OBJECT
public:
    // `pictures` (optional, outliving the window) renders the templates' pictures.
    TemplateManagerWindow(TemplateManagementServices services, const ThumbnailService& thumbnails,
                          const WindowSkin& skin, TemplateManagerHooks hooks, TemplatePictureCache* pictures = nullptr,
                          QWidget* parent = nullptr);

    static constexpr QSize kSize{1188, 732};
    static constexpr QSize kListPictureSize{40, 22};

    // The main window's command: clears the selection fields, sets the bar to 0 of the photo
    // count, starts the strip's loading timer and shows the window modally. The used templates
    // may have changed when it returns.
    void open();
    // Empties the details of the selected used template.
    void clear_fields();

    // Commands, as the buttons and menus run them.
    void use_selected_template();
    void select_used(std::optional<int> used_row);
    void delete_selected();
    void delete_all();
    void preview_catalogue_template();
    void preview_used_template();

    QTreeWidget* catalogue_view() const { return moban_; }
    QTreeWidget* used_list() const { return used_list_; }
    SlotFramesView* slot_frames() const { return frames_; }
    PhotoStripView* strip() const { return strip_; }
    QProgressBar* progress() const { return progress_; }
    QCheckBox* demo_check() const { return demo_; }
    QString detail(const QString& caption) const;
    std::optional<int> selected_used() const { return shown_used_; }
    // True while the strip loads or an animation plays: commands cannot be given.
    bool busy() const { return !shield_->isHidden(); }
    // The larger picture shown while the pointer rests on a template row (hidden otherwise).
    QLabel* hover_picture() const { return hover_; }
    // Whether every row in view of both lists shows its picture (or has none to show).
    bool pictures_in_view_shown() const;

    // Fills the catalogue list from the catalogue as it stands; the program calls it once the
    // catalogue was read at start-up.
    void fill_catalogue();

protected:
    void close_label_released() override { leave(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_catalogue_panel();
    void build_used_panel();
    void build_details();
    void build_photo_panels();
    void add_context_menu(QTreeWidget* list, const std::vector<std::pair<QString, void (TemplateManagerWindow::*)()>>& entries);
    QPushButton* command(const QString& caption, QRect geometry, void (TemplateManagerWindow::*action)());
    void fill_used_list();
    void refresh_used_row(int used_row);
    void show_details(int used_row);
    void show_slot_photos(int used_row);
    void load_strip();
    void drop_photo(int slot_index, int photo_row);
    void run_hook(const std::function<void()>& hook);
    void slide(QWidget* from, QWidget* to, int step_ms);
    std::optional<int> catalogue_row() const;
    std::optional<int> used_row() const;
    void set_busy(bool busy);
    void leave();
    std::optional<int> template_of(const QTreeWidget* list, const QTreeWidgetItem* item) const;
    std::vector<QTreeWidgetItem*> items_in_view(const QTreeWidget* list) const;
    void show_pictures_in_view();
    bool show_picture(QTreeWidgetItem* item, int template_row, bool may_render);
    void show_hover(QTreeWidget* list, QPoint at, QPoint global);
    void hide_hover();

    TemplateManagement management_;
    Ui& ui_;
    const ThumbnailService& thumbnails_;
    TemplateManagerHooks hooks_;
    QTreeWidget* moban_ = nullptr;
    QTreeWidget* used_list_ = nullptr;
    std::map<QString, QLineEdit*> details_;
    SlotFramesView* frames_ = nullptr;
    PhotoStripView* strip_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QCheckBox* demo_ = nullptr;
    QWidget* shield_ = nullptr;
    QTimer start_timer_;
    std::optional<int> shown_used_; // the used template whose slot frames are shown
    TemplatePictureCache* pictures_ = nullptr;
    QTimer picture_timer_;          // renders the next picture in view, one per tick
    QLabel* hover_ = nullptr;
    const QTreeWidgetItem* hover_item_ = nullptr;
};

} // namespace velmora
