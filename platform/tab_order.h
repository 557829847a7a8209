#pragma once

class QWidget;

// Keyboard order among the windowed children of one parent. Labels and images
// are graphic controls, painted on their parent's surface: they have no place
// in that order.
bool isGraphicControl(const QWidget *widget);

// The control's place in its parent's tab order, counting only windowed children.
int tabOrder(const QWidget *control);
// Moves the control to that place; beyond the last it goes last.
void setTabOrder(QWidget *control, int order);

// Marks a control that the arrow keys' focus step reaches although it takes
// no focus of its own accord (a group box); said once, when it is made.
void setArrowFocusTarget(QWidget *control);
bool isArrowFocusTarget(const QWidget *control);

// The arrow keys' focus step: the next (or previous) child of the same parent
// in tab order that can take the focus, wrapping; controls without a tab stop
// count, and so does a group box, which takes the focus without being one.
void moveFocusAmongSiblings(QWidget *from, bool forward);
