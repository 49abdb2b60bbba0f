#include "ChartProbe.h"

#include "Graphics.h"
#include "StripChart.h"

#include <QDir>

#include <algorithm>
#include <cstdlib>

QColor pixelAt(const QImage& image, int x, int y) { return image.pixelColor(x, image.height() - 1 - y); }

bool isColor(const QColor& actual, const QColor& expected, int tolerance) {
    return std::max({std::abs(actual.red() - expected.red()), std::abs(actual.green() - expected.green()),
                     std::abs(actual.blue() - expected.blue()), std::abs(actual.alpha() - expected.alpha())}) <= tolerance;
}

bool isBluish(const QColor& color) {
    return color.blue() - color.red() > 40 && color.blue() - color.green() > 40;
}

int countColor(const QImage& image, const QColor& color, int x0, int x1, int y0, int y1, int tolerance) {
    int count = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) count += isColor(pixelAt(image, x, y), color, tolerance) ? 1 : 0;
    return count;
}

void saveForReview(const QImage& image, const QString& name) {
    const QString dir = qEnvironmentVariable("KOLVAR_TEST_OUTPUT");
    if (dir.isEmpty() || image.isNull()) return;
    QDir().mkpath(dir);
    image.save(QDir(dir).filePath(name + QStringLiteral(".png")), "PNG");
}

QImage renderChart(ChartPainter paint, const GPSTrack* track, float t, const QString& name, QSizeF size) {
    Graphics graphics(size);
    paint(graphics, track, t);
    const QImage image = graphics.getImage();
    saveForReview(image, name);
    return image;
}

QImage labelColumn(const QImage& image) { return image.copy(0, 0, 24, image.height()); }

QImage referenceLabelColumn(QSizeF size, int q, const QStringList& texts, double x, int pixelSize) {
    Graphics graphics(size);
    StripChart::paintBackground(graphics);
    for (int r = 0; r <= 4; ++r) {
        graphics.drawString(texts[r], {x, double(4 * q + 2 - r * q)}, QStringLiteral("Cambria"), pixelSize);
    }
    return labelColumn(graphics.getImage());
}
