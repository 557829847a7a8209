#pragma once

#include <functional>

// A subscription to the desktop's colour changes (the application palette or
// the desktop theme changing while the program runs). While at least one
// subscription exists, one listener watches the application; on a change it
// calls the primary subscribers from the last subscribed to the first, then
// the others likewise. Pictures built from system colours subscribe as primary,
// so they are rebuilt before any control is told to repaint.
class TSystemPaletteChangedNotifier {
public:
    explicit TSystemPaletteChangedNotifier(bool primary = false);
    ~TSystemPaletteChangedNotifier();
    TSystemPaletteChangedNotifier(const TSystemPaletteChangedNotifier &) = delete;
    TSystemPaletteChangedNotifier &operator=(const TSystemPaletteChangedNotifier &) = delete;

    bool primary() const { return m_primary; }
    std::function<void()> OnSystemPaletteChanged;

    // Tells every subscriber, as a desktop colour change does.
    static void notifyAll();
    // Whether the listener exists (it lives only while someone subscribes).
    static bool listening();

private:
    bool m_primary;
};
