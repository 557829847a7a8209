#pragma once

#include <QString>

// Opens a text file in the desktop's text editor without waiting.
class EditorLauncher {
public:
    virtual ~EditorLauncher() = default;
    // Returns whether the editor could be started; callers may ignore it.
    virtual bool open(const QString &path) = 0;
};

// Starts the desktop's default handler for the file (xdg-open), the path passed
// as one argument with no shell in between.
class DesktopEditorLauncher : public EditorLauncher {
public:
    bool open(const QString &path) override;
};
