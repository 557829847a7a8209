#pragma once

// GBK bytes of the names the tests use (the UTF-8 text in the comment).
inline constexpr const char *kZhangSan = "\xD5\xC5\xC8\xFD"; // 张三
inline constexpr const char *kLiSi = "\xC0\xEE\xCB\xC4"; // 李四
inline constexpr const char *kWangWu = "\xCD\xF5\xCE\xE5"; // 王五
inline constexpr const char *kZhaoLiu = "\xD5\xD4\xC1\xF9"; // 赵六
inline constexpr const char *kComma = "\xA3\xAC"; // ，
inline constexpr const char *kGrandPrize = "\xCC\xD8\xB5\xC8\xBD\xB1"; // 特等奖
inline constexpr const char *kFirstPrize = "\xD2\xBB\xB5\xC8\xBD\xB1"; // 一等奖
