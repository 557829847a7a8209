#pragma once

#include <QProxyStyle>

// Hint timing of the desktop the program was designed for: a hint shows after the
// pointer rests 500 ms and goes after 2500 ms, on the tool-tip colour.
class HintStyle : public QProxyStyle {
public:
    static constexpr int kShowDelayMs = 500;
    static constexpr int kHideDelayMs = 2500;

    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    void polish(QPalette &palette) override;
    using QProxyStyle::polish;
};

class QHelpEvent;
class QWidget;

// Shows `widget`'s hint for the help event, for kHideDelayMs. Returns false when
// the widget has no hint.
bool showHint(QWidget *widget, const QHelpEvent &event);
