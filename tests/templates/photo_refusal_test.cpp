// Photos that cannot serve are refused when they are added; the rest render only what shows.
#include <cstdio>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include "core/native_path.h"
#include "core/scripted_ui.h"
#include "support/test_support.h"
#include "templates/photo_fixtures.h"
#include "templates/photo_list.h"
#include "templates/thumbnail_service.h"

namespace velmora {
namespace {

using test::jpeg_with;

class NoEffects : public AutoTextEffects {
public:
    bool any_automatic() const override { return false; }
    void remove_marked(const QStringList&) override {}
    void remove_all_automatic() override {}
    void after_photo_deleted() override {}
};

QImage noise(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, QRandomGenerator::global()->generate() | 0xFF000000u);
    return image;
}

// `jpeg` with its frame header claiming `width` x `height`; the scan data stays that of the
// small picture it was encoded from.
QByteArray claiming(QByteArray jpeg, int width, int height) {
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

TEST(PhotoListAdd, RefusesPhotosThatCannotServeAndNamesEachInOneMessage) {
    test::TempFolder folder;
    const QByteArray small = jpeg_with(QImage(16, 16, QImage::Format_RGB32));
    const QByteArray camera = jpeg_with(noise(200, 150));
    ASSERT_GT(camera.size(), 3000);
    QByteArray stray_bytes = camera;
    stray_bytes.insert(stray_bytes.size() - 2, QByteArray(3, '\0')); // as some cameras write
    struct Case {
        const char* name;
        QByteArray bytes;
        bool added;
    } cases[] = {
        {"camera.jpg", camera, true},
        {"twenty to one.jpg", jpeg_with(QImage(400, 20, QImage::Format_RGB32)), true},
        {"one to twenty.jpg", jpeg_with(QImage(20, 400, QImage::Format_RGB32)), true},
        {"trailing data.jpg", camera + QByteArray(500, 'x'), true},
        {"stray bytes.jpg", stray_bytes, true},
        {"cut at 1000.jpg", camera.left(1000), false},
        {"cut in half.jpg", camera.left(camera.size() / 2), false},
        {"claims 65500.jpg", claiming(small, 65500, 65500), false},
        {"claims 2000.jpg", claiming(small, 2000, 2000), false},
        {"strip 8000x4.jpg", jpeg_with(QImage(8000, 4, QImage::Format_RGB32)), false},
        {"twenty-one to one.jpg", jpeg_with(QImage(420, 20, QImage::Format_RGB32)), false},
        {"one to twenty-one.jpg", jpeg_with(QImage(20, 420, QImage::Format_RGB32)), false},
    };
    QStringList files;
    for (const Case& c : cases)
        files.append(folder.write(QString::fromUtf8(c.name), c.bytes));

    Album album;
    AppState state;
    ScriptedUi ui;
    NoEffects effects;
    PhotoList list(album, state, ui, [](int) { return 0; }, effects);
    const AppendResult result = list.append_files(files);

    QStringList added;
    for (const PhotoEntry& photo : album.photos)
        added.append(photo.name + photo.format);
    ASSERT_EQ(ui.messages.size(), 1u) << "every refusal of one addition in one message";
    const QString message = ui.messages[0].text;
    for (const Case& c : cases) {
        const QString name = QString::fromUtf8(c.name);
        EXPECT_EQ(added.contains(name), c.added) << c.name;
        EXPECT_NE(message.contains(name), c.added) << c.name << "\n" << message.toStdString();
    }
    EXPECT_EQ(result.added, 5);
    EXPECT_EQ(result.too_large, QStringList{files[7]});
    EXPECT_EQ(result.too_narrow, (QStringList{files[9], files[10], files[11]}));
    EXPECT_TRUE(message.contains(QStringLiteral("2亿像素")));
    EXPECT_TRUE(message.contains(QStringLiteral("20比1")));
}

TEST(PhotoListAdd, NamesAFileWhoseNameIsNotUtf8Escaped) {
    test::TempFolder folder;
    const QString broken = path_from_native(QFile::encodeName(folder.path()) + "/caf\xE9.jpg");
    std::FILE* out = std::fopen(native_path(broken).constData(), "wb");
    ASSERT_TRUE(out);
    std::fputs("not a photo", out);
    std::fclose(out);
    Album album;
    AppState state;
    ScriptedUi ui;
    NoEffects effects;
    PhotoList list(album, state, ui, [](int) { return 0; }, effects);
    list.append_files({broken});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("caf\\xE9.jpg"))) << ui.messages[0].text.toStdString();
    std::remove(native_path(broken).constData()); // QTemporaryDir cannot see it to remove it
}

TEST(ThumbnailService, RendersOnlyThePartAskedFor) {
    test::TempFolder folder;
    // Lying on its side in the file, upright on screen: the part is taken in display orientation.
    const QImage upright = test::quadrant_picture(40, 60);
    const QString path = folder.write("p.jpg", jpeg_with(upright.transformed(QTransform().rotate(-90)),
                                                         test::exif_segment(6)));
    const ThumbnailService thumbnails;
    struct Case {
        QRectF part;
        QColor colour;
    } cases[] = {
        {{0, 0, 0.5, 0.5}, test::kTopLeft},
        {{0.5, 0, 0.5, 0.5}, test::kTopRight},
        {{0, 0.5, 0.5, 0.5}, test::kBottomLeft},
        {{0.6, 0.6, 0.3, 0.3}, test::kBottomRight},
    };
    for (const Case& c : cases) {
        const Thumbnail t = thumbnails.render_part(path, c.part, QSize(300, 200));
        ASSERT_FALSE(t.failed);
        ASSERT_EQ(t.image.size(), QSize(300, 200));
        for (const QPoint p : {QPoint(20, 20), QPoint(280, 180), QPoint(150, 100)})
            EXPECT_TRUE(test::near(t.image.pixelColor(p), c.colour)) << c.part.x() << "," << c.part.y();
    }
    EXPECT_TRUE(thumbnails.render_part(path, QRectF(1.5, 0, 1, 1), QSize(10, 10)).failed) << "nothing of it";
}

} // namespace
} // namespace velmora
