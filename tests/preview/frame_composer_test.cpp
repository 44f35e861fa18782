#include "preview/frame_composer.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <utility>

namespace velmora {
namespace {

const QRgb kPicture = qRgb(40, 90, 160);
const QRgb kScene = qPremultiply(qRgba(200, 20, 20, 128));   // half-transparent red
const QRgb kTop = qRgb(255, 255, 255);                       // opaque white

QImage filled(QSize size, QImage::Format format, QRgb pixel) {
    QImage image(size, format);
    image.fill(pixel);
    return image;
}

QTransform turned_about_middle(double degrees, double scale) {
    return QTransform::fromTranslate(-100, -75) * QTransform().scale(scale, scale) * QTransform().rotate(degrees)
           * QTransform::fromTranslate(100, 75);
}

// The scene covers the left half, the top its top row; the picture lies under everything.
struct Parts {
    QImage scene = filled({200, 150}, QImage::Format_ARGB32_Premultiplied, 0);
    StillTop top;
    Parts() {
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 100; ++x)
                scene.setPixel(x, y, kScene);
        QImage row = filled({200, 150}, QImage::Format_ARGB32_Premultiplied, 0);
        for (int x = 0; x < 200; ++x)
            row.setPixel(x, 0, kTop);
        top = StillTop(row);
    }
};

TEST(FrameComposer, LaysSceneAndTopOverThePictureAndKnowsWhenItCovers) {
    const Parts parts;
    const struct {
        const char* what;
        QSize picture;
        QTransform placement;
        bool covers;
    } cases[] = {
        {"exactly the frame", {200, 150}, QTransform(), true},
        {"a small picture zoomed past the edges", {100, 75}, QTransform(2.1, 0, 0, 2.1, -5, -4), true},
        // Its bounding box holds the frame, the picture itself does not.
        {"turned about its middle: the corners show through", {200, 150}, turned_about_middle(8, 1.05), false},
        {"a row short", {200, 149}, QTransform(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QImage frame(200, 150, QImage::Format_ARGB32_Premultiplied);
        frame.fill(qRgb(1, 2, 3));   // what a fresh frame may hold: nothing of it may remain
        const PlacedPicture picture{filled(c.picture, QImage::Format_RGB32, kPicture), c.placement};
        EXPECT_EQ(compose_frame(picture, {}, parts.scene, &parts.top, frame), c.covers);
        EXPECT_EQ(frame.pixel(150, 75), kPicture);
        EXPECT_EQ(frame.pixel(100, 0), kTop);
        const QRgb blended = frame.pixel(50, 75);
        EXPECT_NEAR(qRed(blended), 200 / 2 + qRed(kPicture) / 2, 2);
        EXPECT_NEAR(qBlue(blended), 20 / 2 + qBlue(kPicture) / 2, 2);
        EXPECT_EQ(qAlpha(blended), 255);
        if (!c.covers)
            EXPECT_EQ(qAlpha(frame.pixel(199, 149)), 0) << "an uncovered corner stays transparent";
        else
            EXPECT_EQ(frame.pixel(199, 149), kPicture);
    }
}

// A picture under the scene shows only within its clip, given in frame pixels, in every band.
TEST(FrameComposer, APictureUnderTheSceneKeepsToItsClip) {
    const QSize size(200, 300);   // bands of 64 rows: the clip spans four of them
    const QImage scene = filled(size, QImage::Format_ARGB32_Premultiplied, 0);
    const PlacedPicture background{filled(size, QImage::Format_RGB32, kPicture), QTransform()};
    PlacedPicture under{filled({100, 250}, QImage::Format_RGB32, kTop), QTransform::fromTranslate(20, 20)};
    under.clip.emplace().addRect(QRectF(0, 100, 70, 160));
    QImage frame(size, QImage::Format_ARGB32_Premultiplied);
    compose_frame(background, {under}, scene, nullptr, frame);
    for (const auto& [at, shown] : {std::pair{QPoint(40, 110), kTop}, {QPoint(40, 250), kTop}, {QPoint(40, 60), kPicture},
                                    {QPoint(90, 200), kPicture}, {QPoint(40, 265), kPicture}}) {
        SCOPED_TRACE(QStringLiteral("%1, %2").arg(at.x()).arg(at.y()).toStdString());
        EXPECT_EQ(frame.pixel(at), shown);
    }
}

// Only the pieces where the top shows are laid, and they give what laying all of it gives: a
// frame of many bands with a clear middle, edges a little apart and a lone dot.
TEST(FrameComposer, AStillTopLaysOnlyWhereItShowsWithTheSameResult) {
    const QSize size(700, 300);
    QImage top = filled(size, QImage::Format_ARGB32_Premultiplied, 0);
    QPainter painter(&top);
    painter.fillRect(0, 0, 700, 40, QColor(10, 10, 30, 200));
    painter.fillRect(0, 0, 90, 300, QColor(10, 10, 30, 120));
    painter.fillRect(620, 60, 80, 240, QColor(200, 10, 30, 255));
    painter.fillRect(140, 60, 20, 200, QColor(0, 90, 0, 60));   // closer to the left edge than a gap
    painter.fillRect(400, 150, 1, 1, QColor(255, 255, 255, 255));
    painter.end();
    QImage frame(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            frame.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    QImage whole = frame.copy();
    QPainter(&whole).drawImage(0, 0, top);
    StillTop(top).lay_over(frame);
    EXPECT_EQ(frame, whole);
}

} // namespace
} // namespace velmora
