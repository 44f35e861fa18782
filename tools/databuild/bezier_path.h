#pragma once

#include <vector>

namespace velmora::databuild {

struct Point {
    double x = 0, y = 0;
};

// One closed or open contour in Lottie's form: vertices with in and out tangents
// relative to their vertex.
struct BezierContour {
    std::vector<Point> vertices, in_tangents, out_tangents;
    bool closed = true;

    void add_corner(Point p) { add(p, {0, 0}, {0, 0}); }
    void add(Point p, Point in, Point out) {
        vertices.push_back(p);
        in_tangents.push_back(in);
        out_tangents.push_back(out);
    }
};

// An ellipse of four cubic arcs (used where a path, not an "el" item, is needed: masks).
BezierContour ellipse_contour(double cx, double cy, double rx, double ry);
BezierContour rect_contour(double left, double top, double width, double height);

} // namespace velmora::databuild
