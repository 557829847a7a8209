#pragma once

#include <QRect>

class TForm1;

// The main window's layout data: every control with its class, parent, bounds at
// design (96 pixels per inch), placement, tab order and visibility, in creation order.
namespace layout {

enum class Kind {
    Panel,
    Label,
    LookRadioButton,
    LookGroupBox,
    FlatButton,
    NumberEdit,
    Image,
    ListBox,
    FlatPanel,
    StatusBar,
};

enum class Placement {
    LeftTop, // anchored left and top: never moved by resizing
    AlignTop,
    AlignBottom,
    AlignClient, // fills the rest
    AlignRight,
    AnchorRight, // anchored right only
    NotAnchored, // centre keeps its place as a fraction of the parent's size
};

struct ControlRow {
    const char *name;
    Kind kind;
    const char *parent;
    QRect bounds;
    Placement placement;
    int tabOrder; // -1 for graphic controls
    bool visible;
};

inline constexpr QSize kDesignClientSize(932, 673);

const ControlRow *controlRows(int *count);
const ControlRow &row(const char *name);
QRect designBounds(const char *name);

// Creates every control of the window from the rows above and gives it its fonts,
// colours, captions, hints and settings.
void build(TForm1 &form);

} // namespace layout
