#pragma once

#include "draw/rolling_pick.h"

#include <functional>

class Dialogs;
class SoundPlayer;
class EditorLauncher;

// What the window needs from the desktop, given from outside so tests can answer
// the boxes, hear no sound and choose the screen width and the clock.
struct FormServices {
    Dialogs *dialogs = nullptr;
    SoundPlayer *sound = nullptr;
    EditorLauncher *editor = nullptr;
    std::function<int()> screenWidth; // width of the primary screen in pixels
    draw::SeedSource seed; // reseed of every rolling pick
};
