#pragma once

#include "platform/colors.h"

#include <QFlags>
#include <QString>
#include <QWidget>

// Sides of a group box that carry a border line.
enum TBorderEdge { bLeft = 0x1, bTop = 0x2, bRight = 0x4, bBottom = 0x8 };
Q_DECLARE_FLAGS(TBorderEdges, TBorderEdge)
Q_DECLARE_OPERATORS_FOR_FLAGS(TBorderEdges)

// A container that can draw a one-pixel ultra-flat frame with a caption and a
// shadow over a background of its own. Transparent, without edges, shadow or
// caption (as the main window uses it) it draws nothing at all, so whatever
// lies beneath shows and its children appear directly on it.
class TLookGroupBox : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)

public:
    explicit TLookGroupBox(QWidget *parent = nullptr);

    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    TBorderEdges edges() const { return m_edges; }
    void setEdges(TBorderEdges edges);
    bool shadow() const { return m_shadow; }
    void setShadow(bool shadow);
    // With a transparent border the frame keeps a 2-pixel band on every side.
    bool transparentBorder() const { return m_transparentBorder; }
    void setTransparentBorder(bool value);

    // Draws the box (background, caption, border, shadow) into rect.
    void drawBox(QPainter &painter, const QRect &rect) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int extent(TBorderEdge side) const;
    void updateMargins();

    bool m_transparent = false;
    QString m_caption;
    TBorderEdges m_edges = TBorderEdges(bLeft | bTop | bRight | bBottom);
    bool m_shadow = false;
    bool m_transparentBorder = true;
};
