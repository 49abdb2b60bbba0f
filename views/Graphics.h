#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

// An off-screen RGBA surface for one redraw of an instrument. Coordinates are
// its own: one unit a pixel, origin at the bottom-left corner, y upward.
// Every operation sets the colours, widths and font it needs; none relies on
// a setting left by an earlier one.
class Graphics {
public:
    // The bitmap is the size cut to whole pixels; below one pixel (or too large
    // to allocate) there is none, drawing does nothing and getImage is null.
    explicit Graphics(QSizeF size);
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    QSizeF getSize() const { return size; }
    bool hasBitmap() const { return !bitmap.isNull(); }
    // A snapshot: drawing afterwards does not change it.
    QImage getImage();

    // Outline straddling the rectangle's edges, then the fill over its inner half.
    void drawRect(const QRectF& rect, const QColor& fillColor, const QColor& strokeColor,
                  float strokeWidth);
    // Square ends lying exactly on the two points.
    void drawLine(QPointF start, QPointF end, const QColor& strokeColor, float lineWidth);
    // The family at a size in pixels; a missing family is replaced by a
    // metric-compatible one when installed (Caladea for Cambria), else by the
    // default serif.
    static QFont getFontWithName(const QString& fontName, float fontSize);
    // One upright black line of text whose baseline starts at position.
    void drawString(const QString& text, QPointF position, const QString& fontName,
                    float fontSize);

private:
    QPointF toDevice(QPointF point) const;
    // Begun on first use and again after getImage; none without a bitmap.
    QPainter* painter();

    QSizeF size;
    QImage bitmap;
    QPainter context;
};
