#pragma once

#include "platform/editor_launch.h"
#include "platform/fonts.h"
#include "platform/scripted_dialogs.h"
#include "platform/sound.h"
#include "window/form_services.h"

#include <QApplication>

#include <functional>

// Stand-ins for the desktop where the tools run headless: no sound, no editor.
class SilentSound : public SoundPlayer {
public:
    void play(const QString &) override {}
};

class NoEditor : public EditorLauncher {
public:
    bool open(const QString &) override { return false; }
};

// The opening every tool shares: off screen unless QT_QPA_PLATFORM names a
// platform, and the window's font substitutions.
class ToolApplication : public QApplication {
public:
    ToolApplication(int &argc, char **argv) : QApplication((offscreenUnlessAsked(), argc), argv)
    {
        installFontSubstitutions();
    }

private:
    static int offscreenUnlessAsked()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return 0;
    }
};

// The desktop a tool's window is given: scripted boxes, silence, no editor.
struct HeadlessDesktop {
    ScriptedDialogs dialogs;
    SilentSound sound;
    NoEditor editor;

    FormServices services(int screenWidth)
    {
        return FormServices{&dialogs, &sound, &editor, [screenWidth] { return screenWidth; }, {}};
    }
};
