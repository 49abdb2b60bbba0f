#pragma once

#include "GPSTrack.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace Ui {
class GSensorView;
}

// The G-sensor instrument: the strip chart in its image view and the current
// X, Y and Z values in three labels. Only showTime() changes what is shown.
class GSensorView : public QWidget {
    Q_OBJECT

public:
    explicit GSensorView(QWidget* parent = nullptr);
    ~GSensorView() override;

    // Shown from the next showTime() on; none gives the empty state.
    void setGPSTrack(std::shared_ptr<GPSTrack> track);
    // Redraws the chart at the image view's size and the labels for time t (ms).
    void showTime(float t);

    QLabel* labelGSX() const { return labelGSXOutlet; }
    QLabel* labelGSY() const { return labelGSYOutlet; }
    QLabel* labelGSZ() const { return labelGSZOutlet; }
    QLabel* imageView() const { return imageViewOutlet; }
    void setLabelGSX(QLabel* label) { labelGSXOutlet = label; }
    void setLabelGSY(QLabel* label) { labelGSYOutlet = label; }
    void setLabelGSZ(QLabel* label) { labelGSZOutlet = label; }
    void setImageView(QLabel* view) { imageViewOutlet = view; }

private:
    std::unique_ptr<Ui::GSensorView> ui;
    std::shared_ptr<GPSTrack> track;
    QPointer<QLabel> labelGSXOutlet;
    QPointer<QLabel> labelGSYOutlet;
    QPointer<QLabel> labelGSZOutlet;
    QPointer<QLabel> imageViewOutlet;
};
