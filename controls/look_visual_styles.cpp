#include "controls/look_visual_styles.h"
#include "platform/tab_order.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

namespace {

// Labels and images are drawn on their parent's surface.
// Renders w's picture over area (in w's coordinates) into target at offset.
void renderInto(QPainter &target, QWidget *w, const QRect &area, const QPoint &offset,
                bool withChildren)
{
    const QRect visible = area & w->rect();
    if (visible.isEmpty())
        return;
    w->render(&target, offset + (visible.topLeft() - area.topLeft()), QRegion(visible),
              withChildren ? QWidget::DrawChildren : QWidget::RenderFlags());
}

} // namespace

const QStringList &visualStyleClassNames()
{
    static const QStringList names = {
        QStringLiteral("Button"),    QStringLiteral("Clock"),       QStringLiteral("ComboBox"),
        QStringLiteral("Edit"),      QStringLiteral("ExplorerBar"), QStringLiteral("Header"),
        QStringLiteral("ListBox"),   QStringLiteral("ListView"),    QStringLiteral("Menu"),
        QStringLiteral("Page"),      QStringLiteral("Progress"),    QStringLiteral("Rebar"),
        QStringLiteral("ScrollBar"), QStringLiteral("Spin"),        QStringLiteral("StartPanel"),
        QStringLiteral("Status"),    QStringLiteral("Tab"),         QStringLiteral("TaskBand"),
        QStringLiteral("TaskBar"),   QStringLiteral("ToolBar"),     QStringLiteral("ToolTip"),
        QStringLiteral("TrackBar"),  QStringLiteral("TrayNotify"),  QStringLiteral("TreeView"),
        QStringLiteral("Window")};
    return names;
}

bool visualStylesActive()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) &&
        QGuiApplication::desktopSettingsAware() && QApplication::style();
}

bool VisualStylesAvailable(const QStringList &themeClasses)
{
    if (!visualStylesActive())
        return false;
    for (const QString &name : themeClasses)
        if (name.compare(QStringLiteral("Button"), Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

QSize nativeRadioGlyphSize()
{
    QStyle *style = QApplication::style();
    return QSize(style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth),
                 style->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight));
}

void drawNativeRadioGlyph(QPainter &painter, const QRect &rect, TGlyphState state, bool checked)
{
    QStyleOptionButton option;
    option.rect = rect;
    option.palette = QApplication::palette();
    option.state = checked ? QStyle::State_On : QStyle::State_Off;
    if (state != gsDisabled)
        option.state |= QStyle::State_Enabled;
    else
        option.palette.setCurrentColorGroup(QPalette::Disabled);
    if (state == gsHot || state == gsPressed)
        option.state |= QStyle::State_MouseOver;
    if (state == gsPressed)
        option.state |= QStyle::State_Sunken;
    QApplication::style()->drawPrimitive(QStyle::PE_IndicatorRadioButton, &option, &painter);
}

void PaintParentCopy(const QWidget *control, QPainter &painter, const QRect &rect,
                     bool withEarlierSiblings)
{
    QWidget *parent = control ? control->parentWidget() : nullptr;
    if (!parent || rect.isEmpty())
        return;
    const QRect inParent = rect.translated(control->pos());
    // Composed apart and copied once, so a partly covered area keeps its
    // layers in order.
    QImage copy(rect.size(), QImage::Format_ARGB32_Premultiplied);
    copy.fill(Qt::transparent);
    {
        QPainter p(&copy);
        renderInto(p, parent, inParent, QPoint(), false);
        const QObjectList children = parent->children();
        for (QObject *o : children) {
            auto *w = qobject_cast<QWidget *>(o);
            if (!w || w == control || !w->isVisible() || !isGraphicControl(w))
                continue;
            renderInto(p, w, inParent.translated(-w->pos()), QPoint(), true);
        }
        if (withEarlierSiblings) {
            for (QObject *o : children) {
                if (o == control)
                    break;
                auto *w = qobject_cast<QWidget *>(o);
                if (!w || w->isWindow() || !w->isVisible() || isGraphicControl(w))
                    continue;
                renderInto(p, w, inParent.translated(-w->pos()), QPoint(), true);
            }
        }
    }
    painter.drawImage(rect.topLeft(), copy);
}

void PaintThemedParentBackground(const QWidget *control, QPainter &painter, const QRect &rect)
{
    PaintParentCopy(control, painter, rect, false);
}
