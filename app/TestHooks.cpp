#include "TestHooks.h"

#include "GSensorView.h"
#include "DetailView.h"
#include "MainWindowController.h"
#include "PlayerView.h"
#include "TabsView.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMediaPlayer>
#include <QPixmap>
#include <QTextStream>

namespace {

// A short fingerprint of what an instrument's image view shows.
QString ChartHash(const QLabel* imageView) {
    if (!imageView) return QStringLiteral("-");
    const QImage image = imageView->pixmap().toImage();
    if (image.isNull()) return QStringLiteral("-");
    QCryptographicHash hash(QCryptographicHash::Md5);
    for (int y = 0; y < image.height(); ++y) {
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constScanLine(y)),
                                    image.width() * image.depth() / 8));
    }
    return QString::fromLatin1(hash.result().toHex().left(16));
}

}  // namespace

std::unique_ptr<TestHooks> TestHooks::fromEnvironment() {
    auto hooks = std::make_unique<TestHooks>();
    hooks->reportPath = qEnvironmentVariable("KOLVAR_TEST_REPORT");
    bool isNumber = false;
    const qint64 playMs = qEnvironmentVariable("KOLVAR_TEST_PLAY_MS").toLongLong(&isNumber);
    if (isNumber && playMs >= 0) hooks->playUntilMs = playMs;
    hooks->screenshotPath = qEnvironmentVariable("KOLVAR_TEST_SCREENSHOT");
    if (hooks->reportPath.isEmpty() && hooks->playUntilMs < 0) return nullptr;
    return hooks;
}

void TestHooks::videoLoaded(PlayerView& playerView) const {
    if (playUntilMs >= 0 && playerView.player()) playerView.player()->play();
}

void TestHooks::ticked(MainWindowController& window, double t, const QJsonArray& markerArgs) const {
    if (!reportPath.isEmpty()) {
        QFile report(reportPath);
        if (report.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
            const TabsView* tabs = window.tabsView();
            QTextStream(&report) << qint64(t) << ' ' << markerArgs.at(0).toString() << ' '
                                 << markerArgs.at(1).toString() << ' '
                                 << ChartHash(tabs->gsensorView() ? tabs->gsensorView()->imageView() : nullptr)
                                 << ' '
                                 << ChartHash(tabs->detailView() ? tabs->detailView()->imageView() : nullptr)
                                 << '\n';
        }
    }
    if (playUntilMs >= 0 && t >= static_cast<double>(playUntilMs)) {
        if (!screenshotPath.isEmpty()) window.grab().save(screenshotPath, "PNG");
        QCoreApplication::quit();
    }
}
