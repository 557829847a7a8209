#include "platform/palette_colors.h"

#include "platform/colors_changed.h"

#include <QEvent>
#include <QWidget>

#include <map>

namespace {

// Rides on the widget as a child: remembers the TColor of each role set
// through it and puts the desktop's new values in when its colours change.
class PaletteColorSettings : public QObject {
public:
    explicit PaletteColorSettings(QWidget *widget) : QObject(widget), m_widget(widget)
    {
        setObjectName(QStringLiteral("paletteColorSettings"));
        // Told of a desktop colour change before anything repaints.
        m_desktopColors.OnSystemPaletteChanged = [this] { apply(); };
        // Some desktop themes hand every widget the new palette whole on a
        // change; the roles set here are put back at once.
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_widget && event->type() == QEvent::PaletteChange &&
            paletteHandedWhole(m_widget->palette()))
            apply(); // sets nothing when every role already holds its colour
        return false;
    }

    static PaletteColorSettings *of(const QWidget *widget)
    {
        for (QObject *child : widget->children())
            if (auto *s = dynamic_cast<PaletteColorSettings *>(child))
                return s;
        return nullptr;
    }

    void set(QPalette::ColorRole role, TColor color)
    {
        m_colors[role] = color;
        apply();
    }

    TColor setting(QPalette::ColorRole role) const
    {
        const auto it = m_colors.find(role);
        return it == m_colors.end() ? clDefault : it->second;
    }

private:
    void apply()
    {
        QPalette p = m_widget->palette();
        bool changed = false;
        for (const auto &[role, color] : m_colors) {
            const QColor c = toQColor(color);
            for (QPalette::ColorGroup group :
                 {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
                if (!p.isBrushSet(group, role) || p.color(group, role) != c) {
                    p.setColor(group, role, c);
                    changed = true;
                }
            }
        }
        if (changed)
            m_widget->setPalette(p);
    }

    QWidget *m_widget;
    TSystemPaletteChangedNotifier m_desktopColors;
    std::map<QPalette::ColorRole, TColor> m_colors;
};

} // namespace

bool paletteHandedWhole(const QPalette &palette)
{
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        if (role != QPalette::NoRole &&
            !palette.isBrushSet(QPalette::Active, QPalette::ColorRole(role)))
            return false;
    return true;
}

void setPaletteColor(QWidget *widget, QPalette::ColorRole role, TColor color)
{
    PaletteColorSettings *settings = PaletteColorSettings::of(widget);
    if (!settings)
        settings = new PaletteColorSettings(widget);
    settings->set(role, color);
}

TColor paletteColorSetting(const QWidget *widget, QPalette::ColorRole role)
{
    const PaletteColorSettings *settings = PaletteColorSettings::of(widget);
    return settings ? settings->setting(role) : clDefault;
}

void setControlFontColor(QWidget *control, std::initializer_list<QPalette::ColorRole> roles,
                         TColor color)
{
    for (QPalette::ColorRole role : roles)
        setPaletteColor(control, role, color);
    control->update();
}

TColor controlFontColor(const QWidget *control, QPalette::ColorRole role)
{
    const TColor set = paletteColorSetting(control, role);
    return set != clDefault ? set : toTColor(control->palette().color(role));
}
