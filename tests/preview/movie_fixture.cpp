#include "preview/movie_fixture.h"

#include <QBuffer>
#include <QPainter>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace velmora::test {
namespace {

using Json = nlohmann::ordered_json;

Json still(Json value) {
    return Json{{"a", 0}, {"k", std::move(value)}};
}

Json transform_at(QPoint position, Json opacity) {
    return Json{{"o", std::move(opacity)},
                {"r", still(0)},
                {"p", still({position.x(), position.y(), 0})},
                {"a", still({0, 0, 0})},
                {"s", still({100, 100, 100})}};
}

Json layer(int index, int type, const char* name, Json transform, int frames) {
    return Json{{"ddd", 0}, {"ind", index}, {"ty", type}, {"nm", name}, {"sr", 1},
                {"ks", std::move(transform)}, {"ao", 0}, {"ip", 0}, {"op", frames},
                {"st", 0}, {"bm", 0}};
}

Json image_layer(int index, const char* name, const char* asset, QPoint at, Json opacity, int frames) {
    Json result = layer(index, 2, name, transform_at(at, std::move(opacity)), frames);
    result["refId"] = asset;
    return result;
}

// "ty" first in each shape item, as every exporter writes it.
Json mark_layer(int frames) {
    const QPointF centre = QRectF(kMarkRect).center();
    Json rect{{"ty", "rc"}, {"d", 1}, {"s", still({kMarkRect.width(), kMarkRect.height()})},
              {"p", still({centre.x(), centre.y()})}, {"r", still(0)}, {"nm", "mark"}};
    Json fill{{"ty", "fl"}, {"c", still({1, 1, 1, 1})}, {"o", still(100)}, {"r", 1}, {"nm", "white"}};
    Json result = layer(1, 4, "mark", transform_at({0, 0}, still(100)), frames);
    result["shapes"] = Json::array({rect, fill});
    return result;
}

Json backdrop_layer(int frames) {
    Json result = layer(4, 1, "backdrop", transform_at({0, 0}, still(100)), frames);
    result["sc"] = kBackdrop.name().toStdString();
    result["sw"] = 1920;
    result["sh"] = 1080;
    return result;
}

Json background_opacity(const MovieOptions& options) {
    if (!options.background_fades_itself)
        return still(100);
    return Json{{"a", 1},
                {"k", Json::array({Json{{"i", {{"x", {1}}, {"y", {1}}}}, {"o", {{"x", {0}}, {"y", {0}}}},
                                        {"t", 0}, {"s", {100}}, {"e", {0}}},
                                   Json{{"t", 10}, {"s", {0}}}})}};
}

Json picture_asset(const char* id, QSize size, const char* file) {
    return Json{{"id", id}, {"w", size.width()}, {"h", size.height()}, {"u", ""}, {"p", file}, {"e", 0}};
}

QByteArray jpeg_of(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);
    return bytes;
}

} // namespace

QByteArray movie_json(const MovieOptions& options) {
    Json markers = Json::array();
    for (const std::string& comment : options.marker_comments)
        markers.push_back(Json{{"tm", 0}, {"cm", comment}, {"dr", 0}});
    const Json movie{
        {"v", "5.7.4"}, {"fr", 25}, {"ip", 0}, {"op", options.frames}, {"w", 1920}, {"h", 1080},
        {"nm", "fixture"}, {"ddd", 0},
        {"assets", Json::array({picture_asset("picture_1", kSlotRect.size(), "picture_1.jpg"),
                                picture_asset("background", {1920, 1080}, "wj_y_l_b_j.jpg")})},
        {"layers", Json::array({mark_layer(options.frames),
                                image_layer(2, "photo_1", "picture_1", kSlotRect.topLeft(), still(100), options.frames),
                                image_layer(3, "wj_y_l_b_j", "background", {0, 0}, background_opacity(options), options.frames),
                                backdrop_layer(options.frames)})},
        {"markers", markers}};
    return QByteArray::fromStdString(movie.dump());
}

Json moving(Json from, Json to) {
    return {{"a", 1},
            {"k", Json::array({Json{{"t", 0}, {"s", std::move(from)}, {"e", to},
                                    {"i", {{"x", {1}}, {"y", {1}}}}, {"o", {{"x", {0}}, {"y", {0}}}}},
                               Json{{"t", 49}, {"s", to}}})}};
}

Json rectangle_mask(QRectF to, int opens_by) {
    const auto outline = [](QRectF r) {
        const Json corners = Json::array({{r.left(), r.top()}, {r.right(), r.top()}, {r.right(), r.bottom()}, {r.left(), r.bottom()}});
        const Json straight = Json::array({{0, 0}, {0, 0}, {0, 0}, {0, 0}});
        return Json{{"i", straight}, {"o", straight}, {"v", corners}, {"c", true}};
    };
    Json path = still(outline(to));
    if (opens_by > 0) {
        const QRectF sliver(to.topLeft(), QSizeF(1, to.height()));
        path = {{"a", 1},
                {"k", Json::array({Json{{"t", 0}, {"s", Json::array({outline(sliver)})}, {"e", Json::array({outline(to)})},
                                        {"i", {{"x", {1}}, {"y", {1}}}}, {"o", {{"x", {0}}, {"y", {0}}}}},
                                   Json{{"t", opens_by}, {"s", Json::array({outline(to)})}}})}};
    }
    return Json{{"inv", false}, {"mode", "a"}, {"pt", path}, {"o", still(100)}, {"x", still(0)}, {"nm", "mask"}};
}

QByteArray two_tone_jpeg(QSize size, QColor left, QColor right) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(left);
    QPainter(&image).fillRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height(), right);
    return jpeg_of(image);
}

QByteArray plain_jpeg(QSize size, QColor colour) {
    return two_tone_jpeg(size, colour, colour);
}

QColor colour_at(const QImage& frame, QPointF canvas_point) {
    const int x = static_cast<int>(canvas_point.x() * frame.width() / 1920);
    const int y = static_cast<int>(canvas_point.y() * frame.height() / 1080);
    return frame.pixelColor(x, y);
}

void expect_colour(const QImage& frame, QPointF canvas_point, QColor expected, int tolerance) {
    const QColor actual = colour_at(frame, canvas_point);
    const auto near = [&](int a, int b) { return std::abs(a - b) <= tolerance; };
    EXPECT_TRUE(actual.alpha() >= 250 && near(actual.red(), expected.red())
                && near(actual.green(), expected.green()) && near(actual.blue(), expected.blue()))
        << "at canvas (" << canvas_point.x() << ", " << canvas_point.y() << ") of a "
        << frame.width() << "x" << frame.height() << " frame: expected "
        << expected.name().toStdString() << ", got " << actual.name(QColor::HexArgb).toStdString();
}

} // namespace velmora::test
