#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

// TColor: 0x00BBGGRR for a literal colour, 0xFF0000nn for desktop system colour nn.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000; // RGB 0,0,0
inline constexpr TColor clMaroon = 0x000080; // RGB 128,0,0
inline constexpr TColor clGray = 0x808080; // RGB 128,128,128
inline constexpr TColor clWhite = 0xFFFFFF; // RGB 255,255,255
inline constexpr TColor clBlue = 0xFF0000; // RGB 0,0,255
inline constexpr TColor clRed = 0x0000FF; // RGB 255,0,0

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// The desktop's system colour numbers the program uses.
enum TSystemColorNumber : int {
    scWindow = 5,
    scWindowText = 8,
    scHighlight = 13,
    scHighlightText = 14,
    scBtnFace = 15,
    scBtnShadow = 16,
    scGrayText = 17,
    scBtnText = 18,
    scBtnHighlight = 20,
    sc3DDkShadow = 21,
    sc3DLight = 22,
    scInfoText = 23,
    scInfoBk = 24,
};

inline constexpr TColor clSystemColor = 0xFF000000;
inline constexpr TColor clWindow = clSystemColor | scWindow;
inline constexpr TColor clWindowText = clSystemColor | scWindowText;
inline constexpr TColor clHighlight = clSystemColor | scHighlight;
inline constexpr TColor clHighlightText = clSystemColor | scHighlightText;
inline constexpr TColor clBtnFace = clSystemColor | scBtnFace;
inline constexpr TColor clBtnShadow = clSystemColor | scBtnShadow;
inline constexpr TColor clGrayText = clSystemColor | scGrayText;
inline constexpr TColor clBtnText = clSystemColor | scBtnText;
inline constexpr TColor clBtnHighlight = clSystemColor | scBtnHighlight;
inline constexpr TColor cl3DDkShadow = clSystemColor | sc3DDkShadow;
inline constexpr TColor cl3DLight = clSystemColor | sc3DLight;
inline constexpr TColor clInfoText = clSystemColor | scInfoText;
inline constexpr TColor clInfoBk = clSystemColor | scInfoBk;

// A literal colour from its red, green and blue parts.
constexpr TColor rgbColor(int r, int g, int b)
{
    return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}

// The literal colour of a QColor (alpha dropped).
inline TColor toTColor(const QColor &color)
{
    return rgbColor(color.red(), color.green(), color.blue());
}

// Resolves system colours to the desktop's values now, and returns an opaque
// QColor. clNone and clDefault resolve to a transparent colour.
QColor toQColor(TColor color);

// The desktop's value of system colour nn, read from the application palette
// at the moment of the call (so a desktop colour change shows at the next
// paint). An unknown number gives black.
QColor systemColor(int index);

// Where system colour nn lives in a palette; false for an unknown number.
bool systemColorRole(int index, QPalette::ColorGroup *group, QPalette::ColorRole *role);
