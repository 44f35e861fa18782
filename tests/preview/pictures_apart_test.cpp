#include "preview/pictures_apart.h"

#include "preview/movie_fixture.h"
#include "preview/movie_renderer.h"
#include "preview/rlottie_frames.h"
#include "support/test_support.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>
#include <rlottie.h>

namespace velmora {
namespace {

using Json = nlohmann::ordered_json;

const QColor kGreen(30, 200, 60);

// The fixture movie (the white mark over the red | yellow photo over the green | dark cyan
// background) with its layer `name` changed by `edit`.
class PicturesApartTest : public ::testing::Test {
protected:
    test::TempFolder folder;

    TemplateMovie movie_edited(const std::string& name, const std::function<void(Json& layer)>& edit) {
        Json root = Json::parse(test::movie_json().toStdString());
        for (Json& layer : root["layers"])
            if (layer.value("nm", std::string()) == name)
                edit(layer);
        folder.write("picture_1.jpg", test::two_tone_jpeg(test::kSlotRect.size(), Qt::red, Qt::yellow));
        folder.write("wj_y_l_b_j.jpg", test::two_tone_jpeg({1920, 1080}, kGreen, Qt::darkCyan));
        return TemplateMovie::read(folder.write("movie.rar", QByteArray::fromStdString(root.dump())));
    }
};

QImage cleared(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage scene_by_rlottie(const TemplateMovie::Parts& parts, int frame, QSize size) {
    QImage image = cleared(size);
    render_animation(*animation_from_json(parts.scene), frame, image);
    return image;
}

// The share of pixels where some channel differs by more than 3.
double differing_share(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int shift : {0, 8, 16, 24})
                if (std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)) > 3) {
                    ++differing;
                    break;
                }
        }
    return double(differing) / (a.width() * a.height());
}

// Half transparent and drifting over the frame, with nothing over it.
TEST_F(PicturesApartTest, APictureNothingReachesIsLaidAsRlottieDrawsIt) {
    const TemplateMovie movie = movie_edited("photo_1", [](Json& l) {
        l["ks"]["o"] = {{"a", 0}, {"k", 50}};
        l["ks"]["p"] = test::moving({480, 270, 0}, {700, 400, 0});
    });
    const TemplateMovie::Parts parts = movie.parts(100);
    const std::unique_ptr<PicturesApart> apart = PicturesApart::load(parts);
    ASSERT_TRUE(apart);
    for (const QSize size : {QSize(800, 450), QSize(1920, 1080)})
        for (const int frame : {0, 24, 49}) {
            QImage laid = cleared(size);
            ASSERT_TRUE(apart->render(frame, laid, nullptr)) << "frame " << frame;
            const QImage expected = scene_by_rlottie(parts, frame, size);
            // Only the picture's edge pixels may differ: rlottie blends its antialiased edge
            // with a slightly different rule.
            EXPECT_LE(differing_share(laid, expected), 0.005) << "frame " << frame << " at " << size.width();
            const QPointF inside = QPointF(480, 270) + QPointF(220, 130) * frame / 49.0 + QPointF(240, 270);
            const QColor got = test::colour_at(laid, inside), want = test::colour_at(expected, inside);
            EXPECT_NEAR(got.alpha(), want.alpha(), 3) << "frame " << frame;
            EXPECT_NEAR(got.red(), want.red(), 3) << "frame " << frame;
            EXPECT_NEAR(got.green(), want.green(), 3) << "frame " << frame;
        }
}

// The mark moves from the top right corner onto the photo.
TEST_F(PicturesApartTest, ALayerReachingThePictureKeepsItUnderThatLayer) {
    const TemplateMovie movie = movie_edited("mark", [](Json& l) { l["ks"]["p"] = test::moving({0, 0, 0}, {-800, 400, 0}); });
    const std::unique_ptr<PicturesApart> apart = PicturesApart::load(movie.parts(100));
    ASSERT_TRUE(apart);
    QImage frame = cleared({1920, 1080});
    EXPECT_TRUE(apart->render(0, frame, nullptr)) << "the mark is far from the photo";
    EXPECT_FALSE(apart->render(49, frame, nullptr)) << "the mark lies over the photo";
    // Nothing of the scene lies under the photo, so it can go under the whole scene.
    std::vector<PlacedPicture> under;
    ASSERT_TRUE(apart->render(49, frame, &under));
    ASSERT_EQ(under.size(), 1u);
    EXPECT_EQ(under[0].pixels.size(), test::kSlotRect.size());
    test::expect_colour(frame, QPointF(920 + 90, 420 + 50), Qt::white);
    EXPECT_EQ(qAlpha(test::colour_at(frame, QPointF(600, 700)).rgba()), 0) << "the photo is not in the scene";

    const QImage rendered = MovieRenderer(movie, 100).render(49, {1920, 1080});
    test::expect_colour(rendered, QPointF(920 + 90, 420 + 50), Qt::white);
    test::expect_colour(rendered, QPointF(600, 700), Qt::red);
}

// A wipe opens the photo from its left edge over frames 0 .. 20: the part it has opened is laid
// as rlottie draws it, and only that part.
TEST_F(PicturesApartTest, APictureIsClippedToWhatItsRevealHasOpened) {
    const TemplateMovie movie = movie_edited("photo_1", [](Json& l) {
        l["hasMask"] = true;
        l["masksProperties"] = Json::array({test::rectangle_mask(QRectF(0, 0, 960, 540), 20)});
    });
    const TemplateMovie::Parts parts = movie.parts(100);
    const std::unique_ptr<PicturesApart> apart = PicturesApart::load(parts);
    ASSERT_TRUE(apart);
    for (const QSize size : {QSize(800, 450), QSize(1920, 1080)})
        for (const int frame : {0, 7, 10, 30}) {
            QImage laid = cleared(size);
            ASSERT_TRUE(apart->render(frame, laid, nullptr)) << "frame " << frame;
            EXPECT_LE(differing_share(laid, scene_by_rlottie(parts, frame, size)), 0.005)
                << "frame " << frame << " at " << size.width();
        }
    QImage half_open_scene = cleared({1920, 1080});
    ASSERT_TRUE(apart->render(10, half_open_scene, nullptr));
    test::expect_colour(half_open_scene, QPointF(600, 540), Qt::red);
    EXPECT_EQ(qAlpha(test::colour_at(half_open_scene, QPointF(1400, 540)).rgba()), 0) << "not opened yet";

    const MovieRenderer renderer(movie, 100);
    const QImage half_open = renderer.render(10, {1920, 1080});
    test::expect_colour(half_open, QPointF(600, 540), Qt::red);
    test::expect_colour(half_open, QPointF(1400, 540), Qt::darkCyan);
    test::expect_colour(renderer.render(30, {1920, 1080}), QPointF(1400, 540), Qt::yellow);
}

} // namespace
} // namespace velmora
