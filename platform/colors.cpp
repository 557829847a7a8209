#include "platform/colors.h"

#include <QGuiApplication>

namespace {

struct SystemColorSlot {
    int number;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Each system colour number and the palette role that carries the same
// meaning on this desktop (the roles a desktop palette fills from its own
// system colours).
constexpr SystemColorSlot kSlots[] = {
    // Background of editable and list areas.
    {scWindow, QPalette::Active, QPalette::Base},
    // Text on that background; the desktop gives window and label text the same colour.
    {scWindowText, QPalette::Active, QPalette::WindowText},
    {scHighlight, QPalette::Active, QPalette::Highlight},
    {scHighlightText, QPalette::Active, QPalette::HighlightedText},
    // Face of buttons and other raised parts.
    {scBtnFace, QPalette::Active, QPalette::Button},
    // The dark side of a bevel: Dark is the palette's shadow of the button face.
    {scBtnShadow, QPalette::Active, QPalette::Dark},
    // Text of a greyed item: the palette's disabled text.
    {scGrayText, QPalette::Disabled, QPalette::Text},
    {scBtnText, QPalette::Active, QPalette::ButtonText},
    // The light side of a bevel.
    {scBtnHighlight, QPalette::Active, QPalette::Light},
    // The outer dark line of a 3-D edge: the palette's darkest shade.
    {sc3DDkShadow, QPalette::Active, QPalette::Shadow},
    // The inner light line of a 3-D edge, between face and highlight.
    {sc3DLight, QPalette::Active, QPalette::Midlight},
    // Tool-tip text and background.
    {scInfoText, QPalette::Active, QPalette::ToolTipText},
    {scInfoBk, QPalette::Active, QPalette::ToolTipBase},
};

} // namespace

bool systemColorRole(int index, QPalette::ColorGroup *group, QPalette::ColorRole *role)
{
    for (const SystemColorSlot &slot : kSlots) {
        if (slot.number == index) {
            *group = slot.group;
            *role = slot.role;
            return true;
        }
    }
    return false;
}

QColor systemColor(int index)
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    if (!systemColorRole(index, &group, &role))
        return QColor(0, 0, 0);
    QColor c = QGuiApplication::palette().color(group, role);
    c.setAlpha(255);
    return c.toRgb();
}

QColor toQColor(TColor color)
{
    if (color == clNone || color == clDefault)
        return QColor(0, 0, 0, 0);
    if ((color & 0xFF000000u) == clSystemColor)
        return systemColor(int(color & 0xFFu));
    return QColor(int(color & 0xFFu), int((color >> 8) & 0xFFu), int((color >> 16) & 0xFFu));
}
