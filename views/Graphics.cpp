#include "Graphics.h"

#include <QLineF>
#include <QPen>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

// Larger bitmaps are refused rather than left to fail in the allocator.
constexpr double kMaxExtent = 32768;
constexpr float kMaxFontPixels = 4096;

// Metric-compatible stand-ins keep text as wide as the layout expects.
struct FontSubstitute {
    const char* family;
    const char* substitute;
};
constexpr FontSubstitute kFontSubstitutes[] = {{"Cambria", "Caladea"}};

int pixelExtent(double length) {
    if (!(length >= 1.0) || length >= kMaxExtent) return 0;  // also NaN
    return static_cast<int>(length);
}

int fontPixels(float fontSize) {
    if (!(fontSize >= 1)) return 1;  // also NaN
    return static_cast<int>(std::lround(std::min(fontSize, kMaxFontPixels)));
}

bool isFinite(QPointF point) { return std::isfinite(point.x()) && std::isfinite(point.y()); }

bool isWhole(double value) { return value == std::floor(value); }

// Edges on whole pixels, and an outline whose halves end on whole pixels,
// cover whole pixels: antialiasing would change nothing there, and on this
// pixel format it costs several times the plain fill.
bool coversWholePixels(const QRectF& rect, float strokeWidth) {
    return isWhole(rect.x()) && isWhole(rect.y()) && isWhole(rect.width()) &&
           isWhole(rect.height()) && isWhole(strokeWidth / 2.0);
}

}  // namespace

Graphics::Graphics(QSizeF size) : size(size) {
    const int width = pixelExtent(size.width());
    const int height = pixelExtent(size.height());
    if (width == 0 || height == 0) return;
    bitmap = QImage(width, height, QImage::Format_RGBA8888_Premultiplied);
    // Users paint their own background; transparent only keeps the memory defined.
    if (!bitmap.isNull()) bitmap.fill(Qt::transparent);
}

QImage Graphics::getImage() {
    // With the painter ended the snapshot can share the pixels instead of
    // copying them; drawing afterwards begins a painter again, which detaches.
    if (context.isActive()) context.end();
    return bitmap;
}

QPainter* Graphics::painter() {
    if (bitmap.isNull()) return nullptr;
    if (!context.isActive() && context.begin(&bitmap)) {
        context.setRenderHint(QPainter::Antialiasing);
        context.setRenderHint(QPainter::TextAntialiasing);
    }
    return context.isActive() ? &context : nullptr;
}

QPointF Graphics::toDevice(QPointF point) const {
    return {point.x(), bitmap.height() - point.y()};
}

void Graphics::drawRect(const QRectF& rect, const QColor& fillColor, const QColor& strokeColor,
                        float strokeWidth) {
    if (!isFinite(rect.topLeft()) || !isFinite(rect.bottomRight())) return;
    QPainter* context = painter();
    if (!context) return;
    const QRectF device =
        QRectF(rect.x(), bitmap.height() - rect.y() - rect.height(), rect.width(), rect.height())
            .normalized();
    const bool stroked = strokeWidth > 0 && strokeColor.alpha() > 0;
    context->setRenderHint(QPainter::Antialiasing,
                           !coversWholePixels(device, stroked ? strokeWidth : 0));
    if (stroked) {
        context->setPen(QPen(strokeColor, strokeWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        context->setBrush(Qt::NoBrush);
        context->drawRect(device);
    }
    if (fillColor.alpha() > 0) context->fillRect(device, fillColor);
    context->setRenderHint(QPainter::Antialiasing);
}

void Graphics::drawLine(QPointF start, QPointF end, const QColor& strokeColor, float lineWidth) {
    if (!(lineWidth > 0) || !isFinite(start) || !isFinite(end)) return;
    QPainter* context = painter();
    if (!context) return;
    context->setPen(QPen(strokeColor, lineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    context->drawLine(QLineF(toDevice(start), toDevice(end)));
}

QFont Graphics::getFontWithName(const QString& fontName, float fontSize) {
    // Qt takes the first installed family of the list and falls back on the
    // style hint; its font cache makes this cheap on every call, where asking
    // the font database whether a family exists is not.
    QStringList families{fontName};
    for (const auto& entry : kFontSubstitutes) {
        if (fontName.compare(QLatin1String(entry.family), Qt::CaseInsensitive) == 0) {
            families << QLatin1String(entry.substitute);
        }
    }
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(fontPixels(fontSize));
    return font;
}

void Graphics::drawString(const QString& text, QPointF position, const QString& fontName,
                          float fontSize) {
    if (text.isEmpty() || !isFinite(position)) return;
    QPainter* context = painter();
    if (!context) return;
    context->setFont(getFontWithName(fontName, fontSize));
    context->setPen(Qt::black);
    context->drawText(toDevice(position), text);
}
