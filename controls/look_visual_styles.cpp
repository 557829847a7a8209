#include "controls/look_visual_styles.h"
#include "platform/canvas.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

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
    BeneathLayers layers;
    layers.graphicChildren = true;
    layers.earlierChildren = withEarlierSiblings;
    paintWhatLiesBeneath(painter, control, rect, layers);
}

void PaintThemedParentBackground(const QWidget *control, QPainter &painter, const QRect &rect)
{
    PaintParentCopy(control, painter, rect, false);
}
