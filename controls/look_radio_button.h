#pragma once

#include "controls/flat_style.h"
#include "controls/look_and_feel.h"
#include "controls/look_glyph_state.h"
#include "platform/colors.h"
#include "platform/control_events.h"
#include "platform/published_settings.h"

#include <QAbstractButton>
#include <QFont>
#include <QMenu>
#include <QPointer>
#include <QTimer>

class TCustomLookAndFeelPainter;

// Where the caption stands: taRightJustify puts the glyph left and the caption
// right of it, taLeftJustify the other way round. Of the text alignments only
// these two; a radio button refuses taCenter.
using TLeftRight = FlatStyle::TAlignment;

// Everything one paint of a radio button depends on, gathered once.
struct TRadioButtonOption {
    bool native = false; // drawn through the desktop's style
    bool seeThrough = false; // Transparent: the parent shows beneath
    bool themedParentBackground = false;
    TGlyphState glyphState = gsNormal;
    bool checked = false;
    bool focused = false;
    bool enabled = true; // the control's own Enabled
    bool designing = false;
    QColor color; // background fill and focus-rectangle background
    QColor fontColor;
    QFont font;
    QString caption;
    TLeftRight alignment = FlatStyle::taRightJustify;
    bool wordWrap = false;
    const TCustomLookAndFeelPainter *painter = nullptr; // draws the glyph
    TColor editorTextColor = clDefault;

    bool plain() const { return !seeThrough && !themedParentBackground; }
};

// Where the glyph goes in a client rectangle.
QRect radioGlyphRect(const QRect &client, const TRadioButtonOption &option);
// The caption's rectangle (margins applied) in a client rectangle.
QRect radioTextRect(const QRect &client, const TRadioButtonOption &option);
// Draws a radio button as the option says, over what the painter holds.
void drawRadioButton(QPainter &painter, const QRect &client, const TRadioButtonOption &option);

// The prize-tier radio button: a round glyph from the look and feel's painter
// and a caption, over its own colour or, when transparent, over whatever its
// parent shows. Checking one unchecks every other radio button of the same
// parent; clicked() is raised whenever the button becomes checked (by the
// user or the program), never for a click on the checked one. Only the
// checked button is a tab stop; the arrow keys move the focus among the
// parent's children, checking each radio button they reach.
class TLookRadioButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption NOTIFY captionChanged)
    Q_PROPERTY(bool Checked READ isChecked WRITE setChecked NOTIFY checkedChanged)
    Q_PROPERTY(FlatStyle::TAlignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(bool ParentBackground READ parentBackground WRITE setParentBackground)
    Q_PROPERTY(TLookAndFeel *LookAndFeel READ lookAndFeel WRITE setLookAndFeel)
    Q_PROPERTY(QObject *PopupMenu READ popupMenuObject WRITE setPopupMenu)
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(bool ParentColor READ parentColor WRITE setParentColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(bool Enabled READ enabledSetting WRITE setEnabledSetting NOTIFY enabledChanged)
    Q_PROPERTY(TColor FontColor READ fontColorSetting WRITE setFontColor)
    Q_PROPERTY(int Tag READ tag WRITE setTag)
    Q_PROPERTY(bool Visible READ isVisible WRITE setVisible)
    Q_PROPERTY(bool TabStop READ tabStop WRITE setTabStop)
    Q_PROPERTY(int TabOrder READ tabOrder WRITE setTabOrder)
    Q_PROPERTY(TKeyEvent OnKeyDown READ onKeyDown WRITE setOnKeyDown)
    Q_PROPERTY(TKeyPressEvent OnKeyPress READ onKeyPress WRITE setOnKeyPress)
    Q_PROPERTY(TKeyEvent OnKeyUp READ onKeyUp WRITE setOnKeyUp)
    Q_PROPERTY(TContextPopupEvent OnContextPopup READ onContextPopup WRITE setOnContextPopup)

public:
    explicit TLookRadioButton(QWidget *parent = nullptr);
    ~TLookRadioButton() override;

    // The caption is the button's text; "&" marks an accelerator, "&&" shows "&".
    QString caption() const { return text(); }
    void setCaption(const QString &caption);

    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);
    TLeftRight alignment() const { return m_alignment; }
    void setAlignment(TLeftRight alignment);
    // With the desktop's style only: let it paint the parent's background.
    bool parentBackground() const { return m_parentBackground; }
    void setParentBackground(bool value);

    // Owned; assigning copies the source's values.
    TLookAndFeel *lookAndFeel() const { return m_lookAndFeel; }
    void setLookAndFeel(TLookAndFeel *source);

    // A pop-up menu; any other object is taken as none.
    QMenu *popupMenu() const { return m_popupMenu; }
    QObject *popupMenuObject() const;
    void setPopupMenu(QObject *menu);

    // Background; the parent's unless set (ParentColor).
    TColor color() const;
    void setColor(TColor color);
    bool parentColor() const { return m_parentColor; }
    void setParentColor(bool value);
    bool parentFont() const { return followsParentFont(this); }
    void setParentFont(bool value);
    // Caption colour; the same as the palette's WindowText.
    void setFontColor(TColor color);
    // The control's own Enabled setting, also inside a disabled container.
    bool enabledSetting() const { return ownEnabled(this); }
    void setEnabledSetting(bool enabled);
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    // The font colour as set (a system colour stays one), else the one shown.
    TColor fontColorSetting() const;
    // The colour taken while ParentColor is set: the parent's.
    QColor colorOfParent() const;

    bool tabStop() const { return focusPolicy() == Qt::StrongFocus; }
    void setTabStop(bool value);
    // Position among the parent's windowed children in the focus order.
    int tabOrder() const;
    void setTabOrder(int order);

    // Key callbacks run before the button's own handling; a key set to 0
    // stops it. A failure passes on to the caller of the event.
    TKeyEvent onKeyDown() const { return m_onKeyDown; }
    void setOnKeyDown(const TKeyEvent &handler) { m_onKeyDown = handler; }
    TKeyPressEvent onKeyPress() const { return m_onKeyPress; }
    void setOnKeyPress(const TKeyPressEvent &handler) { m_onKeyPress = handler; }
    TKeyEvent onKeyUp() const { return m_onKeyUp; }
    void setOnKeyUp(const TKeyEvent &handler) { m_onKeyUp = handler; }
    // Asked before the PopupMenu shows; handled keeps it shut.
    TContextPopupEvent onContextPopup() const { return m_onContextPopup; }
    void setOnContextPopup(const TContextPopupEvent &handler) { m_onContextPopup = handler; }

    TGlyphState pointerState() const { return m_state; }
    // Where the glyph is drawn.
    QRect glyphRect() const;
    bool pointerWatchActive() const { return m_watch.isActive(); }

    // What the next paint draws.
    TRadioButtonOption styleOption() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // After every real change, also one the user makes.
    void checkedChanged(bool checked);
    void captionChanged(const QString &caption);
    // The own Enabled setting.
    void enabledChanged(bool enabled);
    void doubleClicked();
    void entered();
    void exited();
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseMoved(Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    int m_tag = 0;
    bool nativeMode() const;
    const TCustomLookAndFeelPainter &glyphPainter() const;
    void onToggled(bool checked);
    void updatePointerState(const QPoint &pos, bool buttonsOrModifiersHeld);
    void setPointerState(TGlyphState state);
    void startPointerWatch();
    void checkPointerWatch();
    void pointerLeft();
    void moveFocus(bool forward);
    bool offerToPopupMenu(QKeyEvent *event);

    bool m_transparent = false;
    bool m_wordWrap = false;
    bool m_parentBackground = true;
    TLeftRight m_alignment = FlatStyle::taRightJustify;
    bool m_parentColor = true;
    TColor m_color = clBtnFace;
    bool m_pressing = false;
    bool m_focusFromPress = false;
    bool m_spacePressed = false;
    bool m_clicksDisabled = false;
    bool m_enabledNotified = true;
    TGlyphState m_state = gsNormal;
    TLookAndFeel *m_lookAndFeel = nullptr;
    QPointer<QMenu> m_popupMenu;
    QTimer m_watch;
    QRect m_watched; // screen coordinates
    TKeyEvent m_onKeyDown;
    TKeyPressEvent m_onKeyPress;
    TKeyEvent m_onKeyUp;
    TContextPopupEvent m_onContextPopup;
};
