#pragma once

#include <functional>
#include <optional>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>

#include "core/framed_window.h"
#include "core/system_settings.h"
#include "templates/photo_list.h"
#include "templates/progress_window.h"
#include "templates/thumbnail_service.h"

namespace velmora {

// What the photo window starts in other parts; an unset hook does nothing.
struct PhotoListWindowHooks {
    AddPhotosHooks adding;                   // the adding job's template assignment and waits
    std::function<void()> set_random_mode;   // assignment mode "shiyong_suijimoban"
    // With the template-combination setting on: shows the assignment options and, in
    // combination mode, runs that addition. True when it handled the addition; false lets
    // the plain addition follow (random mode chosen).
    std::function<bool()> combination_add;
    std::function<void()> auto_fit;          // "自动套版": the fitting job's work
    std::function<void()> open_photo_files;  // "缩略图方式显示照片"
};

// "添加照片" (TForm3): the photo list with its details panel and preview. It shows the list
// and forwards commands to the PhotoList engine; the engine holds every rule.
class PhotoListWindow : public FramedWindow {
    Q_OBJECT
public:
    PhotoListWindow(PhotoList& photos, SystemSettings& settings, const ThumbnailService& thumbnails,
                    ProgressWindow& progress, const WindowSkin& skin, PhotoListWindowHooks hooks,
                    QWidget* parent = nullptr);

    static constexpr QSize kPreviewBox{201, 169};

    // Shows the list as it stands and empties the details panel.
    void refresh();
    // The selected row (the first when several are selected).
    std::optional<int> selected_row() const;
    void select_row(int row);
    // Another window set its delete marker: selects `row` (single deletion) and starts the
    // dispatcher (one-shot, 1 ms).
    void request_delete(std::optional<int> row);
    // Appends `files` as "添加照片" does with the files chosen in its dialog: the same checks,
    // then templates assigned to the new photos (random mode).
    void add_files(const QStringList& files);

    QTreeWidget* list() const { return list_; }
    QLabel* preview() const { return preview_; }
    QString preview_hint() const { return hint_->text(); }
    QString detail(int field) const { return details_.at(field)->text(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build_details();
    void build_commands();
    void add_photos();
    void delete_photo();
    void delete_all();
    void auto_fit();
    void open_photo_files();
    void show_row(int row);
    void clear_details();
    void dispatch();

    PhotoList& photos_;
    SystemSettings& settings_;
    const ThumbnailService& thumbnails_;
    ProgressWindow& progress_;
    PhotoListWindowHooks hooks_;
    QTreeWidget* list_;
    QLabel* preview_;
    QLabel* hint_;
    std::vector<QLineEdit*> details_;
    QTimer dispatcher_;
};

} // namespace velmora
