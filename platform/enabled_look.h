#pragma once

#include <QWidget>

// Whether a control shows its enabled face. Only a control's own Enabled setting
// decides it: inside a disabled container (the top bar while a draw rolls) a
// control keeps its face and only its input is blocked.
inline bool looksEnabled(const QWidget *control)
{
    return !control->testAttribute(Qt::WA_ForceDisabled);
}
