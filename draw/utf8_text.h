#pragma once

#include "draw/text_file.h"

#include <filesystem>
#include <string_view>

// Draw files as people save them today: editors and spreadsheet exports write
// UTF-8, the draw handles GBK. A file is told apart at the reading edge and its
// lines are converted to GBK in memory; files the program writes stay GBK.
namespace draw {

enum class TextEncoding {
    Gbk, // read as the bytes stand
    Utf8, // valid UTF-8 that reads as UTF-8 (see detectTextEncoding)
    Utf8WithMark, // starts with the UTF-8 byte-order mark
};

// How the bytes of a draw file are read (bytes after a NUL are not read at all):
// - starting with the byte-order mark EF BB BF: UTF-8;
// - not valid UTF-8, or plain ASCII: GBK, exactly as before;
// - valid UTF-8 with a multi-byte character that is not valid GBK: UTF-8;
// - valid both ways: UTF-8 only when characters of three or four bytes (Chinese
//   is three bytes a character in UTF-8) outnumber two-byte ones. GBK text that
//   happens to be valid UTF-8 pairs up into two-byte sequences (a GBK lead byte
//   C2-DF with a trail byte 80-BF, e.g. 谢伟 D0BB CEB0 reads as Cyrillic and
//   Greek "лΰ"), so such a file stays GBK rather than silently turn into other
//   names. A file of only accented Latin or Cyrillic text in UTF-8 without a
//   byte-order mark therefore reads as GBK; saving it with the mark fixes that.
TextEncoding detectTextEncoding(std::string_view bytes);

// True when every byte belongs to a well-formed UTF-8 character (no overlong
// forms, surrogates, code points past U+10FFFF or cut-off sequences).
bool isValidUtf8(std::string_view bytes);

// The lines of a file's bytes as GBK (line rules of parseTextList): UTF-8 lines
// converted, the byte-order mark dropped; GBK bytes unchanged. Throws DrawError
// naming `path`, each line number (counted from 1) and the characters GBK
// cannot hold; nothing is converted partly.
TextList decodeTextList(std::string_view bytes, const std::filesystem::path &path);

} // namespace draw
