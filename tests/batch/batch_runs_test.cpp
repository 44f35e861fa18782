// Batch runs side by side, stopped by a signal, and what they leave behind.
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

#include "preview/sample_photo.h"
#include "core/jpeg_writer.h"
#include "media/sine_song.h"
#include "production/output_probe.h"
#include "support/test_support.h"

namespace velmora {
namespace {

// Every file and folder below `root` with its size and modification time, one per line.
std::string listing(const QString& root) {
    QStringList rows;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        rows.append(QStringLiteral("%1 %2 %3")
                        .arg(QDir(root).relativeFilePath(info.filePath()))
                        .arg(info.isDir() ? -1 : info.size())
                        .arg(info.lastModified().toMSecsSinceEpoch()));
    }
    rows.sort();
    return rows.join('\n').toStdString();
}

std::string entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).join(' ').toStdString();
}

// What batch runs left in the temporary folder (Qt keeps a runtime folder of its own there).
std::string runs_left(const QString& temp) {
    return QDir(temp).entryList({"velmora-make-*"}, QDir::AllEntries | QDir::Hidden).join(' ').toStdString();
}

// A copy of the shipped data, two photos and songs, shared by the suite. Every run gets
// TMPDIR set to a folder of the test's own, so that what a run leaves there can be seen.
class BatchRuns : public ::testing::Test {
protected:
    static inline test::TempFolder* dir = nullptr;
    static QString data() { return dir->file("smxcwjj"); }
    static QString photos() { return dir->file("photos"); }
    static QString song(int seconds) { return dir->file(QStringLiteral("song%1.mp3").arg(seconds)); }

    static void SetUpTestSuite() {
        dir = new test::TempFolder;
        test::copy_tree(VELMORA_DATA_ROOT, data());
        QDir().mkpath(photos());
        save_jpeg(paint_sample_photo(QSize(480, 320), 3), photos() + "/a.jpg");
        save_jpeg(paint_sample_photo(QSize(320, 480), 4), photos() + "/b.jpg");
        test::write_sine_mp3(song(2), 2.0);
        test::write_sine_mp3(song(60), 60.0);
    }
    static void TearDownTestSuite() {
        delete dir;
        dir = nullptr;
    }

    QString temp = dir->file("tmp/" + QString::fromStdString(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    QString out = dir->file("out/" + QString::fromStdString(::testing::UnitTest::GetInstance()->current_test_info()->name()));

    void SetUp() override {
        QDir().mkpath(temp);
        QDir().mkpath(out);
    }

    std::unique_ptr<QProcess> start(const QString& command, const QStringList& arguments) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", temp);
        process->setProcessEnvironment(env);
        process->start(QStringLiteral(VELMORA_BIN_DIR) + "/velmora-make",
                       QStringList{command, "--data-root", data()} + arguments);
        EXPECT_TRUE(process->waitForStarted());
        return process;
    }
    QStringList make_arguments(const QString& name, int seconds) const {
        return {"--sync", "music", "--music", song(seconds), "--type", "MP4", "--size", "320x240",
                "--name", name, "--out", out, photos()};
    }
};

int exit_code(QProcess& process) {
    process.waitForFinished(300000);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// Two makes and two plans at once on one data folder: all succeed, the data folder is as it was
// (read only), and nothing of the runs stays in the temporary folder.
TEST_F(BatchRuns, RunsSideBySideOnOneDataFolderAllSucceedAndOnlyReadIt) {
    const std::string before = listing(data());
    auto make1 = start("make", make_arguments("side1", 2));
    auto make2 = start("make", make_arguments("side2", 2));
    auto plan1 = start("plan", {photos()});
    auto plan2 = start("plan", {"--combination", "1", photos() + "/a.jpg", photos() + "/b.jpg"});
    for (QProcess* p : {make1.get(), make2.get(), plan1.get(), plan2.get()}) {
        EXPECT_EQ(exit_code(*p), 0) << p->arguments().join(' ').toStdString() << "\n"
                                    << p->readAllStandardError().toStdString();
    }
    EXPECT_TRUE(plan1->readAllStandardOutput().contains("\"photos\""));
    for (const char* name : {"/side1.mp4", "/side2.mp4"}) {
        const test::OutputProbe probe = test::probe_output(out + name);
        EXPECT_EQ(probe.width, 320) << name;
        EXPECT_GE(probe.video_frames, 25) << name;
        EXPECT_FALSE(probe.audio_codec.isEmpty()) << name;
    }
    EXPECT_EQ(listing(data()), before);
    EXPECT_EQ(runs_left(temp), "");
}

// A chosen work folder is used and left as it was found: what the run made there goes, what was
// there before stays.
TEST_F(BatchRuns, AChosenWorkFolderKeepsWhatWasThereAndLosesWhatTheRunMade) {
    const QString work = dir->file("chosen");
    dir->write("chosen/mine.txt", "kept");
    const std::string before = listing(data());
    auto plan = start("plan", {"--work-dir", work, photos()});
    EXPECT_EQ(exit_code(*plan), 0) << plan->readAllStandardError().toStdString();
    EXPECT_EQ(entries(work), "mine.txt");

    const QString fresh = dir->file("fresh/work");
    auto make = start("make", QStringList{"--work-dir", fresh} + make_arguments("chosen", 2));
    EXPECT_EQ(exit_code(*make), 0) << make->readAllStandardError().toStdString();
    EXPECT_FALSE(QFileInfo::exists(fresh)) << "the run made the folder, so it goes";
    EXPECT_EQ(listing(data()), before);
    EXPECT_EQ(runs_left(temp), "");
}

// Ctrl-C, SIGTERM and SIGHUP stop a make like the stop command: "stopped", 128 + the signal,
// and neither the partial album nor any work file stays behind.
TEST_F(BatchRuns, AStopSignalEndsMakeAndLeavesNothingBehind) {
    const std::string before = listing(data());
    const std::pair<int, int> cases[] = {{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}};
    for (const auto& [signal, code] : cases) {
        auto make = start("make", make_arguments(QStringLiteral("stop%1").arg(signal), 60));
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 120000 && make->state() == QProcess::Running
               && QDir(out).entryList({".*.part"}, QDir::Files | QDir::Hidden).isEmpty())
            QThread::msleep(20);
        ASSERT_EQ(make->state(), QProcess::Running) << make->readAllStandardError().toStdString();
        ASSERT_FALSE(QDir(out).entryList({".*.part"}, QDir::Files | QDir::Hidden).isEmpty());
        ::kill(pid_t(make->processId()), signal);
        EXPECT_EQ(exit_code(*make), code) << signal;
        const QString error = QString::fromUtf8(make->readAllStandardError());
        EXPECT_TRUE(error.contains("stopped")) << error.toStdString();
        EXPECT_EQ(entries(out), "") << signal;
        EXPECT_EQ(runs_left(temp), "") << signal;
    }
    EXPECT_EQ(listing(data()), before);
}

// A part file of a killed run is removed by the next run into that folder; one that a living
// run holds, a new one, and files of other names stay.
TEST_F(BatchRuns, StalePartFilesOfKilledRunsAreRemovedAndOthersKept) {
    const QDateTime old = QDateTime::currentDateTime().addSecs(-60);
    const auto part = [&](const QString& name, const QDateTime& time) {
        const QString path = dir->write("out/StalePartFilesOfKilledRunsAreRemovedAndOthersKept/" + name, "partial");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        EXPECT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
        return path;
    };
    const QString killed = part(".album.mp4.Ab3dE9.part", old);
    const QString other_killed = part(".other.mpg.zzzzzz.part", old);
    const QString held = part(".album.mp4.HeLd01.part", old);
    const QString newer = part(".album.mp4.NeWer1.part", QDateTime::currentDateTime().addSecs(60));
    const QString foreign = part("notes.part", old);
    const QString hidden = part(".notes.part", old);
    const int fd = ::open(QFile::encodeName(held).constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    auto make = start("make", make_arguments("album", 2));
    EXPECT_EQ(exit_code(*make), 0) << make->readAllStandardError().toStdString();
    ::close(fd);
    EXPECT_FALSE(QFileInfo::exists(killed));
    EXPECT_FALSE(QFileInfo::exists(other_killed));
    for (const QString& kept : {held, newer, foreign, hidden})
        EXPECT_TRUE(QFileInfo::exists(kept)) << kept.toStdString();
    EXPECT_TRUE(QFileInfo::exists(out + "/album.mp4"));
}

} // namespace
} // namespace velmora
