// The format commands: their checks, the album-type answer, the save folder, an existing file
// and the making request.
#include "core/scripted_ui.h"
#include "production/album_type_choice.h"
#include "production/format_command.h"
#include "support/test_support.h"

#include <QFile>
#include <gtest/gtest.h>
#include <optional>

namespace velmora {
namespace {

using mcl::AlbumType;

struct Command {
    OutputSettings settings;
    AppState state;
    Album album;
    ScriptedUi ui;
    // What the album-type window answers; nothing leaves the answer empty (closed some other way).
    std::optional<QString> start_with_name = QStringLiteral("春游");
    int windows = 0;
    std::vector<MakingRequest> made;
    int releases = 0;
    QString shown_size; // what the album-type window saw
    FormatCommand command{settings, state, album, ui,
                          {[this] {
                               ++windows;
                               shown_size = settings.shuchu_chicun;
                               if (start_with_name)
                                   start_making(settings, *start_with_name, ui);
                               else
                                   cancel_making(settings);
                           },
                           [this](const MakingRequest& r) { made.push_back(r); },
                           [this] { ++releases; }}};

    Command() {
        album.photos.push_back({QStringLiteral("a"), QStringLiteral(".jpg"), 400, 300, QStringLiteral("/p/a.jpg"), true});
        album.used_templates.push_back(UsedTemplate{});
        album.used_templates.push_back(UsedTemplate{});
        album.used_templates[1].complete = true;
    }
    QStringList messages() const {
        QStringList texts;
        for (const auto& m : ui.messages)
            texts << m.text;
        return texts;
    }
};

TEST(FormatCommand, RefusalsComeInOrderAndChangeNothing) {
    const struct {
        const char* why;
        std::function<void(Command&)> arrange;
        int songs;
        const char* message;
    } cases[] = {
        {"preview plays", [](Command& c) { c.state.tuichu = PreviewPlayback::Playing; c.album.photos.clear(); }, 1,
         "正在播放相册,点停止按钮后,再操作！"},
        {"no photo", [](Command& c) { c.album.photos.clear(); c.album.used_templates.clear(); }, 1, "没有添加照片文件！"},
        {"music sync without songs", [](Command& c) { c.settings.sync_mode = SyncMode::Music; c.album.used_templates.clear(); },
         0, "没有找到音乐文件！使用随音乐文件同步,至少添加一个音乐文件！"},
        {"no used template", [](Command& c) { c.album.used_templates.clear(); }, 0, "没有添加模板文件！"},
        {"no finished template", [](Command& c) { c.album.used_templates[1].complete = false; }, 0,
         "没有完成照片匹配的模板文件！请为模板添加照片后,再制作相册！"},
    };
    for (const auto& c : cases) {
        Command cmd;
        c.arrange(cmd);
        cmd.settings.xiangce_mingcheng = "kept";
        cmd.state.xiangce_leixing = "kept";
        EXPECT_EQ(cmd.command.run(AlbumType::dvd, c.songs), FormatOutcome::Refused) << c.why;
        EXPECT_EQ(cmd.messages(), QStringList{QString::fromUtf8(c.message)}) << c.why;
        EXPECT_EQ(cmd.windows, 0) << c.why;
        EXPECT_EQ(cmd.settings.xiangce_mingcheng, "kept") << c.why;
        EXPECT_EQ(cmd.state.xiangce_leixing, "kept") << c.why;
        EXPECT_EQ(cmd.state.zhizuo_kaishi, "Edit_zhizuo_zhuan_zhizuo") << c.why;
    }
    // Music sync with a song, and template sync without one (once the person agrees to a
    // silent album), both go ahead.
    for (SyncMode sync : {SyncMode::Music, SyncMode::Template}) {
        Command cmd;
        cmd.settings.sync_mode = sync;
        cmd.ui.folder_answers.push_back("/nonexistent-velmora-folder");
        cmd.ui.confirm_answers.push_back(true);
        EXPECT_EQ(cmd.command.run(AlbumType::dvd, sync == SyncMode::Music ? 1 : 0), FormatOutcome::Made);
    }
}

TEST(FormatCommand, AnAlbumWithoutSongsIsMadeOnlyWhenThePersonAgrees) {
    for (bool agreed : {false, true}) {
        Command cmd;
        cmd.state.xiangce_leixing = "kept";
        cmd.ui.folder_answers.push_back("/albums");
        cmd.ui.confirm_answers.push_back(agreed);
        EXPECT_EQ(cmd.command.run(AlbumType::mp4, 0), agreed ? FormatOutcome::Made : FormatOutcome::Cancelled);
        ASSERT_EQ(cmd.ui.questions.size(), 1u);
        EXPECT_EQ(cmd.ui.questions[0].question, QString::fromUtf8("没有添加音乐文件,制作的相册将没有声音,是否继续?"));
        EXPECT_EQ(cmd.made.size(), agreed ? 1u : 0u);
        if (agreed)
            continue;
        EXPECT_EQ(cmd.windows, 0) << "the album-type window is not opened";
        EXPECT_EQ(cmd.ui.folder_answers.size(), 1u) << "nor the folder asked for";
        EXPECT_EQ(cmd.state.xiangce_leixing, "kept");
        EXPECT_EQ(cmd.state.zhizuo_kaishi, "Edit_zhizuo_zhuan_zhizuo");
    }
    // With a song there is nothing to ask.
    Command cmd;
    cmd.ui.folder_answers.push_back("/albums");
    EXPECT_EQ(cmd.command.run(AlbumType::mp4, 1), FormatOutcome::Made);
    EXPECT_TRUE(cmd.ui.questions.empty());
}

TEST(FormatCommand, MakesTheAlbumInTheChosenFolder) {
    const struct {
        AlbumType type;
        const char* folder;
        const char* path;
        const char* title;
        const char* size;
    } cases[] = {
        {AlbumType::dvd, "/albums", "/albums/春游.mpg", "制作DVD相册", "1920 × 1088"},
        {AlbumType::vcd, "/albums/", "/albums/春游.mpg", "制作VCD相册", "1280 × 720"},  // no second "/"
        {AlbumType::mov, "/albums", "/albums/春游.mov", "制作MOV相册", "1920 × 1088"},
        {AlbumType::avi, "/albums", "/albums/春游.avi", "制作AVI相册", "1920 × 1088"},
        {AlbumType::mp4, "/albums", "/albums/春游.mp4", "制作MP4相册", "1920 × 1088"},
    };
    for (const auto& c : cases) {
        Command cmd;
        cmd.settings.xiangce_mingcheng = "from the last run";
        cmd.ui.folder_answers.push_back(QString::fromUtf8(c.folder));
        EXPECT_EQ(cmd.command.run(c.type, 1), FormatOutcome::Made) << c.title;
        EXPECT_EQ(cmd.shown_size, QString::fromUtf8(c.size)) << c.title;
        ASSERT_EQ(cmd.made.size(), 1u);
        EXPECT_EQ(cmd.made[0].type, c.type);
        EXPECT_EQ(cmd.made[0].output_path, QString::fromUtf8(c.path));
        EXPECT_EQ(cmd.made[0].title, QString::fromUtf8(c.title));
        EXPECT_EQ(cmd.made[0].album_name, QString::fromUtf8("春游"));
        EXPECT_EQ(cmd.state.xiangce_leixing, to_text(c.type));
        EXPECT_EQ(cmd.state.xiangce_baocun_weizhi, "/albums/");
        EXPECT_EQ(cmd.settings.xiangce_baocun_weizhi, "/albums/");
        EXPECT_EQ(cmd.state.zhizuo_zhuan_zhizuo, "wu");
        EXPECT_EQ(cmd.state.zhizuo_kaishi, "zhizuo_kaishi");
        EXPECT_EQ(cmd.state.mcl_caozuo_leixing, "MCL_zhizuo_xiangce");
        EXPECT_EQ(cmd.releases, 1) << c.title;
        EXPECT_TRUE(cmd.ui.messages.empty());
    }
}

TEST(FormatCommand, ACancelledWindowOrFolderStartsNoRun) {
    {
        Command cmd;
        cmd.start_with_name.reset();
        cmd.settings.xiangce_mingcheng = "old";
        cmd.ui.folder_answers.push_back("/albums");
        EXPECT_EQ(cmd.command.run(AlbumType::svcd, 1), FormatOutcome::Cancelled);
        EXPECT_TRUE(cmd.settings.xiangce_mingcheng.isEmpty());
        EXPECT_TRUE(cmd.made.empty());
        EXPECT_EQ(cmd.state.mcl_caozuo_leixing, "Edit_yinyue_shijian");
        EXPECT_EQ(cmd.ui.folder_answers.size(), 1u);  // the folder was never asked for
    }
    {
        Command cmd;  // the folder chooser is cancelled: no scripted folder
        EXPECT_EQ(cmd.command.run(AlbumType::svcd, 1), FormatOutcome::Cancelled);
        EXPECT_EQ(cmd.state.xiangce_baocun_weizhi, "/");
        EXPECT_TRUE(cmd.made.empty());
        EXPECT_EQ(cmd.releases, 0);
    }
}

TEST(FormatCommand, AnExistingFileIsReplacedOnlyWhenConfirmed) {
    test::TempFolder folder;
    folder.write(QString::fromUtf8("春游.mpg"), "an earlier album");
    for (bool confirmed : {false, true}) {
        Command cmd;
        cmd.ui.folder_answers.push_back(folder.path());
        cmd.ui.confirm_answers.push_back(confirmed);
        EXPECT_EQ(cmd.command.run(AlbumType::dvd, 1), confirmed ? FormatOutcome::Made : FormatOutcome::Cancelled);
        ASSERT_EQ(cmd.ui.questions.size(), 1u);
        EXPECT_TRUE(cmd.ui.questions[0].question.contains(QString::fromUtf8("春游.mpg")));
        EXPECT_EQ(cmd.made.size(), confirmed ? 1u : 0u);
    }
    // Another type writes another file: no question.
    Command cmd;
    cmd.ui.folder_answers.push_back(folder.path());
    EXPECT_EQ(cmd.command.run(AlbumType::mov, 1), FormatOutcome::Made);
    EXPECT_TRUE(cmd.ui.questions.empty());
    EXPECT_EQ(test::read_file(folder.file(QString::fromUtf8("春游.mpg"))), "an earlier album");
}

TEST(FormatCommand, QualityStandardAndSyncSurviveARun) {
    Command cmd;
    cmd.settings.huamianzhiliang_xuanzhong = PictureQuality::biaoqing;
    cmd.settings.tv_standard = mcl::TvStandard::ntsc;
    cmd.settings.sync_mode = SyncMode::Music;
    cmd.ui.folder_answers.push_back("/albums");
    ASSERT_EQ(cmd.command.run(AlbumType::dvd, 2), FormatOutcome::Made);
    EXPECT_EQ(cmd.settings.huamianzhiliang_xuanzhong, PictureQuality::biaoqing);
    EXPECT_EQ(cmd.settings.tv_standard, mcl::TvStandard::ntsc);
    EXPECT_EQ(cmd.settings.sync_mode, SyncMode::Music);
    EXPECT_EQ(cmd.settings.render_size(), QSize(800, 450));
}

} // namespace
} // namespace velmora
