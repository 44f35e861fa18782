// Output settings: size lists and defaults per album type, the album-type choices, the
// render-size rule, presets and output paths.
#include "core/scripted_ui.h"
#include "production/album_type_choice.h"
#include "production/output_settings.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using mcl::AlbumType;

QStringList size_texts(AlbumType type, mcl::TvStandard standard = mcl::TvStandard::pal) {
    QStringList texts;
    for (const OutputSize& size : output_sizes(type, standard))
        texts << size.text();
    return texts;
}

TEST(OutputSizes, EveryTypeOffersItsListWithItsDefault) {
    const QStringList vcd = {"320 × 176", "464 × 256", "640 × 368", "800 × 480", "1280 × 720", "352×288 VCD光盘"};
    const QStringList other = {"320 × 176",  "464 × 256",  "640 × 368",   "800 × 480",  "1280 × 720",
                               "1440 × 816", "1600 × 896", "1920 × 1088", "2048 × 1152"};
    const QStringList dvd = other + QStringList{"720×576 DVD光盘"};
    const struct {
        AlbumType type;
        const QStringList& sizes;
        const char* default_text;
        int width, height;
    } cases[] = {
        {AlbumType::vcd, vcd, "1280 × 720", 1280, 720},       {AlbumType::svcd, other, "1920 × 1088", 1920, 1088},
        {AlbumType::dvd, dvd, "1920 × 1088", 1920, 1088},     {AlbumType::mov, other, "1920 × 1088", 1920, 1088},
        {AlbumType::avi, other, "1920 × 1088", 1920, 1088},   {AlbumType::mp4, other, "1920 × 1088", 1920, 1088},
        {AlbumType::wmv, other, "1920 × 1088", 1920, 1088},
    };
    for (const auto& c : cases) {
        const QString name = to_text(c.type);
        EXPECT_EQ(size_texts(c.type), c.sizes) << name.toStdString();
        OutputSettings settings;
        settings.xiangce_mingcheng = "old";
        settings.xiangce_baocun_weizhi = "/old/";
        settings.quxiao = AlbumTypeAnswer::Cancel;
        prepare_album_type_choice(settings, c.type);
        EXPECT_EQ(settings.shuchu_chicun, QString::fromUtf8(c.default_text)) << name.toStdString();
        EXPECT_EQ(settings.shuchu_leixing, c.type);
        EXPECT_EQ(settings.chicun_width, c.width);
        EXPECT_EQ(settings.chicun_height, c.height);
        EXPECT_EQ(chosen_size_index(settings), default_size_index(c.type));
        EXPECT_EQ(settings.quxiao, AlbumTypeAnswer::Open);
        EXPECT_TRUE(settings.xiangce_mingcheng.isEmpty());
        EXPECT_TRUE(settings.xiangce_baocun_weizhi.isEmpty());
    }
    EXPECT_TRUE(output_sizes(AlbumType::invalid, mcl::TvStandard::pal).empty());
}

TEST(OutputSizes, DiscSizesFollowTheTvStandard) {
    using mcl::TvStandard;
    const struct {
        AlbumType type;
        TvStandard standard;
        const char* last;
        int width, height;
    } cases[] = {
        {AlbumType::dvd, TvStandard::pal, "720×576 DVD光盘", 720, 576},
        {AlbumType::dvd, TvStandard::ntsc, "720×480 DVD光盘", 720, 480},
        {AlbumType::vcd, TvStandard::pal, "352×288 VCD光盘", 352, 288},
        {AlbumType::vcd, TvStandard::ntsc, "352×240 VCD光盘", 352, 240},
    };
    for (const auto& c : cases) {
        const QStringList texts = size_texts(c.type, c.standard);
        EXPECT_EQ(texts.back(), QString::fromUtf8(c.last));
        OutputSettings settings;
        settings.tv_standard = c.standard;
        prepare_album_type_choice(settings, c.type);
        choose_output_size(settings, int(texts.size()) - 1);
        EXPECT_EQ(settings.shuchu_chicun, QString::fromUtf8(c.last));
        EXPECT_EQ(QSize(settings.chicun_width, settings.chicun_height), QSize(c.width, c.height));
        EXPECT_EQ(chosen_size_index(settings), texts.size() - 1);
        EXPECT_EQ(output_size_text(c.type, c.standard, c.width, c.height), QString::fromUtf8(c.last));
        // The album is still rendered at 16:9.
        EXPECT_EQ(settings.render_size(), QSize(1920, 1080));
        choose_default_size(settings);
        EXPECT_EQ(chosen_size_index(settings), default_size_index(c.type));
    }
    // Another standard's disc size is an ordinary size; the other types have no disc size.
    EXPECT_EQ(output_size_text(AlbumType::dvd, TvStandard::ntsc, 720, 576), "720 × 576");
    EXPECT_EQ(size_texts(AlbumType::svcd, TvStandard::ntsc).size(), 9);
    EXPECT_EQ(size_texts(AlbumType::mp4, TvStandard::pal).size(), 9);
}

TEST(AlbumTypeChoice, ChoosingAnItemAndDefaultCopyTheItem) {
    OutputSettings settings;
    prepare_album_type_choice(settings, AlbumType::dvd);
    choose_output_size(settings, 0);
    EXPECT_EQ(settings.shuchu_chicun, "320 × 176");
    EXPECT_EQ(settings.chicun_width, 320);
    EXPECT_EQ(settings.chicun_height, 176);
    for (int outside : {-1, 10}) {
        choose_output_size(settings, outside);
        EXPECT_EQ(settings.chicun_width, 320) << outside;
    }
    choose_output_size(settings, 8);
    EXPECT_EQ(settings.shuchu_chicun, "2048 × 1152");
    choose_default_size(settings);
    EXPECT_EQ(settings.shuchu_chicun, "1920 × 1088");
    EXPECT_EQ(chosen_size_index(settings), 7);
}

TEST(AlbumTypeChoice, StartNeedsANameThatStaysInTheFolder) {
    const struct {
        const char* name;
        bool accepted;
    } cases[] = {
        {"", false},       {"   ", true},        {"春游", true},        {"a.b", true},
        {"a/b", false},    {"a\\b", false},      {"..", false},         {"x..y", false},
    };
    for (const auto& c : cases) {
        OutputSettings settings;
        ScriptedUi ui;
        EXPECT_EQ(start_making(settings, QString::fromUtf8(c.name), ui), c.accepted) << c.name;
        EXPECT_EQ(settings.quxiao, c.accepted ? AlbumTypeAnswer::Start : AlbumTypeAnswer::Open) << c.name;
        EXPECT_EQ(settings.xiangce_mingcheng, c.accepted ? QString::fromUtf8(c.name) : QString()) << c.name;
        EXPECT_EQ(ui.messages.size(), c.accepted ? 0u : 1u) << c.name;
    }
    ScriptedUi ui;
    OutputSettings settings;
    start_making(settings, {}, ui);
    EXPECT_EQ(ui.messages.at(0).text, "相册名称不能为空,请输入相册名称！");
    cancel_making(settings);
    EXPECT_EQ(to_text(settings.quxiao), "zhizuo_quxiao");
}

TEST(OutputSettings, RenderSizeFollowsTheQualityWhateverTheOutputSize) {
    const struct {
        PictureQuality quality;
        QSize size;
    } cases[] = {
        {PictureQuality::biaoqing, {800, 450}},
        {PictureQuality::gaoqing, {1920, 1080}},
        {PictureQuality::chaoqing, {1920, 1080}},
    };
    for (const auto& c : cases) {
        for (AlbumType type : {AlbumType::vcd, AlbumType::dvd, AlbumType::mov}) {
            for (int item : {0, 4, 7}) {
                OutputSettings settings;
                settings.huamianzhiliang_xuanzhong = c.quality;
                prepare_album_type_choice(settings, type);
                choose_output_size(settings, item);
                EXPECT_EQ(settings.render_size(), c.size) << to_text(c.quality).toStdString() << " " << item;
            }
        }
    }
}

TEST(OutputSettings, DefaultsAreHighQualityPalAndTemplateSync) {
    const OutputSettings settings;
    EXPECT_EQ(to_text(settings.huamianzhiliang_xuanzhong), "gaoqing");
    EXPECT_EQ(settings.tv_standard, mcl::TvStandard::pal);
    EXPECT_EQ(to_text(settings.sync_mode), "随模板文件同步  (音乐循环)");
    EXPECT_EQ(to_text(SyncMode::Music), "随音乐文件同步  (模板循环)");
    EXPECT_EQ(to_text(settings.quxiao), "");
}

TEST(OutputSettings, EveryTypeHasItsNamePresetAndExtension) {
    const struct {
        AlbumType type;
        const char* name;
        mcl::FormatPreset preset;
        const char* path;
    } cases[] = {
        {AlbumType::vcd, "VCD", mcl::FormatPreset::vcd, "/out/春游.mpg"},
        {AlbumType::svcd, "SVCD", mcl::FormatPreset::svcd, "/out/春游.mpg"},
        {AlbumType::dvd, "DVD", mcl::FormatPreset::dvd, "/out/春游.mpg"},
        {AlbumType::avi, "AVI", mcl::FormatPreset::avi, "/out/春游.avi"},
        {AlbumType::mov, "MOV", mcl::FormatPreset::none, "/out/春游.mov"},
        {AlbumType::mp4, "MP4", mcl::FormatPreset::none, "/out/春游.mp4"},
        {AlbumType::wmv, "WMV", mcl::FormatPreset::none, "/out/春游.wmv"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(to_text(c.type), c.name);
        EXPECT_EQ(album_type_from_text(QString::fromLatin1(c.name)), c.type);
        EXPECT_EQ(format_preset(c.type), c.preset) << c.name;
        OutputSettings settings;
        settings.xiangce_leixing = c.type;
        settings.xiangce_baocun_weizhi = "/out/";
        settings.xiangce_mingcheng = QString::fromUtf8("春游");
        EXPECT_EQ(settings.output_path(), QString::fromUtf8(c.path)) << c.name;
    }
    EXPECT_EQ(album_type_from_text("dvd"), std::nullopt);
    EXPECT_EQ(album_type_from_text(""), std::nullopt);
    EXPECT_EQ(to_text(AlbumType::invalid), "");
    EXPECT_FALSE(uses_high_bit_rate(PictureQuality::biaoqing));
    EXPECT_TRUE(uses_high_bit_rate(PictureQuality::gaoqing));
}

} // namespace
} // namespace velmora
