#pragma once

#include "platform/colors.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QPoint>
#include <QTimer>

#include <cstdint>
#include <vector>

namespace draw {
class Roster;
}

// The roster list: one column of text rows showing a draw::Roster, whose
// selected marks are the list's selection. The list owns neither names nor marks;
// it observes the roster and repaints after its changes, coalesced.
// Extended selection: a click selects one entry alone, Ctrl+click toggles one,
// Shift+click selects the range from the anchor (Ctrl+Shift adds it). A right
// click leaves the selection alone and asks for the context menu.
class TListBox : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit TListBox(QWidget *parent = nullptr);
    ~TListBox() override;

    // The roster shown, or none. The list becomes the roster's observer; give it
    // nullptr before the roster goes away.
    draw::Roster *roster() const { return m_roster; }
    void setRoster(draw::Roster *roster);

    int itemHeight() const { return m_itemHeight; }
    void setItemHeight(int height);

    // Roster changes are shown at most once per `ms` milliseconds (0: at the next
    // turn of the event loop), so a rolling draw repaints with the screen, not with
    // every tick.
    int repaintInterval() const { return m_repaintInterval; }
    void setRepaintInterval(int ms);

    // Background colour; clWindow by default.
    TColor color() const { return m_color; }
    void setColor(TColor color);

    // Text colour of the entries not selected; clDefault (the default) takes
    // the palette's WindowText.
    TColor fontColor() const { return m_fontColor; }
    void setFontColor(TColor color);

    // Without a border by default.
    bool borderless() const;
    void setBorderless(bool borderless);

    int count() const;
    // The entry at p (viewport coordinates), or -1 where there is none.
    int itemIndexAt(QPoint p) const;
    // The first entry shown.
    int topIndex() const;
    void setTopIndex(int index);
    // Scrolls as little as needed to show the entry whole.
    void scrollToIndex(int index);
    // The entry with the focus rectangle, which keys move; -1 before any.
    int currentIndex() const { return m_current; }
    // Where Shift ranges start; -1 before any.
    int anchorIndex() const { return m_anchor; }
    // Entries that fit whole in the viewport (at least one).
    int visibleRows() const;

signals:
    // A right click, or the menu key, at this screen position.
    void contextMenuRequested(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void rosterChanged();
    void syncWithRoster();
    void updateScrollRange();
    // Asks for a repaint of the rows whose selected look differs from what was
    // last painted; all of them when what the rows hold may have changed.
    void updateChangedRows();
    int rowsShown() const;
    int viewportHeight() const;
    void selectAlone(int index);
    void selectRange(int from, int to, bool keepOthers);
    void moveTo(int index, Qt::KeyboardModifiers modifiers);

    draw::Roster *m_roster = nullptr;
    int m_itemHeight = 13;
    TColor m_color = clWindow;
    TColor m_fontColor = clDefault;
    int m_current = -1;
    int m_anchor = -1;
    bool m_dragging = false;
    bool m_dragAdds = false;
    bool m_syncPending = false;
    int m_repaintInterval = 0;
    QElapsedTimer m_lastSync;
    QTimer m_syncTimer;
    // What the shown rows were painted from: a rolling draw re-marks a few of a
    // large roster's entries at every frame, mostly in rows nobody sees.
    struct PaintedRows {
        int top = -1;
        int count = -1;
        std::uint64_t renumberings = 0;
        std::vector<unsigned char> marks; // per shown row: 0, 1, or kUnknown
    };
    PaintedRows m_painted;
};
