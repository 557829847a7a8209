#pragma once

#include <QColor>

#include <cstdint>

// TColor: 0x00BBGGRR for a literal colour, 0xFF0000nn for desktop system colour nn.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clRed = 0x0000FF;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clSystemColor = 0xFF000000;
inline constexpr TColor clInfoBk = clSystemColor | 24;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;
inline constexpr TColor cl3DDkShadow = clSystemColor | 21;
inline constexpr TColor cl3DLight = clSystemColor | 22;

// A literal colour from its red, green and blue parts.
constexpr TColor rgbColor(int r, int g, int b)
{
    return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}

// Resolves system colours to the desktop's values (a fixed classic desktop
// palette, so the window looks the same everywhere) and returns an opaque QColor.
// clNone and clDefault resolve to a transparent colour.
QColor toQColor(TColor color);

// The desktop's value of system colour nn.
QColor systemColor(int index);
