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
    // Every role its own value, so a control that draws with the wrong role
    // shows in a pixel test. The roles that carry the desktop's system colours
    // keep their classic values.
    both(QPalette::Window, QColor(0xE8, 0xE8, 0xE8)); // RGB 232,232,232
    both(QPalette::Button, QColor(0xF0, 0xF0, 0xF0)); // RGB 240,240,240 (clBtnFace)
    both(QPalette::Base, QColor(0xFF, 0xFF, 0xFF)); // RGB 255,255,255 (clWindow)
    both(QPalette::AlternateBase, QColor(0xF5, 0xF5, 0xF0)); // RGB 245,245,240
    both(QPalette::WindowText, QColor(0x00, 0x00, 0x00)); // RGB 0,0,0 (clWindowText)
    both(QPalette::Text, QColor(0x20, 0x20, 0x20)); // RGB 32,32,32
    both(QPalette::ButtonText, QColor(0x10, 0x10, 0x10)); // RGB 16,16,16 (clBtnText)
    both(QPalette::BrightText, QColor(0xFF, 0xF0, 0xF0)); // RGB 255,240,240
    both(QPalette::PlaceholderText, QColor(0x80, 0x80, 0x70)); // RGB 128,128,112
    both(QPalette::Highlight, QColor(0x33, 0x99, 0xFF)); // RGB 51,153,255 (clHighlight)
    both(QPalette::HighlightedText, QColor(0xFF, 0xFF, 0xF5)); // RGB 255,255,245
    both(QPalette::Link, QColor(0x00, 0x66, 0xCC)); // RGB 0,102,204
    both(QPalette::LinkVisited, QColor(0x80, 0x00, 0x80)); // RGB 128,0,128
    both(QPalette::Light, QColor(0xFA, 0xFA, 0xFA)); // RGB 250,250,250 (clBtnHighlight)
    both(QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3)); // RGB 227,227,227 (cl3DLight)
    both(QPalette::Mid, QColor(0xB4, 0xB4, 0xB4)); // RGB 180,180,180
    both(QPalette::Dark, QColor(0xA0, 0xA0, 0xA0)); // RGB 160,160,160 (clBtnShadow)
    both(QPalette::Shadow, QColor(0x69, 0x69, 0x69)); // RGB 105,105,105 (cl3DDkShadow)
    both(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1)); // RGB 255,255,225 (clInfoBk)
    both(QPalette::ToolTipText, QColor(0x30, 0x30, 0x30)); // RGB 48,48,48 (clInfoText)
    // Greyed text (clGrayText).
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
