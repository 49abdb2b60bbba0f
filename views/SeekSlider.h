#pragma once

#include <QSlider>

#include <vector>

// The seek bar: a click in the groove puts the handle there, as in every
// media player, rather than paging towards it, and marked values (the
// drive's events) show as ticks across the groove.
class SeekSlider : public QSlider {
    Q_OBJECT

public:
    explicit SeekSlider(QWidget* parent = nullptr);

    // Values outside the slider's range are kept but not drawn.
    void setMarks(std::vector<int> values);
    const std::vector<int>& marks() const { return markedValues; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<int> markedValues;
};
