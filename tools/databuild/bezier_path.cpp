#include "bezier_path.h"

namespace velmora::databuild {

BezierContour ellipse_contour(double cx, double cy, double rx, double ry) {
    constexpr double k = 0.5523; // cubic approximation of a quarter circle
    BezierContour c;
    c.add({cx, cy - ry}, {-rx * k, 0}, {rx * k, 0});
    c.add({cx + rx, cy}, {0, -ry * k}, {0, ry * k});
    c.add({cx, cy + ry}, {rx * k, 0}, {-rx * k, 0});
    c.add({cx - rx, cy}, {0, ry * k}, {0, -ry * k});
    return c;
}

BezierContour rect_contour(double left, double top, double width, double height) {
    BezierContour c;
    c.add_corner({left, top});
    c.add_corner({left + width, top});
    c.add_corner({left + width, top + height});
    c.add_corner({left, top + height});
    return c;
}

} // namespace velmora::databuild
