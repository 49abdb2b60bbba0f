#pragma once

#include "DetailView.h"
#include "GPSTrack.h"
#include "GSensorView.h"

#include <QPointer>
#include <QWidget>

#include <memory>

namespace Ui {
class TabsView;
}

// The instrument area: the one place through which the window hands both
// instruments the track and the playback time. It keeps neither itself.
class TabsView : public QWidget {
    Q_OBJECT

public:
    explicit TabsView(QWidget* parent = nullptr);
    ~TabsView() override;

    // To the G-sensor chart, then to the detail view; a missing one is skipped.
    void setGPSTrack(const std::shared_ptr<GPSTrack>& track);
    void showTime(float t);
    // The detail view's units; shown from the next showTime() on.
    void setUnits(UnitSystem units);

    GSensorView* gsensorView() const { return gsensorViewOutlet; }
    DetailView* detailView() const { return detailViewOutlet; }
    void setGsensorView(GSensorView* view) { gsensorViewOutlet = view; }
    void setDetailView(DetailView* view) { detailViewOutlet = view; }

private:
    std::unique_ptr<Ui::TabsView> ui;
    QPointer<GSensorView> gsensorViewOutlet;
    QPointer<DetailView> detailViewOutlet;
};
