#include "preview/picture_fit.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(PictureFit, KeepsAspectAndSnapsOnlyRoundingDifferences) {
    struct Case { QSize picture, box, fitted; };
    const Case cases[] = {
        {{800, 450}, {960, 540}, {960, 540}},     // same aspect, scaled up
        {{1920, 1080}, {960, 540}, {960, 540}},   // scaled down
        {{400, 400}, {960, 540}, {540, 540}},     // square into landscape: bars left and right
        {{450, 800}, {1920, 1080}, {607, 1080}},  // portrait into landscape
        {{1000, 200}, {960, 540}, {960, 192}},    // wide: bars above and below
        {{959, 540}, {960, 540}, {960, 540}},     // one pixel short is rounding: snapped
        {{958, 540}, {960, 540}, {958, 540}},     // two pixels short is a bar
        {{0, 0}, {960, 540}, {}},                 // nothing to fit
    };
    for (const Case& c : cases)
        EXPECT_EQ(fitted_size(c.picture, c.box), c.fitted)
            << c.picture.width() << "x" << c.picture.height() << " into " << c.box.width() << "x" << c.box.height();
}

TEST(PictureFit, CentresThePictureOnTransparency) {
    QImage square(100, 100, QImage::Format_RGB32);
    square.fill(Qt::red);
    const QImage fitted = fit_picture(square, {200, 100});
    ASSERT_EQ(fitted.size(), QSize(200, 100));
    EXPECT_EQ(fitted.pixelColor(49, 50).alpha(), 0);
    EXPECT_EQ(fitted.pixelColor(50, 50), QColor(Qt::red));
    EXPECT_EQ(fitted.pixelColor(149, 99), QColor(Qt::red));
    EXPECT_EQ(fitted.pixelColor(150, 50).alpha(), 0);
    EXPECT_FALSE(fit_covers_box(square, {200, 100}));
    EXPECT_TRUE(fit_covers_box(square, {50, 50}));
    EXPECT_EQ(fit_picture(QImage(), {20, 10}).pixelColor(5, 5).alpha(), 0);
}

} // namespace
} // namespace velmora
