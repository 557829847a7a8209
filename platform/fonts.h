#pragma once

#include "platform/colors.h"

#include <QFont>
#include <QString>

// Maps the layout's font names ("新宋体", "黑体", "楷体_GB2312", "隶书", "宋体",
// "MS Sans Serif") to installed fonts of the same kind. Call once before any
// widget is built.
void installFontSubstitutions();

// A font as the layout data gives it: a negative height is the character height
// in pixels without internal leading.
QFont layoutFont(const QString &name, int height, bool bold = false);
