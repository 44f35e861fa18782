#include "glyph_outline.h"

#include <cmath>
#include <stdexcept>
#include <QFont>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QPainterPath>
#include <QTextLayout>

namespace velmora::databuild {
namespace {

bool same_point(Point a, Point b) {
    return std::abs(a.x - b.x) < 0.01 && std::abs(a.y - b.y) < 0.01;
}

// A contour whose last vertex repeats its first is closed over that vertex once.
void finish_contour(BezierContour& c, std::vector<BezierContour>& out) {
    if (c.vertices.size() > 1 && same_point(c.vertices.front(), c.vertices.back())) {
        c.in_tangents.front() = c.in_tangents.back();
        c.vertices.pop_back();
        c.in_tangents.pop_back();
        c.out_tangents.pop_back();
    }
    if (c.vertices.size() > 2)
        out.push_back(std::move(c));
    c = BezierContour{};
}

void check_glyphs_exist(const QString& text, const QRawFont& font) {
    for (const uint code : text.toUcs4()) {
        if (code == ' ')
            continue;
        if (!font.supportsCharacter(code))
            throw std::runtime_error("title font " + font.familyName().toStdString() +
                                     " has no glyph for U+" + QString::number(code, 16).toStdString());
    }
}

} // namespace

TitleFonts::TitleFonts(const std::string& font_folder) : folder_(font_folder) {}

QRawFont TitleFonts::font(const std::string& family, const std::string& weight, double pixel_size) const {
    const std::string stem = family == "serif" ? "NotoSerifCJK" : "NotoSansCJK";
    const bool bold = weight == "bold";
    const QString path = QString::fromStdString(folder_ + "/" + stem + (bold ? "-Bold" : "-Regular") + ".ttc");
    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0)
        throw std::runtime_error("cannot load title font " + path.toStdString());
    // The collections hold one face per region; the Simplified Chinese face carries the
    // mainland glyph forms of our Chinese titles.
    for (const QString& name : QFontDatabase::applicationFontFamilies(id)) {
        if (!name.endsWith(QStringLiteral(" SC")))
            continue;
        QFont qfont(name);
        qfont.setPixelSize(1); // replaced below; QRawFont keeps fractional sizes
        qfont.setWeight(bold ? QFont::Bold : QFont::Normal);
        qfont.setHintingPreference(QFont::PreferNoHinting);
        QRawFont raw = QRawFont::fromFont(qfont);
        raw.setPixelSize(pixel_size);
        if (raw.isValid())
            return raw;
    }
    throw std::runtime_error("title font " + path.toStdString() + " has no Simplified Chinese face");
}

std::vector<BezierContour> contours_of(const QPainterPath& path, double dx, double dy) {
    std::vector<BezierContour> out;
    BezierContour current;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const Point p{e.x + dx, e.y + dy};
        if (e.isMoveTo()) {
            finish_contour(current, out);
            current.add_corner(p);
        } else if (e.isLineTo()) {
            current.add_corner(p);
        } else if (e.isCurveTo()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            const Point prev = current.vertices.back();
            current.out_tangents.back() = {p.x - prev.x, p.y - prev.y};
            const Point v{end.x + dx, end.y + dy};
            current.add(v, {c2.x + dx - v.x, c2.y + dy - v.y}, {0, 0});
            i += 2;
        }
    }
    finish_contour(current, out);
    return out;
}

TextOutline outline_text(const QString& text, const QRawFont& font, double tracking) {
    check_glyphs_exist(text, font);
    QTextLayout layout(text);
    layout.setRawFont(font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();

    TextOutline result;
    result.ascent = font.ascent();
    double extra = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        const QList<QPointF> advances = font.advancesForGlyphIndexes(indexes);
        for (qsizetype g = 0; g < indexes.size(); ++g) {
            GlyphOutline glyph;
            const double x = positions[g].x() + extra;
            glyph.contours = contours_of(font.pathForGlyph(indexes[g]), x, 0);
            glyph.centre_x = x + advances[g].x() / 2;
            result.width = std::max(result.width, x + advances[g].x());
            if (!glyph.contours.empty())
                result.glyphs.push_back(std::move(glyph));
            extra += tracking;
        }
    }
    return result;
}

} // namespace velmora::databuild
