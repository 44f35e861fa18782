// Which photos the batch tool takes from its command line.
#include <QImage>
#include <QProcess>
#include <cstdio>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "core/jpeg_writer.h"
#include "support/test_support.h"

namespace velmora {
namespace {

struct PlanRun {
    int exit_code = -1;
    nlohmann::json out;
    QString error;
};

class PhotoCollection : public ::testing::Test {
protected:
    test::TempFolder dir;
    QString data = dir.file("smxcwjj");
    QString photos = dir.file("photos");

    void SetUp() override {
        test::copy_tree(VELMORA_DATA_ROOT, data);
        QDir().mkpath(photos);
    }
    // QTemporaryDir cannot see a name that is not UTF-8 to remove it.
    void TearDown() override { std::remove(latin1_name().constData()); }

    QByteArray latin1_name() const { return QFile::encodeName(photos) + "/caf\xE9.jpg"; }

    QString photo(const QString& name, int w = 64, int h = 48) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QString path = photos + "/" + name;
        save_jpeg(image, path);
        return path;
    }
    // A photo whose name holds the Latin-1 byte E9 ("café" written by an old system).
    void latin1_photo() {
        const QString plain = photo("latin1.jpg");
        ASSERT_EQ(std::rename(QFile::encodeName(plain).constData(), latin1_name().constData()), 0);
    }

    // `velmora-make plan` through the shell, so that `arguments` (shell words) can hold bytes
    // that are not UTF-8, written as $(printf '\351').
    PlanRun plan(const QString& arguments) {
        QProcess process;
        process.start("/bin/sh", {"-c", "exec \"$0\" plan --data-root \"$1\" " + arguments,
                                  QStringLiteral(VELMORA_BIN_DIR) + "/velmora-make", data});
        process.waitForFinished(120000);
        PlanRun r;
        r.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        r.error = QString::fromUtf8(process.readAllStandardError());
        const QByteArray out = process.readAllStandardOutput();
        if (r.exit_code == 0)
            r.out = nlohmann::json::parse(out.toStdString());
        return r;
    }
};

TEST_F(PhotoCollection, KeepsNamesThatAreNotUtf8FromFoldersAndArguments) {
    for (const char* name : {"a.jpg", "b.jpg", "d.jpg", "e.jpg", "f.jpg"})
        photo(QString::fromLatin1(name));
    latin1_photo();

    const PlanRun folder = plan("\"" + photos + "\"");
    ASSERT_EQ(folder.exit_code, 0) << folder.error.toStdString();
    EXPECT_EQ(folder.out["photos"].size(), 6u) << "no photo of the folder is dropped";

    const PlanRun named = plan("\"" + photos + "/caf$(printf '\\351').jpg\"");
    ASSERT_EQ(named.exit_code, 0) << named.error.toStdString();
    EXPECT_EQ(named.out["photos"].size(), 1u);

    const PlanRun missing = plan("\"" + photos + "/gon$(printf '\\351').jpg\"");
    EXPECT_NE(missing.exit_code, 0);
    EXPECT_TRUE(missing.error.contains("no such photo or folder: " + photos + "/gon\\xE9.jpg"))
        << missing.error.toStdString();
}

TEST_F(PhotoCollection, LeavesOutPhotosThatCannotServeNamingEach) {
    photo("good.jpg");
    const QByteArray whole = test::read_file(photo("cut.jpg", 400, 300));
    dir.write("photos/cut.jpg", whole.left(whole.size() / 2));
    photo("strip.jpg", 840, 40);

    const PlanRun some = plan("\"" + photos + "\"");
    ASSERT_EQ(some.exit_code, 0) << some.error.toStdString();
    EXPECT_EQ(some.out["photos"].size(), 1u);
    EXPECT_TRUE(some.error.contains("velmora-make: " + photos + "/cut.jpg: not a JPEG photo that can be decoded"))
        << some.error.toStdString();
    EXPECT_TRUE(some.error.contains("velmora-make: " + photos + "/strip.jpg: one side more than 20 times the other"))
        << some.error.toStdString();

    QFile::remove(photos + "/good.jpg");
    const PlanRun none = plan("\"" + photos + "\"");
    EXPECT_NE(none.exit_code, 0) << "nothing left to make an album of";
    EXPECT_TRUE(none.error.contains("cut.jpg")) << none.error.toStdString();
}

} // namespace
} // namespace velmora
