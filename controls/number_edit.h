#pragma once

#include "controls/edit_button.h"
#include "controls/flat_style.h"

#include <QChar>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <optional>
#include <stdexcept>
#include <vector>

class QLineEdit;
class QPainter;

// What the edit shows of its text while another control has the focus: it
// draws the text itself so that a right-aligned or centred text ends exactly
// at the button area.
struct TEditTextOption {
    QString text;
    QFont font;
    QColor background;
    QColor textColor;
    TAlignment alignment = taRightJustify;
    // Right edge of the text rectangle (exclusive), in the rectangle's coordinates.
    int textRight = 0;
    // Border plus the edit's left margin: the gap kept from the text rectangle's edges.
    int marginX = 0;
};

// Where the text starts, in the text rectangle's coordinates.
int EditTextStart(const TEditTextOption &option);

// Fills rect with the background and draws the text on the baseline the inner
// edit uses, so the text does not move when the focus arrives.
void DrawEditText(QPainter &painter, QRect rect, const TEditTextOption &option);

// A text that is not a number: "'%s' is not a valid floating point value".
// what() is UTF-8.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A one-line edit holding one number or Null (empty text), kept within
// MinValue ... MaxValue when typed, pasted or stepped, with an up/down button
// at its right edge. Numbers use '.' as the decimal separator.
class TDBNumberEdit : public QWidget {
    Q_OBJECT

public:
    explicit TDBNumberEdit(QWidget *parent = nullptr);

    std::optional<double> value() const { return m_value; }
    // Not limited: the program may set any number.
    void setValue(std::optional<double> value);

    // Limits apply when they differ; equal limits (both 0 by default) mean none.
    double minValue() const { return m_minValue; }
    void setMinValue(double value);
    double maxValue() const { return m_maxValue; }
    void setMaxValue(double value);
    double increment() const { return m_increment; }
    void setIncrement(double increment);
    int decimalPlaces() const { return m_decimalPlaces; }
    void setDecimalPlaces(int places);

    QString text() const;
    // An empty text gives Null. Throws EConvertError for a text that is not a
    // number, and then changes nothing.
    void setText(const QString &text);

    // Text placement; right-justified by default.
    TAlignment alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment);
    bool isFlat() const { return m_flat; }
    void setFlat(bool flat);
    bool ctl3D() const { return m_ctl3D; }
    void setCtl3D(bool ctl3D);
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    // Text colour: the palette's Text, which the inner edit inherits.
    void setFontColor(TColor color);

    // The main button: style ebsDropDown and hidden until set otherwise; the
    // group size field shows it as ebsUpDown.
    TEditButton *editButton() const { return m_button; }
    // Further buttons, left of the main one.
    TEditButtonCollection *editButtons() const { return m_buttons; }
    // The drawn main button (slot 0) or further button i (slot i).
    TEditButtonControl *editButtonControl(int slot = 0) const { return m_slots.at(slot).control; }
    int buttonAreaWidth() const { return m_buttonAreaWidth; }
    QLineEdit *lineEdit() const { return m_edit; }

    void selectAll();
    // One step of Increment up or down; Null steps to Increment.
    void stepValue(bool up);
    // The limits and decimal places applied to x.
    double limitValue(double x) const;
    // The border shows lit (focus or pointer over the control).
    bool borderLit() const { return m_borderLit; }
    // True while the control draws its text itself (not focused, not left-aligned).
    bool drawsOwnText() const;
    TEditTextOption textOption() const;

signals:
    // Every typed character, before the control's own checks; setting key to
    // QChar() discards it. Backspace comes as QChar(8), Enter as QChar(13),
    // Escape as QChar(27), Ctrl+V as QChar(22). Direct connections only.
    void keyPress(QChar &key);
    // A press on the text area, after the edit has taken the focus and placed
    // the caret; pos is in this control's coordinates.
    void mouseDown(Qt::MouseButton button, QPoint pos);
    // After every change of the text, the control's own changes included.
    void changed();
    // OnButtonDown: every press and auto-repeat of the main button, before
    // the step. Clearing autoRepeat stops the repeats; setting handled stops
    // the control's own handling. Direct connections only.
    void buttonDown(QObject *sender, bool topButton, bool &autoRepeat, bool &handled);
    // OnButtonClick: the main button released while it still shows pressed.
    void buttonClick(QObject *sender, bool &handled);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    friend class TInnerEdit;
    bool handleKeyPress(QKeyEvent *event);
    bool handleWheel(QWheelEvent *event);
    void handleFocusIn(QFocusEvent *event);
    void handleFocusOut(QFocusEvent *event);
    void leaveFocus();
    void updateTextMargins();
    void onTextChanged();
    void paste();
    bool isValidKey(QChar key) const;
    void applyValue(std::optional<double> value);
    void postValue();
    void resetFromStored();
    void reformatTyped(const QString &text);
    bool valueFromText();
    QString displayText() const;
    void setTextInternally(const QString &text);
    void layoutButton();
    void keepTextLookWhileContainerDisabled();
    void refreshBorder();
    const TEditButton *buttonOfSlot(int slot) const;
    bool canPressButton() const;
    void buttonPressed(int slot, bool topButton, bool &autoRepeat);
    void buttonClicked(int slot);
    void handleButtonPress(bool isDownButton);
    int borderWidth() const;

    QLineEdit *m_edit = nullptr;
    TEditButton *m_button = nullptr;
    TEditButtonCollection *m_buttons = nullptr;
    struct ButtonSlot {
        TEditButtonControl *control;
        QRect separator;
    };
    std::vector<ButtonSlot> m_slots;
    int m_buttonAreaWidth = 0;

    std::optional<double> m_value;
    std::optional<double> m_stored;
    double m_minValue = 0;
    double m_maxValue = 0;
    double m_increment = 1;
    int m_decimalPlaces = 2;
    TAlignment m_alignment = taRightJustify;
    bool m_flat = false;
    bool m_ctl3D = true;
    bool m_readOnly = false;
    bool m_inFocus = false;
    bool m_modified = false;
    bool m_settingText = false;
    bool m_pointerInside = false;
    bool m_borderLit = false;
    bool m_forwardingPress = false;
    int m_wheelRemainder = 0;
    QString m_lastGoodText;
};
