#pragma once

#include "controls/flat_style.h"
#include "platform/control_events.h"

#include <QAction>
#include <QColor>
#include <QFont>
#include <QMenu>
#include <QPointer>
#include <QString>

struct TFlatPanelOption;

// A container and caption strip drawn flat: a solid, gradient or see-through
// face inside a one-pixel border, with a one-line caption. It raises clicks but
// never takes the keyboard focus. All state and behaviour live here;
// TFlatPanel only publishes.
class TDefinePanel : public TVersionControl {
    Q_OBJECT
    // Published with its change signal where that is declared (moc checks a
    // NOTIFY signal's arguments only in its own class).
    Q_PROPERTY(QString Caption READ caption WRITE setCaption NOTIFY captionChanged)

public:
    explicit TDefinePanel(QWidget *parent = nullptr);
    ~TDefinePanel() override;

    // The one-line caption inside the border and the caption area's margins,
    // or the children it holds, whichever needs more.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    // Solid face colour (clBtnFace by default).
    // While ParentColor is set, the parent's colour (its "Color", else its
    // palette's Window colour), taken when read.
    TColor color() const;
    void setColor(TColor color);
    bool parentColor() const { return m_parentColor; }
    void setParentColor(bool value);
    TColor colorBorder() const { return m_colorBorder; }
    void setColorBorder(TColor color);

    // Caption colour; the same as the palette's WindowText.
    QColor fontColor() const;
    void setFontColor(TColor color);
    // The font colour as set (a system colour stays one), else the one shown.
    TColor fontColorSetting() const;

    TAlignment alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment);
    // Qt's horizontal flags map onto left, right and centre.
    void setAlignment(Qt::Alignment alignment);

    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    TStyleFace styleFace() const { return m_styleFace; }
    void setStyleFace(TStyleFace face);
    TColor backgropStartColor() const { return m_startColor; }
    void setBackgropStartColor(TColor color);
    TColor backgropStopColor() const { return m_stopColor; }
    void setBackgropStopColor(TColor color);
    TStyleOrien backgropOrien() const { return m_orien; }
    void setBackgropOrien(TStyleOrien orientation);

    // Stored for layout data; they change nothing on this platform (see the report).
    bool locked() const { return m_locked; }
    void setLocked(bool locked) { m_locked = locked; }
    // When false and the caption is empty, a resize repaints only the strip the
    // border leaves behind.
    bool fullRepaint() const { return m_fullRepaint; }
    void setFullRepaint(bool value);

    // A bound action gives the caption, enabled state, hint and visibility, and
    // runs in place of clicked() and OnClick.
    QAction *action() const { return m_action; }
    void setAction(QAction *action);
    // Runs on every click, unless an action is bound; a failure goes to the
    // application's error reporter.
    TNotifyEvent onClick() const { return m_onClick; }
    void setOnClick(const TNotifyEvent &handler) { m_onClick = handler; }
    // Shown where the panel is clicked with the right button.
    QMenu *popupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu *menu) { m_popupMenu = menu; }

    // Children aligned to an edge or to the rest of the panel are placed inside
    // its border, which stays one pixel free on every side; top, bottom, left,
    // right, then the rest, each in the order they were added.
    static void setChildAlign(QWidget *child, TAlign align);
    static TAlign childAlign(const QWidget *child);
    QRect alignArea() const { return rect().adjusted(1, 1, -1, -1); }
    void realign();

    // When set, the panel fits itself around its children that are not aligned,
    // keeping its one-pixel border free to the right and below.
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool value);

    // Everything one paint needs, taken from the panel's state as it is now.
    TFlatPanelOption styleOption() const;

signals:
    void captionChanged(const QString &caption);
    // A click is happening: raised just before OnClick (not with a bound action).
    void clicked();
    void doubleClicked();
    // The focus entered the panel's children from outside, or left them.
    void entered();
    void exited();
    void resized();
    // Raised before the panel's own handling of the same event.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseMove(Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void focusChanged(QWidget *old, QWidget *now);
    void keepContentsOnResize();
    bool holds(const QWidget *widget) const;

    QPointer<QAction> m_action;
    QPointer<QMenu> m_popupMenu;
    TNotifyEvent m_onClick;
    bool m_autoSize = false;
    bool m_aligning = false;
    QString m_caption;
    TColor m_color = clBtnFace;
    bool m_parentColor = false; // setting the colour at construction cleared it
    TColor m_colorBorder = 0xFF8000; // RGB 0,128,255
    TColor m_startColor = clGray;
    TColor m_stopColor = clWhite;
    TStyleOrien m_orien = FlatStyle::bsHorizontal;
    TStyleFace m_styleFace = FlatStyle::fsDefault;
    TAlignment m_alignment = FlatStyle::taCenter;
    bool m_transparent = false;
    bool m_locked = false;
    bool m_fullRepaint = true;
    bool m_pressed = false;
};

// Everything one paint of a flat panel needs.
struct TFlatPanelOption {
    bool transparent = false;
    TStyleFace styleFace = FlatStyle::fsDefault;
    TColor color = 0, colorBorder = 0, startColor = 0, stopColor = 0;
    TStyleOrien orien = FlatStyle::bsHorizontal;
    TAlignment alignment = FlatStyle::taCenter;
    bool enabled = true;
    QFont font;
    QColor fontColor;
    QString caption;
};

// Draws the panel described by option into rect; a face taken from the parent
// comes from what lies behind control.
void drawFlatPanel(QPainter &painter, const QRect &rect, const TFlatPanelOption &option,
                   const QWidget *control);

// The published flat panel.
class TFlatPanel : public TDefinePanel {
    Q_OBJECT
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(FlatStyle::TAlignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool Locked READ locked WRITE setLocked)
    Q_PROPERTY(bool FullRepaint READ fullRepaint WRITE setFullRepaint)
    Q_PROPERTY(TColor ColorBorder READ colorBorder WRITE setColorBorder)
    Q_PROPERTY(TColor BackgropStartColor READ backgropStartColor WRITE setBackgropStartColor)
    Q_PROPERTY(TColor BackgropStopColor READ backgropStopColor WRITE setBackgropStopColor)
    Q_PROPERTY(FlatStyle::TStyleOrien BackgropOrien READ backgropOrien WRITE setBackgropOrien)
    Q_PROPERTY(FlatStyle::TStyleFace StyleFace READ styleFace WRITE setStyleFace)
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(QAction *Action READ action WRITE setAction)
    Q_PROPERTY(QMenu *PopupMenu READ popupMenu WRITE setPopupMenu)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(TColor FontColor READ fontColorSetting WRITE setFontColor)
    Q_PROPERTY(bool ParentColor READ parentColor WRITE setParentColor)
    Q_PROPERTY(bool Visible READ visibleSetting WRITE setVisible)
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
    Q_PROPERTY(TNotifyEvent OnClick READ onClick WRITE setOnClick)

public:
    explicit TFlatPanel(QWidget *parent = nullptr);
};
