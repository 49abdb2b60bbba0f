// Two starts of the program on one library: the second hands its videos to
// the window of the first and ends, and the library keeps every entry.
#include "AppTestSupport.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(Instances, ASecondStartHandsItsVideosToTheRunningWindow) {
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("home"));
    const QString catalogue = home + QStringLiteral("/Documents/Dravik/videos.xml");
    QProcessEnvironment environment = EnvironmentWithHome(home);
    QStringList videos;
    for (const char* name : {"a.MOV", "b 2.MOV", "ç.MP4"}) videos << WriteBytes(dir.filePath(QString::fromUtf8(name)), QByteArray("x"));

    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(QStringLiteral(KOLVAR_PATH), {videos[0]});
    ASSERT_TRUE(WaitFor([&] { return StoredPaths(catalogue) == videos.mid(0, 1); }, 60000));

    // Relative names are the second start's, resolved in its own folder.
    QProcess second;
    second.setProcessEnvironment(environment);
    second.setWorkingDirectory(dir.path());
    second.start(QStringLiteral(KOLVAR_PATH), {QStringLiteral("b 2.MOV"), QStringLiteral("ç.MP4")});
    const bool ended = second.waitForFinished(30000);
    if (!ended) second.kill();
    EXPECT_TRUE(ended);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(WaitFor([&] { return StoredPaths(catalogue) == videos; }));
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

}  // namespace
