#include "controls/number_edit.h"
#include "platform/enabled_look.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QRegularExpression>
#include <QWheelEvent>

#include <cmath>

namespace {

const QChar kDecimal = QLatin1Char('.');
const QChar kThousands = QLatin1Char(',');

QString normalizeNumber(const QString &text)
{
    QString s = text.trimmed();
    s.remove(kThousands);
    return s;
}

// A sign, digits with at most one decimal separator, and an exponent; nothing else.
std::optional<double> strictToDouble(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool isNumberText(const QString &text, double &value)
{
    for (const QChar c : text) {
        if (!(c == kDecimal || c == QLatin1Char('+') || c == QLatin1Char('-') || c.isDigit() ||
              c == QLatin1Char('E') || c == QLatin1Char('e')))
            return false;
    }
    if (text == QLatin1String("+") || text == QLatin1String("-")) {
        value = 0;
        return true;
    }
    const std::optional<double> parsed = strictToDouble(text.left(63));
    if (!parsed)
        return false;
    value = *parsed;
    return true;
}

// Shortest form with at most 15 significant digits, exponent as "1E20".
QString generalText(double value)
{
    QString s = QString::number(value, 'g', 15);
    static const QRegularExpression exponent(QStringLiteral("e([+-])0*(\\d+)$"));
    const QRegularExpressionMatch m = exponent.match(s);
    if (m.hasMatch()) {
        const QString sign = m.captured(1) == QLatin1String("-") ? QStringLiteral("-") : QString();
        s = s.left(m.capturedStart()) + QLatin1Char('E') + sign + m.captured(2);
    }
    return s;
}

EConvertError notAFloat(const QString &text)
{
    return EConvertError(
        QStringLiteral("'%1' is not a valid floating point value").arg(text).toStdString());
}

// The character a key press types, or QChar() for keys that type none.
QChar typedCharacter(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods & (Qt::AltModifier | Qt::MetaModifier))
        return QChar();
    const int key = event->key();
    if (mods & Qt::ControlModifier) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return QChar(char16_t(key - Qt::Key_A + 1));
        return QChar();
    }
    switch (key) {
    case Qt::Key_Backspace:
        return QChar(char16_t(8));
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(char16_t(13));
    case Qt::Key_Escape:
        return QChar(char16_t(27));
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty() || text.at(0).unicode() < 32 || text.at(0).unicode() == 127)
        return QChar();
    return text.at(0);
}

// Qt keeps this many pixels free at both ends of a line edit's text.
constexpr int kLineEditHorizontalMargin = 2;
// The edit's own left margin: the gap between the text rectangle's border
// and the text, Qt's, so a short number sits where a plain line edit puts it.
constexpr int kEditLeftMargin = kLineEditHorizontalMargin;
// Qt ends a right-aligned line edit's text this far before the line's end,
// room for the caret.
constexpr int kLineEditCaretRoom = 2;

} // namespace

// The inner edit: Qt's line edit while focused or left-aligned; otherwise the
// control's own drawing of its text.
class TInnerEdit : public QLineEdit {
public:
    explicit TInnerEdit(TDBNumberEdit *owner) : QLineEdit(owner), m_owner(owner) {}

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (!m_owner->drawsOwnText()) {
            QLineEdit::paintEvent(event);
            return;
        }
        QPainter painter(this);
        DrawEditText(painter, rect(), m_owner->textOption());
    }

private:
    TDBNumberEdit *m_owner;
};

int EditTextStart(const TEditTextOption &option)
{
    const int width = QFontMetrics(option.font).horizontalAdvance(option.text);
    int x = option.marginX;
    if (option.alignment == taRightJustify)
        x = option.textRight - width - option.marginX;
    else if (option.alignment == taCenter)
        x = (option.textRight - width) / 2;
    // A text wider than the room between the margins starts at the text
    // area's left edge instead of losing its first digit: the layout's font
    // on its substitute is wider than on the designed platform.
    return std::max(x, 0);
}

void DrawEditText(QPainter &painter, QRect rect, const TEditTextOption &option)
{
    painter.fillRect(rect, option.background);
    if (option.text.isEmpty())
        return;
    const QFontMetrics fm(option.font);
    const int x = rect.left() + EditTextStart(option);
    // Vertically as the inner edit places it: the substitute fonts are taller
    // than the field, so the text is centred on the font's height.
    const int height = std::max(fm.boundingRect(option.text).height(), fm.height());
    const int top = rect.top() + (rect.height() - height + 1) / 2;
    painter.save();
    painter.setClipRect(rect);
    painter.setFont(option.font);
    painter.setPen(option.textColor);
    painter.drawText(QPoint(x, top + fm.ascent()), option.text);
    painter.restore();
}

TDBNumberEdit::TDBNumberEdit(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_edit = new TInnerEdit(this);
    m_edit->setFrame(false);

    m_edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_edit->setContextMenuPolicy(Qt::DefaultContextMenu);
    m_edit->installEventFilter(this);
    setFocusProxy(m_edit);
    setFocusPolicy(m_edit->focusPolicy());

    m_button = new TDropDownEditButton(this);
    m_buttons = new TEditButtonCollection(this);
    connect(m_button, &TEditButton::changed, this, &TDBNumberEdit::layoutButton);
    connect(m_buttons, &TEditButtonCollection::changed, this, &TDBNumberEdit::layoutButton);
    connect(m_edit, &QLineEdit::textChanged, this, &TDBNumberEdit::onTextChanged);

    // Colours live on the control itself so the inner edit inherits them, also
    // when a caller sets the control's palette.
    QPalette pal = palette();
    pal.setColor(QPalette::Base, toQColor(clWindow));
    pal.setColor(QPalette::Text, toQColor(clWindowText));
    setPalette(pal);

    resize(121, 21);
    layoutButton();
    resetFromStored();
}

void TDBNumberEdit::setValue(std::optional<double> value)
{
    applyValue(value);
    postValue();
}

void TDBNumberEdit::setMinValue(double value)
{
    m_minValue = value;
    postValue();
}

void TDBNumberEdit::setMaxValue(double value)
{
    m_maxValue = value;
    postValue();
}

void TDBNumberEdit::setIncrement(double increment)
{
    m_increment = increment;
}

void TDBNumberEdit::setDecimalPlaces(int places)
{
    if (places == m_decimalPlaces || places < 0)
        return;
    m_decimalPlaces = places;
    resetFromStored();
}

QString TDBNumberEdit::text() const
{
    return m_edit->text();
}

void TDBNumberEdit::setText(const QString &text)
{
    if (text.isEmpty()) {
        applyValue(std::nullopt);
    } else {
        const QString normalized = normalizeNumber(text);
        const std::optional<double> number = strictToDouble(normalized);
        if (!number)
            throw notAFloat(normalized);
        applyValue(*number);
    }
    postValue();
}

void TDBNumberEdit::setAlignment(TAlignment alignment)
{
    m_alignment = alignment;
    Qt::Alignment flags = Qt::AlignVCenter;
    flags |= alignment == taLeftJustify ? Qt::AlignLeft
        : alignment == taCenter         ? Qt::AlignHCenter
                                        : Qt::AlignRight;
    m_edit->setAlignment(flags);
    updateTextMargins();
    update();
}

void TDBNumberEdit::setFlat(bool flat)
{
    if (flat == m_flat)
        return;
    m_flat = flat;
    layoutButton();
}

void TDBNumberEdit::setCtl3D(bool ctl3D)
{
    if (ctl3D == m_ctl3D)
        return;
    m_ctl3D = ctl3D;
    layoutButton();
}

void TDBNumberEdit::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    m_edit->setReadOnly(readOnly);
}

void TDBNumberEdit::setFontColor(TColor color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Text, toQColor(color));
    setPalette(pal);
}

void TDBNumberEdit::selectAll()
{
    m_edit->selectAll();
}

double TDBNumberEdit::limitValue(double x) const
{
    if (m_maxValue != m_minValue) {
        if (m_minValue < m_maxValue) {
            if (x < m_minValue)
                x = m_minValue;
            else if (x > m_maxValue)
                x = m_maxValue;
        } else if (m_maxValue == 0) {
            // Only the lower limit holds.
            if (x < m_minValue)
                x = m_minValue;
        } else if (m_minValue == 0) {
            if (x > m_maxValue)
                x = m_maxValue;
        }
    }
    // Rounding is to nearest, ties to even, in the default floating-point mode.
    if (m_decimalPlaces > 37)
        return x;
    if (m_decimalPlaces == 0)
        return std::nearbyint(x);
    double scale = 1;
    for (int i = 0; i < m_decimalPlaces; ++i)
        scale *= 10;
    return std::nearbyint(x * scale) / scale;
}

void TDBNumberEdit::stepValue(bool up)
{
    if (m_increment == 0 || m_readOnly)
        return;
    double x = m_increment;
    if (m_value)
        x = up ? *m_value + m_increment : *m_value - m_increment;
    applyValue(limitValue(x));
    if (m_inFocus)
        selectAll();
}

QString TDBNumberEdit::displayText() const
{
    return m_value ? generalText(*m_value) : QString();
}

void TDBNumberEdit::setTextInternally(const QString &text)
{
    const bool wasSetting = m_settingText;
    m_settingText = true;
    m_edit->setText(text);
    m_settingText = wasSetting;
}

void TDBNumberEdit::applyValue(std::optional<double> value)
{
    if (!value) {
        setTextInternally(QString());
        m_value = std::nullopt;
        return;
    }
    m_value = *value;
    m_modified = true;
    if (m_inFocus && !m_readOnly)
        reformatTyped(generalText(*value));
    else
        setTextInternally(displayText());
}

void TDBNumberEdit::postValue()
{
    m_stored = m_value;
    resetFromStored();
}

void TDBNumberEdit::resetFromStored()
{
    applyValue(m_stored);
    m_modified = false;
}

void TDBNumberEdit::reformatTyped(const QString &text)
{
    QString s = text;
    const int oldLength = int(s.length());
    if (!s.isEmpty() && s != QLatin1String("-"))
        s = normalizeNumber(s);
    if (s == m_edit->text())
        return;
    const int caret =
        m_edit->selectionStart() >= 0 ? m_edit->selectionStart() : m_edit->cursorPosition();
    setTextInternally(s);
    if (m_edit->hasFocus())
        m_edit->setCursorPosition(std::max(0, caret + int(s.length()) - oldLength));
}

bool TDBNumberEdit::valueFromText()
{
    const QString s = normalizeNumber(m_edit->text());
    if (s.isEmpty()) {
        m_value = std::nullopt;
        if (!m_edit->text().isEmpty())
            setTextInternally(QString());
        return true;
    }
    if (s == QLatin1String("+") || s == QLatin1String("-")) {
        m_value = 0.0;
        return true;
    }
    const std::optional<double> number = strictToDouble(s);
    if (!number)
        return false;
    m_value = limitValue(*number);
    return true;
}

void TDBNumberEdit::onTextChanged()
{
    if (!m_settingText) {
        reformatTyped(m_edit->text());
        if (!valueFromText()) {
            // Only a paste can bring a text that is not a number: the old
            // text comes back, all selected.
            setTextInternally(m_lastGoodText);
            valueFromText();
            m_edit->selectAll();
            return;
        }
        m_modified = true;
    }
    m_lastGoodText = m_edit->text();
    updateTextMargins();
    emit changed();
}

void TDBNumberEdit::paste()
{
    if (m_readOnly)
        return;
    m_edit->paste();
}

bool TDBNumberEdit::isValidKey(QChar key) const
{
    QString s = m_edit->text();
    if (m_edit->hasSelectedText())
        s.replace(m_edit->selectionStart(), m_edit->selectedText().length(), key);
    else
        s.insert(m_edit->cursorPosition(), key);
    s = normalizeNumber(s);

    const qsizetype point = s.indexOf(kDecimal);
    if (point >= 0) {
        qsizetype end = s.indexOf(QLatin1Char('E'), point, Qt::CaseInsensitive);
        if (end < 0)
            end = s.length();
        if (end - point - 1 > m_decimalPlaces)
            return false;
    }
    if (s.isEmpty())
        return true;
    double x = 0;
    if (!isNumberText(s, x))
        return false;
    // No minus sign while the range is not negative. The limits themselves are
    // not tested while typing.
    if (m_minValue >= 0 && m_maxValue > 0 && x < 0)
        return false;
    return true;
}

bool TDBNumberEdit::handleKeyPress(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    // A button's shortcut presses its lower half, then clicks it.
    const QKeySequence pressed(QKeyCombination(mods, Qt::Key(key)));
    for (int i = 0; i < int(m_slots.size()); ++i) {
        const TEditButton *button = buttonOfSlot(i);
        if (!button->shortCut().isEmpty() && button->shortCut() == pressed &&
            (i > 0 || canPressButton())) {
            if (button->isVisible() && button->isEnabled())
                m_slots[i].control->pressByShortCut();
            return true;
        }
    }
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        if (!m_readOnly)
            stepValue(key == Qt::Key_Up);
        return true;
    }
    if (key == Qt::Key_A && mods == Qt::ControlModifier) {
        selectAll();
        return true;
    }
    if (key == Qt::Key_Insert && mods == Qt::ShiftModifier) {
        paste();
        return true;
    }

    QChar c = typedCharacter(event);
    if (c.isNull())
        return false;
    const QChar typed = c;
    emit keyPress(c);
    if (c.isNull())
        return true;
    switch (c.unicode()) {
    case 27:
        resetFromStored();
        selectAll();
        return true;
    case 13:
        return true;
    case 22:
        paste();
        return true;
    default:
        break;
    }
    if (c == kThousands)
        c = kDecimal;
    if (c.unicode() >= 32 && !isValidKey(c))
        return true;
    if (c == typed)
        return false; // the edit inserts it (or acts on Backspace, Ctrl+X, ...)
    if (c.unicode() >= 32 && !m_readOnly)
        m_edit->insert(QString(c));
    return true;
}

bool TDBNumberEdit::handleWheel(QWheelEvent *event)
{
    if (event->modifiers() != Qt::NoModifier || event->buttons() != Qt::NoButton || m_readOnly)
        return false;
    m_wheelRemainder += event->angleDelta().y();
    bool stepped = false;
    while (m_wheelRemainder >= 120) {
        m_wheelRemainder -= 120;
        stepValue(true);
        stepped = true;
    }
    while (m_wheelRemainder <= -120) {
        m_wheelRemainder += 120;
        stepValue(false);
        stepped = true;
    }
    // Qt sends the wheel to the control under the pointer, also when another
    // control has the focus. No focus exit would post that step, and the next
    // focus entry would put the stored number back: post it at once, so the
    // number shown is the number used.
    if (stepped && !m_inFocus)
        postValue();
    event->accept();
    return true;
}

void TDBNumberEdit::handleFocusIn(QFocusEvent *event)
{
    // The window becoming active again, or a context menu closing, is no
    // focus entry: the text, value and selection stay as they were.
    if (m_inFocus) {
        refreshBorder();
        return;
    }
    m_inFocus = true;
    resetFromStored();
    if (event->reason() != Qt::MouseFocusReason)
        selectAll();
    refreshBorder();
}

void TDBNumberEdit::handleFocusOut(QFocusEvent *event)
{
    // A context menu or another window taking the focus does not leave the field.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) {
        refreshBorder();
        return;
    }
    leaveFocus();
}

void TDBNumberEdit::leaveFocus()
{
    if (m_modified)
        postValue();
    m_inFocus = false;
    resetFromStored();
    refreshBorder();
}

bool TDBNumberEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_edit)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return handleKeyPress(static_cast<QKeyEvent *>(event));
    case QEvent::Wheel:
        return handleWheel(static_cast<QWheelEvent *>(event));
    case QEvent::FocusIn:
        handleFocusIn(static_cast<QFocusEvent *>(event));
        break;
    case QEvent::FocusOut:
        handleFocusOut(static_cast<QFocusEvent *>(event));
        break;
    case QEvent::MouseButtonPress: {
        if (m_forwardingPress)
            break;
        // The edit handles the press first (focus, caret), then the handler hears of it.
        auto *mouse = static_cast<QMouseEvent *>(event);
        const Qt::MouseButton button = mouse->button();
        const QPoint pos = m_edit->mapTo(this, mouse->position().toPoint());
        m_forwardingPress = true;
        QCoreApplication::sendEvent(m_edit, event);
        m_forwardingPress = false;
        emit mouseDown(button, pos);
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

int TDBNumberEdit::borderWidth() const
{
    return m_ctl3D ? 2 : 1;
}

const TEditButton *TDBNumberEdit::buttonOfSlot(int slot) const
{
    return slot == 0 ? static_cast<const TEditButton *>(m_button) : m_buttons->item(slot - 1);
}

bool TDBNumberEdit::canPressButton() const
{
    return true;
}

void TDBNumberEdit::layoutButton()
{
    // One slot per button, the main one first.
    const int wanted = 1 + m_buttons->count();
    while (int(m_slots.size()) > wanted) {
        delete m_slots.back().control;
        m_slots.pop_back();
    }
    while (int(m_slots.size()) < wanted) {
        auto *control = new TEditButtonControl(this);
        const int tag = int(m_slots.size());
        connect(control, &TEditButtonControl::buttonDown, this,
                [this, tag](bool top, bool &autoRepeat) { buttonPressed(tag, top, autoRepeat); });
        connect(control, &TEditButtonControl::buttonClicked, this,
                [this, tag] { buttonClicked(tag); });
        control->hide();
        m_slots.push_back({control, QRect()});
    }

    const int b = borderWidth();
    const QRect client = rect().adjusted(b, b, -b, -b);
    const int top = m_ctl3D ? 0 : 1;
    const int available = m_ctl3D ? client.height() : client.height() - 2;
    int areaHeight = available;
    std::vector<int> widths;
    for (int i = 0; i < wanted; ++i) {
        const TEditButton *button = buttonOfSlot(i);
        int width = 0;
        if (button->isVisible())
            width = button->width() > 0 ? button->width()
                                        : (m_flat ? FlatButtonWidth() : ScrollBarWidth());
        widths.push_back(width);
        if (width > 0) {
            const int proportional = int(std::nearbyint(1.5 * width));
            const int height =
                available > proportional ? (m_flat ? proportional : width) : available;
            areaHeight = std::min(areaHeight, height);
        }
    }
    // From the right edge leftwards: the last further button first, the main one last.
    int right = client.right() + 1;
    for (int i = wanted - 1; i >= 0; --i) {
        const TEditButton *button = buttonOfSlot(i);
        TEditButtonControl *control = m_slots[i].control;
        const int width = widths[i];
        control->setStyle(button->style());
        control->setGlyph(button->glyph(), button->numGlyphs());
        control->setToolTip(button->hint());
        control->setFlat(m_flat);
        control->setEnabled(button->isEnabled() && looksEnabled(this));
        m_slots[i].separator = QRect();
        if (width <= 0) {
            control->hide();
            continue;
        }
        right -= width;
        control->setGeometry(right, client.top() + top, width, areaHeight);
        control->show();
        if (m_flat) {
            --right;
            m_slots[i].separator = QRect(right, client.top() + top, 1, areaHeight);
        }
    }
    m_buttonAreaWidth = client.right() + 1 - right;
    m_edit->setGeometry(client.left(), client.top(),
                        std::max(client.width() - m_buttonAreaWidth, 0), client.height());
    updateTextMargins();
    refreshBorder();
    update();
}

void TDBNumberEdit::buttonPressed(int slot, bool topButton, bool &autoRepeat)
{
    m_edit->setFocus(Qt::OtherFocusReason);
    bool handled = false;
    TEditButtonControl *control = m_slots[slot].control;
    const TEditButton *button = buttonOfSlot(slot);
    if (slot == 0)
        emit buttonDown(control, topButton, autoRepeat, handled);
    else
        emit m_buttons->item(slot - 1)->down(control, topButton, autoRepeat, handled);
    if (handled)
        return;
    if (QMenu *menu = button->dropdownMenu()) {
        // Below the button, its right edge aligned for a right-aligned menu.
        const bool rightAligned = menu->layoutDirection() == Qt::RightToLeft;
        const QPoint at =
            control->mapToGlobal(rightAligned ? control->rect().bottomRight() + QPoint(1, 1)
                                              : control->rect().bottomLeft() + QPoint(0, 1));
        autoRepeat = false;
        menu->exec(at);
        return;
    }
    if (slot == 0 && !button->action())
        handleButtonPress(!topButton);
}

void TDBNumberEdit::buttonClicked(int slot)
{
    bool handled = false;
    TEditButtonControl *control = m_slots[slot].control;
    if (slot == 0) {
        m_button->performClick(this, handled);
        if (!handled)
            emit buttonClick(control, handled);
    } else {
        m_buttons->item(slot - 1)->performClick(this, handled);
    }
}

void TDBNumberEdit::handleButtonPress(bool isDownButton)
{
    if (m_button->style() == ebsUpDown && !m_readOnly)
        stepValue(!isDownButton);
}

void TDBNumberEdit::updateTextMargins()
{
    // While focused a right-aligned text lies where the control's own drawing
    // puts it (ending one pixel plus the margin short of the text rectangle,
    // or starting at the left edge when wider), so nothing moves when the
    // focus comes or goes and Qt's own margins cut off no third digit.
    const TEditTextOption option = textOption();
    QMargins margins(option.marginX - kLineEditHorizontalMargin, 0, 0, 0);
    if (m_alignment == taRightJustify) {
        const int end =
            EditTextStart(option) + QFontMetrics(option.font).horizontalAdvance(option.text);
        margins.setLeft(-kLineEditHorizontalMargin);
        margins.setRight(m_edit->width() - end - kLineEditCaretRoom - kLineEditHorizontalMargin);
    }
    if (margins != m_edit->textMargins())
        m_edit->setTextMargins(margins);
}

bool TDBNumberEdit::drawsOwnText() const
{
    return m_alignment != taLeftJustify && !m_edit->hasFocus();
}

TEditTextOption TDBNumberEdit::textOption() const
{
    TEditTextOption option;
    option.text = m_edit->text();
    option.font = font();
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    option.background = m_edit->palette().color(group, QPalette::Base);
    option.textColor = m_edit->palette().color(group, QPalette::Text);
    option.alignment = m_alignment;
    // The text rectangle ends one pixel short of the button area; the inner
    // edit reaches up to it.
    option.textRight = m_edit->width() - 1;
    option.marginX = (m_ctl3D ? 1 : 2) + kEditLeftMargin;
    return option;
}

void TDBNumberEdit::refreshBorder()
{
    const bool lit = m_edit->hasFocus() || m_pointerInside;
    m_borderLit = lit;
    for (const ButtonSlot &slot : m_slots) {
        slot.control->setDrawLit(lit);
        slot.control->setParentColor(palette().color(QPalette::Base));
    }
    update();
}

void TDBNumberEdit::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor editColor = palette().color(QPalette::Base);
    p.fillRect(rect(), editColor);
    const QRect r = rect();
    auto frame = [&](const QRect &ring, const QColor &topLeft, const QColor &bottomRight) {
        p.fillRect(QRect(ring.left(), ring.top(), ring.width(), 1), topLeft);
        p.fillRect(QRect(ring.left(), ring.top(), 1, ring.height()), topLeft);
        p.fillRect(QRect(ring.left(), ring.bottom(), ring.width(), 1), bottomRight);
        p.fillRect(QRect(ring.right(), ring.top(), 1, ring.height()), bottomRight);
    };
    if (!m_ctl3D) {
        frame(r, Qt::black, Qt::black);
    } else if (m_flat) {
        const QColor face = toQColor(clBtnFace);
        if (m_borderLit)
            frame(r, toQColor(clBtnShadow), toQColor(clBtnHighlight));
        else
            frame(r, face, face);
        frame(r.adjusted(1, 1, -1, -1), face, face);
    } else {
        frame(r, toQColor(clBtnShadow), toQColor(clBtnHighlight));
        frame(r.adjusted(1, 1, -1, -1), toQColor(cl3DDkShadow), toQColor(cl3DLight));
    }
    for (const ButtonSlot &slot : m_slots)
        if (!slot.separator.isNull())
            p.fillRect(slot.separator, m_borderLit ? toQColor(clBtnFace) : editColor);
}

void TDBNumberEdit::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutButton();
}

void TDBNumberEdit::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    m_pointerInside = true;
    refreshBorder();
}

void TDBNumberEdit::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    m_pointerInside = false;
    refreshBorder();
}

void TDBNumberEdit::wheelEvent(QWheelEvent *event)
{
    if (!handleWheel(event))
        QWidget::wheelEvent(event);
}

void TDBNumberEdit::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        layoutButton();
        keepTextLookWhileContainerDisabled();
    } else if (event->type() == QEvent::PaletteChange) {
        refreshBorder();
    } else if (event->type() == QEvent::FontChange) {
        updateTextMargins();
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_inFocus &&
               !m_edit->hasFocus()) {
        // The focus moved on while the window was inactive: that was a focus exit.
        leaveFocus();
    }
}

void TDBNumberEdit::keepTextLookWhileContainerDisabled()
{
    // Qt draws a disabled edit from the palette's disabled colours; inside a
    // disabled container the text keeps its normal colours.
    QPalette p = m_edit->palette();
    const bool keep = looksEnabled(this);
    for (QPalette::ColorRole role :
         {QPalette::Text, QPalette::Base, QPalette::Window, QPalette::WindowText,
          QPalette::Highlight, QPalette::HighlightedText}) {
        p.setColor(QPalette::Disabled, role,
                   keep ? p.color(QPalette::Active, role)
                        : QApplication::palette().color(QPalette::Disabled, role));
    }
    m_edit->setPalette(p);
}
