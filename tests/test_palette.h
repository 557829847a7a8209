#pragma once

#include <QPalette>

// The classic desktop colours every test runs with, so pixel tests come out
// the same on any desktop.
QPalette classicDesktopPalette();

// Puts the classic desktop colours back (after a test changed them).
void installClassicDesktopPalette();
