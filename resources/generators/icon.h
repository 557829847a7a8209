// The application icon (a cheering child, arms spread wide) and the small
// person glyph of the view-winners button.
#pragma once

#include <QImage>

namespace icon {

// ARGB picture of the child, size × size pixels, transparent around it.
QImage drawChild(int size);

// 16 × 16 person (brown hair, green shirt) on white, drawn pixel by pixel.
QImage drawButtonGlyph();

} // namespace icon
