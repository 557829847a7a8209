#pragma once

#include <QString>

// Opens a text file in the desktop's text editor without waiting.
class EditorLauncher {
public:
    virtual ~EditorLauncher() = default;
    // Returns whether the editor could be started; callers may ignore it.
    virtual bool open(const QString &path) = 0;
};

// Starts the system's text editor on the file without waiting, the path passed as
// one argument with no shell in between: Notepad on Windows, the desktop's default
// handler (xdg-open) elsewhere.
class DesktopEditorLauncher : public EditorLauncher {
public:
    bool open(const QString &path) override;
};
