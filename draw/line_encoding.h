#pragma once

#include <string_view>

// How one line of a draw file reads, judged by what it means, not only by which
// byte sequences it holds: many lines are valid both as UTF-8 and as GBK.
namespace draw {

enum class LineEncoding {
    Ascii, // reads the same either way
    Utf8, // UTF-8: not valid GBK, or valid both ways but UTF-8 makes the sense
    Gbk, // valid GBK and not valid UTF-8
    Either, // valid both ways with nothing to tell them apart; GBK unless the file says otherwise
    Neither, // valid neither way
};

// Valid both ways, a line is UTF-8 when UTF-8 reads it as Chinese (or any
// character of three or four bytes) and GBK reads it with a character rare in
// names, or when UTF-8 reads it as words of Latin letters with accents ("René",
// "Müller"): GBK reads UTF-8 Chinese as pairs of rare characters and "René" as
// "Ren茅", while real GBK names rarely line up into valid UTF-8 at all, and when
// they do, mostly into two-byte characters of mixed scripts (谢伟 reads "лΰ").
LineEncoding judgeLineEncoding(std::string_view line);

// Whether the bytes are well-formed code page 936: ASCII, 80 and FF alone, or a
// lead byte 81-FE with a trail byte 40-7E or 80-FE.
bool isValidGbk(std::string_view bytes);

} // namespace draw
