#include "platform/list_box.h"

#include "draw/gbk_codec.h"
#include "draw/roster.h"
#include "platform/canvas.h"

#include <QBackingStore>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kTextIndent = 2;
constexpr unsigned char kUnknown = 2; // a shown row not painted since the rows moved

std::size_t position(int index)
{
    return static_cast<std::size_t>(index);
}

} // namespace

TListBox::TListBox(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(1);
    resize(121, 97);
    updateScrollRange();
    m_syncTimer.setSingleShot(true);
    m_syncTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_syncTimer, &QTimer::timeout, this, &TListBox::syncWithRoster);
}

TListBox::~TListBox()
{
    if (m_roster)
        m_roster->setObserver(nullptr);
}

void TListBox::setRoster(draw::Roster *roster)
{
    if (roster == m_roster)
        return;
    if (m_roster)
        m_roster->setObserver(nullptr);
    m_roster = roster;
    m_painted = PaintedRows{};
    if (m_roster)
        m_roster->setObserver([this] { rosterChanged(); });
    m_current = -1;
    m_anchor = -1;
    m_dragging = false;
    updateScrollRange();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void TListBox::setItemHeight(int height)
{
    if (height < 1 || height == m_itemHeight)
        return;
    m_itemHeight = height;
    updateScrollRange();
    viewport()->update();
}

void TListBox::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    viewport()->update();
}

void TListBox::setFontColor(TColor color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    viewport()->update();
}

bool TListBox::borderless() const
{
    return frameShape() == QFrame::NoFrame;
}

void TListBox::setBorderless(bool borderless)
{
    if (borderless) {
        setFrameStyle(QFrame::NoFrame);
    } else {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
    }
    updateScrollRange();
}

int TListBox::count() const
{
    return m_roster ? int(m_roster->size()) : 0;
}

int TListBox::itemIndexAt(QPoint p) const
{
    if (p.y() < 0 || p.x() < 0 || p.x() >= contentsRect().width() || p.y() >= viewportHeight())
        return -1;
    const int index = topIndex() + p.y() / m_itemHeight;
    return index < count() ? index : -1;
}

int TListBox::topIndex() const
{
    return verticalScrollBar()->value();
}

void TListBox::setTopIndex(int index)
{
    verticalScrollBar()->setValue(index);
}

int TListBox::viewportHeight() const
{
    // The viewport is laid out only once the list is shown; its height is the
    // list's less the frame (there is never a horizontal scroll bar).
    return contentsRect().height();
}

int TListBox::visibleRows() const
{
    return std::max(1, viewportHeight() / m_itemHeight);
}

void TListBox::scrollToIndex(int index)
{
    if (index < 0 || index >= count())
        return;
    const int top = topIndex();
    if (index < top)
        setTopIndex(index);
    else if (index >= top + visibleRows())
        setTopIndex(index - visibleRows() + 1);
}

void TListBox::rosterChanged()
{
    // A rolling draw re-marks the roster up to a thousand times a second: take
    // the changes in once the event loop comes round, and paint with the screen.
    if (m_syncPending)
        return;
    m_syncPending = true;
    const qint64 since = m_lastSync.isValid() ? m_lastSync.elapsed() : m_repaintInterval;
    if (since >= m_repaintInterval)
        QMetaObject::invokeMethod(this, &TListBox::syncWithRoster, Qt::QueuedConnection);
    else
        m_syncTimer.start(int(m_repaintInterval - since));
}

void TListBox::setRepaintInterval(int ms)
{
    m_repaintInterval = std::max(0, ms);
}

void TListBox::syncWithRoster()
{
    m_syncPending = false;
    m_syncTimer.stop();
    m_lastSync.start();
    const int n = count();
    if (m_current >= n)
        m_current = n - 1;
    if (m_anchor >= n)
        m_anchor = n - 1;
    updateScrollRange();
    updateChangedRows();
}

int TListBox::rowsShown() const
{
    // The last row may show in part.
    return viewportHeight() / m_itemHeight + 1;
}

void TListBox::updateChangedRows()
{
    const int top = topIndex();
    const int n = count();
    const int rows = rowsShown();
    if (!m_roster || top != m_painted.top || n != m_painted.count ||
        m_roster->renumberings() != m_painted.renumberings || int(m_painted.marks.size()) != rows) {
        viewport()->update();
        return;
    }
    const int width = viewport()->width();
    for (int row = 0; row < rows && top + row < n; ++row) {
        const unsigned char mark = m_roster->selected(position(top + row)) ? 1 : 0;
        if (m_painted.marks[std::size_t(row)] != mark)
            viewport()->update(QRect(0, row * m_itemHeight, width, m_itemHeight));
    }
}

void TListBox::updateScrollRange()
{
    QScrollBar *bar = verticalScrollBar();
    const int rows = visibleRows();
    bar->setPageStep(rows);
    bar->setRange(0, std::max(0, count() - rows));
}

void TListBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    painter.fillRect(event->rect(), toQColor(m_color));
    if (!m_roster)
        return;

    // Only a list disabled itself greys its text; one inside a disabled panel
    // keeps its look.
    const bool greyed = testAttribute(Qt::WA_ForceDisabled);
    const QColor text = greyed     ? toQColor(clGrayText)
        : m_fontColor == clDefault ? palette().color(QPalette::Active, QPalette::WindowText)
                                   : toQColor(m_fontColor);
    const QColor highlight = toQColor(clHighlight);
    const QColor highlightText = toQColor(clHighlightText);
    painter.setFont(font());

    const int n = count();
    const int rows = rowsShown();
    // Only a paint onto the window's backing store is what the screen shows; a
    // grab or a parent's copy paints elsewhere.
    QBackingStore *store = window()->backingStore();
    const bool toScreen = store && painter.paintEngine() &&
        painter.paintEngine()->paintDevice() == store->paintDevice();
    if (toScreen &&
        (topIndex() != m_painted.top || n != m_painted.count ||
         m_roster->renumberings() != m_painted.renumberings ||
         int(m_painted.marks.size()) != rows)) {
        m_painted.top = topIndex();
        m_painted.count = n;
        m_painted.renumberings = m_roster->renumberings();
        m_painted.marks.assign(std::size_t(rows), kUnknown);
    }
    const int first = topIndex() + std::max(0, event->rect().top()) / m_itemHeight;
    const int last = std::min(n - 1, topIndex() + event->rect().bottom() / m_itemHeight);
    for (int i = first; i <= last; ++i) {
        const QRect row(0, (i - topIndex()) * m_itemHeight, area.width(), m_itemHeight);
        const bool selected = m_roster->selected(position(i));
        if (toScreen && i - topIndex() < rows)
            m_painted.marks[std::size_t(i - topIndex())] = selected ? 1 : 0;
        if (selected)
            painter.fillRect(row, highlight);
        const QString name = QString::fromStdString(draw::gbkToUtf8(m_roster->name(position(i))));
        drawTextLine(painter, row.adjusted(kTextIndent, 0, 0, 0), name,
                     Qt::AlignLeft | Qt::AlignVCenter, selected && !greyed ? highlightText : text,
                     false);
        if (i == m_current && hasFocus())
            drawFocusRect(painter, row);
    }
}

void TListBox::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void TListBox::scrollContentsBy(int, int)
{
    viewport()->update();
}

void TListBox::selectAlone(int index)
{
    m_roster->clearSelection();
    m_roster->setSelected(position(index), true);
}

void TListBox::selectRange(int from, int to, bool keepOthers)
{
    if (!keepOthers)
        m_roster->clearSelection();
    m_roster->setSelectedRange(position(std::min(from, to)), position(std::max(from, to)), true);
}

void TListBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        // Other buttons, the right one included, leave the selection as it is.
        event->accept();
        return;
    }
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    const int index = itemIndexAt(event->position().toPoint());
    if (index < 0 || !m_roster)
        return;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    if (shift && m_anchor >= 0) {
        selectRange(m_anchor, index, ctrl);
    } else if (ctrl) {
        m_roster->setSelected(position(index), !m_roster->selected(position(index)));
        m_anchor = index;
    } else {
        selectAlone(index);
        m_anchor = index;
    }
    m_current = index;
    m_dragging = true;
    m_dragAdds = ctrl;
    viewport()->update();
}

void TListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click selects as a press does.
    mousePressEvent(event);
}

void TListBox::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging || !m_roster || count() == 0 || m_anchor < 0)
        return;
    // Dragging stretches the selection from the anchor to the row under the mouse.
    const int y = std::clamp(event->position().toPoint().y(), 0, viewportHeight() - 1);
    const int index = std::min(count() - 1, topIndex() + y / m_itemHeight);
    if (index == m_current)
        return;
    selectRange(m_anchor, index, m_dragAdds);
    m_current = index;
}

void TListBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = false;
    } else if (event->button() == Qt::RightButton) {
        // The menu opens when the right button comes up, where it came up.
        emit contextMenuRequested(event->globalPosition().toPoint());
    }
    event->accept();
}

void TListBox::contextMenuEvent(QContextMenuEvent *event)
{
    // The mouse's request was answered on release; only the menu key is left.
    if (event->reason() == QContextMenuEvent::Keyboard) {
        const int row = m_current >= topIndex() ? m_current - topIndex() : 0;
        const QPoint at(kTextIndent,
                        std::min(row * m_itemHeight + m_itemHeight / 2, viewportHeight() - 1));
        emit contextMenuRequested(viewport()->mapToGlobal(at));
    }
    event->accept();
}

void TListBox::moveTo(int index, Qt::KeyboardModifiers modifiers)
{
    const int n = count();
    if (n == 0)
        return;
    index = std::clamp(index, 0, n - 1);
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    if (shift) {
        if (m_anchor < 0)
            m_anchor = index;
        selectRange(m_anchor, index, ctrl);
    } else if (!ctrl) {
        selectAlone(index);
        m_anchor = index;
    }
    // Ctrl alone moves the focus rectangle only.
    m_current = index;
    scrollToIndex(index);
    viewport()->update();
}

void TListBox::keyPressEvent(QKeyEvent *event)
{
    if (!m_roster || count() == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const int current = m_current;
    const int page = std::max(1, visibleRows() - 1);
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    switch (event->key()) {
    case Qt::Key_Up:
        moveTo(current < 0 ? 0 : current - 1, modifiers);
        break;
    case Qt::Key_Down:
        moveTo(current < 0 ? 0 : current + 1, modifiers);
        break;
    case Qt::Key_PageUp:
        moveTo(current < 0 ? 0 : current - page, modifiers);
        break;
    case Qt::Key_PageDown:
        moveTo(current < 0 ? 0 : current + page, modifiers);
        break;
    case Qt::Key_Home:
        moveTo(0, modifiers);
        break;
    case Qt::Key_End:
        moveTo(count() - 1, modifiers);
        break;
    case Qt::Key_Space:
        if (modifiers & Qt::ControlModifier && current >= 0) {
            m_roster->setSelected(position(current), !m_roster->selected(position(current)));
            m_anchor = current;
            break;
        }
        // Plain Space belongs to the window (it starts and stops the draw).
        event->ignore();
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TListBox::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TListBox::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}
