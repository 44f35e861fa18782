#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include "core/bitmap_file.h"
#include "core/data_error.h"
#include "core/file_utils.h"
#include "support/test_support.h"

namespace velmora {
namespace {

QStringList relative_to(const QString& base, const QStringList& paths) {
    QStringList out;
    for (const QString& p : paths)
        out.append(QDir(base).relativeFilePath(p));
    return out;
}

TEST(ScanPacked, TakesExactExtensionsInNameOrderWithSubFoldersInPlace) {
    test::TempFolder dir;
    for (const char* name : {"a.rar", "B.RAR", "c.Rar", "d.txt", "m/x.rar", "m/n/y.RAR", "m/z.rar", "q.rar",
                             "rar", "e.rar.bak"})
        dir.write(name, "x");

    QStringList list{"already listed"};
    scan_packed(dir.path(), list);
    ASSERT_EQ(list.takeFirst(), "already listed") << "scan appends";
    EXPECT_EQ(relative_to(dir.path(), list), (QStringList{"B.RAR", "a.rar", "m/n/y.RAR", "m/x.rar", "m/z.rar", "q.rar"}));
    EXPECT_EQ(count_packed(dir.path()), 6);
    EXPECT_EQ(count_packed(dir.file("missing")), 0);
}

TEST(DeleteTree, RemovesEverythingAndStepsOncePerEntry) {
    test::TempFolder dir;
    for (const char* name : {"t/a", "t/b", "t/s/c", "t/s/u/d"})
        dir.write(name, "x");
    int steps = 0;
    delete_tree(dir.file("t"), [&] { ++steps; });
    EXPECT_FALSE(QFileInfo::exists(dir.file("t")));
    EXPECT_EQ(steps, 6) << "a, b, c, d, u and s";

    EXPECT_NO_THROW(delete_tree(dir.file("never-there")));
    delete_tree(dir.file("never-there"), [&] { ++steps; });
    EXPECT_EQ(steps, 6);
}

TEST(FileSize, ReportsBytesOrMinusOne) {
    test::TempFolder dir;
    EXPECT_EQ(file_size(dir.write("empty", "")), 0);
    EXPECT_EQ(file_size(dir.write("five", "12345")), 5);
    EXPECT_EQ(file_size(dir.file("missing")), -1);
    EXPECT_EQ(file_size(dir.path()), -1) << "a folder is not a file";
}

TEST(ReadAtMost, ReadsTheWholeFileOrStopsAtTheBoundAcrossChunks) {
    test::TempFolder dir;
    const QByteArray content(200 * 1024 + 7, 'x');  // several read chunks
    const QString path = dir.write("big", content);
    struct Case { qint64 bound; qint64 expected; };
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{65536, 65536}, Case{content.size(), content.size()},
                         Case{content.size() + 1, content.size()}, Case{qint64(1) << 30, content.size()}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(read_at_most(file, c.bound), content.left(c.expected)) << "bound " << c.bound;
    }
}

TEST(BitmapFileToJpeg, WritesTheJpegUnderTheTargetNameWithJpgExtension) {
    test::TempFolder dir;
    QImage bitmap(64, 36, QImage::Format_RGB32);
    bitmap.fill(QColor(200, 40, 40));
    ASSERT_TRUE(bitmap.save(dir.file("frame.bmp"), "BMP"));
    int pumped = 0;

    const QString written = bitmap_file_to_jpeg(dir.file("frame.bmp"), dir.file("picture_0.bmp"), [&] { ++pumped; });

    EXPECT_EQ(written, dir.file("picture_0.jpg"));
    EXPECT_EQ(pumped, 1);
    const QByteArray bytes = test::read_file(written);
    ASSERT_TRUE(bytes.startsWith("\xFF\xD8")) << "a JPEG stream";
    const QImage back = QImage::fromData(bytes, "JPEG");
    ASSERT_EQ(back.size(), QSize(64, 36));
    const QColor centre = back.pixelColor(32, 18);
    EXPECT_NEAR(centre.red(), 200, 6);
    EXPECT_NEAR(centre.green(), 40, 6);
    EXPECT_NEAR(centre.blue(), 40, 6);
}

TEST(BitmapFileToJpeg, UnreadableBitmapWritesNothing) {
    test::TempFolder dir;
    dir.write("broken.bmp", "BM not really a bitmap");
    EXPECT_THROW(bitmap_file_to_jpeg(dir.file("broken.bmp"), dir.file("broken.bmp")), DataError);
    EXPECT_THROW(bitmap_file_to_jpeg(dir.file("missing.bmp"), dir.file("missing.bmp")), DataError);
    EXPECT_FALSE(QFile::exists(dir.file("broken.jpg")));
    EXPECT_FALSE(QFile::exists(dir.file("missing.jpg")));
}

TEST(BitmapFile, RoundTripsAndStaysReadableByOtherReaders) {
    test::TempFolder dir;
    QImage picture(37, 21, QImage::Format_ARGB32_Premultiplied); // odd sizes catch row mistakes
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 6, y * 12, 200 - x));
    write_bitmap(picture, dir.file("frame.bmp"));

    const QImage ours = read_bitmap(dir.file("frame.bmp"));
    const QImage theirs(dir.file("frame.bmp"), "BMP");
    ASSERT_EQ(ours.size(), picture.size());
    ASSERT_EQ(theirs.size(), picture.size());
    for (const QPoint at : {QPoint(0, 0), QPoint(36, 0), QPoint(0, 20), QPoint(36, 20), QPoint(17, 9)}) {
        EXPECT_EQ(ours.pixel(at), picture.pixel(at) | 0xff000000u) << at.x() << "," << at.y();
        EXPECT_EQ(theirs.pixel(at) & 0xffffffu, picture.pixel(at) & 0xffffffu) << at.x() << "," << at.y();
    }

    // A BMP from another writer (24-bit, bottom-up) still reads.
    ASSERT_TRUE(picture.convertToFormat(QImage::Format_RGB888).save(dir.file("other.bmp"), "BMP"));
    EXPECT_EQ(read_bitmap(dir.file("other.bmp")).pixel(36, 20) & 0xffffffu, picture.pixel(36, 20) & 0xffffffu);
    EXPECT_TRUE(read_bitmap(dir.file("missing.bmp")).isNull());
    dir.write("cut.bmp", test::read_file(dir.file("frame.bmp")).left(100));
    EXPECT_TRUE(read_bitmap(dir.file("cut.bmp")).isNull()) << "a file cut short is not read past its end";
    EXPECT_THROW(write_bitmap(picture, dir.file("no/such/folder/frame.bmp")), DataError);
}

} // namespace
} // namespace velmora
