#include "window/full_screen.h"

#include "platform/image.h"
#include "platform/label.h"
#include "platform/list_box.h"
#include "window/form1_layout.h"
#include "window/unit1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>

#include <algorithm>
#include <cstring>

namespace {

// Placed by FormGeometry at every resize; every other control keeps its design bounds.
bool placedByGeometry(const char *name)
{
    static constexpr const char *kPlaced[] = {
        "Panel8", "StatusBar1", "Panel18",     "GroupBox2", "GroupBox3",
        "Image1", "GroupBox1",  "StaticText1", "Panel4",    "ListBox1",
    };
    return std::any_of(std::begin(kPlaced), std::end(kPlaced),
                       [name](const char *placed) { return std::strcmp(placed, name) == 0; });
}

QFont scaledFont(const QFont &font, FormGeometry::Scale scale)
{
    QFont scaled = font;
    if (font.pixelSize() > 0)
        scaled.setPixelSize(std::max(1, scale.length(font.pixelSize())));
    else if (font.pointSizeF() > 0)
        scaled.setPointSizeF(font.pointSizeF() * scale.factor());
    return scaled;
}

} // namespace

FullScreenProjection::FullScreenProjection(TForm1 &form) : QObject(&form), m_form(form)
{
    qApp->installEventFilter(this);
}

FullScreenProjection::~FullScreenProjection()
{
    qApp->removeEventFilter(this);
}

bool FullScreenProjection::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (key->key() != Qt::Key_F11 || !widget || widget->window() != &m_form)
        return false;
    // Taken before any control sees it (a focused flat button keeps every other key),
    // and held down it switches once.
    if (!key->isAutoRepeat())
        toggle();
    return true;
}

void FullScreenProjection::toggle()
{
    if (m_active)
        leave();
    else
        enter();
}

void FullScreenProjection::enter()
{
    const QScreen *screen = m_form.screen();
    if (!screen)
        return;
    // Pressed again before the window got back: what it is returning to still holds.
    if (!m_returning) {
        m_normalGeometry = m_form.QWidget::geometry(); // not the layout's geometry()
        m_normalStates = m_form.windowState();
        m_normalLayout = m_form.m_geometry;
    }
    m_returning = false;

    m_controls.clear();
    int count = 0;
    const layout::ControlRow *rows = layout::controlRows(&count);
    for (int i = 0; i < count; ++i) {
        if (placedByGeometry(rows[i].name))
            continue;
        auto *w = m_form.findChild<QWidget *>(QString::fromUtf8(rows[i].name));
        const auto *label = qobject_cast<TLabel *>(w);
        m_controls.push_back({w, w->geometry(), label && label->autoSize()});
    }
    m_fonts.clear();
    m_fonts.push_back({&m_form, m_form.font()});
    for (QWidget *w : m_form.findChildren<QWidget *>())
        if (w->testAttribute(Qt::WA_SetFont) && !w->isWindow())
            m_fonts.push_back({w, w->font()});
    m_itemHeight = m_form.ListBox1->itemHeight();
    m_pictureScale = m_form.Image1->scaleFactor();

    const FormGeometry::Scale scale = FormGeometry::fitting(screen->geometry().size());
    m_active = true;
    m_form.m_geometry = FormGeometry(scale);
    m_switchingTo = screen->geometry().size();
    m_layoutThere = m_form.m_geometry;
    applyScale(scale);
    m_form.setWindowState((m_normalStates & ~Qt::WindowMinimized) | Qt::WindowFullScreen);
    m_form.applyGeometry();
}

void FullScreenProjection::leave()
{
    m_active = false;
    applyScale(FormGeometry::Scale{});
    m_form.m_geometry = m_normalLayout;
    m_returning = true;
    m_switchingTo = m_normalGeometry.size();
    m_layoutThere = m_normalLayout;
    m_form.setWindowState(m_normalStates);
    if (!(m_normalStates & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        m_form.setGeometry(m_normalGeometry);
    m_form.applyGeometry();
}

void FullScreenProjection::beforeLayout(QSize client)
{
    if (m_switchingTo.isEmpty() || client != m_switchingTo)
        return;
    m_switchingTo = QSize();
    m_returning = false;
    m_form.m_geometry = m_layoutThere;
}

void FullScreenProjection::applyScale(FormGeometry::Scale scale)
{
    const bool saved = scale == FormGeometry::Scale{};
    for (const SavedFont &f : m_fonts)
        if (f.widget)
            f.widget->setFont(saved ? f.font : scaledFont(f.font, scale));
    // After the fonts, so an auto-size label has taken its text's size.
    for (const SavedControl &c : m_controls) {
        if (!c.widget)
            continue;
        const QRect bounds = saved
            ? c.geometry
            : scale.bounds(layout::designBounds(c.widget->objectName().toUtf8().constData()));
        if (c.followsText)
            c.widget->move(bounds.topLeft());
        else
            c.widget->setGeometry(bounds);
    }
    m_form.ListBox1->setItemHeight(saved ? m_itemHeight : scale.length(m_itemHeight));
    m_form.Image1->setScaleFactor(saved ? m_pictureScale : m_pictureScale * scale.factor());
}
