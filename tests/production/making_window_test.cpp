// The making window on the offscreen platform, driving real production runs.
#include <QApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/modal_answers.h"
#include "production/made_album_fixture.h"
#include "production/making_window.h"

namespace velmora {
namespace {

class MakingWindowTest : public ::testing::Test {
protected:
    test::MadeAlbumFixture f;
    WindowSkin skin = WindowSkin::paint();
    std::unique_ptr<MakingWindow> window;
    QStringList opened;

    void SetUp() override {
        f.ui.on_pump = [] { QCoreApplication::processEvents(); };
        f.app_state.zhizuo_zhuan_zhizuo = "wu";
        f.app_state.zhizuo_kaishi = "zhizuo_kaishi";
        f.add_photos(1);
        window = std::make_unique<MakingWindow>(
            MakingSources{f.root, f.album, f.catalogue, f.music, f.settings, f.thumbnails}, f.app_state, f.ui, skin);
        window->set_folder_opener([this](const QString& folder) { opened.append(folder); });
    }
    MakingRequest request() const {
        return MakingRequest{mcl::AlbumType::dvd, "制作DVD相册", "album", f.output_path()};
    }
    // Runs `act` once the window announces the finished album; the window waits for the person.
    void when_done(std::function<void()> act) {
        auto* poll = new QTimer(window.get());
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll, act] {
            if (!window->done_notice()->isVisible())
                return;
            poll->stop();
            poll->deleteLater();
            act();
        });
        poll->start(10);
    }
};

// What the labels beside the bars read while frames are being made.
struct LabelsSeen {
    QStringList template_details;
    QStringList overall_details;
    QStringList times;
};

TEST_F(MakingWindowTest, LabelsTheBarsWhileMakingThenAnnouncesTheAlbum) {
    LabelsSeen seen;
    f.ui.on_pump = [&] {
        QCoreApplication::processEvents();
        if (!window->stop_button()->isEnabled() || window->main_bar()->value() == 0)
            return;
        seen.template_details << window->template_detail()->text();
        seen.overall_details << window->overall_detail()->text();
        seen.times << window->time_label()->text();
    };
    test::when_modal_shows([&](QWidget* shown) {
        EXPECT_EQ(shown->objectName(), "TForm25");
        EXPECT_EQ(window->caption(), "制作DVD相册");
        EXPECT_EQ(window->name_field()->text(), "album");
        EXPECT_EQ(window->template_caption()->text(), "当前模板");
        EXPECT_EQ(window->overall_caption()->text(), "全部进度");
        EXPECT_FALSE(window->stop_button()->isEnabled());
        EXPECT_FALSE(window->open_folder_box()->isChecked());
        EXPECT_FALSE(window->done_notice()->isVisible());
        window->open_folder_box()->setChecked(true);
    });
    when_done([&] {
        EXPECT_EQ(window->done_path()->text(), QDir::toNativeSeparators(f.output_path()));
        EXPECT_FALSE(window->stop_button()->isVisible());
        EXPECT_EQ(window->template_detail()->text(), "全部模板完成");
        EXPECT_EQ(window->busy_bar()->value(), window->busy_bar()->maximum());
        EXPECT_EQ(window->overall_detail()->text(), QStringLiteral("100%  %1/%1 帧").arg(window->main_bar()->maximum()));
        window->done_open_folder()->click();
        EXPECT_EQ(opened, QStringList{f.out()});
        test::press_close_label(window.get());   // a finished album's window closes like any other
    });
    window->make(request());
    EXPECT_EQ(window->last_outcome(), ProductionOutcome::Complete);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(f.output_files(), QStringList{"album.mpg"});
    EXPECT_EQ(window->main_bar()->value(), window->main_bar()->maximum());
    // The button, then the ticked box when the window closed.
    EXPECT_EQ(opened, QStringList({f.out(), f.out()}));
    EXPECT_TRUE(window->conversion_log().contains("Conversion ended."));

    ASSERT_FALSE(seen.overall_details.isEmpty());
    const int total = window->main_bar()->maximum();
    const UsedTemplate& used = f.album.used_templates.front();
    const int template_frames = test::catalogue_frames(f.catalogue, used.catalogue_number);
    const QRegularExpression movie(QStringLiteral("^(\\S+)  (\\d+)%  (\\d+)/(\\d+) 帧$"));
    const QRegularExpression album(QStringLiteral("^(\\d+)%  (\\d+)/%1 帧$").arg(total));
    const QRegularExpression times(QStringLiteral("^已用时间 \\d\\d:\\d\\d:\\d\\d    剩余时间 (\\d\\d:\\d\\d:\\d\\d|--:--:--)$"));
    QStringList movies;
    for (int i = 0; i < seen.overall_details.size(); ++i) {
        const auto m = movie.match(seen.template_details[i]);
        ASSERT_TRUE(m.hasMatch()) << seen.template_details[i].toStdString();
        const QString name = m.captured(1);
        if (!movies.contains(name))
            movies << name;
        EXPECT_EQ(m.captured(4).toInt(), name == "片尾" ? 150 : template_frames) << name.toStdString();
        EXPECT_EQ(m.captured(2).toInt(), m.captured(3).toInt() * 100 / m.captured(4).toInt());
        const auto a = album.match(seen.overall_details[i]);
        ASSERT_TRUE(a.hasMatch()) << seen.overall_details[i].toStdString();
        EXPECT_EQ(a.captured(1).toInt(), a.captured(2).toInt() * 100 / total);
        EXPECT_TRUE(times.match(seen.times[i]).hasMatch()) << seen.times[i].toStdString();
    }
    // The template, then the closing movie.
    EXPECT_EQ(movies, QStringList({used.template_name, "片尾"}));
    // Once frames have been made for a while the time left is known.
    EXPECT_FALSE(seen.times.back().endsWith("--:--:--")) << seen.times.back().toStdString();
}

TEST_F(MakingWindowTest, WithTheBoxTickedTheFolderOpensAfterAPauseAndTheNoticeStays) {
    test::when_modal_shows([&](QWidget*) { window->open_folder_box()->setChecked(true); });
    when_done([&] {
        EXPECT_TRUE(opened.isEmpty());
        EXPECT_TRUE(test::wait_until([&] { return !opened.isEmpty(); }, 5000));
        EXPECT_TRUE(window->isVisible());
        test::press(window.get(), "关闭");
    });
    window->make(request());
    EXPECT_EQ(opened, QStringList{f.out()});
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MakingWindowTest, StopEndsTheRunWithoutAFileAndTheCloseLabelDoesNot) {
    // The buttons are pressed from an event pump inside the run, as the person would.
    bool pressed = false;
    f.ui.on_pump = [&] {
        QCoreApplication::processEvents();
        if (pressed || window->main_bar()->value() <= 20)
            return;
        pressed = true;
        EXPECT_TRUE(window->stop_button()->isEnabled());
        test::press_close_label(window.get());
        EXPECT_TRUE(window->isVisible());
        test::press(window.get(), "停止制作");
    };
    window->make(request());
    EXPECT_EQ(window->last_outcome(), ProductionOutcome::Stopped);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(f.output_files().isEmpty());
    EXPECT_TRUE(opened.isEmpty());
    // The box is unticked at every run, and the window can make the next album.
    f.ui.on_pump = [] { QCoreApplication::processEvents(); };
    test::when_modal_shows([&](QWidget*) {
        EXPECT_FALSE(window->open_folder_box()->isChecked());
        // Nothing of the stopped run is shown: the new one starts from nought.
        const QString overall = window->overall_detail()->text();
        EXPECT_TRUE(overall.isEmpty() || overall.startsWith("0%  0/")) << overall.toStdString();
    });
    when_done([&] { test::press(window.get(), "关闭"); });
    window->make(request());
    EXPECT_EQ(window->last_outcome(), ProductionOutcome::Complete);
}

TEST_F(MakingWindowTest, OpenSaveLocationOpensTheOutputFolderOnceThereIsOne) {
    window->open_location_button()->click();
    EXPECT_TRUE(opened.isEmpty());
    test::when_modal_shows([&](QWidget*) {});
    when_done([&] { test::press(window.get(), "关闭"); });
    window->make(request());
    window->open_location_button()->click();
    EXPECT_EQ(opened, QStringList{f.out()});
}

} // namespace
} // namespace velmora
