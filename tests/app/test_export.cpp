#include "ClipExport.h"
#include "PlayerView.h"
#include "VideoCatalogue.h"
#include "VideoSurface.h"
#include "WindowHarness.h"

#include <QImage>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QVideoFrame>
#include <QVideoFrameFormat>
#include <QVideoSink>

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

namespace {

// Stands in for the player's decoder: a mid-grey frame in the surface's sink.
void ShowFrame(PlayerView& view, QSize size) {
    QVideoFrame frame(QVideoFrameFormat(size, QVideoFrameFormat::Format_BGRA8888));
    ASSERT_TRUE(frame.map(QVideoFrame::WriteOnly));
    std::memset(frame.bits(0), 0x80, static_cast<size_t>(frame.mappedBytes(0)));
    frame.unmap();
    view.videoSurface()->videoSink()->setVideoFrame(frame);
}

// Whether the rows from top on hold more than one colour.
bool HasMarks(const QImage& image, int top) {
    const QRgb first = image.pixel(0, top);
    for (int y = top; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != first) return true;
    return false;
}

int OpenMessages(QWidget& window) {
    int open = 0;
    for (QMessageBox* box : window.findChildren<QMessageBox*>()) open += box->isVisible();
    return open;
}

}  // namespace

TEST(ExportTrack, FormatsStillsFailedWritesAndTheClockOffsetOnOneClip) {
    WindowHarness harness;
    const QString video = harness.writeSideFileVideo(QStringLiteral("drive"), {SideFileRecord(301234, 0), SideFileRecord(301334, 1)});
    harness.startWith({video});
    ClipExport& exports = *harness.window().clipExport();
    ASSERT_TRUE(exports.exportTrackAction()->isEnabled());
    QTemporaryDir out;
    for (const TrackFileFormat format : {TrackFileFormat::Gpx, TrackFileFormat::GeoJson, TrackFileFormat::Csv}) {
        const QString path = out.filePath(QStringLiteral("track.") + TrackFileSuffix(format));
        SCOPED_TRACE(path.toStdString());
        ASSERT_TRUE(exports.exportTrackTo(path, format));
        // The same bytes as the command line's, whose writers have their own tests.
        QProcess extract;
        extract.start(QStringLiteral(KOLVAR_EXTRACT_BINARY), {QStringLiteral("--format"), TrackFileSuffix(format), video});
        ASSERT_TRUE(extract.waitForFinished());
        EXPECT_EQ(ReadBytes(path), extract.readAllStandardOutput());
    }

    // A still: the frame with its caption, and optionally the instruments.
    const QSize frameSize(320, 240);
    ShowFrame(*harness.window().playerView(), frameSize);
    for (const bool withInstruments : {false, true}) {
        SCOPED_TRACE(withInstruments);
        const QString path = out.filePath(QStringLiteral("still%1.png").arg(withInstruments));
        ASSERT_TRUE(exports.saveStillTo(path, withInstruments));
        const QImage still(path);
        EXPECT_EQ(still.width(), withInstruments ? frameSize.width() * 3 / 2 : frameSize.width());
        EXPECT_EQ(still.pixel(frameSize.width() / 2, frameSize.height() / 2), qRgb(0x80, 0x80, 0x80));
        EXPECT_TRUE(HasMarks(still, frameSize.height()));
        if (withInstruments) {
            EXPECT_TRUE(HasMarks(still.copy(frameSize.width(), 0, frameSize.width() / 2, frameSize.height()), 0));
        }
    }
    // The caption of the first point: the recorded date and time, the speed and the position.
    const QString caption = exports.currentCaption();
    EXPECT_TRUE(caption.startsWith(QStringLiteral("2015-06-15 12:00:00"))) << caption.toStdString();
    EXPECT_TRUE(caption.contains(QStringLiteral("km/h")) && caption.contains(QStringLiteral("E:113.50"))) << caption.toStdString();

    // A write that fails is told.
    EXPECT_FALSE(exports.exportTrackTo(QStringLiteral("/dev/null/out.gpx"), TrackFileFormat::Gpx));
    EXPECT_EQ(OpenMessages(harness.window()), 1);
    EXPECT_FALSE(exports.saveStillTo(QStringLiteral("/dev/null/out.png"), false));
    EXPECT_EQ(OpenMessages(harness.window()), 2);

    // A clock offset is kept with the clip and applied to the exported times and the caption.
    const QString path = out.filePath(QStringLiteral("track.gpx"));
    EXPECT_TRUE(ReadBytes(path).contains("<time>2015-06-15T12:00:00Z</time>"));
    ASSERT_TRUE(harness.window().setClockOffset(-90));
    VideoCatalogue stored(harness.home().catalogue());
    EXPECT_EQ(stored.clockOffset(video), -90);
    EXPECT_TRUE(ReadBytes(stored.filePath()).contains("ClockOffset=\"-01:30\""));
    EXPECT_EQ(stored.refresh().size(), 1) << "the entry still reads as a clip";

    ASSERT_TRUE(exports.exportTrackTo(path, TrackFileFormat::Gpx));
    EXPECT_TRUE(ReadBytes(path).contains("<time>2015-06-15T10:30:00Z</time>"));
    EXPECT_TRUE(exports.currentCaption().startsWith(QStringLiteral("2015-06-15 10:30:00")));
}

TEST(ExportTrack, TheSaveDialogsFilterOrExtensionChoosesTheFormat) {
    const QStringList filters = TrackFileFilters();
    const std::tuple<QString, QString, TrackFileFormat> cases[] = {
        {QStringLiteral("/t/a.CSV"), filters[0], TrackFileFormat::Csv},
        {QStringLiteral("/t/a.json"), filters[2], TrackFileFormat::GeoJson},
        {QStringLiteral("/t/a"), filters[1], TrackFileFormat::GeoJson},
        {QStringLiteral("/t/a.txt"), filters[2], TrackFileFormat::Csv},
        {QStringLiteral("/t/a"), QString(), TrackFileFormat::Gpx},
    };
    for (const auto& [path, filter, expected] : cases) EXPECT_EQ(TrackFileFormatFor(path, filter), expected) << path.toStdString();
}
