#include "platform/status_bar.h"

#include "platform/canvas.h"
#include "platform/colors.h"

#include <QApplication>
#include <QPainter>
#include <QSizeGrip>

#include <algorithm>

namespace {

constexpr int kTopBorder = 2; // between the bar's top and the panel
constexpr int kTextIndent = 3; // between the panel's edge and its text
constexpr int kGripSize = 13;

// The grip as three diagonal ridges, each a light line above two dark ones.
class StatusGrip : public QSizeGrip {
public:
    using QSizeGrip::QSizeGrip;

    QSize sizeHint() const override { return QSize(kGripSize, kGripSize); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QColor light = toQColor(clBtnHighlight);
        const QColor dark = toQColor(clBtnShadow);
        const int r = width() - 1, b = height() - 1;
        // Line d joins (r, b - d) and (r - d, b): d pixels from the corner.
        auto diagonal = [&](int d, const QColor &color) {
            for (int i = 0; i <= d; ++i)
                painter.fillRect(QRect(r - i, b - d + i, 1, 1), color);
        };
        for (int ridge = 0; ridge < 3; ++ridge) {
            const int d = 4 * ridge;
            diagonal(d + 1, dark);
            diagonal(d + 2, dark);
            diagonal(d + 3, light);
        }
    }
};

} // namespace

TStatusBar::TStatusBar(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The desktop's font, marked as set so the parent's font does not win.
    QFont desktopFont = QApplication::font("QStatusBar");
    desktopFont.setResolveMask(QFont::AllPropertiesResolved);
    setFont(desktopFont);
    m_grip = new StatusGrip(this);
    resize(TStatusBar::sizeHint()); // this class's own: no override runs while constructing
    m_grip->setGeometry(gripRect(size()));
}

void TStatusBar::setPanelText(const QString &text)
{
    if (text == m_panelText)
        return;
    m_panelText = text;
    update();
}

void TStatusBar::setSizeGripEnabled(bool enabled)
{
    if (enabled == m_sizeGripEnabled)
        return;
    m_sizeGripEnabled = enabled;
    m_grip->setVisible(enabled);
    update();
}

QRect TStatusBar::panelRect(const QSize &barSize)
{
    return QRect(0, kTopBorder, barSize.width(), barSize.height() - kTopBorder);
}

QRect TStatusBar::gripRect(const QSize &barSize)
{
    const int size = std::min(kGripSize, barSize.height());
    return QRect(barSize.width() - size, barSize.height() - size, size, size);
}

QSize TStatusBar::sizeHint() const
{
    return QSize(100, std::max(19, fontMetrics().height() + kTopBorder + 6));
}

void TStatusBar::drawBar(QPainter &painter, const QRect &rect) const
{
    painter.fillRect(rect, toQColor(clBtnFace));
    const QRect panel = panelRect(rect.size()).translated(rect.topLeft());
    if (panel.width() < 2 || panel.height() < 2)
        return;
    // Lowered: dark on the top and left, light on the bottom and right.
    const QColor dark = toQColor(clBtnShadow);
    const QColor light = toQColor(clBtnHighlight);
    painter.fillRect(QRect(panel.left(), panel.top(), panel.width() - 1, 1), dark);
    painter.fillRect(QRect(panel.left(), panel.top(), 1, panel.height() - 1), dark);
    painter.fillRect(QRect(panel.right(), panel.top(), 1, panel.height()), light);
    painter.fillRect(QRect(panel.left(), panel.bottom(), panel.width(), 1), light);

    QRect textRect = panel.adjusted(1 + kTextIndent, 1, -1, -1);
    if (m_sizeGripEnabled)
        textRect.setRight(
            std::min(textRect.right(), rect.left() + gripRect(rect.size()).left() - 1));
    painter.setFont(font());
    // Status text shows "&" as it stands.
    drawTextLine(painter, textRect, m_panelText, Qt::AlignLeft | Qt::AlignVCenter,
                 toQColor(clBtnText), false);
}

void TStatusBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawBar(painter, rect());
}

void TStatusBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeGrip();
}

void TStatusBar::placeGrip()
{
    m_grip->setGeometry(gripRect(size()));
}
