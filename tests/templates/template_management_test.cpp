#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

#include "core/data_error.h"
#include "core/scripted_ui.h"
#include "support/test_support.h"
#include "templates/album_fixture.h"
#include "templates/template_management.h"
#include "templates/template_preview_movie.h"
#include "templates/used_templates.h"

namespace velmora {
namespace {

using test::list_row;
using test::make_catalogue;
using test::make_photo;

QStringList file_names(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

// Template management over an in-memory catalogue, or over the shipped one copied into a
// temporary data folder.
struct Management {
    test::TempFolder folder;
    DataRoot root{folder.file(QStringLiteral("smxcwjj"))};
    TemplateCatalogue catalogue;
    Album album;
    SystemSettings settings;
    ScriptedUi ui;
    AppState state;
    BackgroundPool pool;
    TemplateManagement management{{album, catalogue, settings, ui, root, state, pool, [](int) { return 0; }}};
    std::vector<TemplatePreviewRequest> previews;
    OpenTemplatePreview record = [this](const TemplatePreviewRequest& r) {
        // What the preview window would find while it is open.
        EXPECT_TRUE(QFileInfo(preview_picture_folder(root)).isDir());
        EXPECT_EQ(test::read_file(r.mobandizhi), test::read_file(r.mobandizhi_2));
        EXPECT_TRUE(test::read_file(r.mobandizhi).startsWith('{')) << "a plain Lottie movie";
        previews.push_back(r);
    };

    explicit Management(TemplateCatalogue c = {}) : catalogue(std::move(c)) {}
    void load_shipped() {
        test::copy_tree(QStringLiteral(VELMORA_DATA_ROOT), root.path());
        load_template_catalogue(root, catalogue);
    }
    QString last_message() const { return ui.messages.empty() ? QString() : ui.messages.back().text; }
};

TemplateCatalogue two_templates() {
    return make_catalogue({{"heng", "|heng|", "|picture_1|"}, {"shu", "|shu|", "|picture_1|"}});
}

TEST(TemplateManagement, PutsTheSelectedCatalogueTemplateToUseUnfinished) {
    Management m{two_templates()};
    EXPECT_FALSE(m.management.use_template(std::nullopt));
    EXPECT_EQ(m.last_message(), "没有选中模板文件！");
    EXPECT_FALSE(m.management.use_template(7));
    EXPECT_EQ(m.ui.messages.size(), 2u);

    const int row = list_row(m.catalogue, "shu", "竖照模板");
    EXPECT_EQ(m.management.use_template(row), 0);
    ASSERT_EQ(m.album.used_templates.size(), 1u);
    EXPECT_EQ(m.album.used_templates[0].template_name, "shu");
    EXPECT_EQ(m.album.used_templates[0].match_state(), "未完成");
    ASSERT_EQ(m.album.slot_rows.size(), 1u);
    EXPECT_EQ(m.album.slot_rows[0].slot_kind, SlotKind::Portrait);
    EXPECT_EQ(m.album.slot_rows[0].picture, "picture_1");
    EXPECT_EQ(m.album.backgrounds.size(), 1u);

    Management empty;
    EXPECT_FALSE(empty.management.use_template(0));
    EXPECT_TRUE(empty.ui.messages.empty()) << "an empty catalogue offers nothing and says nothing";
}

TEST(TemplateManagement, RefusesCommandsOnUsedTemplatesUntilOneIsAddedAndSelected) {
    Management m{two_templates()};
    EXPECT_FALSE(m.management.selected_used(0));
    EXPECT_EQ(m.last_message(), "没有添加模板文件！");
    EXPECT_FALSE(m.management.delete_used(0));
    EXPECT_EQ(m.last_message(), "没有添加模板文件！");
    EXPECT_FALSE(m.management.delete_all());
    EXPECT_EQ(m.last_message(), "没有添加模板文件！");
    EXPECT_FALSE(m.management.can_pick_photo(std::nullopt));
    EXPECT_EQ(m.last_message(), "没有选中已经添加模板文件！选中模板后,模板所需照片框会出现");

    m.management.use_template(0);
    EXPECT_FALSE(m.management.selected_used(std::nullopt));
    EXPECT_EQ(m.last_message(), "没有选中模板文件！");
    m.management.preview_used_template(std::nullopt, m.record);
    EXPECT_EQ(m.last_message(), "没有选中模板文件！");
    EXPECT_TRUE(m.ui.questions.empty());
    EXPECT_EQ(m.management.selected_used(0), 0);
    EXPECT_TRUE(m.management.can_pick_photo(0));
}

TEST(TemplateManagement, DeletesTheSelectedUsedTemplateOnlyWhenConfirmed) {
    Management m{two_templates()};
    m.album.photos = {make_photo("a", 400, 300), make_photo("b", 300, 400)};
    m.management.use_template(list_row(m.catalogue, "heng", "横照模板"));
    m.management.use_template(list_row(m.catalogue, "shu", "竖照模板"));
    ASSERT_EQ(m.management.drop_photo(0, 0, 0), HandPlacement::Placed);
    ASSERT_EQ(m.management.drop_photo(1, 0, 1), HandPlacement::Placed);

    m.ui.confirm_answers = {false};
    EXPECT_FALSE(m.management.delete_used(0));
    EXPECT_EQ(m.album.used_templates.size(), 2u);
    ASSERT_EQ(m.ui.questions.size(), 1u);
    EXPECT_EQ(m.ui.questions[0].title, "删除模板文件");
    EXPECT_EQ(m.ui.questions[0].question, "是否确定要删除当前选中已经使用的模板文件?");

    m.ui.confirm_answers = {true};
    EXPECT_TRUE(m.management.delete_used(0));
    EXPECT_EQ(m.last_message(), "选中的模板文件已经删除！");
    ASSERT_EQ(m.album.used_templates.size(), 1u);
    EXPECT_EQ(m.album.used_templates[0].template_name, "shu");
    EXPECT_EQ(m.album.slot_rows[0].used_row, 0);
    EXPECT_FALSE(m.album.photos[0].fitted) << "free for the fitting job again";
    EXPECT_TRUE(m.album.photos[1].fitted);

    m.ui.confirm_answers = {false};
    EXPECT_FALSE(m.management.delete_all());
    EXPECT_EQ(m.ui.questions.back().question, "是否确定要删除全部已经使用的模板文件?");
    EXPECT_EQ(m.album.used_templates.size(), 1u);
    m.ui.confirm_answers = {true};
    EXPECT_TRUE(m.management.delete_all());
    EXPECT_EQ(m.last_message(), "已经使用的模板文件已经全部删除！");
    EXPECT_TRUE(m.album.used_templates.empty());
    EXPECT_TRUE(m.album.slot_rows.empty());
    EXPECT_TRUE(m.album.backgrounds.empty());
    EXPECT_FALSE(m.album.photos[1].fitted);
}

TEST(TemplatePreview, ExtractsTheCatalogueTemplatesMovieAndRemovesTheWorkspaceAfterwards) {
    Management m;
    m.load_shipped();
    m.management.preview_catalogue_template(std::nullopt, m.record);
    EXPECT_EQ(m.last_message(), "没有选中模板文件！");
    EXPECT_TRUE(m.previews.empty());

    const int row = list_row(m.catalogue, QStringLiteral("书影"), QStringLiteral("竖照模板"));
    ASSERT_GE(row, 0);
    m.management.preview_catalogue_template(row, m.record);
    ASSERT_EQ(m.previews.size(), 1u);
    const TemplatePreviewRequest& r = m.previews[0];
    EXPECT_EQ(to_text(r.caozuo_xuanze), "yulan_yuanmoban");
    EXPECT_EQ(r.xuanzhong_hang, row);
    EXPECT_EQ(r.name, QStringLiteral("书影"));
    EXPECT_EQ(r.category, QStringLiteral("竖照模板"));
    EXPECT_EQ(r.portrait_slots, 1);
    EXPECT_EQ(QFileInfo(r.mobandizhi).fileName(), "wj_y_l_d_g_2.rar");
    EXPECT_EQ(QFileInfo(r.mobandizhi_2).fileName(), "wj_y_l_d_g_2_2.rar");
    EXPECT_EQ(QFileInfo(r.mobandizhi).absolutePath(), QFileInfo(preview_movie_folder(m.root)).absoluteFilePath());
    EXPECT_FALSE(QFileInfo::exists(m.root.preview_workspace()));

    // 19 intermediate rounds in the work folder; the picture folder took 2 checks to make.
    const QStringList names = file_names(m.root.work_dir());
    const QRegularExpression pattern(QStringLiteral("^wj_y_l_d_g_12-(\\d+)\\d{6}\\.rar$"));
    QList<int> rounds;
    for (const QString& name : names)
        if (const QRegularExpressionMatch match = pattern.match(name); match.hasMatch())
            rounds.append(match.captured(1).toInt());
    std::sort(rounds.begin(), rounds.end());
    ASSERT_EQ(rounds.size(), 19) << names.join(' ').toStdString();
    EXPECT_EQ(rounds.front(), 1);
    EXPECT_EQ(rounds.back(), 19);
}

TEST(TemplatePreview, PreviewsAUsedTemplateOnlyWhenEverySlotHoldsAPhoto) {
    Management m;
    m.load_shipped();
    m.album.photos = {make_photo("tall", 300, 400)};
    const int row = list_row(m.catalogue, QStringLiteral("书影"), QStringLiteral("竖照模板"));
    m.management.use_template(row);
    m.management.use_template(row);

    m.management.preview_used_template(1, m.record);
    EXPECT_EQ(m.last_message(), "选中的模板文件,照片与此模板还有 1 处没有完成匹配！");
    EXPECT_TRUE(m.previews.empty());
    EXPECT_FALSE(QFileInfo::exists(m.root.preview_workspace()));

    m.management.drop_photo(1, 0, 0);
    m.management.preview_used_template(1, m.record);
    ASSERT_EQ(m.previews.size(), 1u);
    EXPECT_EQ(to_text(m.previews[0].caozuo_xuanze), "yulan_shiyongmoban");
    EXPECT_EQ(m.previews[0].xuanzhong_hang, 1);
    EXPECT_EQ(m.previews[0].slot_rows, std::vector<int>{1});
    EXPECT_FALSE(QFileInfo::exists(m.root.preview_workspace()));
    bool used_names = false;
    for (const QString& name : file_names(m.root.work_dir()))
        used_names = used_names || name.startsWith(QStringLiteral("wj_y_l_d_g_1_wj_y_l_d_g_12-"));
    EXPECT_TRUE(used_names);
}

TEST(TemplatePreview, ADamagedMovieIsReportedAndNothingIsShown) {
    Management m{two_templates()};
    const QString broken = m.folder.write(QStringLiteral("broken.rar"), QByteArray("\x10\x00\x00\x00garbage", 11));
    for (TemplateParams& p : m.catalogue.mobancanshu)
        p.weizhi = broken;
    m.management.preview_catalogue_template(0, m.record);
    EXPECT_TRUE(m.previews.empty());
    ASSERT_EQ(m.ui.messages.size(), 1u);
    EXPECT_TRUE(m.last_message().contains(QStringLiteral("broken.rar"))) << m.last_message().toStdString();
    EXPECT_FALSE(QFileInfo::exists(m.root.preview_workspace()));
}

} // namespace
} // namespace velmora
