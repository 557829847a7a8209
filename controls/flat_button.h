#pragma once

#include "controls/flat_style.h"
#include "platform/control_events.h"

#include <QAction>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QString>

// A push button drawn flat: a solid face inside a one-pixel border whose
// colours follow hover/focus, press and the enabled state. It can show a glyph
// (one image, or a strip of up to four state images) beside its caption and can
// latch down in a group of buttons with the same parent.
// All state and behaviour live here; TFlatButton only publishes.
class DialogKeyEvent;
struct TFlatButtonOption;

class TDefineButton : public TVersionControl {
    Q_OBJECT
    // Published with their change signals where those are declared (moc
    // checks a NOTIFY signal's arguments only in its own class).
    Q_PROPERTY(bool Down READ isDown WRITE setDown NOTIFY downChanged)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption NOTIFY captionChanged)

public:
    enum TFaceState { fcUp, fcDisabled, fcPressed, fcExclusive };

    explicit TDefineButton(QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    // A glyph whose width is a whole multiple of its height sets NumGlyphs to
    // width / height, or to 1 when that is more than 4.
    // The caption and glyph as laid out, inside the border and focus frame
    // (minimum) with some air around them (natural size).
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    QImage glyph() const { return m_glyph; }
    void setGlyph(const QImage &glyph);
    TNumGlyphs numGlyphs() const { return m_numGlyphs; }
    void setNumGlyphs(TNumGlyphs count);

    TButtonLayout buttonLayout() const { return m_layout; }
    void setLayout(TButtonLayout layout);
    using QWidget::setLayout;
    int margin() const { return m_margin; }
    void setMargin(int margin);
    int spacing() const { return m_spacing; }
    void setSpacing(int spacing);

    TColor colorFocused() const { return m_colorFocused; }
    void setColorFocused(TColor color);
    TColor colorDown() const { return m_colorDown; }
    void setColorDown(TColor color);
    TColor colorBorder() const { return m_colorBorder; }
    void setColorBorder(TColor color);
    TColor colorShadow() const { return m_colorShadow; }
    void setColorShadow(TColor color);
    TColor colorFlat() const { return m_colorFlat; }
    void setColorFlat(TColor color);

    // Caption colour; the same as the palette's ButtonText (and WindowText).
    QColor fontColor() const;
    void setFontColor(TColor color);
    // The font colour as set (a system colour stays one), else the one shown.
    TColor fontColorSetting() const;

    // The button's own colour plays no part in its drawing; only whether it
    // follows the parent's is kept.
    bool parentColor() const { return m_parentColor; }
    void setParentColor(bool value) { m_parentColor = value; }

    TTransparentMode transparent() const { return m_transparent; }
    void setTransparent(TTransparentMode mode);
    bool hasFocusFrame() const { return m_hasFocusFrame; }
    void setHasFocusFrame(bool value);
    bool isDefault() const { return m_default; }
    void setDefault(bool value);

    int groupIndex() const { return m_groupIndex; }
    void setGroupIndex(int index);
    bool allowAllUp() const { return m_allowAllUp; }
    void setAllowAllUp(bool value);
    bool isDown() const { return m_down; }
    void setDown(bool down);

    // Handed to the dialog holding the button before every click; a dialog whose
    // result is not 0 after the click closes with it (QDialog::done).
    int modalResult() const { return m_modalResult; }
    void setModalResult(int result);

    // Shown below the button on every click.
    QMenu *popupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu *menu);

    // A bound action gives the caption, enabled state, hint and visibility, and
    // runs in place of clicked().
    QAction *action() const { return m_action; }
    void setAction(QAction *action);

    bool isHot() const { return m_hot; }
    TFaceState faceState() const { return m_faceState; }

    // Everything one paint needs, taken from the button's state as it is now.
    TFlatButtonOption styleOption() const;

    // Runs on every click, unless an action is bound; a failure goes to the
    // application's error reporter and ends that click.
    TNotifyEvent onClick() const { return m_onClick; }
    void setOnClick(const TNotifyEvent &handler) { m_onClick = handler; }

    // While set, these replace the hover look.
    TNotifyEvent onMouseEnter() const { return m_onMouseEnter; }
    void setOnMouseEnter(const TNotifyEvent &handler) { m_onMouseEnter = handler; }
    TNotifyEvent onMouseLeave() const { return m_onMouseLeave; }
    void setOnMouseLeave(const TNotifyEvent &handler) { m_onMouseLeave = handler; }

    // The button's click: the modal result, the group's latch rule, the pop-up
    // menu, then clicked() and OnClick, or the bound action. False when OnClick
    // failed (its error went to the error box) or deleted the button.
    bool click();

signals:
    void captionChanged(const QString &caption);
    // Down changed, by the program, a click or the group letting go.
    void downChanged(bool down);
    // A click is happening: raised just before OnClick (not with a bound action).
    void clicked();
    void doubleClicked();
    // Raised before the button's own handling of the same event.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseMove(Qt::KeyboardModifiers modifiers, QPoint pos);
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
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool m_parentColor = true;
    bool dialogKeyEvent(DialogKeyEvent *event);
    void reconcileEnabledState();
    void hoverOn();
    void hoverOff();
    void updateHot();
    bool isInside(const QPoint &pos) const;
    void notifyGroup();
    void groupChanged(int groupIndex, const TDefineButton *sender);
    void repaintNow();
    // Calls the handler when set, reporting its failure; false when there is none.
    bool callInstead(TNotifyEvent TDefineButton::*handler);

    QString m_caption;
    QImage m_glyph;
    TNumGlyphs m_numGlyphs = 1;
    TButtonLayout m_layout = FlatStyle::blGlyphTop;
    int m_margin = -1;
    int m_spacing = 4;
    TColor m_colorFocused = 0xFBBE99; // RGB 153,190,251
    TColor m_colorDown = 0xC5D6D9; // RGB 217,214,197
    TColor m_colorBorder = 0xFF8000; // RGB 0,128,255
    TColor m_colorShadow = 0xC6C600; // RGB 0,198,198
    TColor m_colorFlat = 0xE1EAEB; // RGB 235,234,225
    TTransparentMode m_transparent = FlatStyle::tmNone;
    bool m_hasFocusFrame = true;
    bool m_default = false;
    int m_groupIndex = 0;
    bool m_allowAllUp = false;
    bool m_down = false;
    bool m_pressing = false;
    bool m_hot = false;
    int m_modalResult = 0;
    int m_shortcutId = 0;
    QPointer<QMenu> m_popupMenu;
    QPointer<QAction> m_action;
    TNotifyEvent m_onClick;
    TNotifyEvent m_onMouseEnter;
    TNotifyEvent m_onMouseLeave;
    TFaceState m_faceState = fcUp;
};

// Everything one paint of a flat button needs.
struct TFlatButtonOption {
    TDefineButton::TFaceState faceState = TDefineButton::fcUp; // as the paint settles it
    bool pressedOffset = false; // glyph and caption one pixel right and down
    bool hot = false;
    bool isDefault = false;
    bool hasFocusFrame = true;
    TTransparentMode transparent = FlatStyle::tmNone;
    TColor colorFocused = 0, colorDown = 0, colorBorder = 0, colorShadow = 0, colorFlat = 0;
    QFont font;
    QColor fontColor;
    QString caption;
    QImage glyph;
    TNumGlyphs numGlyphs = 1;
    TButtonLayout layout = FlatStyle::blGlyphTop;
    int spacing = 4;
    int margin = -1;
};

// Draws the button described by option into rect; a face taken from the
// parent comes from what lies behind control.
void drawFlatButton(QPainter &painter, const QRect &rect, const TFlatButtonOption &option,
                    const QWidget *control);

// The published flat button.
class TFlatButton : public TDefineButton {
    Q_OBJECT
    Q_PROPERTY(FlatStyle::TTransparentMode Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(bool HasFocusFrame READ hasFocusFrame WRITE setHasFocusFrame)
    Q_PROPERTY(bool Default READ isDefault WRITE setDefault)
    Q_PROPERTY(bool AllowAllUp READ allowAllUp WRITE setAllowAllUp)
    Q_PROPERTY(TColor ColorFocused READ colorFocused WRITE setColorFocused)
    Q_PROPERTY(TColor ColorDown READ colorDown WRITE setColorDown)
    Q_PROPERTY(TColor ColorBorder READ colorBorder WRITE setColorBorder)
    Q_PROPERTY(TColor ColorShadow READ colorShadow WRITE setColorShadow)
    Q_PROPERTY(TColor ColorFlat READ colorFlat WRITE setColorFlat)
    Q_PROPERTY(int GroupIndex READ groupIndex WRITE setGroupIndex)
    Q_PROPERTY(QImage Glyph READ glyph WRITE setGlyph)
    Q_PROPERTY(FlatStyle::TButtonLayout Layout READ buttonLayout WRITE setLayout)
    Q_PROPERTY(int Margin READ margin WRITE setMargin)
    Q_PROPERTY(int NumGlyphs READ numGlyphs WRITE setNumGlyphs)
    Q_PROPERTY(int Spacing READ spacing WRITE setSpacing)
    Q_PROPERTY(int ModalResult READ modalResult WRITE setModalResult)
    Q_PROPERTY(QAction *Action READ action WRITE setAction)
    Q_PROPERTY(QMenu *PopupMenu READ popupMenu WRITE setPopupMenu)
    Q_PROPERTY(TColor FontColor READ fontColorSetting WRITE setFontColor)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(bool ParentColor READ parentColor WRITE setParentColor)
    Q_PROPERTY(bool Visible READ visibleSetting WRITE setVisible)
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
    Q_PROPERTY(bool TabStop READ tabStop WRITE setTabStop)
    Q_PROPERTY(TNotifyEvent OnClick READ onClick WRITE setOnClick)
    Q_PROPERTY(TNotifyEvent OnMouseEnter READ onMouseEnter WRITE setOnMouseEnter)
    Q_PROPERTY(TNotifyEvent OnMouseLeave READ onMouseLeave WRITE setOnMouseLeave)

public:
    explicit TFlatButton(QWidget *parent = nullptr);

    bool parentFont() const { return followsParentFont(this); }
    void setParentFont(bool value) { setFollowsParentFont(this, value); }
    bool tabStop() const { return hasTabStop(this); }
    void setTabStop(bool value) { ::setTabStop(this, value, Qt::NoFocus); }
};
