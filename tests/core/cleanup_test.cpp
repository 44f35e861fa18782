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

} // namespace
} // namespace velmora
