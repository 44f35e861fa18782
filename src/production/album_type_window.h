#pragma once

#include <QLineEdit>
#include <QListWidget>

#include "core/framed_window.h"
#include "core/ui.h"
#include "production/output_settings.h"

namespace velmora {

// "选择相册类型" (TForm24): the size list of the chosen album type, the chosen size and type,
// and the album name. Its answer goes to OutputSettings::quxiao; the rules live in
// album_type_choice.h.
class AlbumTypeWindow : public FramedWindow {
    Q_OBJECT
public:
    AlbumTypeWindow(OutputSettings& settings, Ui& ui, const WindowSkin& skin, QWidget* parent = nullptr);

    // Shows the settings as the format command prepared them, modally, with the focus in the
    // name field. Returns when the window closes with an answer.
    void open_modal();

    QListWidget* size_list() const { return sizes_; }
    QLineEdit* chosen_size() const { return chosen_size_; }
    QLineEdit* chosen_type() const { return chosen_type_; }
    QLineEdit* name_field() const { return name_; }

public slots:
    // Escape, "取消" and the close label all cancel.
    void reject() override;

private:
    void refresh();
    void show_choice();
    void start();

    OutputSettings& settings_;
    Ui& ui_;
    QListWidget* sizes_;
    QLineEdit* chosen_size_;
    QLineEdit* chosen_type_;
    QLineEdit* name_;
};

} // namespace velmora
