#include "ChartProbe.h"
#include "DetailChart.h"
#include "DetailView.h"
#include "GSensorChart.h"
#include "GSensorView.h"
#include "Graphics.h"
#include "TabsView.h"
#include "TrackBuilders.h"

#include <QApplication>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// Whether the image view shows what the chart paints at its size for the track at t.
bool Shows(const QLabel* imageView, ChartPainter paint, const GPSTrack* track, float t) {
    Graphics expected{QSizeF(imageView->size())};
    paint(expected, track, t);
    return imageView->pixmap().toImage().convertToFormat(QImage::Format_RGBA8888_Premultiplied) == expected.getImage();
}

// Both instruments as the window holds them: each shows a new track, and the
// detail view a new choice, only from the next showTime on.
TEST(TabsView, HandsTheTrackAndTheTimeToBothInstruments) {
    TabsView tabs;
    tabs.resize(800, 200);  // laid out as in the window: the image views get their real sizes
    tabs.show();
    QApplication::processEvents();
    GSensorView* gsensor = tabs.gsensorView();
    DetailView* detail = tabs.detailView();
    ASSERT_TRUE(gsensor && detail);
    detail->setStringTable(StringTable());
    const auto gsTexts = [&] {
        return gsensor->labelGSX()->text() + gsensor->labelGSY()->text() + gsensor->labelGSZ()->text();
    };
    const auto bothShow = [&](const GPSTrack* track, float t) {
        return Shows(gsensor->imageView(), &paintGSensorChart, track, t) &&
               Shows(detail->imageView(), &paintDetailChart, track, t);
    };
    tabs.showTime(0);
    EXPECT_TRUE(bothShow(nullptr, 0));

    const auto track = DistanceTrack({1200.25, 3400.25}, 57.9);
    tabs.setGPSTrack(track);
    EXPECT_TRUE(gsTexts().isEmpty() && detail->label()->text().isEmpty());
    tabs.showTime(1500);
    EXPECT_EQ(gsTexts(), QStringLiteral("X: 0.00GY: 0.00GZ: 0.00G"));
    EXPECT_EQ(detail->getSelected(), kSelectedPosition);
    EXPECT_EQ(detail->label()->text(), QString::fromStdString(track->pointArray()[1].toString()));
    EXPECT_TRUE(bothShow(track.get(), 1500));
    saveForReview(tabs.grab().toImage(), QStringLiteral("widget_tabs"));

    const QString distances = QStringLiteral("DistFromStart 1200m DistToEnd 3400m");
    const struct { const char* button; int selected; QString text; } choices[] = {
        {"speedButton", kSelectedSpeed, "CurrentSpeed 57km/h"}, {"distanceButton", kSelectedDistances, distances},
        {"coordinatesButton", kSelectedPosition, detail->label()->text()}, {"distanceButton", kSelectedDistances, distances}};
    for (const auto& c : choices) {
        const QString before = detail->label()->text();
        detail->findChild<QPushButton*>(QLatin1String(c.button))->click();
        EXPECT_EQ(detail->label()->text(), before) << c.button;
        tabs.showTime(1500);
        EXPECT_EQ(std::pair(detail->label()->text(), detail->getSelected()), std::pair(c.text, c.selected)) << c.button;
    }

    // The choice survives a change of track; without one, all is empty.
    tabs.setGPSTrack(nullptr);
    tabs.showTime(0);
    EXPECT_TRUE(gsTexts().isEmpty() && detail->label()->text().isEmpty());
    EXPECT_TRUE(bothShow(nullptr, 0));
    tabs.setGPSTrack(track);
    tabs.showTime(0);
    EXPECT_EQ(detail->label()->text(), QStringLiteral("DistFromStart 0m DistToEnd 4600m"));

    // A disconnected outlet is skipped; the other instrument is still fed.
    tabs.setDetailView(nullptr);
    tabs.setGPSTrack(GSensorTrack({{98, -5, 100}}));
    tabs.showTime(0);
    EXPECT_EQ(gsTexts(), QStringLiteral("X: 0.98GY: -0.05GZ: 1.00G"));
    EXPECT_EQ(detail->label()->text(), QStringLiteral("DistFromStart 0m DistToEnd 4600m"));
}

}  // namespace
