#include "platform/hint_style.h"

#include "platform/colors.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

int HintStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                         QStyleHintReturn *returnData) const
{
    if (hint == SH_ToolTip_WakeUpDelay)
        return kShowDelayMs;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void HintStyle::polish(QPalette &palette)
{
    QProxyStyle::polish(palette);
    palette.setColor(QPalette::ToolTipBase, toQColor(clInfoBk));
    palette.setColor(QPalette::ToolTipText, toQColor(clWindowText));
}

bool showHint(QWidget *widget, const QHelpEvent &event)
{
    const QString hint = widget->toolTip();
    if (hint.isEmpty())
        return false;
    // Gone after a fixed time, or as soon as the pointer leaves the control.
    QToolTip::showText(event.globalPos(), hint, widget, widget->rect(), HintStyle::kHideDelayMs);
    return true;
}
