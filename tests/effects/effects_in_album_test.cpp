#include <gtest/gtest.h>
#include <QPainter>
#include <atomic>
#include <chrono>
#include <thread>

#include "core/scripted_ui.h"
#include "effects/auto_text_placement.h"
#include "effects/effect_album.h"
#include "effects/effect_fixture.h"
#include "effects/effect_layer.h"
#include "templates/photo_list.h"

namespace velmora {
namespace {

// The rectangle of pixels that are not black.
QRect lit_rect(const QImage& frame) {
    QRect r;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if ((frame.pixel(x, y) & 0xFFFFFF) != 0)
                r |= QRect(x, y, 1, 1);
    return r;
}

QImage frame_with_effects(EffectLayer& layer, QSize size, int album_frame) {
    QImage frame(size, QImage::Format_RGB32);
    frame.fill(Qt::black);
    QPainter painter(&frame);
    layer.paint_effects(painter, size, album_frame);
    return frame;
}

TEST(EffectLayer, OverlaysScaleByRenderSizeOver1920x1080AndTextPositionsByTheCanvas) {
    struct Case {
        QSize render;
        QRect picture;
        QRect text;
    };
    const Case cases[] = {
        {{800, 450}, {0, 0, 400, 225}, {400, 225, 80, 45}},
        {{1920, 1080}, {0, 0, 960, 540}, {960, 540, 192, 108}},
    };
    test::TempFolder dir;
    const DataRoot root(dir.path());
    // A picture effect whose visible part is the top-left quarter, and a text effect at the centre.
    test::install_effect(root, EffectId::picture(1), {.production_size = {1920, 1080}, .production_box = {0, 0, 960, 540}});
    test::install_effect(root, EffectId::text(1, 1), {.production_size = {192, 108}});
    PictureEffectTable pictures;
    pictures.append({.frame_count = 3, .start = "00:00:00", .number = 0});
    TextEffectTable texts;
    texts.append({.frame_count = 3, .start = "00:00:00", .number = 0, .x = 400, .y = 225, .category = 1});
    for (const Case& c : cases) {
        for (bool picture : {true, false}) {
            const PictureEffectTable only_pictures = picture ? pictures : PictureEffectTable{};
            const TextEffectTable only_texts = picture ? TextEffectTable{} : texts;
            EffectLayer layer(root, only_pictures, only_texts);
            layer.album_started();
            EXPECT_EQ(lit_rect(frame_with_effects(layer, c.render, 1)), picture ? c.picture : c.text)
                << c.render.width() << (picture ? " picture" : " text");
            EXPECT_TRUE(lit_rect(frame_with_effects(layer, c.render, 2)).isEmpty()) << "hidden on its last frame";
        }
    }
    // The preview pictures are drawn for the effect canvas: at 800 x 450 they lie as stored.
    const PictureEffectTable no_pictures;  // the layer reads its tables for as long as it lives
    EffectLayer preview(root, no_pictures, texts, FrameSet::Preview);
    preview.album_started();
    EXPECT_EQ(lit_rect(frame_with_effects(preview, {800, 450}, 1)), QRect(400, 225, 40, 20));
}

TEST(EffectLayer, EffectsStackInTheOrderTheyStarted) {
    test::TempFolder dir;
    const DataRoot root(dir.path());
    test::install_effect(root, EffectId::text(1, 1), {.frame_count = "60", .production_size = {96, 96}, .colour = Qt::blue});
    test::install_effect(root, EffectId::text(1, 2), {.frame_count = "60", .production_size = {96, 96}, .colour = Qt::green});
    test::install_effect(root, EffectId::picture(1), {.frame_count = "60", .production_size = {96, 96}, .colour = Qt::red});
    PictureEffectTable pictures;
    pictures.append({.frame_count = 60, .start = "00:00:00", .number = 0});
    TextEffectTable texts;
    texts.append({.frame_count = 60, .start = "00:00:01", .number = 0, .category = 1});  // blue, later
    texts.append({.frame_count = 60, .start = "00:00:00", .number = 1, .category = 1});  // green
    EffectLayer layer(root, pictures, texts, FrameSet::Production, /*cache_bytes=*/64 * 1024);
    layer.album_started();
    EXPECT_EQ(frame_with_effects(layer, {1920, 1080}, 10).pixelColor(40, 40), QColor(Qt::green))
        << "a text effect lies above a picture effect of the same start";
    for (int frame = 11; frame < 30; ++frame)
        frame_with_effects(layer, {1920, 1080}, frame);
    EXPECT_EQ(frame_with_effects(layer, {1920, 1080}, 30).pixelColor(40, 40), QColor(Qt::blue))
        << "the effect that started last lies on top";
}

// Two matched templates, one photo each, with automatic effects placed on both.
TEST(EffectsAndPhotos, DeletingAPhotoTakesItsTemplatesEffectsAndRetimesTheRest) {
    test::TempFolder dir;
    const DataRoot root(dir.path());
    test::install_effect(root, EffectId::text(1, 1), {.marks = "A"});
    test::EffectAlbum a({{.frames = 300, .wxcs01 = "|30|", .wxcs02 = "|A|"}, {.frames = 200, .wxcs01 = "|60|", .wxcs02 = "|A|"}});
    for (int r = 0; r < 2; ++r) {
        PhotoEntry photo;
        photo.width = 400;
        photo.height = 300;
        a.album.photos.push_back(photo);
        a.album.slot_rows[std::size_t(r)].matched = true;
        a.album.slot_rows[std::size_t(r)].photo_row = r;
    }
    TextEffectLists lists(a.album, a.catalogue);
    auto_text_effects({}, a.album, a.catalogue, root, [](int) { return 0; }, QTime(10, 0), lists);
    ASSERT_EQ(lists.table().size(), 2);
    EXPECT_EQ(lists.table().at(1).start, QStringLiteral("00:00:14"));   // 300 + 60 frames

    AppState state;
    ScriptedUi ui;
    ui.default_confirm = true;
    PhotoList photos(a.album, state, ui, [](int) { return 0; }, lists);
    ASSERT_TRUE(photos.delete_photo(0));
    ASSERT_EQ(lists.table().size(), 1);
    EXPECT_EQ(lists.table().at(0).auto_tag, QStringLiteral("100000_1"));
    // The first template is no longer matched: the second's effect starts 60 frames in.
    EXPECT_EQ(lists.table().at(0).start, QStringLiteral("00:00:02"));
    EXPECT_EQ(lists.table().view_row(0).start, QStringLiteral("00:00:02"));
    EXPECT_TRUE(a.album.slot_rows[0].effect_mark.isEmpty());
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text, QStringLiteral("此张照片文件删除后,自动匹配到相关模板中的文字特效也已经删除!！"));
}

} // namespace
} // namespace velmora

namespace velmora {
namespace {

TEST(EffectFrameCache, DecodesAheadOnItsWorkerWithinItsBudgetAndLetsGoOfWhatIsNoLongerWanted) {
    std::atomic<int> on_worker{0};
    const auto caller = std::this_thread::get_id();
    // Each frame 100 x 100 premultiplied pixels: 40000 bytes; the budget holds three.
    EffectFrameCache cache(
        [&](const EffectFrameKey& key) {
            if (std::this_thread::get_id() != caller)
                ++on_worker;
            QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
            image.fill(qRgba(key.file, 0, 0, 255));
            return CroppedFrame{image, {}};
        },
        3 * 40000);
    std::vector<EffectFrameKey> wanted;
    for (int file = 1; file <= 10; ++file)
        wanted.push_back({0, file});
    cache.ahead(wanted);
    for (int i = 0; i < 2000 && on_worker < 3; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(on_worker, 3) << "the worker stops at the budget";
    EXPECT_EQ(cache.bytes(), 3 * 40000);
    EXPECT_EQ(qRed(cache.get({0, 2}).image.pixel(0, 0)), 2);
    EXPECT_EQ(qRed(cache.get({0, 9}).image.pixel(0, 0)), 9) << "decoded on the caller when not held";
    cache.ahead({});   // nothing more to decode, so freed room stays free
    cache.retain([](const EffectFrameKey& key) -> std::optional<int> {
        return key.file == 9 ? std::optional<int>(100) : key.file == 1 ? std::optional<int>(50) : std::nullopt;
    });
    EXPECT_EQ(cache.bytes(), 2 * 40000) << "frames needed again are kept, the others let go";
    EXPECT_EQ(qRed(cache.get({0, 1}).image.pixel(0, 0)), 1);
}

TEST(EffectFrameCache, CropsToTheVisiblePart) {
    QImage image(50, 40, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixelColor(10, 5, Qt::red);
    image.setPixelColor(20, 30, Qt::red);
    const CroppedFrame frame = crop_to_visible(image);
    EXPECT_EQ(frame.offset, QPoint(10, 5));
    EXPECT_EQ(frame.image.size(), QSize(11, 26));
    image.fill(Qt::transparent);
    EXPECT_TRUE(crop_to_visible(image).image.isNull());
}

} // namespace
} // namespace velmora
