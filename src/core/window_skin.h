#pragma once

#include <QColor>
#include <QImage>

namespace velmora {

// The pictures every window's frame is drawn from, painted once at start-up.
struct WindowSkin {
    static constexpr int kTitleHeight = 44;
    static constexpr int kBottomHeight = 4;
    static constexpr int kCloseSize = 28;

    QImage left;          // title bar, left end (rounded corner)
    QImage middle;        // title bar, stretched between the ends
    QImage right;         // title bar, right end under the close label
    QImage bottom;        // accent strip along the bottom edge
    QImage close_normal;  // close label pictures
    QImage close_hover;
    QImage close_pressed;
    QImage icon;          // the program's icon, 32 x 32

    QColor background{238, 238, 238};
    QColor title_text{245, 247, 250};
    QColor accent{232, 93, 117};

    static WindowSkin paint();
};

} // namespace velmora
