#pragma once

#include "DetailChart.h"
#include "GPSTrack.h"
#include "StringTable.h"
#include "UnitFormat.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>

namespace Ui {
class DetailView;
}

// The track detail instrument: the distance chart in its image view and one
// line about the current point (position, distances or speed) in its label.
// Only showTime() changes what is shown.
class DetailView : public QWidget {
    Q_OBJECT

public:
    explicit DetailView(QWidget* parent = nullptr);
    ~DetailView() override;

    // Shown from the next showTime() on; none gives the empty state.
    void setGPSTrack(std::shared_ptr<GPSTrack> track);
    // Redraws the chart at the image view's size and the label for time t (ms).
    void showTime(float t);

    int32_t getSelected() const { return selected; }
    // Speeds and distances in these units from the next showTime() on.
    void setUnits(UnitSystem chosen) { units = chosen; }
    // The texts' table; "InfoPlist" in the system's language by default.
    void setStringTable(StringTable table) { strings = std::move(table); }

    QLabel* label() const { return labelOutlet; }
    QLabel* imageView() const { return imageViewOutlet; }
    void setLabel(QLabel* view) { labelOutlet = view; }
    void setImageView(QLabel* view) { imageViewOutlet = view; }

public slots:
    // Each only chooses the text; it shows from the next showTime() on.
    void coordinatesPress() { selected = kSelectedPosition; }
    void distancePress() { selected = kSelectedDistances; }
    void speedPress() { selected = kSelectedSpeed; }

private:
    std::unique_ptr<Ui::DetailView> ui;
    std::shared_ptr<GPSTrack> track;
    int32_t selected = kSelectedPosition;
    UnitSystem units = UnitSystem::Metric;
    StringTable strings;
    QPointer<QLabel> labelOutlet;
    QPointer<QLabel> imageViewOutlet;
};
