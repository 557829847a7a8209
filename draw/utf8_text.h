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
    Utf8, // UTF-8 without a byte-order mark, told by what its lines mean
    Utf8WithMark, // starts with the UTF-8 byte-order mark
    Utf16LittleEndian, // starts with FF FE ("Unicode" in Windows tools)
    Utf16BigEndian, // starts with FE FF
    Mixed, // lines of both encodings, or a line valid in neither: not read
};

// How the bytes of a draw file are read:
// - starting with a byte-order mark (UTF-8, UTF-16 LE or BE): by the mark;
// - otherwise (bytes after a NUL are not read) each line is judged on its own
//   (line_encoding.h) and the file is UTF-8 when its lines that can only be, or
//   that mean, UTF-8 are at least as many as those that can only be GBK; GBK
//   when any line can only be GBK, and when nothing tells (ASCII, or names that
//   read as GBK and also as stray two-byte UTF-8 characters, which real GBK names
//   do); Mixed when a line is valid in neither, or belongs to the other encoding.
TextEncoding detectTextEncoding(std::string_view bytes);

// True when every byte belongs to a well-formed UTF-8 character (no overlong
// forms, surrogates, code points past U+10FFFF or cut-off sequences).
bool isValidUtf8(std::string_view bytes);

// The lines of a file's bytes as GBK (line rules of parseTextList): UTF-8 and
// UTF-16 lines converted, the byte-order mark dropped; GBK bytes unchanged. Throws
// DrawError naming `path`, each line number (counted from 1) and the characters
// GBK cannot hold; or, for a Mixed file, the first line that does not fit; nothing
// is converted partly.
TextList decodeTextList(std::string_view bytes, const std::filesystem::path &path);

} // namespace draw
