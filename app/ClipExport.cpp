#include "ClipExport.h"

#include "AtomicSave.h"
#include "PlayerView.h"
#include "StillImage.h"
#include "VideoSurface.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QVideoFrame>
#include <QVideoSink>

ClipExport::ClipExport(QMainWindow* window, PlayerView* player)
    : QObject(window), window(window), player(player) {
    QMenu* menu = window->menuBar()->addMenu(tr("&Export"));
    exportTrackItem = menu->addAction(tr("Export track…"), this, &ClipExport::exportTrack);
    saveStillItem = menu->addAction(tr("Save still…"), this, [this] { saveStill(false); });
    saveStillWithInstrumentsItem =
        menu->addAction(tr("Save still with instruments…"), this, [this] { saveStill(true); });
    clear();
}

void ClipExport::startDrive(const QStringList& paths) {
    clipPaths = paths;
    clip = TrackLoad();
    clip.track = std::make_shared<GPSTrack>();
    exportTrackItem->setEnabled(false);
    saveStillItem->setEnabled(true);
    saveStillWithInstrumentsItem->setEnabled(true);
}

void ClipExport::setTrack(const TrackLoad& load) {
    clip = load;
    exportTrackItem->setEnabled(clip.track && !clip.track->isEmpty());
}

void ClipExport::clear() {
    clipPaths.clear();
    clip = TrackLoad();
    clip.track = std::make_shared<GPSTrack>();
    for (QAction* item : {exportTrackItem, saveStillItem, saveStillWithInstrumentsItem}) item->setEnabled(false);
}

bool ClipExport::exportTrackTo(const QString& path, TrackFileFormat format) {
    if (!clip.track || clip.track->isEmpty()) {
        tellFailure(path, tr("The clip has no GPS track."));
        return false;
    }
    // A clock running behind by the offset is one running ahead of UTC by its negation.
    const TrackExportInfo info{trackName(), -clockOffsetMinutes};
    const std::string text = TrackFileText(clip, info, format);
    const auto failure = SaveBytesAtomically(path, QByteArray::fromStdString(text));
    if (failure) tellFailure(path, *failure);
    return !failure;
}

bool ClipExport::saveStillTo(const QString& path, bool withInstruments) {
    const QImage frame = player->videoSurface()->videoSink()->videoFrame().toImage();
    if (frame.isNull()) {
        tellFailure(path, tr("There is no picture yet: play or seek the clip first."));
        return false;
    }
    const QImage still = ComposeStill(frame, currentCaption(), clip.track.get(), static_cast<float>(playbackTime()),
                                      withInstruments);
    const auto failure = SavePngAtomically(path, still);
    if (failure) tellFailure(path, *failure);
    return !failure;
}

void ClipExport::exportTrack() {
    const QStringList filters = TrackFileFilters();
    QString filter = filters.first();
    QString path = QFileDialog::getSaveFileName(window, tr("Export track"), defaultPath(QStringLiteral("gpx")),
                                                filters.join(QStringLiteral(";;")), &filter);
    if (path.isEmpty()) return;
    const TrackFileFormat format = TrackFileFormatFor(path, filter);
    if (QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + TrackFileSuffix(format);
    exportTrackTo(path, format);
}

void ClipExport::saveStill(bool withInstruments) {
    QString path = QFileDialog::getSaveFileName(window, tr("Save still"), defaultPath(QStringLiteral("png")),
                                                tr("PNG image (*.png)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".png");
    saveStillTo(path, withInstruments);
}

QString ClipExport::currentCaption() const {
    return StillCaption(clip, playbackTime(), units, clockOffsetMinutes);
}

double ClipExport::playbackTime() const { return player->currentTime().value_or(0.0); }

std::string ClipExport::trackName() const {
    // Named as kolvar-extract --join names a drive.
    std::string name = QFileInfo(clipPaths.value(0)).fileName().toStdString();
    if (clipPaths.size() > 1) name += " to " + QFileInfo(clipPaths.last()).fileName().toStdString();
    return name;
}

QString ClipExport::defaultPath(const QString& suffix) const {
    const QFileInfo video(clipPaths.value(0));
    return video.dir().filePath(video.completeBaseName() + QLatin1Char('.') + suffix);
}

void ClipExport::tellFailure(const QString& path, const QString& reason) {
    auto* box = new QMessageBox(QMessageBox::Warning, tr("Export failed"),
                                tr("%1 could not be written.").arg(QDir::toNativeSeparators(path)),
                                QMessageBox::Ok, window);
    box->setInformativeText(reason);
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
