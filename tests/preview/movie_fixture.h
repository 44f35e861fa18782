#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace velmora::test {

// A small template movie on the 1920 x 1080 canvas, layers from top to bottom:
//   a white rectangle shape at kMarkRect (shows that shape layers survive the player),
//   the slot picture "picture_1.jpg" (asset 960 x 540 at kSlotRect),
//   the background picture "wj_y_l_b_j.jpg" (layer wj_y_l_b_j, 1920 x 1080),
//   a solid backdrop of kBackdrop.
struct MovieOptions {
    int frames = 50;
    std::vector<std::string> marker_comments = {"l_x_z_q_r_f_c_x_c=l_x_z_k_t_f_c_s_y_q_rx_c_w_j"};
    // The background layer's own opacity runs 100 -> 0 over frames 0..10 when set.
    bool background_fades_itself = false;
};

inline const QRect kSlotRect(480, 270, 960, 540);
inline const QRect kMarkRect(1720, 20, 180, 100);
inline const QColor kBackdrop(0, 0, 255);

QByteArray movie_json(const MovieOptions& options = {});

// A property animated linearly from `from` at frame 0 to `to` at frame 49.
nlohmann::ordered_json moving(nlohmann::ordered_json from, nlohmann::ordered_json to);

// A layer mask over the rectangle `to` of the layer's own pixels (rlottie applies a layer's
// masks only when the layer also says "hasMask": true). With `opens_by` > 0, a reveal:
// it grows from a sliver at the rectangle's left edge to all of it over frames 0 .. opens_by.
nlohmann::ordered_json rectangle_mask(QRectF to, int opens_by = 0);

// A JPEG whose left half is `left` and right half `right`.
QByteArray two_tone_jpeg(QSize size, QColor left, QColor right);
QByteArray plain_jpeg(QSize size, QColor colour);

// The colour at canvas point `canvas_point` (1920 x 1080 units) of a frame of any 16:9 size.
QColor colour_at(const QImage& frame, QPointF canvas_point);
// Non-fatal check that the pixel is opaque and within `tolerance` of `expected` per channel.
void expect_colour(const QImage& frame, QPointF canvas_point, QColor expected, int tolerance = 16);

} // namespace velmora::test
