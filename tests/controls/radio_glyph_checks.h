#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QtTest>

#include <functional>
#include <optional>

// Compares every pixel of a square glyph image with its pattern index:
// transparent for index 0, else opaque in the colour colourOf gives for the
// index (an index it gives none for is only checked to be opaque). The caller
// checks QTest::currentTestFailed() before going on.
inline void compareGlyphPixels(const QImage &image, const QList<int> &pattern,
                               const std::function<std::optional<QColor>(int index)> &colourOf)
{
    const int size = image.width();
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int index = pattern[y * size + x];
            const QRgb pixel = image.pixel(x, y);
            if (index == 0) {
                QCOMPARE(qAlpha(pixel), 0);
                continue;
            }
            QCOMPARE(qAlpha(pixel), 255);
            if (const std::optional<QColor> expected = colourOf(index))
                QCOMPARE(QColor(pixel).toRgb(), *expected);
        }
    }
}
