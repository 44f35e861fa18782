#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "core/data_error.h"
#include "core/gbk_text.h"
#include "core/packed_file.h"
#include "core/startup_abort.h"
#include "support/test_support.h"
#include "templates/template_catalogue.h"

namespace velmora {
namespace {

struct TemplateFixture {
    QString file;     // relative to both template trees
    QString name;
    QString szhz;
    QString xpjpgmc;
    QString mbdx = "100";
    QString xpkd = "|1920|";
    QString xpgd = "|1080|";
};

QByteArray params_text(const TemplateFixture& t, const QString& marker = "v_e_l_m_s_y_l_x") {
    return encode_gbk(QStringLiteral("[l_x_v_e_l_m_w_j_s_y]\r\nl_x_v_e_l_m_w_j_s_y=%1\r\nl_x_v_e_l_m_w_j_s_y_m_c=%2\r\n"
                                     "[1]\r\nmblx=1\r\nmbfl=2\r\nxpsl=1\r\nxpkd=%6\r\nxpgd=%7\r\n"
                                     "szhz=%3\r\nxpjpgmc=%4\r\nmbdx=%5\r\nwxcs01=|25|\r\nwxcs02=|A|\r\nwxcs04=|B|C|\r\n"
                                     "[0]\r\nsl=9\r\n")
                          .arg(marker, t.name, t.szhz, t.xpjpgmc, t.mbdx, t.xpkd, t.xpgd));
}

class CatalogueTest : public ::testing::Test {
protected:
    test::TempFolder dir;
    DataRoot root{dir.file("smxcwjj")};
    TemplateCatalogue catalogue;

    void add_params(const QString& file, const QByteArray& text) {
        dir.write("smxcwjj/wj_0_or_2/wjj_01/" + file, pack_nested(text, 20));
    }
    void add_movie(const QString& file) {
        dir.write("smxcwjj/wj_0_or_2/wjj_02/" + file, pack_nested("{\"v\":\"5.7.0\"}", 20));
    }
    void add(const TemplateFixture& t) {
        add_params(t.file, params_text(t));
        add_movie(t.file);
    }
    QString movie(const QString& file) const { return root.template_movies_folder() + "/" + file; }
};

TEST_F(CatalogueTest, ReadsEveryKeyAndPairsMoviesByPosition) {
    add({"a.rar", QString::fromUtf8("浪漫时光"), "|heng|", "|picture_1|", "125"});
    add({"sub/b.RAR", QString::fromUtf8("青春"), "|shu|", "|picture_1|"});
    add({"z.rar", "Z", "|heng|", "|picture_1|"});
    dir.write("smxcwjj/wj_0_or_2/wjj_01/notes.txt", "not a template");

    int count = -1;
    int steps = 0;
    load_template_catalogue(root, catalogue, [&](int n) { count = n; }, [&] { ++steps; });

    EXPECT_EQ(count, 3);
    EXPECT_EQ(steps, 3);
    ASSERT_EQ(catalogue.mobancanshu.size(), 3u);
    const TemplateParams& first = catalogue.mobancanshu[0];
    EXPECT_EQ(first.mingcheng, QString::fromUtf8("浪漫时光"));
    EXPECT_EQ(first.mbdx, "125");
    EXPECT_EQ(first.xpkd, "|1920|");
    EXPECT_EQ(first.wxcs04, "|B|C|");
    EXPECT_EQ(first.sl, "9");
    EXPECT_EQ(first.weizhi, movie("a.rar"));
    EXPECT_EQ(catalogue.mobancanshu[1].weizhi, movie("sub/b.RAR")) << "the sub-folder sorts between a and z";
    EXPECT_EQ(catalogue.mobancanshu[1].xuhao, 1);
    EXPECT_EQ(catalogue.mobancanshu[2].mingcheng, "Z");
    EXPECT_EQ(QDir(root.work_dir()).entryList({"*.ini"}, QDir::Files).size(), 0) << "unpacked parameter files are deleted";
    EXPECT_TRUE(QDir(root.work_dir()).isEmpty()) << "no scratch files are left in the work folder";
}

TEST_F(CatalogueTest, ClassifiesAndCountsPhotosPerClass) {
    struct Case {
        const char* szhz;
        const char* xpjpgmc;
        TemplateClass mark;
    };
    const Case cases[] = {
        {"|heng|", "|picture_1|", TemplateClass::Heng},
        {"|shu|", "|picture_1|", TemplateClass::Shu},
        {"|shuheng|", "|picture_1|", TemplateClass::Shuheng},
        {"|heng|heng|", "|picture_1|picture_2|", TemplateClass::Gaojimoban},
        {"|heng|shu|heng|", "|picture_1|picture_2|picture_2_b|", TemplateClass::Gaojimoban},
        {"|heng|shuheng|", "|picture_1|picture_2|", TemplateClass::None},
        {"", "", TemplateClass::None},
        {"|shu|shu|shuheng|", "|picture_1|picture_2|picture3|", TemplateClass::Gaojimoban},
    };
    for (int i = 0; i < int(std::size(cases)); ++i) {
        TemplateParams p;
        p.xuhao = i;
        p.szhz = cases[i].szhz;
        p.xpjpgmc = cases[i].xpjpgmc;
        p.mbdx = "250";
        p.mingcheng = QStringLiteral("t%1").arg(i);
        catalogue.mobancanshu.push_back(p);
    }
    classify_templates(catalogue);
    count_template_photos(catalogue);
    fill_template_list(catalogue);

    for (int i = 0; i < int(std::size(cases)); ++i)
        EXPECT_EQ(catalogue.mobancanshu[i].fenlei_biaozhu, cases[i].mark) << cases[i].szhz;

    const auto counts = [](const std::vector<ClassRow>& rows) {
        std::vector<std::tuple<int, int, int>> out;
        for (const ClassRow& r : rows)
            out.emplace_back(r.xuhao, r.hengzhao_jizhang, r.shuzhao_jizhang);
        return out;
    };
    using T = std::tuple<int, int, int>;
    EXPECT_EQ(counts(catalogue.hengzhaopian), (std::vector<T>{{0, 1, 0}, {2, 1, 0}})) << "either-way counts landscape here";
    EXPECT_EQ(counts(catalogue.shuzhaopian), (std::vector<T>{{1, 0, 1}, {2, 0, 1}})) << "and portrait here";
    EXPECT_EQ(counts(catalogue.gaojimoban), (std::vector<T>{{3, 2, 0}, {4, 1, 1}, {7, 0, 2}}))
        << "derived pictures (two \"_\") and names without \"_\" are not photos";

    ASSERT_EQ(catalogue.moban.size(), 7u);
    QStringList order;
    for (const TemplateListRow& r : catalogue.moban)
        order << QStringLiteral("%1 %2 %3").arg(r.xuhao).arg(r.type, r.category);
    EXPECT_EQ(order, (QStringList{QString::fromUtf8("3 高级模板 综合模板"), QString::fromUtf8("4 高级模板 综合模板"),
                                  QString::fromUtf8("7 高级模板 综合模板"), QString::fromUtf8("0 单张模板 横照模板"),
                                  QString::fromUtf8("2 单张模板 横照模板"), QString::fromUtf8("1 单张模板 竖照模板"),
                                  QString::fromUtf8("2 单张模板 竖照模板")}));
    EXPECT_EQ(catalogue.moban[0].duration, "00:00:10");
}

TEST_F(CatalogueTest, TwoParameterFilesAndThreeMoviesUseTheFirstTwoMovies) {
    add({"a.rar", "A", "|heng|", "|picture_1|"});
    add({"b.rar", "B", "|shu|", "|picture_1|"});
    add_movie("c.rar");
    load_template_catalogue(root, catalogue);
    ASSERT_EQ(catalogue.mobancanshu.size(), 2u);
    EXPECT_EQ(catalogue.mobancanshu[1].weizhi, movie("b.rar"));
}

TEST_F(CatalogueTest, StartUpEndsOnMissingTreesWrongMarkersOrTooFewMovies) {
    EXPECT_THROW(load_template_catalogue(root, catalogue), StartupAbort) << "no templates at all";

    add_params("a.rar", params_text({"a.rar", "A", "|heng|", "|picture_1|"}));
    EXPECT_THROW(load_template_catalogue(root, catalogue), StartupAbort) << "no movies";

    add_movie("a.rar");
    add_params("b.rar", params_text({"b.rar", "B", "|heng|", "|picture_1|"}));
    EXPECT_THROW(load_template_catalogue(root, catalogue), StartupAbort) << "parameter file without a movie";

    add_movie("b.rar");
    add_params("c.rar", params_text({"c.rar", "C", "|heng|", "|picture_1|"}, "wrong"));
    add_movie("c.rar");
    try {
        load_template_catalogue(root, catalogue);
        ADD_FAILURE() << "a wrong marker must end start-up";
    } catch (const StartupAbort& e) {
        EXPECT_TRUE(e.reason().contains("c.rar")) << e.what();
    }
}

TEST_F(CatalogueTest, TemplatesWithBadFieldsAreLeftOutAndTheOthersNumberedInOrder) {
    struct Case {
        TemplateFixture fixture;
        const char* field;  // nullptr: the template loads
    };
    const Case cases[] = {
        {{"a.rar", "A", "|heng|", "|picture_1|", "125"}, nullptr},
        {{"b.rar", "B", "|heng|", "|picture_1|", "abc"}, "mbdx"},
        {{"c.rar", "C", "|heng|", "|picture_1|", "0"}, "mbdx"},
        {{"d.rar", "D", "|heng|", "|picture_1|", "99999999999"}, "mbdx"},
        {{"e.rar", "E", "|heng|", "|picture_1|", ""}, "mbdx"},
        {{"f.rar", "F", "|shu|", "|picture_1|", " 15000 "}, nullptr},
        {{"g.rar", "G", "|heng|", "|picture_1|", "15001"}, "mbdx"},
        {{"h.rar", "H", "|heng|", "|picture_1|", "100", "|-1920|"}, "xpkd"},
        {{"i.rar", "I", "|heng|", "|picture_1|", "100", "|1920|", "|0|"}, "xpgd"},
        {{"j.rar", "J", "|heng|heng|", "|picture_1|picture_2|", "100", "|1920|", "|1080|"}, "xpkd"},
        {{"k.rar", "K", "|heng|", "|picture_1|", "100", "|wide|"}, "xpkd"},
        {{"l.rar", "L", "|heng|", "|picture_1|", "100", "|4097|"}, "xpkd"},
        {{"m.rar", "M", "|heng|shu|", "|picture_1|picture_2|", "100", "|4096|1|", "|1|4096|"}, nullptr},
    };
    for (const Case& c : cases)
        add(c.fixture);
    load_template_catalogue(root, catalogue);

    QStringList loaded;
    for (const TemplateParams& p : catalogue.mobancanshu)
        loaded << QStringLiteral("%1 %2").arg(p.xuhao).arg(p.mingcheng);
    EXPECT_EQ(loaded, (QStringList{"0 A", "1 F", "2 M"})) << "xuhao counts the loaded templates";
    EXPECT_EQ(catalogue.mobancanshu[1].weizhi, movie("f.rar")) << "each keeps its own movie";
    EXPECT_EQ(catalogue.moban.size(), 3u);

    QStringList left_out, expected;
    for (const LeftOutTemplate& t : catalogue.left_out) {
        left_out << QStringLiteral("%1 %2").arg(QFileInfo(t.file).fileName(), t.field);
        EXPECT_EQ(t.file, root.template_params_folder() + "/" + QFileInfo(t.file).fileName());
        EXPECT_FALSE(t.reason.isEmpty());
    }
    for (const Case& c : cases)
        if (c.field)
            expected << QStringLiteral("%1 %2").arg(c.fixture.file, c.field);
    EXPECT_EQ(left_out, expected);

    const QString message = left_out_message(catalogue.left_out);
    EXPECT_TRUE(message.contains(catalogue.left_out[0].file)) << message.toStdString();
    EXPECT_TRUE(message.contains("abc")) << "quotes the bad value";
}

TEST_F(CatalogueTest, DamagedParameterFileRaisesTheDataError) {
    add({"a.rar", "A", "|heng|", "|picture_1|"});
    dir.write("smxcwjj/wj_0_or_2/wjj_01/b.rar", QByteArray("\xff\xff\xff\x7f garbage", 12));
    add_movie("b.rar");
    EXPECT_THROW(load_template_catalogue(root, catalogue), DataError);
}

} // namespace
} // namespace velmora
