#pragma once

// Asks the X server, where the program runs on one, to send a held key as repeated
// presses and one release rather than as release/press pairs, so a release always
// means the key went up. Returns whether the server agreed; elsewhere it does nothing
// and returns false.
bool enableDetectableAutoRepeat();
