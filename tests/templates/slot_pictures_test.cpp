#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include "core/data_error.h"
#include "core/jpeg_writer.h"
#include "core/system_settings.h"
#include "support/memory_limit.h"
#include "support/test_support.h"
#include "templates/album_fixture.h"
#include "templates/photo_fixtures.h"
#include "templates/slot_picture_layout.h"
#include "templates/slot_pictures.h"
#include "templates/used_templates.h"

namespace velmora {
namespace {

using test::kBottomLeft;
using test::kBottomRight;
using test::kTopLeft;
using test::kTopRight;
using test::near;

const QColor kBlue{0, 0, 255};
const QColor kWhite{255, 255, 255};

// The mixed template of most cases: two slots, a derived picture of the first and a picture
// naming no slot, which repeats the picture before it.
const test::TemplateFixture kMixed{QStringLiteral("mix"), QStringLiteral("|heng|shu|heng|heng|"),
                                   QStringLiteral("|picture_1|picture_2|picture_1_b|cover_a_b|"),
                                   QStringLiteral("|960|540|480|1920|"), QStringLiteral("|540|960|270|1080|")};
const test::TemplateFixture kLandscape{QStringLiteral("land"), QStringLiteral("|heng|"), QStringLiteral("|picture_1|"),
                                       QStringLiteral("|1920|"), QStringLiteral("|1080|")};
const test::TemplateFixture kPortrait{QStringLiteral("port"), QStringLiteral("|shu|"), QStringLiteral("|picture_1|"),
                                      QStringLiteral("|608|"), QStringLiteral("|1080|")};

QImage solid(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// One used template of `fixture` in an album whose photos are real JPEG files, and the play
// folder the pictures go to.
struct TemplateAlbum {
    test::TempFolder folder;
    TemplateCatalogue catalogue;
    Album album;
    SystemSettings settings;
    ThumbnailService thumbnails;
    QString play;

    TemplateAlbum(const test::TemplateFixture& fixture, const QString& category)
        : catalogue(test::make_catalogue({fixture})), play(folder.file(QStringLiteral("play"))) {
        QDir().mkpath(play);
        const BackgroundPool no_pool;
        add_used_template(album, catalogue, test::list_row(catalogue, fixture.name, category), true, no_pool,
                          [](int) { return 0; });
    }

    // Writes `image` as a photo file and puts it into slot row `slot` with its default placement.
    void put(int slot, const QString& name, const QImage& image) { put_file(slot, name, test::jpeg_with(image), image.size()); }
    void put_file(int slot, const QString& name, const QByteArray& content, QSize measured) {
        PhotoEntry photo = test::make_photo(name, measured.width(), measured.height());
        photo.location = folder.write(name + QStringLiteral(".jpg"), content);
        album.photos.push_back(photo);
        match_photo_to_slot(album, slot, int(album.photos.size()) - 1, settings);
    }

    SlotPicturesResult compose(QSize reference, CropMark option = CropMark::FullScreen, const StopRequest& stop = {}) {
        return compose_slot_pictures(album, catalogue, 0, reference, option, play, thumbnails, stop);
    }
    QImage picture(const QString& name) const { return QImage(QDir(play).filePath(name + QStringLiteral(".jpg"))); }
    QStringList files() const { return QDir(play).entryList(QDir::Files, QDir::Name); }
};

// Whether `image` shows the four quadrants of test::quadrant_picture over its whole area.
void expect_quadrants(const QImage& image) {
    ASSERT_FALSE(image.isNull());
    const int w = image.width(), h = image.height();
    EXPECT_TRUE(near(image.pixelColor(w / 4, h / 4), kTopLeft));
    EXPECT_TRUE(near(image.pixelColor(3 * w / 4, h / 4), kTopRight));
    EXPECT_TRUE(near(image.pixelColor(w / 4, 3 * h / 4), kBottomLeft));
    EXPECT_TRUE(near(image.pixelColor(3 * w / 4, 3 * h / 4), kBottomRight));
}

TEST(SlotPictures, DerivedPicturesRepeatTheirSlotsPhotoAtTheirOwnSize) {
    TemplateAlbum t(kMixed, QStringLiteral("综合模板"));
    ASSERT_EQ(t.album.slot_rows.size(), 2u);
    t.put(0, QStringLiteral("a"), test::quadrant_picture(1600, 900));
    t.put(1, QStringLiteral("b"), solid(900, 1600, kBlue));

    struct Size {
        const char* name;
        QSize standard, high; // at 800 x 450 and 1920 x 1080
    };
    const Size sizes[] = {{"picture_1", {400, 225}, {960, 540}},
                          {"picture_2", {225, 400}, {540, 960}},
                          {"picture_1_b", {200, 112}, {480, 270}},
                          {"cover_a_b", {800, 450}, {1920, 1080}}};
    for (const QSize reference : {QSize(800, 450), QSize(1920, 1080)}) {
        SCOPED_TRACE(reference.width());
        const SlotPicturesResult result = t.compose(reference);
        EXPECT_FALSE(result.stopped);
        ASSERT_EQ(result.written.size(), 4);
        // Only the final pictures are left in the play folder.
        EXPECT_EQ(t.files(), QStringList({"cover_a_b.jpg", "picture_1.jpg", "picture_1_b.jpg", "picture_2.jpg"}));
        for (const Size& s : sizes)
            EXPECT_EQ(t.picture(QString::fromLatin1(s.name)).size(), reference.width() == 800 ? s.standard : s.high)
                << s.name;
        expect_quadrants(t.picture(QStringLiteral("picture_1")));
        expect_quadrants(t.picture(QStringLiteral("picture_1_b")));
        expect_quadrants(t.picture(QStringLiteral("cover_a_b")));
        const QImage second = t.picture(QStringLiteral("picture_2"));
        EXPECT_TRUE(near(second.pixelColor(second.width() / 2, second.height() / 2), kBlue));
    }
}

TEST(SlotPictures, PlacementOnTheCanvasAndTheFirstPictureWithoutASlot) {
    // The first picture names no slot: it is the last slot's photo file itself, while the slot
    // picture shows the photo moved right by its placement, white on its left.
    const test::TemplateFixture fixture{QStringLiteral("framed"), QStringLiteral("|heng|heng|"),
                                        QStringLiteral("|frame_a_b|picture_1|"), QStringLiteral("|1920|960|"),
                                        QStringLiteral("|1080|540|")};
    TemplateAlbum t(fixture, QStringLiteral("综合模板"));
    t.put(0, QStringLiteral("a"), test::quadrant_picture(1600, 900));
    t.album.slot_rows[0].jiancai_left_x = 480;
    t.compose({800, 450});

    expect_quadrants(t.picture(QStringLiteral("frame_a_b")));
    const QImage slot = t.picture(QStringLiteral("picture_1"));
    ASSERT_EQ(slot.size(), QSize(400, 225));
    EXPECT_TRUE(near(slot.pixelColor(90, 50), kWhite));
    EXPECT_TRUE(near(slot.pixelColor(300, 50), kTopLeft)); // photo x 240 of 960: its left half
    EXPECT_TRUE(near(slot.pixelColor(300, 180), kBottomLeft));
}

TEST(SlotPictures, LandscapeTemplatesFillTheMovieOrShowTheWholePhoto) {
    TemplateAlbum t(kLandscape, QStringLiteral("横照模板"));
    // 4:3 covers the 1920 x 1080 frame at 1920 x 1440 from the top; the bottom quarter is cut.
    t.put(0, QStringLiteral("c"), test::quadrant_picture(1600, 1200));

    t.compose({800, 450}, CropMark::FullScreen);
    const QImage full = t.picture(QStringLiteral("picture_1"));
    ASSERT_EQ(full.size(), QSize(800, 450));
    EXPECT_TRUE(near(full.pixelColor(200, 100), kTopLeft));
    EXPECT_TRUE(near(full.pixelColor(600, 100), kTopRight));
    EXPECT_TRUE(near(full.pixelColor(200, 420), kBottomLeft));

    // Fitted: the whole photo at 1440 x 1080, written at 600 x 450.
    t.compose({800, 450}, CropMark::Fitted);
    expect_quadrants(t.picture(QStringLiteral("picture_1")));
    EXPECT_EQ(t.picture(QStringLiteral("picture_1")).size(), QSize(600, 450));
    t.compose({1920, 1080}, CropMark::Fitted);
    EXPECT_EQ(t.picture(QStringLiteral("picture_1")).size(), QSize(1440, 1080));
}

TEST(SlotPictures, PortraitTemplatesKeepTheCanvasProportions) {
    TemplateAlbum t(kPortrait, QStringLiteral("竖照模板"));
    // Fitted 607 x 1080 at x 1 in the 608-wide slot: canvas 609 x 1080.
    t.put(0, QStringLiteral("d"), test::quadrant_picture(900, 1600));
    t.compose({800, 450});
    EXPECT_EQ(t.picture(QStringLiteral("picture_1")).size(), QSize(253, 450));
    t.compose({1920, 1080});
    expect_quadrants(t.picture(QStringLiteral("picture_1")));
    EXPECT_EQ(t.picture(QStringLiteral("picture_1")).size(), QSize(609, 1080));
}

TEST(SlotPictures, APhotoThatNoLongerDecodesStopsTheCompositionNamingIt) {
    TemplateAlbum t(kMixed, QStringLiteral("综合模板"));
    t.put(0, QStringLiteral("a"), test::quadrant_picture(1600, 900));
    t.put(1, QStringLiteral("b"), solid(900, 1600, kBlue));
    const QByteArray whole = test::read_file(t.album.photos[0].location);
    const auto expect_refused = [&](const char* what) {
        try {
            t.compose({800, 450});
            ADD_FAILURE() << what << ": composed with a blank box";
        } catch (const DataError& e) {
            EXPECT_TRUE(e.message().contains(t.album.photos[0].location)) << what << ": " << e.what();
        }
    };
    t.folder.write(QStringLiteral("a.jpg"), QByteArray("\xFF\xD8 not really a photo"));
    expect_refused("replaced by something else");
    t.folder.write(QStringLiteral("a.jpg"), whole.left(whole.size() / 2));
    expect_refused("cut short");
    QFile::remove(t.album.photos[0].location);
    expect_refused("removed");
}

// A photo 1000 times wider than high covers a 1920 x 1080 slot at 1,080,000 x 1080: only the
// part that shows may be scaled, never the whole placement (4 GB).
TEST(SlotPictures, APhotoFarLongerThanItsSlotIsCutBeforeItIsScaled) {
    if (!test::kCanCapMemory)
        GTEST_SKIP() << "the address space cannot be capped under AddressSanitizer";
    TemplateAlbum t(kLandscape, QStringLiteral("横照模板"));
    t.put(0, QStringLiteral("strip"), test::quadrant_picture(8000, 8));
    ASSERT_EQ(t.album.slot_rows[0].jiancai_width, 1080000);
    // Composed and judged in a child whose memory is capped (started afresh: Qt's threads
    // would not survive a plain fork).
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            test::cap_memory(1LL << 30);
            t.compose({1920, 1080});
            const QImage p = t.picture(QStringLiteral("picture_1"));
            const int w = p.width();
            const int h = p.height();
            const bool shown = p.size() == QSize(1920, 1080) && near(p.pixelColor(w / 4, h / 4), kTopLeft) &&
                               near(p.pixelColor(3 * w / 4, h / 4), kTopRight) &&
                               near(p.pixelColor(w / 4, 3 * h / 4), kBottomLeft) &&
                               near(p.pixelColor(3 * w / 4, 3 * h / 4), kBottomRight);
            QDir(t.folder.path()).removeRecursively(); // the child's own fixture; no destructor runs
            std::_Exit(shown ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(SlotPictures, StopRequestAbandonsBeforeTheNextRendering) {
    TemplateAlbum t(kMixed, QStringLiteral("综合模板"));
    t.put(0, QStringLiteral("a"), test::quadrant_picture(1600, 900));
    t.put(1, QStringLiteral("b"), solid(900, 1600, kBlue));
    int asked = 0;
    // Two canvases and the first picture are rendered; the fourth request stops.
    const SlotPicturesResult result = t.compose({800, 450}, CropMark::FullScreen, [&] { return ++asked > 3; });
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(t.files(), QStringList({"picture_1.jpg"}));
}

TEST(SlotPictures, NamesThatLeaveThePlayFolderAreRefused) {
    const test::TemplateFixture fixture{QStringLiteral("escape"), QStringLiteral("|heng|heng|"),
                                        QStringLiteral("|picture_1|../picture_1_x|"), QStringLiteral("|960|960|"),
                                        QStringLiteral("|540|540|")};
    TemplateAlbum t(fixture, QStringLiteral("综合模板"));
    t.put(0, QStringLiteral("a"), test::quadrant_picture(1600, 900));
    const SlotPicturesResult result = t.compose({800, 450});
    EXPECT_EQ(result.refused_names, QStringList({"../picture_1_x"}));
    EXPECT_EQ(t.files(), QStringList({"picture_1.jpg"}));
    EXPECT_FALSE(QFile::exists(t.folder.file(QStringLiteral("picture_1_x.jpg"))));
}

TEST(SlotPictures, AUsedRowThatDoesNotExistWritesNothing) {
    TemplateAlbum t(kMixed, QStringLiteral("综合模板"));
    const SlotPicturesResult result =
        compose_slot_pictures(t.album, t.catalogue, 5, {800, 450}, CropMark::FullScreen, t.play, t.thumbnails);
    EXPECT_TRUE(result.written.isEmpty());
    EXPECT_TRUE(t.files().isEmpty());
}

TEST(SlotPictureLayout, CanvasPerCategory) {
    SlotRow slot;
    slot.mobanchicun_width = 960;
    slot.mobanchicun_height = 540;
    slot.jiancai_left_x = -10;
    slot.jiancai_top_y = -5;
    slot.jiancai_width = 980;
    slot.jiancai_height = 551;
    slot.shizhong_jiancai_left_x = 1;
    slot.shizhong_jiancai_top_x = 0;
    slot.shizhong_jiancai_width = 607;
    slot.shizhong_jiancai_height = 1080;
    SlotRow unsized = slot;
    unsized.mobanchicun_width = 0;
    unsized.mobanchicun_height = 0;
    struct Case {
        const char* what;
        const SlotRow& slot;
        TemplateCategory category;
        CropMark option;
        QSize photo;
        QSize canvas;
        QRect drawn;
    };
    const QRect full{-10, -5, 980, 551};
    const Case cases[] = {
        {"mixed: the slot size", slot, TemplateCategory::Mixed, CropMark::Fitted, {}, {960, 540}, full},
        {"mixed without size: the frame", unsized, TemplateCategory::Mixed, CropMark::FullScreen, {}, {1920, 1080}, full},
        {"landscape full screen: the frame", slot, TemplateCategory::Landscape, CropMark::FullScreen, {}, {1920, 1080},
         full},
        {"landscape fitted 4:3", slot, TemplateCategory::Landscape, CropMark::Fitted, {1600, 1200}, {1440, 1080},
         {0, 0, 1440, 1080}},
        {"landscape fitted panorama", slot, TemplateCategory::Landscape, CropMark::Fitted, {4000, 1000}, {1920, 480},
         {0, 0, 1920, 480}},
        {"landscape fitted square", slot, TemplateCategory::Landscape, CropMark::Fitted, {1000, 1000}, {1080, 1080},
         {0, 0, 1080, 1080}},
        {"landscape fitted portrait photo", slot, TemplateCategory::Landscape, CropMark::Fitted, {900, 1600},
         {607, 1080}, {0, 0, 607, 1080}},
        {"portrait: fitted width and both margins", slot, TemplateCategory::Portrait, CropMark::FullScreen, {},
         {609, 1080}, {1, 0, 607, 1080}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SlotCanvas canvas = slot_canvas(c.slot, c.category, c.option, c.photo);
        EXPECT_EQ(canvas.canvas, c.canvas);
        EXPECT_EQ(canvas.photo, c.drawn);
    }
}

TEST(SlotPictureLayout, FinalSizes) {
    struct Case {
        TemplateCategory category;
        CropMark option;
        QSize reference, canvas, listed, size;
    };
    const Case cases[] = {
        {TemplateCategory::Mixed, CropMark::FullScreen, {800, 450}, {}, {960, 540}, {400, 225}},
        {TemplateCategory::Mixed, CropMark::FullScreen, {800, 450}, {}, {480, 270}, {200, 112}},
        {TemplateCategory::Mixed, CropMark::FullScreen, {1920, 1080}, {}, {960, 540}, {960, 540}},
        {TemplateCategory::Mixed, CropMark::FullScreen, {800, 450}, {}, {0, 0}, {800, 450}},
        {TemplateCategory::Landscape, CropMark::FullScreen, {800, 450}, {1920, 1080}, {}, {800, 450}},
        {TemplateCategory::Landscape, CropMark::Fitted, {800, 450}, {1440, 1080}, {}, {600, 450}},
        {TemplateCategory::Portrait, CropMark::FullScreen, {800, 450}, {609, 1080}, {}, {253, 450}},
        {TemplateCategory::Portrait, CropMark::Fitted, {1920, 1080}, {609, 1080}, {}, {609, 1080}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(final_picture_size(c.category, c.option, c.reference, c.canvas, c.listed), c.size);
}

TEST(SlotPictureLayout, SourceOfAPicture) {
    const QStringList slots_in_order{"picture_10", "", "picture_1", "picture_2"};
    struct Case {
        const char* name;
        std::optional<int> source;
    };
    const Case cases[] = {
        {"picture_1", 2},
        {"picture_1_b", 2},
        {"picture_10", 0},    // not picture_1, which also occurs in it
        {"picture_10_b", 0},
        {"picture_2_picture_1", 3}, // equally long: the last slot
        {"cover_a_b", std::nullopt}, // the empty name of an unnamed slot matches nothing
    };
    for (const Case& c : cases)
        EXPECT_EQ(picture_source(slots_in_order, QString::fromLatin1(c.name)), c.source) << c.name;
    EXPECT_FALSE(is_plain_picture_name(QStringLiteral("..")));
    EXPECT_FALSE(is_plain_picture_name(QStringLiteral("a\\b")));
    EXPECT_FALSE(is_plain_picture_name(QString()));
    EXPECT_TRUE(is_plain_picture_name(QStringLiteral("picture_1_b")));
}

} // namespace
} // namespace velmora
