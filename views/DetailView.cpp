#include "DetailView.h"

#include "InstrumentImage.h"
#include "ui_DetailView.h"

#include <QPushButton>

DetailView::DetailView(QWidget* parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::DetailView>()),
      strings(StringTable::load(QStringLiteral("InfoPlist"))) {
    ui->setupUi(this);
    setLabel(ui->label);
    setImageView(ui->imageView);
    connect(ui->coordinatesButton, &QPushButton::clicked, this, &DetailView::coordinatesPress);
    connect(ui->distanceButton, &QPushButton::clicked, this, &DetailView::distancePress);
    connect(ui->speedButton, &QPushButton::clicked, this, &DetailView::speedPress);
}

DetailView::~DetailView() = default;

void DetailView::setGPSTrack(std::shared_ptr<GPSTrack> newTrack) { track = std::move(newTrack); }

void DetailView::showTime(float t) {
    const UnitSystem shown = units;
    showInstrument(imageViewOutlet, track.get(), t, [shown](Graphics& graphics, const GPSTrack* drawn, float at) {
        paintDetailChartIn(graphics, drawn, at, shown);
    });
    if (labelOutlet) labelOutlet->setText(detailText(track.get(), t, selected, strings, units));
}
