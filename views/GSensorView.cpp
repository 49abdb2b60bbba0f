#include "GSensorView.h"

#include "GSensorChart.h"
#include "InstrumentImage.h"
#include "ui_GSensorView.h"

GSensorView::GSensorView(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::GSensorView>()) {
    ui->setupUi(this);
    setLabelGSX(ui->labelGSX);
    setLabelGSY(ui->labelGSY);
    setLabelGSZ(ui->labelGSZ);
    setImageView(ui->imageView);
}

GSensorView::~GSensorView() = default;

void GSensorView::setGPSTrack(std::shared_ptr<GPSTrack> newTrack) { track = std::move(newTrack); }

void GSensorView::showTime(float t) {
    showInstrument(imageViewOutlet, track.get(), t, paintGSensorChart);
    const GSensorTexts texts = gsensorTexts(track.get(), t);
    if (labelGSXOutlet) labelGSXOutlet->setText(texts.x);
    if (labelGSYOutlet) labelGSYOutlet->setText(texts.y);
    if (labelGSZOutlet) labelGSZOutlet->setText(texts.z);
}
