#pragma once

#include "platform/colors.h"

#include <QPalette>

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
