#include "controls/edit_number.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

#include <cmath>

namespace {

constexpr char16_t kBackspace = 8;
constexpr char16_t kSpace = 32;
// One wheel notch.
constexpr int kWheelNotch = 120;

std::u16string toU16(const QString &s)
{
    return s.toStdU16String();
}

QString fromU16(const std::u16string &s)
{
    return QString::fromStdU16String(s);
}

EConvertError notAFloat(const QString &text)
{
    return EConvertError(
        QStringLiteral("'%1' is not a valid floating point value").arg(text).toStdString());
}

} // namespace

numbers::NumberLocale numberLocale(const QLocale &locale)
{
    numbers::NumberLocale result;
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    result.decimal = decimal.isEmpty() ? u'.' : decimal.at(0).unicode();
    result.thousands = group.isEmpty() ? result.decimal : group.at(0).unicode();
    result.currencySymbol = locale.currencySymbol().toStdU16String();
    // Qt tells no money decimals; its own money text shows them.
    const QString money = locale.toCurrencyString(1.0, QStringLiteral(""));
    const qsizetype point = money.lastIndexOf(decimal);
    int decimals = 0;
    if (!decimal.isEmpty() && point >= 0)
        for (qsizetype i = point + 1; i < money.size() && money.at(i).isDigit(); ++i)
            ++decimals;
    result.currencyDecimals = decimals;
    return result;
}

TCustomDBNumberEdit::TCustomDBNumberEdit(QWidget *parent) : TCustomDBEdit(parent)
{
    setMainButton(new TDropDownEditButton(this));
    setAlignment(FlatStyle::taRightJustify);
    lineEdit()->setMaxLength(32767);
    resetFromStored();
}

QString TCustomDBNumberEdit::normalizeNumber(const QString &text) const
{
    return fromU16(numbers::normalizeNumber(toU16(text), numbersLocale()));
}

void TCustomDBNumberEdit::setValue(std::optional<double> value)
{
    applyValue(value);
    postAssigned();
}

QVariant TCustomDBNumberEdit::valueVariant() const
{
    return m_value ? QVariant(*m_value) : QVariant();
}

void TCustomDBNumberEdit::setValueVariant(const QVariant &value)
{
    if (value.isNull()) {
        setValue(std::nullopt);
        return;
    }
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || value.typeId() == QMetaType::QString)
        throw EVariantTypeCastError(
            QStringLiteral("Could not convert variant of type (%1) into type (double)")
                .arg(QString::fromLatin1(value.typeName()))
                .toStdString());
    setValue(number);
}

template<class T>
bool TCustomDBNumberEdit::setExplicitly(T &member, const T &value, ExplicitMember flag)
{
    if ((m_explicitSet & flag) && value == member)
        return false;
    member = value;
    m_explicitSet |= flag;
    return true;
}

void TCustomDBNumberEdit::setMinValue(double value)
{
    if (setExplicitly(m_minValue, value, MinValueSet))
        postValue();
}

void TCustomDBNumberEdit::setMaxValue(double value)
{
    if (setExplicitly(m_maxValue, value, MaxValueSet))
        postValue();
}

void TCustomDBNumberEdit::setIncrement(double increment)
{
    m_increment = increment;
}

void TCustomDBNumberEdit::setDecimalPlaces(int places)
{
    if (places == m_decimalPlaces || places < 0)
        return;
    m_decimalPlaces = places;
    resetFromStored();
    update();
}

void TCustomDBNumberEdit::setDisplayFormat(const QString &format)
{
    if (!setExplicitly(m_displayFormat, format, DisplayFormatSet))
        return;
    resetFromStored();
    update();
}

void TCustomDBNumberEdit::setCurrency(bool currency)
{
    if (!setExplicitly(m_currency, currency, CurrencySet))
        return;
    resetFromStored();
    update();
}

QString TCustomDBNumberEdit::buildFocusFormat(const QString &format)
{
    return fromU16(numbers::buildFocusFormat(toU16(format)));
}

double TCustomDBNumberEdit::limitValue(double x) const
{
    return numbers::roundToPlaces(numbers::limitToRange(x, m_minValue, m_maxValue),
                                  m_decimalPlaces);
}

void TCustomDBNumberEdit::stepValue(bool up)
{
    if (m_increment == 0 || !beginEdit())
        return;
    double x = m_increment;
    if (m_value)
        x = up ? *m_value + m_increment : *m_value - m_increment;
    applyValue(limitValue(x));
    if (inFocus())
        selectAll();
}

QString TCustomDBNumberEdit::displayText() const
{
    if (!m_value)
        return QString();
    const numbers::NumberLocale loc = numbersLocale();
    if (!m_displayFormat.isEmpty())
        return fromU16(numbers::formatFloat(toU16(m_displayFormat), *m_value, loc));
    if (m_currency)
        return fromU16(numbers::moneyText(*m_value, loc.currencyDecimals, loc));
    return fromU16(numbers::generalText(*m_value, loc));
}

void TCustomDBNumberEdit::applyValue(std::optional<double> value)
{
    if (!value) {
        m_value = std::nullopt;
        setTextInternally(QString());
        notifyValueChange();
        return;
    }
    m_value = *value;
    valueLink().markModified();
    if (inFocus() && valueLink().canModify())
        reformatTyped(
            fromU16(numbers::formatFloat(toU16(m_focusFormat), *m_value, numbersLocale())));
    else
        setTextInternally(displayText());
    notifyValueChange();
}

void TCustomDBNumberEdit::notifyValueChange()
{
    if (m_value == m_notifiedValue)
        return;
    m_notifiedValue = m_value;
    emit valueChanged(valueVariant());
}

void TCustomDBNumberEdit::applyText(const QString &text)
{
    if (text.isEmpty()) {
        applyValue(std::nullopt);
        return;
    }
    const QString normalized = normalizeNumber(text);
    const std::optional<double> number =
        numbers::strictToDouble(toU16(normalized), numbersLocale());
    if (!number)
        throw notAFloat(normalized);
    applyValue(*number);
}

void TCustomDBNumberEdit::postToLink()
{
    valueLink().setValue(valueVariant());
}

void TCustomDBNumberEdit::renderStored()
{
    // The edit form: the display format's placeholders, or grouped money.
    if (!m_displayFormat.isEmpty() || !m_currency) {
        m_focusFormat = buildFocusFormat(m_displayFormat);
    } else {
        m_focusFormat = QStringLiteral(",#.");
        m_focusFormat += QString(numbersLocale().currencyDecimals, QLatin1Char('0'));
    }
    const QVariant stored = valueLink().storedValue();
    applyValue(stored.isNull() ? std::nullopt : std::optional<double>(stored.toDouble()));
    updateReadOnlyState();
    lineEdit()->setModified(false);
}

void TCustomDBNumberEdit::reformatTyped(const QString &text)
{
    QString s = text;
    const int oldLength = int(s.length());
    if (!s.isEmpty() && s != QLatin1String("-"))
        s = normalizeNumber(s);
    s = fromU16(numbers::insertThousands(toU16(s), m_focusFormat.contains(QLatin1Char(',')),
                                         numbersLocale()));
    QLineEdit *edit = lineEdit();
    if (s == edit->text())
        return;
    const int caret = edit->selectionStart() >= 0 ? edit->selectionStart() : edit->cursorPosition();
    setTextInternally(s);
    if (edit->hasFocus())
        edit->setCursorPosition(std::max(0, caret + int(s.length()) - oldLength));
}

void TCustomDBNumberEdit::valueFromText()
{
    const QString s = normalizeNumber(lineEdit()->text());
    if (s.isEmpty()) {
        m_value = std::nullopt;
        if (!lineEdit()->text().isEmpty())
            setTextInternally(QString()); // a text of spaces becomes empty
        return;
    }
    if (s == QLatin1String("+") || s == QLatin1String("-")) {
        m_value = 0.0;
        return;
    }
    const std::optional<double> number = numbers::strictToDouble(toU16(s), numbersLocale());
    if (!number)
        throw notAFloat(s);
    m_value = limitValue(*number);
}

void TCustomDBNumberEdit::textChangeStep()
{
    if (settingTextInternally())
        return;
    try {
        reformatTyped(lineEdit()->text());
        valueFromText();
    } catch (const std::exception &) {
        // Shown by the application's error box; the value keeps its previous state.
        reportCurrentException();
    }
    notifyValueChange();
}

void TCustomDBNumberEdit::pasteWith(const std::function<void()> &insert)
{
    const QString kept = lineEdit()->text();
    try {
        if (isReadOnly() || !beginEdit())
            return;
        insert();
        valueFromText();
    } catch (const std::exception &) {
        // The text-change handling has shown the error already. The old text
        // comes back as it was, not converted again: it may be a typed text
        // that is no number either ("1e"), and the value is still the one it
        // had before the paste.
        setTextInternally(kept);
        selectAll();
        if (focusPolicy() != Qt::NoFocus && isEnabled())
            setFocus(Qt::OtherFocusReason);
    }
    notifyValueChange();
}

bool TCustomDBNumberEdit::isValidKey(QChar key) const
{
    const QLineEdit *edit = lineEdit();
    QString s = edit->text();
    if (edit->hasSelectedText())
        s.replace(edit->selectionStart(), edit->selectedText().length(), key);
    else
        s.insert(edit->cursorPosition(), key);
    return isValidText(s);
}

bool TCustomDBNumberEdit::isValidText(const QString &text) const
{
    const numbers::NumberLocale loc = numbersLocale();
    const QString s = normalizeNumber(text);

    const qsizetype point = s.indexOf(QChar(loc.decimal));
    if (point >= 0) {
        qsizetype end = s.indexOf(QLatin1Char('E'), point, Qt::CaseInsensitive);
        if (end < 0)
            end = s.length();
        if (end - point - 1 > m_decimalPlaces)
            return false;
    }
    if (s.isEmpty())
        return true;
    const std::optional<double> x = numbers::numberText(toU16(s), loc);
    if (!x)
        return false;
    // No minus sign while the range is not negative. The limits themselves are
    // not tested while typing.
    if (m_minValue >= 0 && m_maxValue > 0 && *x < 0)
        return false;
    return true;
}

void TCustomDBNumberEdit::handleButtonPress(bool isDownButton)
{
    if (editButton()->style() == EditTools::ebsUpDown) {
        if (!isReadOnly())
            stepValue(!isDownButton);
        return;
    }
    TCustomDBEdit::handleButtonPress(isDownButton);
}

bool TCustomDBNumberEdit::keyDownStep(QKeyEvent *event)
{
    if (TCustomDBEdit::keyDownStep(event))
        return true;
    const int key = event->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        // Alt+Up steps like Up: only a button's shortcut takes an Alt key.
        if (!isReadOnly())
            stepValue(key == Qt::Key_Up);
        return true;
    }
    return false;
}

void TCustomDBNumberEdit::characterStep(QChar &key)
{
    QLineEdit *edit = lineEdit();
    const numbers::NumberLocale loc = numbersLocale();
    const int caret = edit->cursorPosition();
    if (key.unicode() == kBackspace && !edit->hasSelectedText() && caret > 0 &&
        edit->text().at(caret - 1) == QChar(loc.thousands) && loc.thousands != loc.decimal) {
        // Backspace over a thousands separator only steps over it.
        edit->setCursorPosition(caret - 1);
        key = QChar();
        return;
    }
    TCustomDBEdit::characterStep(key);
    if (key.isNull())
        return;
    if (key == QLatin1Char(',') || key == QLatin1Char('.'))
        key = QChar(loc.decimal);
    if (key.unicode() >= kSpace && !isValidKey(key))
        key = QChar(); // refused without a sound
}

bool TCustomDBNumberEdit::wheelStep(QWheelEvent *event)
{
    if (event->modifiers() != Qt::NoModifier || event->buttons() != Qt::NoButton || isReadOnly() ||
        !beginEdit())
        return false;
    m_wheelRemainder += event->angleDelta().y();
    bool stepped = false;
    while (m_wheelRemainder >= kWheelNotch) {
        m_wheelRemainder -= kWheelNotch;
        stepValue(true);
        stepped = true;
    }
    while (m_wheelRemainder <= -kWheelNotch) {
        m_wheelRemainder += kWheelNotch;
        stepValue(false);
        stepped = true;
    }
    // Qt sends the wheel to the control under the pointer, also when another
    // control has the focus. No focus exit would post that step, and the next
    // focus entry would put the stored number back: post it at once, so the
    // number shown is the number used.
    if (stepped && !inFocus())
        valueLink().updateRecord();
    event->accept();
    return true;
}

void TCustomDBNumberEdit::changeEvent(QEvent *event)
{
    TCustomDBEdit::changeEvent(event);
    if (event->type() == QEvent::LocaleChange)
        resetFromStored();
}
