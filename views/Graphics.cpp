#include "Graphics.h"

#include <QFontDatabase>
#include <QLineF>
#include <QPen>

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

QString installedFamily(const QString& fontName) {
    if (QFontDatabase::hasFamily(fontName)) return fontName;
    for (const auto& entry : kFontSubstitutes) {
        if (fontName.compare(QLatin1String(entry.family), Qt::CaseInsensitive) == 0 &&
            QFontDatabase::hasFamily(QLatin1String(entry.substitute))) {
            return QLatin1String(entry.substitute);
        }
    }
    return {};
}

}  // namespace

Graphics::Graphics(QSizeF size) : size(size) {
    const int width = pixelExtent(size.width());
    const int height = pixelExtent(size.height());
    if (width == 0 || height == 0) return;
    bitmap = QImage(width, height, QImage::Format_RGBA8888_Premultiplied);
    if (bitmap.isNull()) return;
    // Users paint their own background; transparent only keeps the memory defined.
    bitmap.fill(Qt::transparent);
    context.begin(&bitmap);
    context.setRenderHint(QPainter::Antialiasing);
    context.setRenderHint(QPainter::TextAntialiasing);
}

QImage Graphics::getImage() const {
    // A deep copy: a shallow one would share the pixels the painter still writes.
    return bitmap.copy();
}

QPointF Graphics::toDevice(QPointF point) const {
    return {point.x(), bitmap.height() - point.y()};
}

void Graphics::drawRect(const QRectF& rect, const QColor& fillColor, const QColor& strokeColor,
                        float strokeWidth) {
    if (!context.isActive() || !isFinite(rect.topLeft()) || !isFinite(rect.bottomRight())) return;
    const QRectF device =
        QRectF(rect.x(), bitmap.height() - rect.y() - rect.height(), rect.width(), rect.height())
            .normalized();
    if (strokeWidth > 0 && strokeColor.alpha() > 0) {
        context.setPen(QPen(strokeColor, strokeWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        context.setBrush(Qt::NoBrush);
        context.drawRect(device);
    }
    if (fillColor.alpha() > 0) context.fillRect(device, fillColor);
}

void Graphics::drawLine(QPointF start, QPointF end, const QColor& strokeColor, float lineWidth) {
    if (!context.isActive() || !(lineWidth > 0) || !isFinite(start) || !isFinite(end)) return;
    context.setPen(QPen(strokeColor, lineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    context.drawLine(QLineF(toDevice(start), toDevice(end)));
}

QFont Graphics::getFontWithName(const QString& fontName, float fontSize) {
    QFont font;
    const QString family = installedFamily(fontName);
    if (family.isEmpty()) {
        font.setStyleHint(QFont::Serif);
        font.setFamily(QStringLiteral("serif"));
    } else {
        font.setFamily(family);
    }
    font.setPixelSize(fontPixels(fontSize));
    return font;
}

void Graphics::drawString(const QString& text, QPointF position, const QString& fontName,
                          float fontSize) {
    if (!context.isActive() || text.isEmpty() || !isFinite(position)) return;
    context.setFont(getFontWithName(fontName, fontSize));
    context.setPen(Qt::black);
    context.drawText(toDevice(position), text);
}
