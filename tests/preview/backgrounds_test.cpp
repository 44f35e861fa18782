// Background pictures: the row operations of the background window and its demonstration
// movie (copies, alternation, picture, transparency).
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QImage>
#include <gtest/gtest.h>

#include "core/data_error.h"
#include "core/jpeg_writer.h"
#include "core/scripted_ui.h"
#include "preview/background_demo.h"
#include "preview/background_pictures.h"
#include "support/test_support.h"
#include "templates/photo_fixtures.h"

namespace velmora {
namespace {

BackgroundRow row_with_picture(const QString& name, int width, int height, const QString& location,
                               int transparency = 0) {
    BackgroundRow row;
    row.name = QStringLiteral("晨光");
    row.kind = QStringLiteral("高级模板");
    row.category = QStringLiteral("综合模板");
    row.picture_name = name;
    row.picture_format = QStringLiteral(".jpg");
    row.width = width;
    row.height = height;
    row.location = location;
    row.transparency = transparency;
    return row;
}

QString write_jpeg(const test::TempFolder& folder, const QString& name, int width, int height,
                   QColor colour = QColor(200, 40, 40)) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = folder.file(name);
    save_jpeg(image, path);
    return path;
}

struct Backgrounds {
    test::TempFolder folder;
    Album album;
    ScriptedUi ui;
    ThumbnailService thumbnails;
    BackgroundPictures pictures{album, ui, thumbnails};

    Backgrounds() {
        album.backgrounds.push_back(row_with_picture("a", 400, 300, "/p/a.jpg", 10));
        album.backgrounds.push_back(row_with_picture("b", 400, 300, "/p/b.jpg", 20));
        album.backgrounds.push_back(row_with_picture("", 0, 0, ""));
    }
    std::vector<int> transparencies() const {
        std::vector<int> t;
        for (const BackgroundRow& b : album.backgrounds)
            t.push_back(b.transparency);
        return t;
    }
    QString last_message() const { return ui.messages.empty() ? QString() : ui.messages.back().text; }
};

TEST(BackgroundPictures, RefusalsTellWhyAndChangeNothing) {
    const struct {
        const char* what;
        bool empty_list;
        std::optional<int> row;
        const char* message;
    } cases[] = {
        {"no rows", true, std::nullopt, "没有找到背景图片文件！"},
        {"no rows, stale row", true, 0, "没有找到背景图片文件！"},
        {"no selection", false, std::nullopt, "没有选中背景图片文件！"},
        {"row past the end", false, 3, "没有选中背景图片文件！"},
    };
    for (const auto& c : cases) {
        Backgrounds b;
        if (c.empty_list)
            b.album.backgrounds.clear();
        const auto before = b.transparencies();
        b.ui.file_answers.push_back({"/p/never.jpg"});
        EXPECT_FALSE(b.pictures.save(c.row, 50, true)) << c.what;
        EXPECT_FALSE(b.pictures.restore_default(c.row, true)) << c.what;
        EXPECT_EQ(b.pictures.replace_picture(c.row), ReplaceOutcome::Refused) << c.what;
        ASSERT_EQ(b.ui.messages.size(), 3u) << c.what;
        for (const auto& m : b.ui.messages)
            EXPECT_EQ(m.text, QString::fromUtf8(c.message)) << c.what;
        EXPECT_EQ(b.transparencies(), before) << c.what;
        EXPECT_EQ(b.ui.file_answers.size(), 1u) << c.what;  // no dialog was opened
    }
    // A click needs a selected row with a picture.
    Backgrounds b;
    EXPECT_FALSE(b.pictures.may_show(std::nullopt));
    EXPECT_EQ(b.last_message(), "没有选中背景图片文件！");
    EXPECT_FALSE(b.pictures.may_show(2));
    EXPECT_EQ(b.last_message(), "没有添加背景图片文件！");
    EXPECT_TRUE(b.pictures.may_show(1));
}

TEST(BackgroundPictures, SaveAndDefaultActOnTheRowOrOnAll) {
    Backgrounds b;
    EXPECT_TRUE(b.pictures.save(1, 65, false));
    EXPECT_EQ(b.transparencies(), (std::vector<int>{10, 65, 0}));
    EXPECT_EQ(b.last_message(), "保存设置完成！");
    EXPECT_TRUE(b.pictures.save(0, 30, true));
    EXPECT_EQ(b.transparencies(), (std::vector<int>{30, 30, 30}));

    EXPECT_TRUE(b.pictures.restore_default(2, false));
    EXPECT_EQ(b.transparencies(), (std::vector<int>{30, 30, 0}));
    EXPECT_EQ(b.last_message(), "默认设置完成！");
    EXPECT_TRUE(b.pictures.restore_default(2, true));
    EXPECT_EQ(b.transparencies(), (std::vector<int>{0, 0, 0}));
}

TEST(BackgroundPictures, ReplacingTakesLandscapeAndSquarePhotosOnly) {
    Backgrounds b;
    const QString wide = write_jpeg(b.folder, "sea.shore.jpg", 640, 400);
    const QString square = write_jpeg(b.folder, "square.JPG", 300, 300);
    const QString tall = write_jpeg(b.folder, "tower.jpg", 300, 500);
    // Stored wide, shown tall: the camera was turned (EXIF orientation 6).
    QImage turned(500, 300, QImage::Format_RGB32);
    turned.fill(Qt::green);
    const QString rotated = b.folder.write("turned.jpg", test::jpeg_with(turned, test::exif_segment(6)));
    const QString broken = b.folder.write("broken.jpg", "not a picture");

    b.ui.file_answers.push_back({wide});
    EXPECT_EQ(b.pictures.replace_picture(0), ReplaceOutcome::Replaced);
    const BackgroundRow& first = b.album.backgrounds[0];
    EXPECT_EQ(first.picture_name, "sea.shore");
    EXPECT_EQ(first.picture_format, ".jpg");
    EXPECT_EQ(QSize(first.width, first.height), QSize(640, 400));
    EXPECT_EQ(first.location, wide);
    EXPECT_EQ(first.transparency, 10);
    EXPECT_EQ(first.name, "晨光");  // the template columns stay

    // The row without a picture gets one, as square as it comes.
    b.ui.file_answers.push_back({square});
    EXPECT_EQ(b.pictures.replace_picture(2), ReplaceOutcome::Replaced);
    EXPECT_EQ(b.album.backgrounds[2].picture_format, ".JPG");
    EXPECT_EQ(b.album.backgrounds[2].width, 300);
    EXPECT_TRUE(b.ui.messages.empty());

    const struct {
        QString file;
        ReplaceOutcome outcome;
        const char* message;
    } refused[] = {
        {tall, ReplaceOutcome::NotLandscape, "此张照片不是横照片,请重新更换一张横照片!"},
        {rotated, ReplaceOutcome::NotLandscape, "此张照片不是横照片,请重新更换一张横照片!"},
        {broken, ReplaceOutcome::Unreadable, "此照片文件不能读取,请重新更换一张横照片!"},
    };
    for (const auto& r : refused) {
        b.ui.file_answers.push_back({r.file});
        EXPECT_EQ(b.pictures.replace_picture(1), r.outcome) << r.file.toStdString();
        EXPECT_EQ(b.last_message(), QString::fromUtf8(r.message));
        EXPECT_EQ(b.album.backgrounds[1].picture_name, "b");
        EXPECT_EQ(b.album.backgrounds[1].transparency, 20);
    }
    EXPECT_EQ(b.pictures.replace_picture(1), ReplaceOutcome::Cancelled);  // no file chosen
    EXPECT_EQ(b.album.backgrounds[1].location, "/p/b.jpg");
}

TEST(BackgroundPictures, TheBoxShowsThePictureFittedAndFramed) {
    Backgrounds b;
    const QString wide = write_jpeg(b.folder, "wide.jpg", 800, 300, Qt::blue);
    const QString tall = write_jpeg(b.folder, "tall.jpg", 300, 600, Qt::blue);
    // 195 x 127 is the space inside the frame: a wide picture fills the width, a tall one the height.
    const QImage wide_box = background_box_picture(row_with_picture("wide", 800, 300, wide), b.thumbnails);
    EXPECT_EQ(wide_box.size(), QSize(195 + 6, 300 * 195 / 800 + 6));
    const QImage tall_box = background_box_picture(row_with_picture("tall", 300, 600, tall), b.thumbnails);
    EXPECT_EQ(tall_box.size(), QSize(300 * 127 / 600 + 6, 127 + 6));
    EXPECT_EQ(QColor(tall_box.pixel(1, 1)), QColor(Qt::white));
    EXPECT_TRUE(test::near(QColor(tall_box.pixel(tall_box.width() / 2, tall_box.height() / 2)), QColor(Qt::blue)));
    EXPECT_TRUE(background_box_picture(row_with_picture("", 0, 0, ""), b.thumbnails).isNull());

    const BackgroundRow row = row_with_picture("sea", 640, 400, "/p/sea.jpg", 35);
    EXPECT_EQ(background_hint(row, 1), "第2张, 背景图片名称: sea");
    EXPECT_EQ(background_cells(row, 1),
              (QStringList{"2", "晨光", "高级模板", "综合模板", "sea", ".jpg", "640", "400", "/p/sea.jpg", "35"}));
    EXPECT_EQ(background_details(row, 1), (QStringList{"2", "sea", ".jpg", "640", "400", "/p/sea.jpg"}));
    // A row without a picture shows no size.
    EXPECT_EQ(background_cells(row_with_picture("", 0, 0, ""), 0)[6], "");
}

// A data folder with the shipped demonstration movie, writable.
struct DemoFolder {
    test::TempFolder folder;
    DataRoot root{folder.file("smxcwjj")};
    DemoFolder() {
        const DataRoot shipped(QStringLiteral(VELMORA_DATA_ROOT));
        QDir().mkpath(root.background_demo_folder());
        if (!QFile::copy(shipped.background_demo_movie(), root.background_demo_movie()))
            throw std::runtime_error("cannot copy the shipped demonstration movie");
    }
};

TEST(BackgroundDemo, PreparesTwoPlayableCopiesThroughTheWorkFolder) {
    DemoFolder data;
    BackgroundDemo demo(data.root);
    demo.prepare_movies();
    const QByteArray first = test::read_file(demo.movie_copy(1));
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(test::read_file(demo.movie_copy(2)), first);
    const QStringList intermediates = QDir(data.root.work_dir()).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(intermediates.size(), 5);
    for (int pass = 1; pass <= 5; ++pass)
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^wj_0_or_5_5_d_1%1\\d{6}\\.rar$").arg(pass))
                        .match(intermediates[pass - 1]).hasMatch()) << intermediates[pass - 1].toStdString();
    TemplatePlayer player("check", BackgroundDemo::kPlayerSize);
    player.load(demo.movie_copy(2));
    EXPECT_TRUE(player.answers_template_marker());
    EXPECT_GT(player.total_frames(), 0);

    // A lost second copy is made again from the first; the first is not unpacked again.
    QFile::remove(demo.movie_copy(2));
    QDir(data.root.work_dir()).removeRecursively();
    demo.prepare_movies();
    EXPECT_EQ(test::read_file(demo.movie_copy(2)), first);
    EXPECT_FALSE(QDir(data.root.work_dir()).exists());
}

TEST(BackgroundDemo, ADamagedMovieLeavesNoCopy) {
    DemoFolder data;
    QFile::resize(data.root.background_demo_movie(), 40);
    BackgroundDemo demo(data.root);
    EXPECT_THROW(demo.prepare_movies(), DataError);
    EXPECT_FALSE(QFile::exists(demo.movie_copy(1)));
    EXPECT_FALSE(QFile::exists(demo.movie_copy(2)));
}

TEST(BackgroundDemo, CopiesAlternateFromTheFirst) {
    DemoFolder data;
    BackgroundDemo demo(data.root);
    QStringList loads;
    for (int i = 0; i < 5; ++i)
        loads << QFileInfo(demo.next_movie()).fileName();
    EXPECT_EQ(loads, (QStringList{"wj_0_or_5_5_d_1.rar", "wj_0_or_5_5_d_2.rar", "wj_0_or_5_5_d_1.rar",
                                  "wj_0_or_5_5_d_2.rar", "wj_0_or_5_5_d_1.rar"}));
}

TEST(BackgroundDemo, WritesThePictureFittedToTheSmallMovie) {
    DemoFolder data;
    BackgroundDemo demo(data.root);
    ThumbnailService thumbnails;
    const struct {
        int width, height;
        QSize written;
    } cases[] = {
        {400, 300, {400 * 116 / 300, 116}},   // height limits
        {800, 300, {207, 300 * 207 / 800}},   // width limits
        {300, 300, {116, 116}},
    };
    for (const auto& c : cases) {
        const QString photo = write_jpeg(data.folder, QStringLiteral("p%1x%2.jpg").arg(c.width).arg(c.height),
                                         c.width, c.height);
        demo.write_picture(row_with_picture("p", c.width, c.height, photo), thumbnails);
        EXPECT_EQ(QImage(demo.picture_path()).size(), c.written) << c.width << "x" << c.height;
    }
    QFile::remove(demo.picture_path());
    demo.write_picture(row_with_picture("", 0, 0, ""), thumbnails);
    EXPECT_FALSE(QFile::exists(demo.picture_path()));
}

// The demonstration movie shows its picture behind a card; its corners show the picture alone.
TEST(BackgroundDemo, ShowsThePictureAtTheTransparency) {
    DemoFolder data;
    BackgroundDemo demo(data.root);
    ThumbnailService thumbnails;
    demo.prepare_movies();
    const QString photo = write_jpeg(data.folder, "red.jpg", 640, 360, QColor(230, 20, 20));
    demo.write_picture(row_with_picture("red", 640, 360, photo), thumbnails);
    demo.create_player();
    demo.show(0);
    TemplatePlayer& player = *demo.player();
    EXPECT_EQ(player.objectName(), "ShockwaveFlash_2_beijingtupian_Alpha");
    EXPECT_EQ(player.movie_path(), demo.movie_copy(1));
    EXPECT_TRUE(player.is_playing());
    EXPECT_EQ(player.frame_num(), 0);
    const QColor opaque(player.grab().pixel(4, 4));
    EXPECT_TRUE(test::near(opaque, QColor(230, 20, 20), 50)) << opaque.name().toStdString();

    demo.show(100);   // the next click loads the other copy
    EXPECT_EQ(player.movie_path(), demo.movie_copy(2));
    EXPECT_EQ(player.background_transparency(), 100);
    const QColor hidden(player.grab().pixel(4, 4));
    EXPECT_LT(hidden.red(), 80) << hidden.name().toStdString();

    player.set_frame_num(30);
    demo.set_transparency(40);
    EXPECT_EQ(player.background_transparency(), 40);
    EXPECT_EQ(player.frame_num(), 0);
    EXPECT_EQ(player.movie_path(), demo.movie_copy(2));   // the slider does not reload
    demo.free_player();
    EXPECT_EQ(demo.player(), nullptr);
}

} // namespace
} // namespace velmora
