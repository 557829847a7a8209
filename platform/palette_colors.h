#pragma once

#include "platform/colors.h"

#include <QPalette>

#include <initializer_list>

class QWidget;

// Gives a widget's palette role (in every colour group) the colour of a TColor.
// A system colour is not copied once: it is resolved again whenever the
// desktop's colours change, before anything repaints, so the widget and the
// children that inherit the role never keep an old desktop colour.
void setPaletteColor(QWidget *widget, QPalette::ColorRole role, TColor color);

// Whether a palette sets every role itself: what a desktop theme that hands
// each widget the new palette whole gives, unlike a caller changing a role.
bool paletteHandedWhole(const QPalette &palette);

// The TColor last given to the role through setPaletteColor, or clDefault.
TColor paletteColorSetting(const QWidget *widget, QPalette::ColorRole role);

// A control's font colour lives in the palette roles its text is drawn in (a
// caption's WindowText, a button's ButtonText as well, an edit's Text). Sets
// it on every role given and repaints.
void setControlFontColor(QWidget *control, std::initializer_list<QPalette::ColorRole> roles,
                         TColor color);
// The font colour as set on role (a system colour stays one), else the one shown.
TColor controlFontColor(const QWidget *control, QPalette::ColorRole role);
