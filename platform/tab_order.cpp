#include "platform/tab_order.h"

#include "platform/image.h"
#include "platform/label.h"

#include <QList>
#include <QWidget>

#include <algorithm>

namespace {

// Rides on a control as a child: the mark of an arrow focus target, which goes
// with the control.
class ArrowFocusMark : public QObject {
public:
    using QObject::QObject;
};

// The parent's windowed children in tab order, leaving out `except`.
QList<QWidget *> windowedChildren(QWidget *parent, const QWidget *except)
{
    QList<QWidget *> children;
    for (QWidget *w = parent->nextInFocusChain(); w && w != parent; w = w->nextInFocusChain())
        if (w->parentWidget() == parent && w != except && !w->isWindow() && !isGraphicControl(w))
            children << w;
    return children;
}

} // namespace

bool isGraphicControl(const QWidget *widget)
{
    return qobject_cast<const TLabel *>(widget) || qobject_cast<const TImage *>(widget);
}

void setArrowFocusTarget(QWidget *control)
{
    if (!isArrowFocusTarget(control))
        new ArrowFocusMark(control);
}

bool isArrowFocusTarget(const QWidget *control)
{
    for (const QObject *child : control->children())
        if (dynamic_cast<const ArrowFocusMark *>(child))
            return true;
    return false;
}

int tabOrder(const QWidget *control)
{
    QWidget *parent = control->parentWidget();
    if (!parent)
        return 0;
    const QList<QWidget *> order = windowedChildren(parent, nullptr);
    return std::max(0, int(order.indexOf(const_cast<QWidget *>(control))));
}

void setTabOrder(QWidget *control, int order)
{
    QWidget *parent = control->parentWidget();
    if (!parent || order == tabOrder(control))
        return;
    QList<QWidget *> wanted = windowedChildren(parent, control);
    if (wanted.isEmpty())
        return;
    // Laid from whatever precedes the first of them now, so the control can
    // also become the first.
    QWidget *before = wanted.first()->previousInFocusChain();
    wanted.insert(std::clamp(order, 0, int(wanted.size())), control);
    wanted.prepend(before);
    // Qt reorders only widgets that take the focus: the others (a group box, a
    // label, the parent) are lent a policy while the order is laid.
    QList<QWidget *> lent;
    for (QWidget *w : wanted) {
        if (w->focusPolicy() == Qt::NoFocus) {
            w->setFocusPolicy(Qt::ClickFocus);
            lent << w;
        }
    }
    for (qsizetype i = 0; i + 1 < wanted.size(); ++i)
        QWidget::setTabOrder(wanted[i], wanted[i + 1]);
    for (QWidget *w : lent)
        w->setFocusPolicy(Qt::NoFocus);
}

void moveFocusAmongSiblings(QWidget *from, bool forward)
{
    QWidget *parent = from->parentWidget();
    if (!parent)
        return;
    QWidget *w = from;
    for (;;) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == from)
            return;
        const bool focusable = w->focusPolicy() != Qt::NoFocus || isArrowFocusTarget(w);
        if (w->parentWidget() == parent && w->isVisible() && w->isEnabled() && focusable) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}
