#pragma once

#include <QString>
#include <QWidget>

class QPainter;
class QSizeGrip;

// A status bar of one panel: a one-line text, left-aligned in a lowered panel
// that runs to the right end of the bar, with an optional size grip at the right
// end. It uses the desktop's font, not its parent's.
class TStatusBar : public QWidget {
    Q_OBJECT

public:
    explicit TStatusBar(QWidget *parent = nullptr);

    QString panelText() const { return m_panelText; }
    void setPanelText(const QString &text);

    bool isSizeGripEnabled() const { return m_sizeGripEnabled; }
    void setSizeGripEnabled(bool enabled);

    // The lowered panel's outer rectangle within a bar of the given size.
    static QRect panelRect(const QSize &barSize);
    // Where the size grip sits within a bar of the given size.
    static QRect gripRect(const QSize &barSize);

    // Draws the bar, its panel and text (not the grip) into rect.
    void drawBar(QPainter &painter, const QRect &rect) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeGrip();

    QString m_panelText;
    bool m_sizeGripEnabled = true;
    QSizeGrip *m_grip = nullptr;
};
