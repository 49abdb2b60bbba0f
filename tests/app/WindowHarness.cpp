#include "WindowHarness.h"

#include "LibraryTree.h"
#include "MovBuilder.h"
#include "SideFileBuilder.h"

#include <QJsonDocument>
#include <QTreeWidgetItemIterator>
#include <QWebEnginePage>
#include <QWebEngineView>

WindowHarness::WindowHarness(const QLocale& locale) {
    QLocale::setDefault(locale);
    controller = std::make_unique<MainWindowController>();
}

WindowHarness::~WindowHarness() {
    controller.reset();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void WindowHarness::start() {
    controller->show();
    controller->windowDidLoad();
}

void WindowHarness::useRecordingPage() {
    bool loaded = false;
    QWebEnginePage* page = controller->webView()->page();
    const auto connection = QObject::connect(page, &QWebEnginePage::loadFinished, [&loaded](bool ok) { loaded = ok; });
    page->load(QUrl::fromLocalFile(QStringLiteral(KOLVAR_RECORDING_MAP)));
    WaitFor([&loaded] { return loaded; });
    QObject::disconnect(connection);
}

QJsonArray WindowHarness::takeRecorded() {
    QString json;
    bool answered = false;
    controller->webView()->page()->runJavaScript(QStringLiteral("takeRecorded()"), [&](const QVariant& result) {
        json = result.toString();
        answered = true;
    });
    WaitFor([&answered] { return answered; });
    return QJsonDocument::fromJson(json.toUtf8()).array();
}

QString WindowHarness::writeVideo(const QString& name, const std::string& bytes) {
    return WriteBytes(videos.filePath(name), bytes);
}

QString WindowHarness::writeSideFileVideo(const QString& name, const std::vector<std::string>& records) {
    writeVideo(name + QStringLiteral(".GMAP"), JoinSideFile(records));
    return writeVideo(name + QStringLiteral(".MOV"), "x");
}

void WindowHarness::startWith(const QStringList& paths, bool recordingPage) {
    start();
    if (recordingPage) useRecordingPage();
    addToLibrary(paths);
    select(0);
}

void WindowHarness::addToLibrary(const QStringList& paths) {
    for (const QString& path : paths) controller->importVideo(path);
    controller->refreshVideoTableView();
}

void WindowHarness::select(int row) {
    controller->selectVideo(row);
    waitForLoad();
}

void WindowHarness::waitForLoad() {
    WaitFor([this] { return !controller->isLoading(); });
}

QTreeWidgetItem* ClipItem(MainWindowController& window, int row) {
    for (QTreeWidgetItemIterator it(window.tableViewVideos()); *it; ++it) {
        if ((*it)->parent() && (*it)->data(0, kLibraryRowRole).toInt() == row) return *it;
    }
    return nullptr;
}

int ClipRows(MainWindowController& window) {
    int rows = 0;
    for (QTreeWidgetItemIterator it(window.tableViewVideos()); *it; ++it) rows += (*it)->parent() ? 1 : 0;
    return rows;
}

int CurrentRow(MainWindowController& window) {
    const QTreeWidgetItem* item = window.tableViewVideos()->currentItem();
    return item ? item->data(0, kLibraryRowRole).toInt() : -1;
}

QString Describe(const QJsonArray& calls) {
    QStringList described;
    for (const QJsonValue& call : calls) described << call[QStringLiteral("call")].toString();
    return described.join(u' ');
}

namespace {

QJsonArray BatchOf(const QJsonArray& calls, const QJsonValue& call) {
    QJsonArray found;
    for (const QJsonValue& each : calls)
        if (each[QStringLiteral("batch")] == call[QStringLiteral("batch")]) found.append(each);
    return found;
}

}  // namespace

QJsonArray FirstBatch(const QJsonArray& calls) { return calls.isEmpty() ? calls : BatchOf(calls, calls.first()); }

QJsonArray LastBatch(const QJsonArray& calls) { return calls.isEmpty() ? calls : BatchOf(calls, calls.last()); }

std::string SideFileRecord(int latMinutes10k, int second) {
    return SideFileRecordLine(SideFilePosition('N', 22, latMinutes10k, 'E', 113, 301234),
                              SideFileTimestamp(2015, 6, 15, 12, 0, second));
}

std::string MovWithGPS(int fixes) {
    std::vector<std::string> texts;
    for (int i = 0; i < fixes; ++i)
        texts.push_back(QString::asprintf("A,150615,1200%02d,%.4f,N,11354.3210,E,35.2,12,-3,98", i, 2234.5678 + i).toStdString());
    return mov::Movie({mov::TextTrack(texts)});
}
