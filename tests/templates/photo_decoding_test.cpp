// Reading JPEG headers, measuring photos and rendering thumbnails.
#include <QBuffer>
#include <gtest/gtest.h>

#include "support/test_support.h"
#include "templates/exif_orientation.h"
#include "templates/jpeg_header.h"
#include "templates/photo_fixtures.h"
#include "templates/photo_measure.h"
#include "templates/thumbnail_service.h"

namespace velmora {
namespace {

using test::exif_segment;
using test::jpeg_with;

QByteArray progressive_jpeg(const QImage& image) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return out;
}

TEST(JpegHeader, ReadsSizeAndOrientationInBothByteOrders) {
    const QImage picture(48, 32, QImage::Format_RGB32);
    struct Case {
        const char* what;
        QByteArray bytes;
        int orientation;
    } cases[] = {
        {"no exif", jpeg_with(picture), 1},
        {"little endian 6", jpeg_with(picture, exif_segment(6)), 6},
        {"big endian 8", jpeg_with(picture, exif_segment(8, true)), 8},
        {"out of range reads upright", jpeg_with(picture, exif_segment(9)), 1},
    };
    for (const Case& c : cases) {
        const auto header = read_jpeg_header(c.bytes);
        ASSERT_TRUE(header) << c.what;
        EXPECT_EQ(header->stored_width, 48) << c.what;
        EXPECT_EQ(header->stored_height, 32) << c.what;
        EXPECT_EQ(header->orientation, c.orientation) << c.what;
    }
}

TEST(JpegHeader, RefusesWhatCannotBeDecoded) {
    const QByteArray good = jpeg_with(QImage(16, 16, QImage::Format_RGB32), exif_segment(6));
    QByteArray zero_size = good;
    const qsizetype sof = zero_size.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    zero_size[sof + 5] = 0; // height high byte
    zero_size[sof + 6] = 0; // height low byte
    QByteArray damaged_exif = good;
    damaged_exif[4] = char(0x7F); // APP1 length beyond the file
    struct Case {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", {}},
        {"not a jpeg", "BM this is a bitmap header, not a JPEG"},
        {"start of image only", good.left(2)},
        {"cut inside the exif segment", good.left(20)},
        {"cut before the scan", good.left(sof + 8)},
        {"zero height", zero_size},
        {"segment longer than the file", damaged_exif.left(200)},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(read_jpeg_header(c.bytes)) << c.what;
}

TEST(PhotoMeasure, ExchangesSidesForQuarterTurnsOnly) {
    test::TempFolder folder;
    const QImage lying(60, 40, QImage::Format_RGB32);
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const QString path = folder.write(QStringLiteral("o%1.jpg").arg(orientation),
                                          jpeg_with(lying, exif_segment(orientation)));
        const auto size = measure_photo(path);
        ASSERT_TRUE(size) << orientation;
        EXPECT_EQ(*size, orientation >= 5 ? QSize(40, 60) : QSize(60, 40)) << orientation;
    }
    EXPECT_EQ(measure_photo(folder.write("progressive.jpg", progressive_jpeg(lying))), QSize(60, 40));
    EXPECT_FALSE(measure_photo(folder.write("empty.jpg", {})));
    EXPECT_FALSE(measure_photo(folder.file("missing.jpg")));
}

TEST(Thumbnail, ShowsEveryOrientationUpright) {
    // Stored 64 x 32 with coloured quadrants; the expected display quadrants per orientation
    // (top left, top right, bottom left, bottom right).
    const QColor R = test::kTopLeft, G = test::kTopRight, B = test::kBottomLeft, W = test::kBottomRight;
    const std::array<std::array<QColor, 4>, 8> expected{{
        {R, G, B, W}, {G, R, W, B}, {W, B, G, R}, {B, W, R, G},
        {R, B, G, W}, {B, R, W, G}, {W, G, B, R}, {G, W, R, B},
    }};
    test::TempFolder folder;
    const ThumbnailService service;
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const QString path = folder.write(QStringLiteral("o%1.jpg").arg(orientation),
                                          jpeg_with(test::quadrant_picture(64, 32), exif_segment(orientation)));
        const QSize display = orientation >= 5 ? QSize(32, 64) : QSize(64, 32);
        const Thumbnail t = service.render(path, display);
        ASSERT_FALSE(t.failed) << orientation;
        ASSERT_EQ(t.image.size(), display);
        const int x1 = display.width() / 4, x2 = 3 * display.width() / 4;
        const int y1 = display.height() / 4, y2 = 3 * display.height() / 4;
        const QPoint probes[4] = {{x1, y1}, {x2, y1}, {x1, y2}, {x2, y2}};
        for (int q = 0; q < 4; ++q)
            EXPECT_TRUE(test::near(t.image.pixelColor(probes[q]), expected[orientation - 1][q]))
                << "orientation " << orientation << " quadrant " << q;
    }
}

TEST(Thumbnail, ScalesToExactlyTheRequestedSize) {
    test::TempFolder folder;
    const QString jpeg = folder.write("big.jpg", jpeg_with(test::quadrant_picture(800, 600)));
    const QString bmp = folder.file("small.bmp");
    ASSERT_TRUE(test::quadrant_picture(40, 30).save(bmp, "BMP"));
    const ThumbnailService service;
    for (const QSize size : {QSize(118, 80), QSize(300, 225), QSize(1000, 750)}) {
        const Thumbnail t = service.render(jpeg, size);
        EXPECT_FALSE(t.failed);
        EXPECT_EQ(t.image.size(), size);
        EXPECT_TRUE(test::near(t.image.pixelColor(size.width() / 4, size.height() / 4), test::kTopLeft));
    }
    const Thumbnail from_bmp = service.render(bmp, QSize(80, 60));
    EXPECT_FALSE(from_bmp.failed);
    EXPECT_EQ(from_bmp.image.size(), QSize(80, 60));
    EXPECT_TRUE(test::near(from_bmp.image.pixelColor(70, 50), test::kBottomRight));
}

TEST(Thumbnail, UndecodableFileGivesTheIconAndSaysSo) {
    test::TempFolder folder;
    const ThumbnailService service;
    const QString broken = folder.write("broken.jpg", "\xFF\xD8 not really a JPEG");
    for (const QString& path : {broken, folder.file("missing.jpg")}) {
        const Thumbnail t = service.render(path, QSize(100, 70));
        EXPECT_TRUE(t.failed);
        EXPECT_EQ(t.image, ThumbnailService::file_icon(QSize(100, 70)));
    }
}

TEST(Thumbnail, DecodesAtTheSmallestDctScaleThatCoversTheTarget) {
    struct Case {
        QSize stored, target, decoded;
    } cases[] = {
        {{4000, 3000}, {118, 80}, {500, 375}},    // 1/8
        {{4000, 3000}, {600, 450}, {1000, 750}},  // 1/4
        {{4000, 3000}, {1500, 1000}, {1500, 1125}}, // 3/8
        {{4000, 3000}, {4000, 3000}, {4000, 3000}},
        {{400, 300}, {800, 600}, {400, 300}},     // never enlarged by the decoder
    };
    for (const Case& c : cases)
        EXPECT_EQ(dct_decode_size(c.stored, c.target), c.decoded) << c.target.width();
}

TEST(Thumbnail, UsesTheCamerasEmbeddedThumbnailOnlyWhenItIsLargeEnoughAndWhole) {
    // The photo is blue, its embedded thumbnails red: the colour shows which one was drawn.
    QImage blue(800, 600, QImage::Format_RGB32);
    blue.fill(QColor(0, 0, 255));
    QImage red_4_3(160, 120, QImage::Format_RGB32);
    red_4_3.fill(QColor(255, 0, 0));
    QImage red_16_9(160, 90, QImage::Format_RGB32);
    red_16_9.fill(QColor(255, 0, 0));
    test::TempFolder folder;
    const QString fitting = folder.write(
        "a.jpg", jpeg_with(blue, test::exif_segment_with_thumbnail(1, jpeg_with(red_4_3))));
    const QString other_shape = folder.write(
        "b.jpg", jpeg_with(blue, test::exif_segment_with_thumbnail(1, jpeg_with(red_16_9))));
    const ThumbnailService service;
    const QColor red(255, 0, 0), blue_colour(0, 0, 255);

    EXPECT_TRUE(test::near(service.thumbnail(fitting, QSize(118, 80)).pixelColor(50, 40), red)) << "small: embedded";
    EXPECT_TRUE(test::near(service.thumbnail(fitting, QSize(400, 300)).pixelColor(50, 40), blue_colour))
        << "larger than the embedded picture: the photo itself";
    EXPECT_TRUE(test::near(service.thumbnail(other_shape, QSize(118, 80)).pixelColor(50, 40), blue_colour))
        << "an embedded picture of other proportions is not the whole photo";
    EXPECT_EQ(measure_photo(fitting), QSize(800, 600)) << "measuring is not misled by the thumbnail";
}

} // namespace
} // namespace velmora
