#include "SeekSlider.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionSlider>

namespace {

class AbsoluteClickStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_Slider_AbsoluteSetButtons) return Qt::LeftButton | Qt::MiddleButton;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Warm and strong enough to read on light and dark themes alike.
const QColor kMarkColor(224, 72, 32);
constexpr int kMarkWidth = 2;

}  // namespace

SeekSlider::SeekSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    auto* style = new AbsoluteClickStyle;
    style->setParent(this);
    setStyle(style);
}

void SeekSlider::setMarks(std::vector<int> values) {
    markedValues = std::move(values);
    update();
}

void SeekSlider::paintEvent(QPaintEvent* event) {
    if (!markedValues.empty() && maximum() > minimum()) {
        // Drawn first and the full height: the groove and the handle cover
        // their middle, and the ends show above and below them.
        QStyleOptionSlider option;
        initStyleOption(&option);
        QPainter painter(this);
        for (const int value : markedValues) {
            if (value < minimum() || value > maximum()) continue;
            option.sliderPosition = value;
            const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
            painter.fillRect(handle.center().x() - kMarkWidth / 2, 0, kMarkWidth, height(), kMarkColor);
        }
    }
    QSlider::paintEvent(event);
}
