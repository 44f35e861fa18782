#pragma once

#include "core/framed_window.h"

namespace velmora {

// A window whose content comes with a later part of the program: its frame, caption and
// close label, and a line saying the function is not available yet.
class PlaceholderWindow : public FramedWindow {
    Q_OBJECT
public:
    PlaceholderWindow(const QString& form_name, const QString& caption, const WindowSkin& skin,
                      QWidget* parent = nullptr);
};

} // namespace velmora
