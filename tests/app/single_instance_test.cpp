#include <QElapsedTimer>
#include <QFileInfo>
#include <QSysInfo>
#include <QProcess>
#include <gtest/gtest.h>

#include "core/single_instance.h"
#include "modal_answers.h"
#include "support/test_support.h"

namespace velmora {
namespace {

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstLetsGo) {
    test::TempFolder dir;
    {
        SingleInstance first(QStringLiteral("Velmora"), dir.path());
        ASSERT_TRUE(first.acquire());
        SingleInstance second(QStringLiteral("Velmora"), dir.path());
        EXPECT_FALSE(second.acquire());
    }
    SingleInstance later(QStringLiteral("Velmora"), dir.path());
    EXPECT_TRUE(later.acquire());
}

TEST(SingleInstance, LockLeftByACrashedRunDoesNotBlock) {
    test::TempFolder dir;
    // A lock file naming a process that no longer runs.
    QProcess gone;
    gone.start(QStringLiteral("true"));
    gone.waitForFinished();
    const qint64 dead_pid = gone.processId() > 0 ? gone.processId() : 999999;
    dir.write("Velmora.lock", QStringLiteral("%1\nvelmora\n%2\n").arg(dead_pid).arg(QSysInfo::machineHostName()).toUtf8());
    SingleInstance next(QStringLiteral("Velmora"), dir.path());
    EXPECT_TRUE(next.acquire());
}

TEST(SingleInstance, ASecondCopyOfTheProgramEndsAtOnceWhileTheFirstRuns) {
    test::TempFolder dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(QStringLiteral(VELMORA_PROGRAM), {});
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(test::wait_until([&] { return QFileInfo::exists(dir.file("Velmora.lock")); }, 10000));

    QProcess second;
    second.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    second.start(QStringLiteral(VELMORA_PROGRAM), {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(first.state(), QProcess::Running) << "the first copy keeps running";

    first.kill();
    first.waitForFinished();
}

} // namespace
} // namespace velmora
