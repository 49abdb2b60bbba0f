// The library catalogue file: duplicates, dropped files, odd paths, broken
// files that must survive untouched, failed writes and two writers at once.
#include "AppTestSupport.h"
#include "CatalogueDocument.h"
#include "VideoCatalogue.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

namespace {

class CatalogueTest : public testing::Test {
protected:
    QString file(const QString& name) const { return QDir(dir.path()).filePath(name); }
    // A video file that exists; its bytes do not matter here.
    QString video(const QString& name) const { return WriteBytes(file(name), QByteArray("not really a video")); }
    QStringList storedPaths() const { return StoredPaths(catalogue.filePath()); }
    static QStringList pathsOf(const QList<VideoEntry>& entries) {
        QStringList paths;
        for (const VideoEntry& entry : entries) paths << entry.path;
        return paths;
    }

    QTemporaryDir dir;
    VideoCatalogue catalogue{file(QStringLiteral("videos.xml"))};
};

TEST_F(CatalogueTest, ImportOnceRemoveOneAndRefreshDropsGoneFiles) {
    // Without a catalogue, refresh and remove write nothing.
    EXPECT_TRUE(catalogue.refresh().isEmpty());
    catalogue.removeVideo(QStringLiteral("/nowhere.MOV"));
    EXPECT_FALSE(QFile::exists(catalogue.filePath()));

    const QString a = video(QStringLiteral("a.MOV")), b = video(QStringLiteral("b.MP4"));
    const QString c = video(QStringLiteral("c.AVI")), d = video(QStringLiteral("d.MOV"));
    for (const QString& path : {a, b, c, a, d}) catalogue.importVideo(path);
    EXPECT_EQ(storedPaths(), (QStringList{a, b, c, d}));
    const QByteArray bytes = ReadBytes(catalogue.filePath());
    EXPECT_TRUE(bytes.startsWith(R"(<?xml version="1.0" encoding="UTF-8"?>)")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("<Videos>\n  <Video Path=")) << bytes.constData();
    EXPECT_EQ(bytes.count("\n"), 7) << bytes.constData();

    catalogue.removeVideo(d);
    catalogue.removeVideo(QStringLiteral("/not/in/the/catalogue.MOV"));
    QFile::remove(b);
    const QList<VideoEntry> entries = catalogue.refresh();
    EXPECT_EQ(pathsOf(entries), (QStringList{a, c}));
    EXPECT_EQ(storedPaths(), (QStringList{a, c}));
    EXPECT_EQ(entries[0].fileSize, 18u);
    EXPECT_EQ(entries[0].creationDate.size(), 19) << entries[0].creationDate.toStdString();

    // Entries of a missing folder stay, unavailable, until it is back.
    const QString onCard = video(QStringLiteral("card/a.MOV"));
    const QString deleted = video(QStringLiteral("e.MOV"));
    for (const QString& path : {onCard, deleted}) catalogue.importVideo(path);
    QDir(file(QStringLiteral("card"))).removeRecursively();
    QFile::remove(deleted);

    const QList<VideoEntry> unmounted = catalogue.refresh();
    EXPECT_EQ(pathsOf(unmounted), (QStringList{a, c, onCard}));
    EXPECT_EQ(storedPaths(), (QStringList{a, c, onCard}));
    EXPECT_TRUE(unmounted[1].available);
    EXPECT_FALSE(unmounted[2].available);

    video(QStringLiteral("card/a.MOV"));
    EXPECT_TRUE(catalogue.refresh()[2].available);
}

TEST_F(CatalogueTest, OddPathsMatchThemselvesAndControlCharactersAreRefused) {
    const QStringList names{QStringLiteral("it's \"here\".MOV"), QStringLiteral("a & b <1>.MOV"),
                            QStringLiteral("行车记录 2015-06-15.MOV"), QStringLiteral("x' or '1'='1.MOV")};
    QStringList paths;
    for (const QString& name : names) paths << video(name);
    for (const QString& path : paths) catalogue.importVideo(path);
    for (const QString& path : paths) catalogue.importVideo(path);

    EXPECT_EQ(storedPaths(), paths);
    EXPECT_EQ(pathsOf(catalogue.refresh()), paths);

    // A path that is a prefix of another, or an XPath trick, must not match it.
    catalogue.removeVideo(paths[3]);
    catalogue.removeVideo(file(QStringLiteral("it's")));
    EXPECT_EQ(storedPaths(), paths.mid(0, 3));

    // Control characters that XML cannot hold are refused, not stored.
    const QString tabbed = video(QStringLiteral("tab\there.MOV"));
    const QString controlled = video(QStringLiteral("bell\x07.MOV"));
    catalogue.importVideo(tabbed);
    catalogue.importVideo(controlled);
    EXPECT_EQ(storedPaths(), paths.mid(0, 3) << tabbed);
    EXPECT_EQ(CatalogueDocument::parse(ReadBytes(catalogue.filePath()))->parseResult(),
              CatalogueDocument::Parse::WellFormed);
}

TEST_F(CatalogueTest, CatalogueThatCannotBeReadIsLeftByteForByteOrRepairedBeside) {
    const QString a = video(QStringLiteral("a.MOV"));
    const QList<QByteArray> unreadable{
        QByteArray("\x00\x01\x02 binary \xff\xfe", 14),
        QByteArray("<Library><Video Path=\"" + a.toUtf8() + "\"/></Library>"),  // not our root
        QByteArray("just some text, no element"),
    };
    for (const QByteArray& bytes : unreadable) {
        WriteBytes(catalogue.filePath(), bytes);
        EXPECT_TRUE(catalogue.refresh().isEmpty());
        // The video stays for the session.
        catalogue.importVideo(a);
        EXPECT_EQ(catalogue.problem(), VideoCatalogue::Problem::Unreadable);
        EXPECT_EQ(pathsOf(catalogue.refresh()), QStringList{a});
        catalogue.removeVideo(a);
        EXPECT_TRUE(catalogue.refresh().isEmpty());
        EXPECT_EQ(ReadBytes(catalogue.filePath()), bytes);
    }
    // An empty file is started afresh.
    WriteBytes(catalogue.filePath(), QByteArray());
    EXPECT_TRUE(catalogue.refresh().isEmpty());
    catalogue.importVideo(a);
    EXPECT_EQ(storedPaths(), QStringList{a});

    // A hand-edited one that can be repaired keeps its entries, the original beside it.
    const QString b = video(QStringLiteral("b.MOV"));
    // The root is never closed and an attribute lost its quote.
    const QByteArray broken = "<?xml version=\"1.0\"?>\n<Videos>\n  <Video Path=\"" + a.toUtf8() +
                              "\"/>\n  <Video Path=\"" + b.toUtf8() + "\"/>\n  <Video Path=\"" + dir.path().toUtf8() + "/x>\n";
    WriteBytes(catalogue.filePath(), broken);

    EXPECT_EQ(pathsOf(catalogue.refresh()), (QStringList{a, b}));
    EXPECT_EQ(storedPaths(), (QStringList{a, b}));
    EXPECT_EQ(ReadBytes(catalogue.filePath() + QStringLiteral(".bak")), broken);
}

TEST_F(CatalogueTest, AFailedWriteLeavesThePreviousFileByteForByte) {
    constexpr rlim_t kFileSizeLimit = 100;
    const QString c = video(QStringLiteral("c.MOV"));
    for (const QString& path : {video(QStringLiteral("a.MOV")), video(QStringLiteral("b.MOV"))}) catalogue.importVideo(path);
    const QByteArray before = ReadBytes(catalogue.filePath());
    ASSERT_GT(before.size(), static_cast<qsizetype>(kFileSizeLimit));

    // A disk that fills up part-way through the write.
    const std::vector<int> status = RunInChildren({[&] {
        const rlimit limit{kFileSizeLimit, kFileSizeLimit};
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
        catalogue.importVideo(c);
        return catalogue.problem() == VideoCatalogue::Problem::NotSaved && catalogue.refresh().size() == 3 ? 0 : 1;
    }});
    EXPECT_EQ(status, std::vector<int>{0});
    EXPECT_EQ(ReadBytes(catalogue.filePath()), before);
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("videos.xml*")}, QDir::Files), QStringList{QStringLiteral("videos.xml")});
}

TEST_F(CatalogueTest, ASaveReplacesTheFileAndAReaderOfTheOldOneKeepsItWhole) {
    catalogue.importVideo(video(QStringLiteral("a.MOV")));
    QFile old(catalogue.filePath());
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = ReadBytes(catalogue.filePath());
    struct stat before {}, after {};
    ASSERT_EQ(fstat(old.handle(), &before), 0);

    catalogue.importVideo(video(QStringLiteral("b.MOV")));
    ASSERT_EQ(stat(QFile::encodeName(catalogue.filePath()).constData(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino);
    EXPECT_EQ(old.readAll(), oldBytes);
}

TEST_F(CatalogueTest, TwoProcessesAddingAtOnceKeepEveryEntry) {
    constexpr int kEach = 150;
    const auto adder = [this](const QString& prefix) {
        return [this, prefix] {
            VideoCatalogue own(catalogue.filePath());
            for (int i = 0; i < kEach; ++i) own.importVideo(file(QStringLiteral("%1%2.MOV").arg(prefix).arg(i)));
            return 0;
        };
    };
    EXPECT_EQ(RunInChildren({adder(QStringLiteral("a")), adder(QStringLiteral("b"))}), (std::vector<int>{0, 0}));
    const QStringList stored = storedPaths();
    EXPECT_EQ(stored.size(), 2 * kEach);
    EXPECT_EQ(QSet<QString>(stored.begin(), stored.end()).size(), 2 * kEach);
}

TEST(SizeString, OneDecimalInBinaryUnits) {
    for (const auto& [bytes, text] : {std::pair<quint64, const char*>{0, "0.0B"}, {1023, "1023.0B"}, {1024, "1.0K"},
                                      {1048575, "1024.0K"}, {1048576, "1.0M"}, {1073741824, "1.0G"},
                                      {5368709120, "5.0G"}}) {
        EXPECT_EQ(getSizeString(bytes), QLatin1String(text)) << bytes;
    }
}

}  // namespace
