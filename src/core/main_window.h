#pragma once

#include <array>
#include <map>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>

#include "core/framed_window.h"
#include "core/main_command.h"

namespace velmora {

// The main window "Velmora": preview frame, the three summary lists, the command buttons, the
// function and window-size menus and the photo strip. It only shows things and reports the
// person's commands through `command_requested`; the program decides what they do.
class MainWindow : public FramedWindow {
    Q_OBJECT
public:
    static constexpr QSize kDefaultSize{1189, 695};
    static constexpr QRect kPreviewFrame{186, 62, 800, 450};

    explicit MainWindow(const WindowSkin& skin, QWidget* parent = nullptr);

    QWidget* preview_frame() const { return preview_frame_; }
    // The area over the preview that hosts the start-up movie.
    QWidget* startup_area() const { return startup_area_; }
    QTreeWidget* used_templates_list() const { return lists_[0]; }
    QTreeWidget* songs_list() const { return lists_[1]; }
    QTreeWidget* lyrics_list() const { return lists_[2]; }
    QMenu* function_menu() const { return function_menu_; }
    QMenu* window_size_menu() const { return window_size_menu_; }
    QPushButton* command_button(MainCommand command) const;

    void set_times(const QString& current, const QString& total);
    void clear_lyric_lines();
    void clear_thumbnail_names();

signals:
    void command_requested(velmora::MainCommand command);
    void first_shown();
    // Space: play the preview, or stop it while it plays.
    void play_toggle_requested();
    // F11: full screen, or back from it.
    void full_screen_toggle_requested();
    // Local files and folders dropped on the window, in the drop's order.
    void files_dropped(const QStringList& paths);

protected:
    void close_label_released() override { emit command_requested(MainCommand::Exit); }
    void reject() override { emit command_requested(MainCommand::Exit); }
    void showEvent(QShowEvent* event) override;
    // Closing the window by the system asks to exit like the close label does.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void build_title_bar();
    void build_preview();
    void build_lists();
    void build_commands();
    void build_bottom_row();
    void build_photo_strip();
    void build_menus();
    QPushButton* command_button_at(MainCommand command, QRect geometry);
    QLabel* title_bar_label(const QString& text, const QString& hint, QRect geometry, QMenu* menu);
    void build_shortcuts();

    QWidget* preview_frame_ = nullptr;
    QWidget* startup_area_ = nullptr;
    std::array<QTreeWidget*, 3> lists_{};
    std::map<MainCommand, QPushButton*> buttons_;
    QMenu* function_menu_ = nullptr;
    QMenu* window_size_menu_ = nullptr;
    QLabel* time_label_ = nullptr;
    std::array<QLabel*, 2> lyric_lines_{};
    std::array<QLabel*, 9> thumbnail_names_{};
    bool shown_once_ = false;
};

} // namespace velmora
