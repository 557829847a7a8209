#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace draw {

// GBK bytes (Windows code page 936, user-defined areas as private-use characters)
// to UTF-8 for display. Bytes that are not valid GBK show as U+FFFD, one for each
// byte; the GBK bytes themselves are never changed.
std::string gbkToUtf8(std::string_view gbk);

struct GbkEncoding {
    std::string bytes; // the GBK bytes of every character that has one
    std::vector<char32_t> unencodable; // characters GBK cannot hold, in text order
    bool ok() const { return unencodable.empty(); }
};

// UTF-8 text typed by the operator to GBK; characters without a GBK form are
// reported, never replaced silently.
GbkEncoding utf8ToGbk(std::string_view utf8);

} // namespace draw
