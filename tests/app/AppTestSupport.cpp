#include "AppTestSupport.h"
#include "CatalogueDocument.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <sys/wait.h>
#include <unistd.h>

TemporaryHome::TemporaryHome() : savedHome(qgetenv("HOME")) {
    qputenv("HOME", dir.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral(".config")).toUtf8());
}

TemporaryHome::~TemporaryHome() { qputenv("HOME", savedHome); }

std::vector<int> RunInChildren(const std::vector<std::function<int()>>& children) {
    std::vector<pid_t> pids;
    for (const auto& child : children) {
        const pid_t pid = fork();
        if (pid == 0) _exit(child());
        pids.push_back(pid);
    }
    std::vector<int> statuses;
    for (const pid_t pid : pids) {
        int status = 0;
        const bool exited = pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status);
        statuses.push_back(exited ? WEXITSTATUS(status) : -1);
    }
    return statuses;
}

QProcessEnvironment EnvironmentWithHome(const QString& home) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    for (const char* xdg : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        environment.insert(QLatin1String(xdg), home + u'/' + QLatin1String(xdg));
    return environment;
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(5);
    }
    return true;
}

QString MakeClip(const QString& path, int seconds, const QString& subtitles, int framesPerSecond) {
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty()) return QStringLiteral("no ffmpeg");
    QDir().mkpath(QFileInfo(path).absolutePath());
    QStringList args = QStringLiteral("-v error -y -f lavfi -i testsrc=size=320x240:rate=%1:duration=%2 -f lavfi -i sine=frequency=440:duration=%2")
                           .arg(framesPerSecond).arg(seconds).split(u' ');
    if (!subtitles.isEmpty()) args << QStringLiteral("-i") << subtitles;
    args << QStringLiteral("-map 0 -map 1").split(u' ');
    if (!subtitles.isEmpty()) args << QStringLiteral("-map 2 -c:s mov_text").split(u' ');
    args << QStringLiteral("-c:v mpeg4 -c:a aac -movflags +faststart").split(u' ') << path;
    QProcess make;
    make.start(ffmpeg, args);
    if (make.waitForFinished(60000) && make.exitCode() == 0) return QString();
    return QStringLiteral("ffmpeg failed: ") + QString::fromLocal8Bit(make.readAllStandardError());
}

QByteArray GPSSubtitles(int seconds, double latStep, int firstSecond, const std::function<QString(int)>& gsensor) {
    QByteArray srt;
    for (int i = 0; i < seconds; ++i) {
        const int second = firstSecond + i;
        srt += QString::asprintf("%d\n00:00:%02d,000 --> 00:00:%02d,000\nA,150615,1230%02d,%.4f,N,11354.3210,E,35.2,", i + 1, i,
                                 i + 1, 10 + second, 2234.5678 + latStep * second).toUtf8() +
               (gsensor ? gsensor(second) : QStringLiteral("12,-3,98")).toUtf8() + "\n\n";
    }
    return srt;
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString WriteBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
    return path;
}

QString WriteBytes(const QString& path, const std::string& bytes) {
    return WriteBytes(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QStringList StoredPaths(const QString& catalogue) {
    const std::optional<CatalogueDocument> document = CatalogueDocument::parse(ReadBytes(catalogue));
    return document ? document->paths() : QStringList{QStringLiteral("<unreadable>")};
}
