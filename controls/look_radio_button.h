#pragma once

#include "controls/flat_style.h"
#include "controls/radio_glyph.h"

#include <QAbstractButton>

// The prize-tier radio button: a round ultra-flat glyph and a caption, over
// its own colour or, when transparent, over whatever its parent shows.
// Checking one unchecks every other radio button of the same parent; clicked()
// is raised whenever the button becomes checked (by the user or the program),
// never for a click on the checked one. Only the checked button is a tab stop;
// the arrow keys move the focus among the parent's children, checking each
// radio button they reach.
class TLookRadioButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)

public:
    explicit TLookRadioButton(QWidget *parent = nullptr);

    // The caption is the button's text; "&" marks an accelerator, "&&" shows "&".
    QString caption() const { return text(); }
    void setCaption(const QString &caption);

    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);
    // taRightJustify (default): glyph left, caption right; taLeftJustify: the reverse.
    TAlignment alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment);
    // Caption colour; the same as the palette's WindowText.
    void setFontColor(TColor color);

    TGlyphState pointerState() const { return m_state; }
    // Where the glyph is drawn.
    QRect glyphRect() const;

    QSize sizeHint() const override;

signals:
    void doubleClicked();

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
    bool hitButton(const QPoint &pos) const override;

private:
    void onToggled(bool checked);
    void updatePointerState(const QPoint &pos, bool buttonsOrModifiersHeld);
    void setPointerState(TGlyphState state);
    void moveFocus(bool forward);
    QRect textRect() const;

    bool m_transparent = false;
    bool m_wordWrap = false;
    TAlignment m_alignment = taRightJustify;
    bool m_pressing = false;
    bool m_spacePressed = false;
    bool m_clicksDisabled = false;
    TGlyphState m_state = gsNormal;
};
