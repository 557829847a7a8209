#pragma once

// Pointer state of a glyph. The radio glyph images exist for gsNormal … gsDisabled.
enum TGlyphState { gsDefault = 0, gsNormal = 1, gsHot = 2, gsPressed = 3, gsDisabled = 4 };
