#pragma once

#include <string>
#include <vector>
#include <QRawFont>
#include <QString>

#include "bezier_path.h"

namespace velmora::databuild {

// The outlines of one glyph of a laid-out line of text, in pixels, y downwards, with the
// line's baseline at y = 0 and the line's left edge at x = 0.
struct GlyphOutline {
    std::vector<BezierContour> contours;
    double centre_x = 0; // horizontal middle of the glyph's advance, for per-letter animation
};

struct TextOutline {
    std::vector<GlyphOutline> glyphs;
    double width = 0;    // advance width of the whole line
    double ascent = 0;   // the font's ascent, for vertical placement
};

// The fonts titles are drawn with, loaded from font files so that every build draws the same
// outlines. Throws std::runtime_error when a file is missing.
class TitleFonts {
public:
    explicit TitleFonts(const std::string& font_folder);
    // `family`: "serif" or "sans"; `weight`: "regular" or "bold".
    QRawFont font(const std::string& family, const std::string& weight, double pixel_size) const;

private:
    std::string folder_;
};

// Lays out `text` in one line with `tracking` extra pixels between letters and returns each
// glyph's outline. Throws std::runtime_error when the font lacks a glyph for a character, so a
// title never ships with a blank box in it.
TextOutline outline_text(const QString& text, const QRawFont& font, double tracking = 0);

// The contours of a Qt path, in Lottie's vertex + tangent form.
std::vector<BezierContour> contours_of(const class QPainterPath& path, double dx = 0, double dy = 0);

} // namespace velmora::databuild
