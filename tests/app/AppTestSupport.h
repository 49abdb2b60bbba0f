#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// A fresh home folder for one test: HOME and the XDG folders point into it,
// so the documents folder, and the data directory under it, are its own.
class TemporaryHome {
public:
    TemporaryHome();
    ~TemporaryHome();

    QString path() const { return dir.path(); }
    QString dataDirectory() const { return dir.filePath(QStringLiteral("Documents/Dravik")); }
    QString catalogue() const { return dir.filePath(QStringLiteral("Documents/Dravik/videos.xml")); }

private:
    QTemporaryDir dir;
    QByteArray savedHome;
};

// Runs each child in a forked process, all at once, and returns their exit
// statuses (-1 for one that did not exit normally).
std::vector<int> RunInChildren(const std::vector<std::function<int()>>& children);

// This process's environment with HOME and the XDG folders in home, for a
// started program.
QProcessEnvironment EnvironmentWithHome(const QString& home);

// Runs the event loop until done() holds or the time is up.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 15000);

// A clip made by ffmpeg with a test picture and a tone, as cameras record
// sound too, and optionally a mov_text track from an SRT file. Makes the
// clip's folder; returns ffmpeg's complaint, empty on success, or "no ffmpeg".
QString MakeClip(const QString& path, int seconds, const QString& subtitles = QString(), int framesPerSecond = 10);

// SRT cues of one GPS text a second from 12:30:10 on 15 June 2015, starting at
// N 22 deg 34.5678 min (plus latStep minutes a second from firstSecond on),
// E 113 deg 54.3210 min; gsensor gives each second's "x,y,z".
QByteArray GPSSubtitles(int seconds, double latStep, int firstSecond = 0,
                        const std::function<QString(int)>& gsensor = nullptr);

QByteArray ReadBytes(const QString& path);
// Writes the file, making its folder first; returns the path.
QString WriteBytes(const QString& path, const QByteArray& bytes);
QString WriteBytes(const QString& path, const std::string& bytes);
// The paths a catalogue file holds, {"<unreadable>"} when it cannot be read.
QStringList StoredPaths(const QString& catalogue);

// Readable QString and QStringList values in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (const QString& text : texts) PrintTo(text, out), *out << ' ';
    *out << '}';
}
