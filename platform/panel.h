#pragma once

#include "platform/colors.h"

#include <QString>
#include <QWidget>

class QPainter;

enum TBevelCut { bvNone, bvLowered, bvRaised };

// A panel with an outer and an inner bevel, a solid colour and a centred caption.
// Its colour is also its palette's Window colour, so children that take their
// parent's colour (an opaque label) follow it.
class TPanel : public QWidget {
    Q_OBJECT

public:
    explicit TPanel(QWidget *parent = nullptr);

    TColor color() const { return m_color; }
    void setColor(TColor color);

    TBevelCut bevelOuter() const { return m_bevelOuter; }
    void setBevelOuter(TBevelCut cut);
    TBevelCut bevelInner() const { return m_bevelInner; }
    void setBevelInner(TBevelCut cut);
    int bevelWidth() const { return m_bevelWidth; }
    void setBevelWidth(int width);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    // Caption colour; the same as the palette's WindowText.
    void setFontColor(TColor color);

    // Pixels of bevel on each side: the bevel width for each bevel present.
    int borderWidthInside() const;

    // Draws the whole panel as it shows now into rect.
    void drawPanel(QPainter &painter, const QRect &rect) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void bevelsChanged();

    TColor m_color = clBtnFace;
    TBevelCut m_bevelOuter = bvRaised;
    TBevelCut m_bevelInner = bvNone;
    int m_bevelWidth = 1;
    QString m_caption;
};
