#pragma once

#include "window/form_geometry.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <vector>

class TForm1;

// Full-screen projection, toggled by F11: the window fills the screen it is on and
// the whole design (every bound, font height and reference size) is scaled by the
// one factor that fits it to the screen keeping its proportions; the resize rules
// then apply to the scaled design. Leaving restores the window's size, position
// and layout exactly as they were. Nothing else about the window changes.
class FullScreenProjection : public QObject {
    Q_OBJECT

public:
    explicit FullScreenProjection(TForm1 &form);
    ~FullScreenProjection() override;

    bool active() const { return m_active; }
    void toggle();

    // Run before every layout of the window at `client` size. The desktop switches
    // the window's size when it gets round to it, possibly through other sizes, which
    // move the anchoring references: once the window has the size it is switching
    // to, the layout starts afresh from the one saved for that size.
    void beforeLayout(QSize client);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct SavedControl {
        QPointer<QWidget> widget;
        QRect geometry;
        bool followsText; // an auto-size label: only its place is kept, its size follows
    };
    struct SavedFont {
        QPointer<QWidget> widget;
        QFont font;
    };

    void enter();
    void leave();
    // Fonts, fixed controls, list rows and the picture at `scale` of the saved state.
    void applyScale(FormGeometry::Scale scale);

    TForm1 &m_form;
    bool m_active = false;
    bool m_returning = false; // left, but not yet back at the size it left
    QSize m_switchingTo; // empty once there
    FormGeometry m_layoutThere;
    QRect m_normalGeometry;
    Qt::WindowStates m_normalStates;
    FormGeometry m_normalLayout;
    std::vector<SavedControl> m_controls;
    std::vector<SavedFont> m_fonts;
    int m_itemHeight = 0;
    qreal m_pictureScale = 1;
};
