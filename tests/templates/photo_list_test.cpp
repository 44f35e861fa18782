// The photo list: adding, the background pool, deleting and the delete requests.
#include <gtest/gtest.h>

#include "core/scripted_ui.h"
#include "support/test_support.h"
#include "templates/photo_fit.h"
#include "templates/photo_fixtures.h"
#include "templates/photo_list.h"
#include "templates/photo_template_preview.h"

namespace velmora {
namespace {

// Records what the photo list asks of the text-effect lists.
class RecordingEffects : public AutoTextEffects {
public:
    bool any_automatic() const override { return any; }
    void remove_marked(const QStringList& marks) override { removed_marks += marks; }
    void remove_all_automatic() override { ++removed_all; }
    void after_photo_deleted() override { ++retimed; }

    bool any = false;
    QStringList removed_marks;
    int removed_all = 0;
    int retimed = 0;
};

PhotoEntry photo(const QString& name, int width, int height) {
    PhotoEntry p;
    p.name = name;
    p.format = QStringLiteral(".jpg");
    p.width = width;
    p.height = height;
    p.location = QStringLiteral("/photos/") + name + p.format;
    return p;
}

SlotRow slot_holding(int used_row, std::optional<int> photo_row, const QString& mark = {}) {
    SlotRow s;
    s.used_row = used_row;
    s.matched = photo_row.has_value();
    s.photo_row = photo_row;
    s.photo_location = photo_row ? QStringLiteral("/photos/p%1.jpg").arg(*photo_row) : QString();
    s.jiancai_width = s.shizhong_jiancai_width = 800;
    s.jiancai_left_x = s.shizhong_jiancai_top_x = -50;
    s.crop_mark = CropMark::Fitted;
    s.effect_mark = mark;
    return s;
}

// A photo list over an album, with picks that always take the last pool row.
struct Fixture {
    Album album;
    AppState state;
    ScriptedUi ui;
    RecordingEffects effects;
    std::vector<int> pick_sizes;
    PhotoList list{album, state, ui, [this](int n) { pick_sizes.push_back(n); return n - 1; }, effects};
    test::TempFolder folder;

    QString jpeg(const QString& name, int width, int height, int orientation = 1) {
        return folder.write(name, test::jpeg_with(QImage(width, height, QImage::Format_RGB32),
                                                  orientation == 1 ? QByteArray() : test::exif_segment(orientation)));
    }
    QStringList messages() const {
        QStringList out;
        for (const auto& m : ui.messages)
            out.append(m.text);
        return out;
    }
};

TEST(PhotoListAdd, AppendsMeasuredPhotosAndSkipsUnreadableOnes) {
    Fixture f;
    const QStringList files = {
        f.jpeg("wide.JPG", 60, 40),
        f.folder.write("broken.jpg", "not a jpeg"),
        f.jpeg("lying.upright.jpeg", 60, 40, 6), // stored lying, displayed upright
        f.jpeg("square.jpg", 30, 30),
        f.folder.write("empty.jpg", {}),
    };
    const AppendResult result = f.list.append_files(files);
    EXPECT_EQ(result.added, 3);
    EXPECT_EQ(result.unreadable, (QStringList{files[1], files[4]}));
    ASSERT_EQ(f.album.photos.size(), 3u);
    const PhotoEntry& wide = f.album.photos[0];
    EXPECT_EQ(wide.name, "wide");
    EXPECT_EQ(wide.format, ".JPG");
    EXPECT_EQ(wide.location, files[0]);
    EXPECT_FALSE(wide.fitted);
    const PhotoEntry& lying = f.album.photos[1];
    EXPECT_EQ(lying.name, "lying.upright");
    EXPECT_EQ(lying.format, ".jpeg");
    EXPECT_EQ(QSize(lying.width, lying.height), QSize(40, 60));
    EXPECT_FALSE(lying.is_landscape());
    EXPECT_TRUE(f.album.photos[2].is_landscape());
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_TRUE(f.ui.messages[0].text.contains("broken.jpg"));
    EXPECT_TRUE(f.ui.messages[0].text.contains("empty.jpg"));
    EXPECT_EQ(f.ui.last_progress, 5);
    EXPECT_EQ(f.ui.last_progress_maximum, 5);
    EXPECT_EQ(f.ui.pumps, 5);
}

TEST(PhotoListAdd, StopsAtTheCapacityWithoutAMessage) {
    Fixture f;
    f.album.photos.assign(kPhotoCapacity - 5, photo("old", 4, 3));
    const QString one = f.jpeg("a.jpg", 16, 16);
    const AppendResult result = f.list.append_files(QStringList(10, one));
    EXPECT_EQ(result.added, 5);
    EXPECT_EQ(result.over_capacity, 5);
    EXPECT_EQ(int(f.album.photos.size()), kPhotoCapacity);
    EXPECT_TRUE(f.ui.messages.empty());
}

TEST(BackgroundPool, TakesLandscapeAndSquarePhotosAndFillsOnlyEmptyRows) {
    const std::vector<PhotoEntry> photos = {photo("wide", 4, 3), photo("tall", 3, 4), photo("square", 5, 5)};
    const BackgroundPool pool = build_background_pool(photos);
    ASSERT_EQ(pool.size(), 2u);
    EXPECT_EQ(pool[0].photo_row, 0);
    EXPECT_EQ(pool[1].photo_row, 2);
    EXPECT_EQ(pool[1].number(), 3);
    EXPECT_EQ(pool[1].name, "square");

    std::vector<BackgroundRow> backgrounds(3);
    backgrounds[1].picture_name = "kept";
    backgrounds[2].transparency = 40;
    std::vector<int> picks{1, 0};
    fill_empty_backgrounds(backgrounds, pool, [&](int n) {
        EXPECT_EQ(n, 2);
        const int p = picks.front();
        picks.erase(picks.begin());
        return p;
    });
    EXPECT_EQ(backgrounds[0].picture_name, "square");
    EXPECT_EQ(backgrounds[0].location, "/photos/square.jpg");
    EXPECT_EQ(QSize(backgrounds[0].width, backgrounds[0].height), QSize(5, 5));
    EXPECT_EQ(backgrounds[1].picture_name, "kept");
    EXPECT_EQ(backgrounds[2].picture_name, "wide");
    EXPECT_EQ(backgrounds[2].picture_format, ".jpg");
    EXPECT_EQ(backgrounds[2].transparency, 40);

    std::vector<BackgroundRow> untouched(1);
    fill_empty_backgrounds(untouched, {}, [](int) -> int { throw std::logic_error("no pick from an empty pool"); });
    EXPECT_TRUE(untouched[0].picture_name.isEmpty());
}

TEST(BackgroundPool, SeededPicksAreRepeatableAndInRange) {
    const RandomPick a = seeded_random_pick(7), b = seeded_random_pick(7);
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
        const int pick = a(5);
        EXPECT_EQ(pick, b(5));
        ASSERT_GE(pick, 0);
        ASSERT_LT(pick, 5);
        seen.insert(pick);
    }
    EXPECT_EQ(seen.size(), 5u);
}

TEST(PhotoListAdd, JobFillsBackgroundsThenRunsTheHooksInOrder) {
    Fixture f;
    f.album.backgrounds.resize(1);
    QStringList order;
    f.list.views().hide_number_badge = [&] { order.append("badge"); };
    AddPhotosHooks hooks;
    hooks.after_adding = [&] {
        order.append("assign");
        EXPECT_EQ(f.album.photos.size(), 2u);
        EXPECT_EQ(f.list.pool().size(), 1u);
        EXPECT_EQ(f.album.backgrounds[0].picture_name, "wide");
    };
    hooks.wait_for_auto_text_effects = [&] { order.append("wait"); };
    add_photos_job(f.list, {f.jpeg("tall.jpg", 20, 40), f.jpeg("wide.jpg", 40, 20)}, hooks);
    EXPECT_EQ(order, (QStringList{"badge", "assign", "wait"}));
    // Without hooks the job finishes by itself.
    add_photos_job(f.list, {f.jpeg("more.jpg", 10, 10)}, {});
    EXPECT_EQ(f.album.photos.size(), 3u);
}

// Photos 0..5; used template 0 holds photo 2 twice and photo 5, template 1 holds photo 2 and
// photo 4; every slot carries an effect mark for photo 2.
struct DeletionFixture : Fixture {
    DeletionFixture() {
        for (int i = 0; i < 6; ++i)
            album.photos.push_back(photo(QStringLiteral("p%1").arg(i), i == 3 ? 3 : 4, i == 3 ? 4 : 3));
        album.used_templates.resize(3);
        for (UsedTemplate& t : album.used_templates)
            t.complete = true;
        album.slot_rows = {slot_holding(0, 2, "m1"), slot_holding(0, 2, "m1"), slot_holding(0, 5),
                       slot_holding(1, 2, "m2"), slot_holding(1, 4), slot_holding(2, 0)};
        album.backgrounds.resize(3);
        album.backgrounds[0].picture_name = "p0";
        album.backgrounds[2].picture_name = "p1";
    }
};

TEST(PhotoListDelete, ReleasesTheSlotsOfThePhotoAndRenumbersTheRest) {
    DeletionFixture f;
    f.ui.confirm_answers = {true};
    ASSERT_TRUE(f.list.delete_photo(2));
    ASSERT_EQ(f.ui.questions.size(), 1u);
    EXPECT_EQ(f.ui.questions[0].title, "删除照片");
    EXPECT_TRUE(f.ui.questions[0].question.startsWith("此张照片文件在 3 个模板文件中使用"));
    ASSERT_EQ(f.album.photos.size(), 5u);
    EXPECT_EQ(f.album.photos[2].name, "p3");
    for (int s : {0, 1, 3}) {
        const SlotRow& slot = f.album.slot_rows[std::size_t(s)];
        EXPECT_FALSE(slot.matched) << s;
        EXPECT_FALSE(slot.photo_row) << s;
        EXPECT_TRUE(slot.photo_location.isEmpty()) << s;
        EXPECT_EQ(slot.jiancai_width, 0) << s;
        EXPECT_EQ(slot.jiancai_left_x, 0) << s;
        EXPECT_EQ(slot.shizhong_jiancai_width, 0) << s;
        EXPECT_EQ(slot.shizhong_jiancai_top_x, 0) << s;
        EXPECT_EQ(slot.crop_mark, CropMark::FullScreen) << s;
        EXPECT_TRUE(slot.effect_mark.isEmpty()) << s;
    }
    EXPECT_EQ(f.album.slot_rows[2].photo_row, 4); // was 5
    EXPECT_EQ(f.album.slot_rows[4].photo_row, 3); // was 4
    EXPECT_EQ(f.album.slot_rows[5].photo_row, 0); // below the deleted row: unchanged
    EXPECT_EQ(f.album.slot_rows[5].jiancai_width, 800);
    EXPECT_FALSE(f.album.used_templates[0].complete);
    EXPECT_FALSE(f.album.used_templates[1].complete);
    EXPECT_TRUE(f.album.used_templates[2].complete);
    EXPECT_EQ(f.effects.removed_marks, (QStringList{"m1", "m2"}));
    EXPECT_EQ(f.effects.retimed, 1);
    // The pool was rebuilt (p3 is portrait) and the one empty background row filled from it.
    ASSERT_EQ(f.list.pool().size(), 4u);
    EXPECT_EQ(f.list.pool().back().photo_row, 4);
    EXPECT_EQ(f.album.backgrounds[1].picture_name, "p5");
    EXPECT_EQ(f.album.backgrounds[0].picture_name, "p0");
    EXPECT_EQ(f.messages(), (QStringList{"选中的照片文件已经删除！",
                                         "此张照片文件删除后,自动匹配到相关模板中的文字特效也已经删除!！"}));
}

TEST(PhotoListDelete, RefusalsChangeNothing) {
    struct Case {
        const char* what;
        bool empty_list;
        std::optional<int> selected;
        bool confirmed;
        QStringList questions;
        QStringList messages;
    } cases[] = {
        {"empty list", true, 0, true, {}, {"没有添加照片文件！"}},
        {"not confirmed", false, 1, false, {"是否确定要删除当前选中的照片文件?"}, {}},
        {"no selection asks first", false, std::nullopt, true, {"是否确定要删除当前选中的照片文件?"}, {"没有选中照片文件！"}},
        {"selection out of range", false, 6, true, {"是否确定要删除当前选中的照片文件?"}, {"没有选中照片文件！"}},
    };
    for (const Case& c : cases) {
        DeletionFixture f;
        if (c.empty_list)
            f.album.photos.clear();
        const Album before = f.album;
        f.ui.confirm_answers = {c.confirmed};
        EXPECT_FALSE(f.list.delete_photo(c.selected)) << c.what;
        QStringList questions;
        for (const auto& q : f.ui.questions)
            questions.append(q.question);
        EXPECT_EQ(questions, c.questions) << c.what;
        EXPECT_EQ(f.messages(), c.messages) << c.what;
        EXPECT_EQ(f.album.photos.size(), before.photos.size()) << c.what;
        EXPECT_EQ(f.album.slot_rows[0].photo_row, before.slot_rows[0].photo_row) << c.what;
        EXPECT_TRUE(f.album.used_templates[0].complete) << c.what;
        EXPECT_TRUE(f.effects.removed_marks.isEmpty()) << c.what;
    }
}

TEST(PhotoListDelete, LastPhotoClearsTheMainWindowPages) {
    Fixture f;
    f.album.photos = {photo("only", 4, 3)};
    std::vector<bool> cleared;
    int details = 0;
    f.list.views().clear_main_pages = [&](bool with_names) { cleared.push_back(with_names); };
    f.list.views().clear_details = [&] { ++details; };
    f.ui.default_confirm = true;
    ASSERT_TRUE(f.list.delete_photo(0));
    EXPECT_EQ(cleared, std::vector<bool>{false});
    EXPECT_EQ(details, 1);
    EXPECT_TRUE(f.list.pool().empty());
    EXPECT_TRUE(f.effects.removed_marks.isEmpty());
    EXPECT_EQ(f.messages(), QStringList{"选中的照片文件已经删除！"});
}

TEST(PhotoListDeleteAll, EmptiesEveryListAndAsksAboutAutomaticEffects) {
    for (const bool auto_effects : {false, true}) {
        DeletionFixture f;
        f.effects.any = auto_effects;
        f.list.refresh_backgrounds();
        std::vector<bool> cleared;
        f.list.views().clear_main_pages = [&](bool with_names) { cleared.push_back(with_names); };
        f.ui.confirm_answers = {true};
        ASSERT_TRUE(f.list.delete_all());
        EXPECT_EQ(f.ui.questions.at(0).question,
                  auto_effects ? "是否确定要删除全部照片文件?删除后,自动添加到模板中的文字特效也会被全部删除!"
                               : "是否确定要删除全部照片文件?");
        EXPECT_TRUE(f.album.photos.empty());
        EXPECT_TRUE(f.album.used_templates.empty());
        EXPECT_TRUE(f.album.slot_rows.empty());
        EXPECT_TRUE(f.album.backgrounds.empty());
        EXPECT_TRUE(f.list.pool().empty());
        EXPECT_EQ(f.effects.removed_all, 1);
        EXPECT_EQ(cleared, std::vector<bool>{true});
        EXPECT_EQ(f.messages(), QStringList{"照片文件已经全部删除！"});
    }
    DeletionFixture declined;
    EXPECT_FALSE(declined.list.delete_all());
    EXPECT_EQ(declined.album.photos.size(), 6u);
    EXPECT_EQ(declined.album.slot_rows.size(), 6u);
}

TEST(DeleteRequests, RunTheRequestedDeletionOnceAndConsumeTheMarkers) {
    DeletionFixture f;
    int photo_files_reloads = 0, main_reloads = 0, photo_files_cleared = 0;
    f.list.views().reload_photo_files = [&] { ++photo_files_reloads; };
    f.list.views().reload_main_thumbnails = [&] { ++main_reloads; };
    f.list.views().clear_photo_files = [&] { ++photo_files_cleared; };
    f.ui.default_confirm = true;

    // A request from the main window, then one from the photo-files window: each deletes once.
    f.state.delete_request_main_window = kDeleteOneFromMainWindow;
    f.list.dispatch_delete_requests(0);
    EXPECT_EQ(f.album.photos.size(), 5u);
    EXPECT_EQ(main_reloads, 1);
    EXPECT_TRUE(f.state.delete_request_main_window.isEmpty());
    f.list.delete_request_photo_files = kDeleteOneFromPhotoFiles;
    f.list.dispatch_delete_requests(0);
    EXPECT_EQ(f.album.photos.size(), 4u);
    EXPECT_EQ(photo_files_reloads, 1);
    EXPECT_EQ(main_reloads, 1);
    EXPECT_TRUE(f.list.delete_request_photo_files.isEmpty());

    f.list.dispatch_delete_requests(0); // no marker: nothing
    EXPECT_EQ(f.album.photos.size(), 4u);

    f.list.delete_request_photo_files = kDeleteAllFromPhotoFiles;
    f.list.dispatch_delete_requests(std::nullopt);
    EXPECT_TRUE(f.album.photos.empty());
    EXPECT_EQ(photo_files_cleared, 1);
}

TEST(PhotoTemplatePreview, DependsOnHowManySlotsHoldThePhoto) {
    DeletionFixture f;
    f.album.slot_rows.push_back(slot_holding(2, std::nullopt)); // template 2 now misses a photo
    EXPECT_EQ(photo_template_preview(f.album, 2), PhotoTemplatePreview::WithoutAutoStart); // three slots
    EXPECT_EQ(photo_template_preview(f.album, 5), PhotoTemplatePreview::WithAutoStart);
    EXPECT_EQ(photo_template_preview(f.album, 0), PhotoTemplatePreview::WithoutAutoStart);
    EXPECT_EQ(photo_template_preview(f.album, 3), PhotoTemplatePreview::None);
}

TEST(PhotoFit, FitsWidthFirstForLandscapeAndHeightFirstForPortrait) {
    struct Case {
        int width, height;
        QSize box;
        int margin;
        QSize fitted;
    } cases[] = {
        {4000, 3000, {201, 169}, 6, {195, 146}},
        {4000, 1000, {201, 169}, 6, {195, 48}},
        {3000, 4000, {201, 169}, 6, {122, 163}},
        {1000, 1000, {201, 169}, 6, {163, 163}}, // too tall when fitted by width
        {4000, 3000, {125, 80}, 8, {96, 72}},
        {1000, 4000, {125, 80}, 8, {18, 72}},
        {3000, 4000, {80, 300}, 8, {72, 96}},    // too wide when fitted by height
    };
    for (const Case& c : cases)
        EXPECT_EQ(fit_photo(c.width, c.height, c.box, c.margin), c.fitted) << c.width << "x" << c.height;
}

TEST(PhotoFit, FramesThePictureInTheMiddleOfTheCell) {
    QImage picture(10, 6, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QImage cell = framed_picture(picture, QSize(30, 20), 3, Qt::black);
    EXPECT_EQ(cell.size(), QSize(30, 20));
    EXPECT_EQ(cell.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(cell.pixelColor(7, 4), QColor(Qt::white));  // frame: corner (7, 4), 16 x 12
    EXPECT_EQ(cell.pixelColor(10, 7), QColor(Qt::red));   // picture starts 3 pixels in
    EXPECT_EQ(cell.pixelColor(19, 12), QColor(Qt::red));
    EXPECT_EQ(cell.pixelColor(22, 15), QColor(Qt::white));
}

} // namespace
} // namespace velmora
