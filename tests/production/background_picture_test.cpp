// The background panel of a template: covered by its picture, rendered only where it shows.
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "core/data_error.h"
#include "production/album_workspace.h"
#include "support/memory_limit.h"
#include "support/test_support.h"
#include "templates/photo_fixtures.h"

namespace velmora {
namespace {

BackgroundRow row_of(const QString& location, QSize size) {
    BackgroundRow row;
    row.picture_name = QStringLiteral("strip");
    row.location = location;
    row.width = size.width();
    row.height = size.height();
    return row;
}

// A strip 1000 times longer than wide covers a 1920 x 1080 panel at millions of pixels along
// it: only the part that shows may be scaled (the whole cover would take 4 to 8 GB).
TEST(BackgroundPicture, ALongStripIsCutBeforeItIsScaled) {
    if (!test::kCanCapMemory)
        GTEST_SKIP() << "the address space cannot be capped under AddressSanitizer";
    test::TempFolder folder;
    const ThumbnailService thumbnails;
    struct Case {
        const char* what;
        QSize photo;
        QColor left, right; // a quarter of the way in from each side, a quarter down
    } cases[] = {
        // Centred: the middle of the strip, across the border of its left and right halves.
        {"wide", {8000, 8}, test::kTopLeft, test::kTopRight},
        // Aligned to the top: the first rows of the strip, its top quadrants.
        {"tall", {8, 8000}, test::kTopLeft, test::kTopRight},
    };
    for (const Case& c : cases) {
        const QString photo = folder.write(QString::fromLatin1(c.what) + ".jpg",
                                           test::jpeg_with(test::quadrant_picture(c.photo.width(), c.photo.height())));
        // Rendered and judged in a child whose memory is capped (started afresh: Qt's threads
        // would not survive a plain fork).
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        EXPECT_EXIT(
            {
                test::cap_memory(1LL << 30);
                const QImage panel = background_picture(row_of(photo, c.photo), QSize(1920, 1080), thumbnails);
                const bool shown = panel.size() == QSize(1920, 1080) &&
                                   test::near(panel.pixelColor(480, 270), c.left) &&
                                   test::near(panel.pixelColor(1440, 270), c.right);
                QDir(folder.path()).removeRecursively(); // the child's own fixture; no destructor runs
                std::_Exit(shown ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << c.what;
    }
}

TEST(BackgroundPicture, APictureThatNoLongerDecodesFailsNamingIt) {
    test::TempFolder folder;
    const QString photo = folder.write("sea.jpg", test::jpeg_with(test::quadrant_picture(160, 90)));
    const ThumbnailService thumbnails;
    EXPECT_NO_THROW(background_picture(row_of(photo, {160, 90}), QSize(320, 180), thumbnails));
    QFile::remove(photo);
    try {
        background_picture(row_of(photo, {160, 90}), QSize(320, 180), thumbnails);
        ADD_FAILURE() << "a blank panel stood in for the picture";
    } catch (const DataError& e) {
        EXPECT_TRUE(e.message().contains(photo)) << e.what();
    }
}

} // namespace
} // namespace velmora
