#include "AppTestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cstring>

namespace {

QStringList capturedMessages;
QtMessageHandler previousHandler = nullptr;

void Capture(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (context.category && std::strcmp(context.category, "kolvar") == 0) capturedMessages << message;
    if (previousHandler) previousHandler(type, context, message);
}

}  // namespace

LogCapture::LogCapture() {
    capturedMessages.clear();
    previousHandler = qInstallMessageHandler(Capture);
}

LogCapture::~LogCapture() { qInstallMessageHandler(previousHandler); }

const QStringList& LogCapture::messages() const { return capturedMessages; }

TemporaryHome::TemporaryHome() : savedHome(qgetenv("HOME")) {
    qputenv("HOME", dir.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral(".config")).toUtf8());
}

TemporaryHome::~TemporaryHome() { qputenv("HOME", savedHome); }

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(5);
    }
    return true;
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

void WriteBytes(const QString& path, const std::string& bytes) {
    WriteBytes(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}
