#pragma once

#include <stdexcept>

namespace draw {

// Every failure of the draw layer. what() is UTF-8 text, ready for the error box;
// GBK data quoted in a message has been converted for display.
class DrawError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A UTF-8 draw file holding characters GBK cannot store. Nothing may be written from
// such a start: the window stops before the resume question.
class UnconvertibleTextError : public DrawError {
public:
    using DrawError::DrawError;
};

} // namespace draw
