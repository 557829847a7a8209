#pragma once

#include <Qt>

class QWidget;

// Settings every published control shares with the platform's controls,
// kept in one place for the controls of different bases.

// Whether the control's font follows its parent's (no font set on it).
bool followsParentFont(const QWidget *control);
// True: drop the control's own font and follow the parent's again; false:
// keep the font it shows now as its own.
void setFollowsParentFont(QWidget *control, bool follow);

// The control's own Enabled setting, not the effective state: a control
// inside a disabled container still reads True.
bool ownEnabled(const QWidget *control);
// For an enabledChanged signal: true when the own Enabled setting differs
// from notified, which then takes it. Called after every write of Enabled and
// at every EnabledChange (a write Qt makes no event of, inside a disabled
// container, is seen at the next write).
bool ownEnabledMoved(const QWidget *control, bool &notified);

// The control's own Visible setting: a control inside a hidden container
// still reads True.
bool ownVisible(const QWidget *control);

// Whether the Tab key stops at the control.
bool hasTabStop(const QWidget *control);
// Without a tab stop the control keeps the focus policy withoutTabStop
// (NoFocus, or ClickFocus where a click still focuses it).
void setTabStop(QWidget *control, bool value, Qt::FocusPolicy withoutTabStop);

// Hint settings: while ParentShowHint is set, ShowHint is the parent's
// (read through its "ShowHint" property; false where the parent has none);
// setting ShowHint clears ParentShowHint.
struct HintSetting {
    bool showHint = false;
    bool parentShowHint = true;

    bool shows(const QWidget *control) const;
    void setShows(bool value)
    {
        showHint = value;
        parentShowHint = false;
    }
};
