#pragma once

#include "core/framed_window.h"

namespace velmora {

// "插入视频" (TForm22): offers no setting; it says so and closes.
class InsertVideoWindow : public FramedWindow {
    Q_OBJECT
public:
    explicit InsertVideoWindow(const WindowSkin& skin, QWidget* parent = nullptr);

    void open_modal() { exec(); }
};

} // namespace velmora
