#include "ChartProbe.h"
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

TEST(GSensorView, ShowsTheChartAtItsImageViewsSizeAndTheCurrentValues) {
    GSensorView view;
    ShowLaidOut(view, {400, 160});
    view.showTime(0);
    ASSERT_GE(view.imageView()->width(), 240);
    EXPECT_TRUE(IsPlainGray(view.imageView()));
    EXPECT_TRUE(view.labelGSX()->text().isEmpty());

    const auto track = GSensorTrack({{98, -5, 100}, {20, 30, 40}});
    view.setGPSTrack(track);
    EXPECT_TRUE(view.labelGSX()->text().isEmpty()) << "a new track shows from the next showTime on";
    view.showTime(500);
    EXPECT_EQ(view.labelGSX()->text() + view.labelGSY()->text() + view.labelGSZ()->text(),
              QStringLiteral("X: 0.98GY: -0.05GZ: 1.00G"));
    Graphics expected{QSizeF(view.imageView()->size())};
    paintGSensorChart(expected, track.get(), 500);
    EXPECT_EQ(Shown(view.imageView()), expected.getImage());
    saveForReview(Shown(view.imageView()), QStringLiteral("widget_gsensor"));

    view.setGPSTrack(nullptr);
    view.showTime(0);
    EXPECT_TRUE(IsPlainGray(view.imageView()));
    EXPECT_TRUE(view.labelGSZ()->text().isEmpty());
}

TEST(DetailView, TheButtonsChooseTheTextShownFromTheNextUpdateOn) {
    DetailView view;
    view.setStringTable(StringTable());
    ShowLaidOut(view, {400, 160});
    const auto track = DistanceTrack({1200.25, 3400.25}, 57.9);
    view.setGPSTrack(track);
    view.showTime(1500);
    EXPECT_EQ(view.getSelected(), kSelectedPosition);
    EXPECT_TRUE(view.label()->text().startsWith(QStringLiteral("E:116.400000"))) << view.label()->text().toStdString();

    const auto choose = [&view](const char* button) {
        view.findChild<QPushButton*>(QLatin1String(button))->click();
        const QString before = view.label()->text();
        view.showTime(1500);
        EXPECT_NE(view.label()->text(), before) << button << ": the text changes with the next showTime";
        return view.label()->text();
    };
    EXPECT_EQ(choose("speedButton"), QStringLiteral("CurrentSpeed 57km/h"));
    EXPECT_EQ(view.getSelected(), kSelectedSpeed);
    EXPECT_EQ(choose("distanceButton"), QStringLiteral("DistFromStart 1200m DistToEnd 3400m"));
    EXPECT_TRUE(choose("coordinatesButton").startsWith(QStringLiteral("E:116.400000")));
    EXPECT_EQ(view.getSelected(), kSelectedPosition);
    saveForReview(Shown(view.imageView()), QStringLiteral("widget_detail"));

    // The choice survives a change of track; without one, the text is empty.
    view.findChild<QPushButton*>(QStringLiteral("distanceButton"))->click();
    view.setGPSTrack(nullptr);
    view.showTime(1500);
    EXPECT_TRUE(view.label()->text().isEmpty());
    EXPECT_TRUE(IsPlainGray(view.imageView()));
    view.setGPSTrack(track);
    view.showTime(0);
    EXPECT_EQ(view.label()->text(), QStringLiteral("DistFromStart 0m DistToEnd 4600m"));
}

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

    const auto track = DistanceTrack({500.5, 500.5}, 30);
    tabs.setGPSTrack(track);
    tabs.showTime(1500);
    EXPECT_EQ(gsensor->labelGSX()->text(), QStringLiteral("X: 0.00G"));
    EXPECT_EQ(detail->label()->text(), QString::fromStdString(track->pointArray()[1].toString()));
    EXPECT_FALSE(IsPlainGray(gsensor->imageView()) || IsPlainGray(detail->imageView()));
    saveForReview(tabs.grab().toImage(), QStringLiteral("widget_tabs"));

    tabs.setGPSTrack(nullptr);
    tabs.showTime(0);
    EXPECT_TRUE(gsensor->labelGSX()->text().isEmpty() && detail->label()->text().isEmpty());
    EXPECT_TRUE(bothGray());

    // A disconnected outlet is skipped; the other instrument is still fed.
    tabs.setDetailView(nullptr);
    tabs.setGPSTrack(GSensorTrack({{25, 0, 0}}));
    tabs.showTime(0);
    EXPECT_EQ(gsensor->labelGSX()->text(), QStringLiteral("X: 0.25G"));
    EXPECT_TRUE(detail->label()->text().isEmpty());
}

}  // namespace
