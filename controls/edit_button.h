#pragma once

#include "platform/colors.h"

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QMenu>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QTimer;

namespace EditTools {
Q_NAMESPACE

// Look and behaviour of a button at the right edge of an edit.
enum TEditButtonStyle { ebsDropDown, ebsEllipsis, ebsGlyph, ebsUpDown, ebsPlus, ebsMinus };
Q_ENUM_NS(TEditButtonStyle)

// How a button face is drawn; bpsCheckBox serves check boxes, never edit buttons.
enum TButtonPaintStyle { bpsDropDown, bpsEllipsis, bpsUpDown, bpsCheckBox, bpsPlus, bpsMinus };
Q_ENUM_NS(TButtonPaintStyle)

} // namespace EditTools

using EditTools::TButtonPaintStyle;
using EditTools::TEditButtonStyle;

// OnClick of a button, OnButtonClick of the edit: setting handled stops the
// edit's own handling.
using TButtonClickEvent = std::function<void(QObject *sender, bool &handled)>;
// OnDown of a button, OnButtonDown of the edit: a press or an auto-repeat of
// the upper (topButton) or lower half, before the edit acts. Clearing
// autoRepeat stops the repeats; setting handled stops the edit's own handling.
using TButtonDownEvent =
    std::function<void(QObject *sender, bool topButton, bool &autoRepeat, bool &handled)>;
Q_DECLARE_METATYPE(TButtonClickEvent)
Q_DECLARE_METATYPE(TButtonDownEvent)

// What an edit's button is: style, width, visibility, glyph, shortcut and what
// a press or a click does. The edit shows it through a TEditButtonControl and
// lays itself out again on changed().
class TEditButton : public QObject {
    Q_OBJECT
    Q_PROPERTY(QAction *Action READ action WRITE setAction)
    Q_PROPERTY(QMenu *DropdownMenu READ dropdownMenu WRITE setDropdownMenu)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled NOTIFY enabledChanged)
    Q_PROPERTY(QPixmap Glyph READ glyph WRITE setGlyph)
    Q_PROPERTY(QString Hint READ hint WRITE setHint)
    Q_PROPERTY(int NumGlyphs READ numGlyphs WRITE setNumGlyphs)
    Q_PROPERTY(QKeySequence ShortCut READ shortCut WRITE setShortCut)
    Q_PROPERTY(EditTools::TEditButtonStyle Style READ style WRITE setStyle)
    Q_PROPERTY(bool Visible READ isVisible WRITE setVisible)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(TButtonClickEvent OnClick READ onClick WRITE setOnClick)
    Q_PROPERTY(TButtonDownEvent OnDown READ onDown WRITE setOnDown)

public:
    explicit TEditButton(QObject *parent = nullptr);

    // Executed on a click when no OnClick is set; links Enabled, Hint,
    // ShortCut and Visible.
    QAction *action() const { return m_action; }
    void setAction(QAction *action);
    // Shown on a press instead of the edit's own handling.
    QMenu *dropdownMenu() const { return m_dropdownMenu; }
    void setDropdownMenu(QMenu *menu);
    bool isEnabled() const;
    void setEnabled(bool enabled);
    // Image of an ebsGlyph button: numGlyphs images side by side (up,
    // disabled, down, held).
    QPixmap glyph() const { return m_glyph; }
    void setGlyph(const QPixmap &glyph);
    QString hint() const;
    void setHint(const QString &hint);
    int numGlyphs() const { return m_numGlyphs; }
    // Clamped to 1 ... 4.
    void setNumGlyphs(int count);
    QKeySequence shortCut() const;
    void setShortCut(const QKeySequence &shortCut);
    TEditButtonStyle style() const { return m_style; }
    void setStyle(TEditButtonStyle style);
    bool isVisible() const;
    void setVisible(bool visible);
    // 0 or less: the default width.
    int width() const { return m_width; }
    void setWidth(int width);

    TButtonClickEvent onClick() const { return m_onClick; }
    void setOnClick(const TButtonClickEvent &handler) { m_onClick = handler; }
    // Further buttons only: the main button's press is the edit's OnButtonDown.
    TButtonDownEvent onDown() const { return m_onDown; }
    void setOnDown(const TButtonDownEvent &handler) { m_onDown = handler; }

    // A click: OnClick when set, else the action (triggered with target as
    // its data's owner), which counts as handled.
    void performClick(QObject *target, bool &handled);
    // Copies everything a layout can set, handlers included.
    void assign(const TEditButton &other);

signals:
    void changed();
    // Enabled's change, its own or its action's.
    void enabledChanged(bool enabled);

protected:
    TEditButtonStyle m_style = EditTools::ebsDropDown;
    bool m_visible = false;
    bool m_enabled = true;
    QKeySequence m_shortCut;

private:
    void actionChanged();
    // Emits enabledChanged when Enabled differs from the value last told.
    void notifyEnabledChange();

    QPointer<QAction> m_action;
    QPointer<QMenu> m_dropdownMenu;
    QPixmap m_glyph;
    QString m_hint;
    int m_numGlyphs = 1;
    int m_width = 0;
    TButtonClickEvent m_onClick;
    TButtonDownEvent m_onDown;
    bool m_notifiedEnabled = true;
};

// The main button of a number edit: ShortCut starts as Alt+Down.
class TDropDownEditButton : public TEditButton {
    Q_OBJECT

public:
    explicit TDropDownEditButton(QObject *parent = nullptr);
};

// A further button of an edit: visible, ShortCut Alt+Down.
class TVisibleEditButton : public TEditButton {
    Q_OBJECT

public:
    explicit TVisibleEditButton(QObject *parent = nullptr);
};

// An edit's further buttons, left of the main one; reports every change of an
// item as changed().
class TEditButtonCollection : public QObject {
    Q_OBJECT

public:
    explicit TEditButtonCollection(QObject *parent = nullptr) : QObject(parent) {}

    int count() const { return int(m_items.size()); }
    TVisibleEditButton *item(int index) const { return m_items.at(index); }
    TVisibleEditButton *add();
    void remove(int index);
    void clear();

signals:
    void changed();

private:
    QList<TVisibleEditButton *> m_items;
};

// Default width of a flat edit button: two thirds of the character height,
// taken to the nearest whole number and made odd, but never wider than a
// scroll bar.
int FlatButtonWidth(int characterHeight, int scrollBarWidth);
// The same from the desktop's metrics, computed once: the character height of
// the default font in pixels and the style's scroll-bar width.
int FlatButtonWidth();
// Width of a scroll bar on this desktop (the width of a button that is not flat).
int ScrollBarWidth();

TButtonPaintStyle paintStyleFor(TEditButtonStyle style);

// Everything one button face drawing depends on.
struct TEditButtonOption {
    QColor parentColor = Qt::white;
    TEditButtonStyle style = EditTools::ebsDropDown;
    // 0 none, 1 the upper (or only) part, 2 the lower half.
    int pressedPart = 0;
    bool flat = false;
    bool lit = false;
    bool enabled = true;
    // ebsGlyph only: the glyph image to centre, and whether the button shows down.
    QPixmap glyph;
    bool down = false;
};

// Draws one edit button. A flat button that is not lit is drawn inset, with
// its frame (and the middle band of an up/down pair) in the parent's colour.
void drawEditButton(QPainter &painter, const QRect &rect, const TEditButtonOption &option);
// The same from the single values, as the design names the drawing.
void PaintEditButton(QPainter &painter, const QRect &rect, const QColor &parentColor,
                     TEditButtonStyle style, int pressedPart, bool flat, bool lit, bool enabled);

// The repeat timer of a held button. The control makes a QTimer-backed one on
// first use; tests hand it one they drive by hand.
class TRepeatTimer {
public:
    virtual ~TRepeatTimer() = default;
    virtual void start(int milliseconds) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual int interval() const = 0;
    std::function<void()> timeout;
};

// The drawn button. A held up/down half reports OnDown at the press, again
// after 400 ms and then every 100 ms while the pointer stays on that half.
class TEditButtonControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(EditTools::TEditButtonStyle Style READ buttonStyle WRITE setButtonStyle)
    Q_PROPERTY(bool Flat READ isFlat WRITE setFlat)
    Q_PROPERTY(bool DrawLit READ drawLit WRITE setDrawLit)
    Q_PROPERTY(bool HeldDown READ heldDown WRITE setHeldDown)
    Q_PROPERTY(TButtonDownEvent OnDown READ onDown WRITE setOnDown)

public:
    explicit TEditButtonControl(QWidget *parent = nullptr);
    ~TEditButtonControl() override;

    // Named apart from QWidget::style(), the widget style.
    TEditButtonStyle buttonStyle() const { return m_style; }
    void setButtonStyle(TEditButtonStyle style);
    bool isFlat() const { return m_flat; }
    void setFlat(bool flat);
    bool drawLit() const { return m_lit; }
    void setDrawLit(bool lit);
    // Kept pressed (upper part) while the edit's drop-down is open.
    bool heldDown() const { return m_heldDown; }
    void setHeldDown(bool held);
    // The edit's colour, shown around a flat button that is not lit.
    QColor parentColor() const { return m_parentColor; }
    void setParentColor(const QColor &color);
    void setGlyph(const QPixmap &glyph, int numGlyphs);

    // 0 none, 1 upper, 2 lower half.
    int pressedHalf() const { return m_pressedHalf; }
    bool isDown() const { return m_down || m_heldDown; }
    // Interval of the running repeat timer, 0 when it is stopped.
    int repeatInterval() const;
    // Replaces the repeat timer (before the first press).
    void setRepeatTimer(std::unique_ptr<TRepeatTimer> timer);

    // A press or a repeat of a press (the edit wires it to its own handling);
    // clearing autoRepeat stops the repeats.
    TButtonDownEvent onDown() const { return m_onDown; }
    void setOnDown(const TButtonDownEvent &handler) { m_onDown = handler; }

    // What paintEvent hands to drawEditButton.
    TEditButtonOption styleOption() const;
    // A press of the lower half and a click, as the shortcut key does.
    void pressByShortCut();
    // Ends a press without a click (the edit lost the focus).
    void cancelPress();

signals:
    // Released inside while still showing pressed.
    void buttonClicked();
    // Released, wherever the pointer is (in this control's coordinates).
    void buttonReleased(QPoint pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    TRepeatTimer &repeatTimer();
    void repeatTick();
    int halfAt(int y) const;
    void setDownState(bool down);
    void setPressedHalf(int half);
    // Reports OnDown with this control as sender.
    void reportDown(bool topButton, bool &autoRepeat);

    TEditButtonStyle m_style = EditTools::ebsDropDown;
    bool m_flat = false;
    bool m_lit = false;
    bool m_heldDown = false;
    QColor m_parentColor = Qt::white;
    QPixmap m_glyph;
    int m_numGlyphs = 1;
    bool m_tracking = false;
    bool m_down = false;
    bool m_suppressClick = false;
    int m_pressedHalf = 0;
    std::unique_ptr<TRepeatTimer> m_repeat;
    TButtonDownEvent m_onDown;
};
