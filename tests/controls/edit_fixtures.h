#pragma once

#include "controls/edit_number.h"

#include <QFont>
#include <QLineEdit>
#include <QLocale>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTest>
#include <QWidget>

#include <optional>

// Sets edit up as the window sets its group-size field: an up/down button as
// wide as on the designed desktop (16-pixel font, 17-pixel scroll bars), flat,
// limits 1 and 999.
inline void setUpAsGroupSize(TDBNumberEdit *edit)
{
    edit->editButton()->setStyle(EditTools::ebsUpDown);
    edit->editButton()->setVisible(true);
    edit->editButton()->setWidth(FlatButtonWidth(16, 17));
    edit->setFlat(true);
    edit->setMinValue(1);
    edit->setMaxValue(999);
}

// Where a GroupSizeField's window and controls stand; the defaults are the
// window's field, 44 x 22 pixels in a bold 16-pixel font.
struct GroupSizeFieldLayout {
    QSize window{200, 80};
    QRect other{100, 40, 80, 20};
    QRect edit{10, 10, 44, 22};
    bool bold = true;
    // The window's locale, when not the desktop's.
    std::optional<QLocale> locale;
};

// SpinEdit1 as the window sets it up (value 5), next to another control to
// move the focus to, in a shown window that is active when active is true.
struct GroupSizeField {
    QWidget parent;
    TDBNumberEdit *edit = nullptr;
    QLineEdit *other = nullptr;
    bool active = false;

    explicit GroupSizeField(const GroupSizeFieldLayout &layout = {})
    {
        parent.resize(layout.window);
        if (layout.locale)
            parent.setLocale(*layout.locale);
        other = new QLineEdit(&parent);
        other->setGeometry(layout.other);
        edit = new TDBNumberEdit(&parent);
        edit->setGeometry(layout.edit);
        QFont font;
        font.setPixelSize(16);
        font.setBold(layout.bold);
        edit->setFont(font);
        setUpAsGroupSize(edit);
        edit->setCtl3D(true);
        edit->setValue(5);
        parent.show();
        parent.activateWindow();
        active = QTest::qWaitForWindowActive(&parent);
        other->setFocus();
    }

    void enter() { edit->setFocus(Qt::TabFocusReason); }
    void leave() { other->setFocus(Qt::TabFocusReason); }
    QLineEdit *line() const { return edit->lineEdit(); }
};

// The message of the Exception that run raises (UTF-8), or "(nothing raised)";
// another kind of exception passes on and fails the test.
template<class Exception, class Run> QString raisedMessage(const Run &run)
{
    try {
        run();
    } catch (const Exception &error) {
        return QString::fromUtf8(error.what());
    }
    return QStringLiteral("(nothing raised)");
}
