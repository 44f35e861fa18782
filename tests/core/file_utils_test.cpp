#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

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

} // namespace
} // namespace velmora
