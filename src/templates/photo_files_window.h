#pragma once

#include <functional>
#include <QListWidget>

#include "core/framed_window.h"
#include "templates/photo_list.h"
#include "templates/photo_list_window.h"
#include "templates/progress_window.h"
#include "templates/thumbnail_service.h"

namespace velmora {

// What the photo-files window starts elsewhere; an unset hook does nothing.
struct PhotoFilesWindowHooks {
    std::function<void(int photo_row)> show_large;                       // main window, large
    std::function<void(int photo_row, bool auto_start)> preview_templates; // template preview
};

// "照片文件" (TForm42): every photo as a thumbnail. Deletions are requests to the photo window.
class PhotoFilesWindow : public FramedWindow {
    Q_OBJECT
public:
    PhotoFilesWindow(PhotoList& photos, PhotoListWindow& photo_window, const ThumbnailService& thumbnails,
                     ProgressWindow& progress, const WindowSkin& skin, PhotoFilesWindowHooks hooks,
                     QWidget* parent = nullptr);

    static constexpr QSize kDefaultSize{1033, 652};
    static constexpr QSize kSmallCell{125, 80};
    static constexpr QSize kLargeCell{375, 240};

    // Shows the window modally at its default size; with no photos, only the message.
    void open();
    // Reloads every thumbnail in the progress window "加载照片".
    void reload();
    void set_cell_size(QSize cell) { cell_ = cell; }
    QSize cell_size() const { return cell_; }
    QListWidget* thumbnails() const { return list_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void close_label_released() override { leave(); }

private:
    void build_commands();
    void layout_contents();
    void resize_centred(QSize size);
    void resize_to_screen(int divisor);
    void change_cell(QSize cell);
    std::optional<int> selected_photo();
    void delete_photo();
    void delete_all();
    void preview();
    void leave();

    PhotoList& photos_;
    PhotoListWindow& photo_window_;
    const ThumbnailService& thumbnails_;
    ProgressWindow& progress_;
    PhotoFilesWindowHooks hooks_;
    QListWidget* list_;
    std::vector<QPushButton*> buttons_;
    QSize cell_ = kSmallCell;
};

} // namespace velmora
