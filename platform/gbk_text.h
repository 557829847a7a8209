#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// The display edge: GBK draw data to text on screen and back.
QString fromGbk(std::string_view gbk);

// Text typed by the operator to GBK; nullopt when it holds a character GBK cannot
// hold, with those characters in `unencodable` (if given).
std::optional<std::string> toGbk(const QString &text, QString *unencodable = nullptr);
