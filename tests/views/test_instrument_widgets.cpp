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

QImage Shown(const QLabel* imageView) {
    return imageView->pixmap().toImage().convertToFormat(QImage::Format_RGBA8888_Premultiplied);
}

bool IsPlainGray(const QLabel* imageView) {
    const QImage image = Shown(imageView);
    return !image.isNull() && image.size() == imageView->size() &&
           countColor(image, QColor(128, 128, 128), 0, image.width() - 1, 0, image.height() - 1, 0) ==
               image.width() * image.height();
}

// Laid out as in the window: the image views get their real sizes.
void ShowLaidOut(QWidget& widget, QSize size) {
    widget.resize(size);
    widget.show();
    QApplication::processEvents();
}

// Both instruments as the window holds them: each shows a new track, and the
// detail view a new choice, only from the next showTime on.
TEST(TabsView, HandsTheTrackAndTheTimeToBothInstruments) {
    TabsView tabs;
    ShowLaidOut(tabs, {800, 200});
    GSensorView* gsensor = tabs.gsensorView();
    DetailView* detail = tabs.detailView();
    ASSERT_TRUE(gsensor && detail);
    detail->setStringTable(StringTable());
    const auto bothGray = [&] { return IsPlainGray(gsensor->imageView()) && IsPlainGray(detail->imageView()); };
    tabs.showTime(0);
    EXPECT_TRUE(bothGray());

    const auto track = DistanceTrack({1200.25, 3400.25}, 57.9);
    tabs.setGPSTrack(track);
    EXPECT_TRUE(gsensor->labelGSX()->text().isEmpty() && detail->label()->text().isEmpty());
    tabs.showTime(1500);
    EXPECT_EQ(gsensor->labelGSX()->text() + gsensor->labelGSY()->text() + gsensor->labelGSZ()->text(),
              QStringLiteral("X: 0.00GY: 0.00GZ: 0.00G"));
    EXPECT_EQ(detail->getSelected(), kSelectedPosition);
    EXPECT_EQ(detail->label()->text(), QString::fromStdString(track->pointArray()[1].toString()));
    for (const auto& [imageView, paint] : {std::pair{gsensor->imageView(), &paintGSensorChart},
                                           {detail->imageView(), &paintDetailChart}}) {
        Graphics expected{QSizeF(imageView->size())};
        paint(expected, track.get(), 1500);
        EXPECT_EQ(Shown(imageView), expected.getImage());
    }
    saveForReview(tabs.grab().toImage(), QStringLiteral("widget_tabs"));

    const struct {
        const char* button;
        int selected;
        QString text;
    } choices[] = {{"speedButton", kSelectedSpeed, "CurrentSpeed 57km/h"},
                   {"distanceButton", kSelectedDistances, "DistFromStart 1200m DistToEnd 3400m"},
                   {"coordinatesButton", kSelectedPosition, detail->label()->text()},
                   {"distanceButton", kSelectedDistances, "DistFromStart 1200m DistToEnd 3400m"}};
    for (const auto& c : choices) {
        const QString before = detail->label()->text();
        detail->findChild<QPushButton*>(QLatin1String(c.button))->click();
        EXPECT_EQ(detail->label()->text(), before) << c.button;
        tabs.showTime(1500);
        EXPECT_EQ(detail->label()->text(), c.text) << c.button;
        EXPECT_EQ(detail->getSelected(), c.selected) << c.button;
    }

    // The choice survives a change of track; without one, all is empty.
    tabs.setGPSTrack(nullptr);
    tabs.showTime(0);
    EXPECT_TRUE(gsensor->labelGSX()->text().isEmpty() && detail->label()->text().isEmpty());
    EXPECT_TRUE(bothGray());
    tabs.setGPSTrack(track);
    tabs.showTime(0);
    EXPECT_EQ(detail->label()->text(), QStringLiteral("DistFromStart 0m DistToEnd 4600m"));

    // A disconnected outlet is skipped; the other instrument is still fed.
    tabs.setDetailView(nullptr);
    tabs.setGPSTrack(GSensorTrack({{98, -5, 100}}));
    tabs.showTime(0);
    EXPECT_EQ(gsensor->labelGSX()->text() + gsensor->labelGSY()->text() + gsensor->labelGSZ()->text(),
              QStringLiteral("X: 0.98GY: -0.05GZ: 1.00G"));
    EXPECT_EQ(detail->label()->text(), QStringLiteral("DistFromStart 0m DistToEnd 4600m"));
}

}  // namespace
