#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "core/cleanup.h"
#include "core/packed_file.h"
#include "support/test_support.h"

namespace velmora {
namespace {

struct DataFolder {
    test::TempFolder dir;
    DataRoot root{dir.file("smxcwjj")};

    void fill_work_and_workspace() {
        dir.write("smxcwjj/wj_0_or_2/wjj_00_j_y/a.rar", "x");
        dir.write("smxcwjj/wj_0_or_2/wjj_00_j_y/b.RAR", "x");
        dir.write("smxcwjj/wj_0_or_2/wjj_00_j_y/c.ini", "x");
        dir.write("smxcwjj/wj_y_l/wj_y_l/wj_y_l/pic/picture_0.jpg", "x");
        for (const QString& path : transient_files(root))
            dir.write(QDir(dir.path()).relativeFilePath(path), "x");
    }
};

TEST(Cleanup, ExitRemovesWorkFoldersAndTransientFilesWithProgress) {
    DataFolder data;
    data.fill_work_and_workspace();
    data.dir.write("smxcwjj/wj_0_or_2/wjj_01/keep.rar", "shipped");
    int maximum = -1;
    int steps = 0;

    exit_cleanup(data.root, {[&](int m) { maximum = m; }, [&] { ++steps; }});

    EXPECT_EQ(maximum, 2) << "the bar is sized by the packed files in the work folder";
    EXPECT_EQ(steps, 3 + 4) << "three work files, then the workspace's file and three folders";
    EXPECT_FALSE(QFileInfo::exists(data.root.work_dir()));
    EXPECT_FALSE(QFileInfo::exists(data.root.preview_workspace()));
    for (const QString& path : transient_files(data.root))
        EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    EXPECT_TRUE(QFile::exists(data.dir.file("smxcwjj/wj_0_or_2/wjj_01/keep.rar"))) << "shipped data is kept";
}

TEST(Cleanup, FirstShowRemovesWorkspaceStrayFolderAndTransientFilesButNotWorkDir) {
    DataFolder data;
    data.fill_work_and_workspace();
    data.dir.write("wj_to_wj/old", "x");

    first_show_cleanup(data.root);

    EXPECT_FALSE(QFileInfo::exists(data.root.preview_workspace()));
    EXPECT_FALSE(QFileInfo::exists(data.dir.file("wj_to_wj")));
    EXPECT_FALSE(QFile::exists(data.root.default_background_jpeg()));
    EXPECT_TRUE(QFileInfo::exists(data.root.work_dir()));
}

TEST(Cleanup, WorkDirIsRecreatedEmpty) {
    DataFolder data;
    data.fill_work_and_workspace();
    ASSERT_TRUE(recreate_work_dir(data.root));
    EXPECT_TRUE(QFileInfo(data.root.work_dir()).isDir());
    EXPECT_TRUE(QDir(data.root.work_dir()).isEmpty());
    ASSERT_TRUE(remove_work_dir(data.root));
    EXPECT_FALSE(QFileInfo::exists(data.root.work_dir()));
}

// With a work root of its own, every place the program writes lies below it, laid out as in
// the data folder, and the clean-up never reaches into the data folder.
TEST(Cleanup, AWorkRootOfItsOwnTakesEveryWrittenPlaceAndItsCleanUp) {
    test::TempFolder dir;
    const DataRoot in_data(dir.file("smxcwjj"));
    const DataRoot apart(dir.file("smxcwjj"), dir.file("work"));
    const auto moved = [&](const QString& path) {
        return QString(path).replace(in_data.work_root(), apart.work_root());
    };
    const QStringList written = QStringList{in_data.work_dir(), in_data.preview_workspace(),
                                            in_data.default_background_jpeg(), in_data.background_demo_work_folder()}
                                + transient_files(in_data);
    const QStringList written_apart = QStringList{apart.work_dir(), apart.preview_workspace(),
                                                  apart.default_background_jpeg(), apart.background_demo_work_folder()}
                                      + transient_files(apart);
    ASSERT_EQ(written.size(), written_apart.size());
    for (qsizetype i = 0; i < written.size(); ++i) {
        EXPECT_TRUE(written[i].startsWith(in_data.path() + "/")) << written[i].toStdString();
        EXPECT_EQ(moved(written[i]), written_apart[i]);
    }
    EXPECT_EQ(apart.template_params_folder(), in_data.template_params_folder()) << "what is read stays";
    EXPECT_EQ(apart.combination(1), in_data.combination(1));

    for (const DataRoot* root : {&in_data, &apart}) {
        dir.write(QDir(dir.path()).relativeFilePath(root->work_dir() + "/a.rar"), "x");
        dir.write(QDir(dir.path()).relativeFilePath(root->preview_workspace() + "/pic/picture_0.jpg"), "x");
        dir.write(QDir(dir.path()).relativeFilePath(root->default_background_jpeg()), "x");
    }
    exit_cleanup(apart);
    EXPECT_FALSE(QFileInfo::exists(apart.work_dir()));
    EXPECT_FALSE(QFileInfo::exists(apart.preview_workspace()));
    EXPECT_FALSE(QFileInfo::exists(apart.default_background_jpeg()));
    EXPECT_TRUE(QFileInfo::exists(in_data.work_dir() + "/a.rar"));
    EXPECT_TRUE(QFileInfo::exists(in_data.preview_workspace() + "/pic/picture_0.jpg"));
    EXPECT_TRUE(QFileInfo::exists(in_data.default_background_jpeg()));
}

} // namespace
} // namespace velmora
