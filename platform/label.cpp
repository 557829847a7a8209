#include "platform/label.h"

#include "platform/palette_colors.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include <cmath>
#include <limits>

namespace {

constexpr int kNoWrap = -1;
constexpr int kNoLimit = std::numeric_limits<int>::max();

// The caption as drawn: prefix marks taken out (their characters underlined) and
// every CR, LF or CR LF turned into a line separator.
struct DrawnText {
    QString text;
    QList<QTextLayout::FormatRange> underlines;
};

DrawnText drawnText(const QString &caption, bool prefix)
{
    DrawnText out;
    out.text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption.at(i);
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < caption.size() && caption.at(i + 1) == u'\n')
                ++i;
            out.text.append(QChar::LineSeparator);
            continue;
        }
        if (prefix && c == u'&') {
            ++i;
            if (i == caption.size())
                break; // a lone "&" at the end marks nothing
            if (caption.at(i) != u'&') {
                QTextLayout::FormatRange range;
                range.start = int(out.text.size());
                range.length = 1;
                range.format.setFontUnderline(true);
                out.underlines.append(range);
            }
            out.text.append(caption.at(i));
            continue;
        }
        out.text.append(c);
    }
    return out;
}

} // namespace

// One caption laid out in one font at one wrap width, as far down as was asked.
struct TLabel::Layout {
    QString caption;
    QFont font;
    bool prefix = true;
    int wrapWidth = kNoWrap;
    int heightLimit = 0;
    bool complete = false; // every line laid out, whatever the limit
    QTextLayout text;
    QSize size;

    bool fits(const QString &c, const QFont &f, bool p, int w, int limit) const
    {
        return c == caption && p == prefix && w == wrapWidth && f == font &&
            (complete || limit <= heightLimit);
    }

    void build(const QString &c, const QFont &f, bool p, int w, int limit)
    {
        caption = c;
        font = f;
        prefix = p;
        wrapWidth = w;
        heightLimit = limit;
        const DrawnText drawn = drawnText(c, p);
        const QFontMetrics metrics(f);
        const int lineHeight = std::max(1, metrics.height());

        // A wrapped label shows only the lines above its bottom edge, a few hundred
        // characters of a draw's several thousand: lay out a beginning of the text
        // that is long enough. It is long enough when, past the lines shown, one
        // more line begins and ends inside it: the shown lines' breaks were then
        // decided on the same characters as in the whole text.
        if (w != kNoWrap && limit != kNoLimit && limit > 0 && leftToRightOnly(drawn.text)) {
            const qsizetype shown = (limit + lineHeight - 1) / lineHeight;
            qsizetype length = (shown + 2) * (w / std::max(1, metrics.averageCharWidth()) + 1);
            while (length < drawn.text.size()) {
                if (layOut(drawn, length, metrics, shown + 1))
                    return;
                length *= 2;
            }
        }
        layOut(drawn, drawn.text.size(), metrics, kNoLimit);
    }

    // Without right-to-left characters the text's direction and every line's
    // order are decided character by character, not by what comes later.
    static bool leftToRightOnly(const QString &text)
    {
        for (const QChar c : text) {
            switch (c.direction()) {
            case QChar::DirR:
            case QChar::DirAL:
            case QChar::DirAN:
            case QChar::DirRLE:
            case QChar::DirRLO:
            case QChar::DirRLI:
            case QChar::DirFSI:
            case QChar::DirLRE:
            case QChar::DirLRO:
            case QChar::DirLRI:
            case QChar::DirPDF:
            case QChar::DirPDI:
                return false;
            default:
                break;
            }
        }
        return true;
    }

    // Lays out the first `length` characters, at most `maxLines` lines (every line
    // above heightLimit in any case). With a cut text, returns false when the last
    // line laid out ran to the cut, so that the cut may have moved a break.
    bool layOut(const DrawnText &drawn, qsizetype length, const QFontMetrics &metrics,
                qsizetype maxLines)
    {
        const bool cut = length < drawn.text.size();
        text.clearLayout();
        text.setText(cut ? drawn.text.left(length) : drawn.text);
        text.setFont(font);
        if (cut) {
            QList<QTextLayout::FormatRange> underlines;
            for (const QTextLayout::FormatRange &range : drawn.underlines)
                if (range.start < length)
                    underlines.append(range);
            text.setFormats(underlines);
        } else {
            text.setFormats(drawn.underlines);
        }

        QTextOption option(Qt::AlignLeft | Qt::AlignTop);
        option.setWrapMode(wrapWidth == kNoWrap ? QTextOption::ManualWrap : QTextOption::WordWrap);
        // Tab stops every eight average characters.
        option.setTabStopDistance(8.0 * metrics.averageCharWidth());
        text.setTextOption(option);

        // Every line takes the font's own height, whatever fallback fonts a line
        // needs, and all baselines sit at the font's ascent within their line.
        const int lineHeight = metrics.height();
        const qreal lineWidth = wrapWidth == kNoWrap ? 1.0e6 : qreal(wrapWidth);
        int y = 0;
        int shownHeight = 0;
        qreal width = 0;
        qsizetype lines = 0;
        qsizetype end = 0;
        complete = true;
        text.beginLayout();
        for (;;) {
            if (cut ? lines >= maxLines : y >= heightLimit) {
                complete = false;
                break;
            }
            QTextLine line = text.createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(lineWidth);
            line.setPosition(QPointF(0, y + metrics.ascent() - line.ascent()));
            // A line below the bottom edge is laid out only to check the cut: never
            // seen, it counts in no size.
            if (y < heightLimit) {
                width = std::max(width, line.horizontalAdvance());
                shownHeight = y + lineHeight;
            }
            end = line.textStart() + line.textLength();
            y += lineHeight;
            ++lines;
        }
        text.endLayout();
        size = QSize(int(std::ceil(width)), shownHeight);
        if (cut) {
            complete = false;
            return lines >= maxLines && end < length;
        }
        return true;
    }
};

TLabel::TLabel(QWidget *parent) : QWidget(parent)
{
    resize(65, 17);
}

TLabel::~TLabel() = default;

void TLabel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    textChanged();
}

void TLabel::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

void TLabel::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

QColor TLabel::fillColor() const
{
    if (m_color == clDefault)
        return palette().color(QPalette::Active, QPalette::Window);
    return toQColor(m_color);
}

void TLabel::setWordWrap(bool wrap)
{
    if (wrap == m_wordWrap)
        return;
    m_wordWrap = wrap;
    textChanged();
}

void TLabel::setAutoSize(bool autoSize)
{
    if (autoSize == m_autoSize)
        return;
    m_autoSize = autoSize;
    adjustBounds();
}

void TLabel::setShowAccelChar(bool show)
{
    if (show == m_showAccelChar)
        return;
    m_showAccelChar = show;
    textChanged();
}

QColor TLabel::fontColor() const
{
    return palette().color(QPalette::Active, QPalette::WindowText);
}

void TLabel::setFontColor(TColor color)
{
    setControlFontColor(this, {QPalette::WindowText}, color);
}

const TLabel::Layout &TLabel::layoutFor(const QString &caption, int wrapWidth,
                                        int heightLimit) const
{
    if (!m_layout)
        m_layout = std::make_unique<Layout>();
    if (!m_layout->fits(caption, font(), m_showAccelChar, wrapWidth, heightLimit))
        m_layout->build(caption, font(), m_showAccelChar, wrapWidth, heightLimit);
    return *m_layout;
}

QSize TLabel::textSize() const
{
    const QString measured = m_caption.isEmpty() ? QStringLiteral(" ") : m_caption;
    return layoutFor(measured, m_wordWrap ? width() : kNoWrap, kNoLimit).size;
}

QSize TLabel::sizeHint() const
{
    return textSize();
}

void TLabel::textChanged()
{
    if (m_autoSize)
        adjustBounds();
    update();
}

void TLabel::adjustBounds()
{
    if (!m_autoSize)
        return;
    const QSize size = textSize();
    if (size != this->size())
        resize(size);
    updateGeometry();
}

void TLabel::drawLabel(QPainter &painter, const QRect &rect) const
{
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    if (!m_transparent)
        painter.fillRect(rect, fillColor());
    if (!m_caption.isEmpty()) {
        const Layout &layout =
            layoutFor(m_caption, m_wordWrap ? rect.width() : kNoWrap, rect.height());
        // Only a label disabled itself looks disabled; one inside a disabled
        // panel keeps its colour.
        if (testAttribute(Qt::WA_ForceDisabled)) {
            painter.setPen(toQColor(clBtnHighlight));
            layout.text.draw(&painter, rect.topLeft() + QPoint(1, 1));
            painter.setPen(toQColor(clBtnShadow));
        } else {
            painter.setPen(fontColor());
        }
        layout.text.draw(&painter, rect.topLeft());
    }
    painter.restore();
}

void TLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawLabel(painter, rect());
}

void TLabel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        textChanged();
}
