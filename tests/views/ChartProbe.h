#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <optional>
#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// Reading charts the way they are drawn: x to the right, y upward from the
// bottom edge. Pixel (x, y) is the one covering [x, x + 1) x [y, y + 1).
QColor pixelAt(const QImage& image, int x, int y);

bool isColor(const QColor& actual, const QColor& expected, int tolerance = 3);
// At least a third of the way from the gray background towards pure blue.
bool isBluish(const QColor& color);
// Text ink: clearly darker than the gray background.
bool isInk(const QColor& color);

// Lowest and highest rows (y upward) holding ink in the box, if any.
struct InkRows {
    int bottom;
    int top;
};
std::optional<InkRows> inkRows(const QImage& image, int x0, int x1, int y0, int y1);

// Number of pixels in the box close to the colour.
int countColor(const QImage& image, const QColor& color, int x0, int x1, int y0, int y1,
               int tolerance = 40);

// With KOLVAR_TEST_OUTPUT=DIR set, saves the image as DIR/<name>.png for a person to look at.
void saveForReview(const QImage& image, const QString& name);
