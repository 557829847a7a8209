#pragma once

#include "platform/editor_launch.h"
#include "platform/sound.h"

// Stand-ins for the desktop where the tools run headless: no sound, no editor.
class SilentSound : public SoundPlayer {
public:
    void play(const QString &) override {}
};

class NoEditor : public EditorLauncher {
public:
    bool open(const QString &) override { return false; }
};
