#pragma once

#include <QColor>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <ostream>

class GPSTrack;
class Graphics;

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// Reading charts the way they are drawn: x to the right, y upward from the
// bottom edge. Pixel (x, y) is the one covering [x, x + 1) x [y, y + 1).
QColor pixelAt(const QImage& image, int x, int y);

bool isColor(const QColor& actual, const QColor& expected, int tolerance = 3);
// Clearly bluer than the gray background.
bool isBluish(const QColor& color);

// Number of pixels in the box close to the colour.
int countColor(const QImage& image, const QColor& color, int x0, int x1, int y0, int y1,
               int tolerance = 40);

// With KOLVAR_TEST_OUTPUT=DIR set, saves the image as DIR/<name>.png for a person to look at.
void saveForReview(const QImage& image, const QString& name);

// Paints a chart into a fresh bitmap and offers it for review.
using ChartPainter = void (*)(Graphics&, const GPSTrack*, float);
QImage renderChart(ChartPainter paint, const GPSTrack* track, float t, const QString& name,
                   QSizeF size = {352, 100});

// The strip left of the axis ticks (x < 24): background and value labels only.
QImage labelColumn(const QImage& image);
// That strip with only the labels (top one first) drawn at x on the baselines
// 4q + 2, 3q + 2, ..., 2, as the charts must draw them.
QImage referenceLabelColumn(QSizeF size, int q, const QStringList& texts, double x, int pixelSize);
