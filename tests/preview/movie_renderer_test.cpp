#include "preview/movie_renderer.h"

#include "preview/movie_fixture.h"
#include "support/test_support.h"

#include <QImage>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <rlottie.h>

namespace velmora {
namespace {

using Json = nlohmann::ordered_json;

const QColor kGreen(30, 200, 60);

// The fixture movie with a background that grows 100 -> 108 % over the movie and a half
// transparent slot picture moving over it, under the still white mark: the background and the
// still top are drawn apart, and blended. A fixed mask (left unapplied: the layer does not say
// "hasMask") keeps the picture with rlottie; pictures laid apart have tests of their own.
TemplateMovie drifting_movie(test::TempFolder& folder) {
    Json root = Json::parse(test::movie_json().toStdString());
    for (Json& layer : root["layers"]) {
        const std::string name = layer.value("nm", std::string());
        if (name == TemplateMovie::kBackgroundLayer)
            layer["ks"]["s"] = {{"a", 1},
                                {"k", Json::array({Json{{"t", 0}, {"s", {100, 100, 100}}, {"e", {108, 108, 100}},
                                                        {"i", {{"x", {1}}, {"y", {1}}}},
                                                        {"o", {{"x", {0}}, {"y", {0}}}}},
                                                   Json{{"t", 49}, {"s", {108, 108, 100}}}})}};
        if (name == "photo_1") {
            layer["ks"]["o"] = {{"a", 0}, {"k", 50}};
            layer["masksProperties"] = Json::array({test::rectangle_mask(QRectF(0, 0, 960, 540))});
            layer["ks"]["p"] = {{"a", 1},
                                {"k", Json::array({Json{{"t", 0}, {"s", {480, 270, 0}}, {"e", {700, 400, 0}},
                                                        {"i", {{"x", {1}}, {"y", {1}}}},
                                                        {"o", {{"x", {0}}, {"y", {0}}}}},
                                                   Json{{"t", 49}, {"s", {700, 400, 0}}}})}};
        }
    }
    folder.write("picture_1.jpg", test::two_tone_jpeg({960, 540}, Qt::red, Qt::yellow));
    folder.write("wj_y_l_b_j.jpg", test::two_tone_jpeg({1920, 1080}, kGreen, Qt::darkCyan));
    return TemplateMovie::read(folder.write("movie.rar", QByteArray::fromStdString(root.dump())));
}

// What rlottie alone makes of the whole movie.
QImage whole_movie_frame(const TemplateMovie& movie, int frame, QSize size) {
    auto animation = rlottie::Animation::loadFromData(movie.lottie_json(100), std::string(), std::string(), false);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    rlottie::Surface surface(reinterpret_cast<uint32_t*>(image.bits()), size_t(size.width()),
                             size_t(size.height()), size_t(image.bytesPerLine()));
    animation->renderSync(size_t(frame), surface);
    return image;
}

int largest_difference(const QImage& a, const QImage& b, QRect area = {}) {
    if (area.isNull())
        area = a.rect();
    int largest = 0;
    for (int y = area.top(); y <= area.bottom(); y += 3)
        for (int x = area.left(); x <= area.right(); x += 3) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int shift : {0, 8, 16, 24})
                largest = std::max(largest, std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)));
        }
    return largest;
}

TEST(MovieRenderer, PartsDrawnApartMatchTheWholeMovie) {
    test::TempFolder folder;
    const TemplateMovie movie = drifting_movie(folder);
    const MovieRenderer renderer(movie, 100);
    ASSERT_TRUE(renderer.draws_background_apart());
    ASSERT_TRUE(renderer.draws_still_top_apart());
    for (const QSize size : {QSize(800, 450), QSize(1920, 1080)})
        for (const int frame : {0, 24, 49}) {
            const QImage apart = renderer.render(frame, size);
            ASSERT_EQ(apart.size(), size);
            EXPECT_EQ(apart.format(), QImage::Format_RGB32) << "the background covers the frame: it is opaque";
            EXPECT_LE(largest_difference(apart, whole_movie_frame(movie, frame, size)), 3)
                << "frame " << frame << " at " << size.width() << " x " << size.height();
        }
}

TEST(MovieRenderer, AHostOfAnotherAspectKeepsTransparentMargins) {
    test::TempFolder folder;
    const TemplateMovie movie = drifting_movie(folder);
    const MovieRenderer renderer(movie, 100);
    const QImage frame = renderer.render(0, {400, 400});
    EXPECT_EQ(frame.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(frame.pixel(200, 5), 0u) << "the margin above the canvas";
    EXPECT_EQ(frame.pixel(200, 395), 0u) << "the margin below it";
    EXPECT_EQ(qAlpha(frame.pixel(5, 200)), 255) << "the canvas itself";
    // The canvas's edge rows may fall a row apart where the centring leaves half a pixel.
    EXPECT_LE(largest_difference(frame, whole_movie_frame(movie, 0, {400, 400}), QRect(0, 92, 400, 216)), 3);
}

TEST(MovieRenderer, ABackgroundThatShowsThroughIsRenderedWithTheMovie) {
    test::TempFolder folder;
    const TemplateMovie movie = drifting_movie(folder);
    EXPECT_FALSE(MovieRenderer(movie, 60).draws_background_apart());
}

} // namespace
} // namespace velmora
