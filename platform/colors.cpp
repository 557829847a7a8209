#include "platform/colors.h"

QColor systemColor(int index)
{
    // Values of the usual desktop scheme, so the window looks as designed on any host.
    switch (index) {
    case 5:
        return QColor(255, 255, 255); // window
    case 8:
        return QColor(0, 0, 0); // window text
    case 13:
        return QColor(51, 153, 255); // highlight
    case 14:
        return QColor(255, 255, 255); // highlight text
    case 15:
        return QColor(240, 240, 240); // button face
    case 16:
        return QColor(160, 160, 160); // button shadow
    case 17:
        return QColor(109, 109, 109); // grey text
    case 18:
        return QColor(0, 0, 0); // button text
    case 20:
        return QColor(255, 255, 255); // button highlight
    case 21:
        return QColor(105, 105, 105); // 3-D dark shadow
    case 22:
        return QColor(227, 227, 227); // 3-D light
    case 24:
        return QColor(255, 255, 225); // tool-tip background
    default:
        return QColor(0, 0, 0);
    }
}

QColor toQColor(TColor color)
{
    if (color == clNone || color == clDefault)
        return QColor(0, 0, 0, 0);
    if ((color & 0xFF000000u) == clSystemColor)
        return systemColor(int(color & 0xFFu));
    return QColor(int(color & 0xFFu), int((color >> 8) & 0xFFu), int((color >> 16) & 0xFFu));
}
