#pragma once

#include <string>
#include <string_view>

// SHA-256 of the bytes as 64 lowercase hexadecimal digits (draw::Sha256Hex).
std::string sha256Hex(std::string_view bytes);
