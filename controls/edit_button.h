#pragma once

#include "platform/colors.h"

#include <QObject>
#include <QTimer>
#include <QWidget>

// Look and behaviour of a button at the right edge of an edit.
enum TEditButtonStyle { ebsDropDown, ebsEllipsis, ebsGlyph, ebsUpDown, ebsPlus, ebsMinus };

// What an edit's button is: style, width, visibility. The edit shows it
// through a TEditButtonControl and re-lays itself out on changed().
class TEditButton : public QObject {
    Q_OBJECT

public:
    explicit TEditButton(QObject *parent = nullptr);

    TEditButtonStyle style() const { return m_style; }
    void setStyle(TEditButtonStyle style);
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // 0 or less: the default width.
    int width() const { return m_width; }
    void setWidth(int width);

signals:
    void changed();

private:
    TEditButtonStyle m_style = ebsDropDown;
    bool m_visible = false;
    bool m_enabled = true;
    int m_width = 0;
};

// Default width of a flat edit button: two thirds of the system font's
// character height, made odd, but never wider than a scroll bar.
int FlatButtonWidth(int characterHeight = 16, int scrollBarWidth = 17);

// Draws one edit button face. pressedPart: 0 none, 1 the upper (or only)
// part, 2 the lower half. A flat button that is not lit is drawn inset, with
// its frame (and the middle band of an up/down pair) in parentColor.
void PaintEditButton(QPainter &painter, QRect rect, const QColor &parentColor,
                     TEditButtonStyle style, int pressedPart, bool flat, bool lit, bool enabled);

// The drawn button. A held up/down half reports buttonDown at the press, again
// after 400 ms and then every 100 ms while the pointer stays on that half.
class TEditButtonControl : public QWidget {
    Q_OBJECT

public:
    explicit TEditButtonControl(QWidget *parent = nullptr);

    TEditButtonStyle style() const { return m_style; }
    void setStyle(TEditButtonStyle style);
    bool isFlat() const { return m_flat; }
    void setFlat(bool flat);
    bool drawLit() const { return m_lit; }
    void setDrawLit(bool lit);
    // The edit's colour, shown around a flat button that is not lit.
    void setParentColor(const QColor &color);

    // 0 none, 1 upper, 2 lower half.
    int pressedHalf() const { return m_pressedHalf; }
    bool isDown() const { return m_down; }
    // Interval of the running repeat timer, 0 when it is stopped.
    int repeatInterval() const { return m_repeat.isActive() ? m_repeat.interval() : 0; }

signals:
    // A press or a repeat of a press; clearing autoRepeat stops the repeats.
    void buttonDown(bool topButton, bool &autoRepeat);
    // Released inside while still showing pressed.
    void buttonClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void repeatTick();
    int halfAt(int y) const;
    void setDownState(bool down);

    TEditButtonStyle m_style = ebsDropDown;
    bool m_flat = false;
    bool m_lit = false;
    QColor m_parentColor = Qt::white;
    bool m_tracking = false;
    bool m_down = false;
    int m_pressedHalf = 0;
    QTimer m_repeat;
};
