#include "TabsView.h"

#include "ui_TabsView.h"

TabsView::TabsView(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TabsView>()) {
    ui->setupUi(this);
    setGsensorView(ui->gsensorView);
    setDetailView(ui->detailView);
}

TabsView::~TabsView() = default;

void TabsView::setGPSTrack(const std::shared_ptr<GPSTrack>& track) {
    if (gsensorViewOutlet) gsensorViewOutlet->setGPSTrack(track);
    if (detailViewOutlet) detailViewOutlet->setGPSTrack(track);
}

void TabsView::showTime(float t) {
    if (gsensorViewOutlet) gsensorViewOutlet->showTime(t);
    if (detailViewOutlet) detailViewOutlet->showTime(t);
}

void TabsView::setUnits(UnitSystem units) {
    if (detailViewOutlet) detailViewOutlet->setUnits(units);
}
