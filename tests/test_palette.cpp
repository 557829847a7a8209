#include "test_palette.h"

#include <QCoreApplication>
#include <QGuiApplication>

QPalette classicDesktopPalette()
{
    QPalette p(QColor(0xF0, 0xF0, 0xF0)); // RGB 240,240,240
    auto both = [&](QPalette::ColorRole role, QColor c) {
        p.setColor(QPalette::Active, role, c);
        p.setColor(QPalette::Inactive, role, c);
        p.setColor(QPalette::Disabled, role, c);
    };
    both(QPalette::Window, QColor(0xF0, 0xF0, 0xF0)); // RGB 240,240,240
    both(QPalette::Button, QColor(0xF0, 0xF0, 0xF0)); // RGB 240,240,240
    both(QPalette::Base, QColor(0xFF, 0xFF, 0xFF)); // RGB 255,255,255
    both(QPalette::WindowText, QColor(0x00, 0x00, 0x00)); // RGB 0,0,0
    both(QPalette::Text, QColor(0x00, 0x00, 0x00)); // RGB 0,0,0
    both(QPalette::ButtonText, QColor(0x00, 0x00, 0x00)); // RGB 0,0,0
    both(QPalette::Highlight, QColor(0x33, 0x99, 0xFF)); // RGB 51,153,255
    both(QPalette::HighlightedText, QColor(0xFF, 0xFF, 0xFF)); // RGB 255,255,255
    both(QPalette::Dark, QColor(0xA0, 0xA0, 0xA0)); // RGB 160,160,160
    both(QPalette::Light, QColor(0xFF, 0xFF, 0xFF)); // RGB 255,255,255
    both(QPalette::Shadow, QColor(0x69, 0x69, 0x69)); // RGB 105,105,105
    both(QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3)); // RGB 227,227,227
    both(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1)); // RGB 255,255,225
    both(QPalette::ToolTipText, QColor(0x00, 0x00, 0x00)); // RGB 0,0,0
    // Greyed text.
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x6D, 0x6D, 0x6D)); // RGB 109,109,109
    return p;
}

void installClassicDesktopPalette()
{
    QGuiApplication::setPalette(classicDesktopPalette());
}

namespace {

void installAtStart()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        installClassicDesktopPalette();
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installAtStart)
