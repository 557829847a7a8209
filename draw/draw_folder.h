#pragma once

// Where the draw keeps its files, relative to the working folder.
namespace draw::files {

inline constexpr const char *kDrawFolder = "抽奖名单";
inline constexpr const char *kRoster = "抽奖名单/抽奖名单.txt";
inline constexpr const char *kBasicConfiguration = "抽奖名单/基础配置.ini";
inline constexpr const char *kPrizeNames = "抽奖名单/奖项设置.ini";
inline constexpr const char *kWinnersRecord = "抽奖名单/获奖记录.txt";
// The draw log; kept only when the draw folder holds the file.
inline constexpr const char *kDrawLog = "抽奖名单/抽奖日志.txt";
inline constexpr const char *kRosterExport = "导出的名单.txt";

// Lines of the basic configuration that are read.
inline constexpr int kBackgroundLine = 1;
inline constexpr int kHeadlineLine = 3;
inline constexpr int kTierCountLine = 5;

} // namespace draw::files
