#pragma once

#include "controls/edit_base.h"
#include "numbers/number_format.h"

#include <QLocale>
#include <QString>
#include <QVariant>

#include <optional>
#include <stdexcept>

// A text that is not a number: "'%s' is not a valid floating point value".
// what() is UTF-8.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A value that is not a number: "Could not convert variant of type (%s) into type (%s)".
class EVariantTypeCastError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a Qt locale contributes to number texts.
numbers::NumberLocale numberLocale(const QLocale &locale);

// A one-line edit holding one number or Null (empty text), kept within
// MinValue ... MaxValue when typed, pasted or stepped, with display formats,
// and stepping by Increment with Up/Down, the wheel and an up/down button.
// Separators follow the control's locale (QWidget::locale()).
class TCustomDBNumberEdit : public TCustomDBEdit {
    Q_OBJECT
    // Here rather than with the other published properties: moc takes a
    // NOTIFY signal that carries the new value only from the property's class.
    Q_PROPERTY(QVariant Value READ valueVariant WRITE setValueVariant NOTIFY valueChanged)

public:
    explicit TCustomDBNumberEdit(QWidget *parent = nullptr);

    std::optional<double> value() const { return m_value; }
    // Posts the value; not limited: the program may set any number.
    void setValue(std::optional<double> value);
    // Null, or anything that converts to a number; throws EVariantTypeCastError otherwise.
    QVariant valueVariant() const;
    void setValueVariant(const QVariant &value);

    // Limits apply when they differ; equal limits (both 0 by default) mean none.
    double minValue() const { return m_minValue; }
    void setMinValue(double value);
    double maxValue() const { return m_maxValue; }
    void setMaxValue(double value);
    double increment() const { return m_increment; }
    void setIncrement(double increment);
    int decimalPlaces() const { return m_decimalPlaces; }
    void setDecimalPlaces(int places);
    // The number's format while not focused; empty: the general text.
    QString displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString &format);
    // Money when DisplayFormat is empty.
    bool isCurrency() const { return m_currency; }
    void setCurrency(bool currency);
    // The edit form's format while focused, derived from DisplayFormat.
    QString focusFormat() const { return m_focusFormat; }

    // The limits and decimal places applied to x.
    double limitValue(double x) const;
    // One step of Increment up or down; Null steps to Increment.
    void stepValue(bool up);
    QString displayText() const;
    static QString buildFocusFormat(const QString &format);

signals:
    // Value's change (Null as an invalid QVariant), by the program, typing,
    // pasting or stepping.
    void valueChanged(const QVariant &value);

protected:
    void applyText(const QString &text) override;
    void postToLink() override;
    void renderStored() override;
    bool isValidKey(QChar key) const override;
    void handleButtonPress(bool isDownButton) override;
    bool keyDownStep(QKeyEvent *event) override;
    void characterStep(QChar &key) override;
    void textChangeStep() override;
    bool wheelStep(QWheelEvent *event) override;
    void pasteWith(const std::function<void()> &insert) override;
    bool isValidText(const QString &text) const override;
    void changeEvent(QEvent *event) override;

private:
    enum ExplicitMember { DisplayFormatSet = 1, CurrencySet = 2, MaxValueSet = 4, MinValueSet = 8 };

    // Stores value in member and marks it set explicitly; false when it was
    // so set to that value already.
    template<class T> bool setExplicitly(T &member, const T &value, ExplicitMember flag);

    void applyValue(std::optional<double> value);
    // Emits valueChanged when the value differs from the one last told.
    void notifyValueChange();
    void reformatTyped(const QString &text);
    void valueFromText();
    QString normalizeNumber(const QString &text) const;
    numbers::NumberLocale numbersLocale() const { return numberLocale(locale()); }

    int m_explicitSet = 0;
    bool m_currency = false;
    int m_decimalPlaces = 2;
    QString m_displayFormat;
    QString m_focusFormat;
    double m_increment = 1;
    double m_minValue = 0;
    double m_maxValue = 0;
    std::optional<double> m_value;
    std::optional<double> m_notifiedValue;
    int m_wheelRemainder = 0;
};

// The number edit as a layout places it: only publishes.
class TDBNumberEdit : public TCustomDBNumberEdit {
    Q_OBJECT
    Q_PROPERTY(double MinValue READ minValue WRITE setMinValue)
    Q_PROPERTY(double MaxValue READ maxValue WRITE setMaxValue)
    Q_PROPERTY(double Increment READ increment WRITE setIncrement)
    Q_PROPERTY(int DecimalPlaces READ decimalPlaces WRITE setDecimalPlaces)
    Q_PROPERTY(QString DisplayFormat READ displayFormat WRITE setDisplayFormat)
    Q_PROPERTY(bool currency READ isCurrency WRITE setCurrency)

public:
    using TCustomDBNumberEdit::TCustomDBNumberEdit;
};
