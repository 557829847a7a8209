#pragma once

#include "platform/colors.h"

#include <QString>
#include <QWidget>

#include <memory>

class QPainter;

// A graphic label: text drawn from the top-left corner, tabs expanded, with the
// "&" shortcut prefix rule and optional word wrap; text past the bottom edge is
// cut off. Opaque labels fill their bounds first, transparent ones let the parent
// show through. setCaption only stores the text; it is laid out when painted.
class TLabel : public QWidget {
    Q_OBJECT

public:
    explicit TLabel(QWidget *parent = nullptr);
    ~TLabel() override;

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    // Fill colour of an opaque label; clDefault (the default) takes the parent's
    // colour, which is the palette's inherited Window colour.
    TColor color() const { return m_color; }
    void setColor(TColor color);
    QColor fillColor() const;

    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);

    // Size follows the text: every caption change takes the text's size, keeping
    // the top-left corner. Off by default, so a label keeps the bounds it is given.
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);

    // "&x" underlines x and hides the "&", "&&" shows one "&"; on by default.
    bool showAccelChar() const { return m_showAccelChar; }
    void setShowAccelChar(bool show);

    // Text colour; the same as the palette's WindowText.
    QColor fontColor() const;
    void setFontColor(TColor color);

    // Size of the whole text as laid out now (word wrap at the current width).
    // An empty caption measures as one space, so an empty label keeps a line.
    QSize textSize() const;

    QSize sizeHint() const override;

    // Draws the label as it shows now into rect (its fill, if opaque, and text).
    void drawLabel(QPainter &painter, const QRect &rect) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Layout;

    const Layout &layoutFor(const QString &caption, int wrapWidth, int heightLimit) const;
    void textChanged();
    void adjustBounds();

    QString m_caption;
    TColor m_color = clDefault;
    bool m_transparent = false;
    bool m_wordWrap = false;
    bool m_autoSize = false;
    bool m_showAccelChar = true;
    mutable std::unique_ptr<Layout> m_layout;
};
