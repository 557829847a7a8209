// The party background: six festive children among gold ingots and coins
// along the bottom, the upper part left white for the drawn names.
#pragma once

#include <QImage>

namespace scene {

enum class Variant {
    Plain, // the program's built-in picture
    Lanterns, // the demo folder's picture: adds a lantern at each side
};

QImage drawBackground(Variant variant);

} // namespace scene
