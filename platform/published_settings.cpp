#include "platform/published_settings.h"

#include <QFont>
#include <QVariant>
#include <QWidget>

bool followsParentFont(const QWidget *control)
{
    return !control->testAttribute(Qt::WA_SetFont);
}

void setFollowsParentFont(QWidget *control, bool follow)
{
    if (follow == followsParentFont(control))
        return;
    if (follow) {
        // A font without set properties resolves wholly from the parent.
        control->setFont(QFont());
        control->setAttribute(Qt::WA_SetFont, false);
        if (QWidget *parent = control->parentWidget())
            control->setFont(parent->font().resolve(QFont()));
        control->setAttribute(Qt::WA_SetFont, false);
    } else {
        QFont own = control->font();
        own.setResolveMask(QFont::AllPropertiesResolved);
        control->setFont(own);
    }
}

bool ownEnabled(const QWidget *control)
{
    return !control->testAttribute(Qt::WA_ForceDisabled);
}

bool ownEnabledMoved(const QWidget *control, bool &notified)
{
    if (ownEnabled(control) == notified)
        return false;
    notified = !notified;
    return true;
}

bool ownVisible(const QWidget *control)
{
    return !control->isHidden();
}

bool hasTabStop(const QWidget *control)
{
    return (control->focusPolicy() & Qt::TabFocus) != 0;
}

void setTabStop(QWidget *control, bool value, Qt::FocusPolicy withoutTabStop)
{
    control->setFocusPolicy(value ? Qt::StrongFocus : withoutTabStop);
}

bool HintSetting::shows(const QWidget *control) const
{
    if (!parentShowHint)
        return showHint;
    const QWidget *parent = control->parentWidget();
    return parent && parent->property("ShowHint").toBool();
}
