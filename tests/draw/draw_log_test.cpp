#include "draw/draw_log.h"

#include "draw/draw_error.h"
#include "draw/file_bytes.h"

#include "file_io.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

namespace {

// Stands in for SHA-256: the chain's rules do not depend on the hash itself.
std::string fakeSha256(std::string_view bytes)
{
    std::string hex;
    std::size_t h = std::hash<std::string_view>{}(bytes);
    while (hex.size() < 64) {
        char digits[17];
        std::snprintf(digits, sizeof digits, "%016zx", h);
        hex += digits;
        h = h * 1099511628211u + 1;
    }
    return hex;
}

const draw::Sha256Hex sha = fakeSha256;

std::string logOf(std::initializer_list<std::string_view> texts)
{
    std::string bytes(draw::kUtf8Mark);
    std::string previous = draw::kLogChainStart;
    for (const std::string_view text : texts) {
        const std::string line = draw::logLine(sha, previous, text);
        previous = line.substr(line.size() - 64);
        bytes += line + "\r\n";
    }
    return bytes;
}

TEST(DrawLog, AppendedLinesChainAndContinueAcrossRuns)
{
    TempFolder folder;
    const auto path = folder.path() / "log.txt";
    writeBytes(path, "");
    draw::DrawLog first(path, sha);
    first.append("t1\tA\tx=1");
    first.append("t2\tB");
    draw::DrawLog second(path, sha); // the next run goes on from the last line
    EXPECT_EQ(second.lastHash(), first.lastHash());
    second.append("t3\tC\tname=张三，李四");

    const std::string bytes = draw::readFileBytes(path);
    EXPECT_EQ(bytes, logOf({"t1\tA\tx=1", "t2\tB", "t3\tC\tname=张三，李四"}));
    const draw::LogCheck check = draw::checkLog(bytes, sha);
    EXPECT_TRUE(check.ok);
    EXPECT_EQ(check.entries, 3u);
    EXPECT_EQ(check.lastHash, second.lastHash());
}

TEST(DrawLog, CheckNamesTheFirstLineThatDoesNotMatch)
{
    const std::string good = logOf({"t1\tA", "t2\tB", "t3\tC", "t4\tD"});
    auto replaced = [&](std::string_view from, std::string_view to) {
        std::string bytes = good;
        bytes.replace(bytes.find(from), from.size(), to);
        return bytes;
    };
    auto lineOf = [&](std::string_view start) {
        const std::size_t at = good.find(start);
        return good.substr(at, good.find('\n', at) + 1 - at);
    };
    const struct {
        const char *what;
        std::string bytes;
        std::size_t badLine;
    } cases[] = {
        {"edited text", replaced("t2\tB", "t2\tX"), 2},
        {"deleted line", replaced(lineOf("t3"), ""), 3},
        {"swapped lines", replaced(lineOf("t1") + lineOf("t2"), lineOf("t2") + lineOf("t1")), 1},
        {"blank line", replaced(lineOf("t4"), "\r\n" + lineOf("t4")), 4},
        {"hash cut off", good.substr(0, good.size() - 3), 4},
    };
    for (const auto &c : cases) {
        const draw::LogCheck check = draw::checkLog(c.bytes, sha);
        EXPECT_FALSE(check.ok) << c.what;
        EXPECT_EQ(check.badLine, c.badLine) << c.what;
        EXPECT_EQ(check.entries, c.badLine - 1) << c.what;
        EXPECT_FALSE(check.problem.empty()) << c.what;
    }
    // Without the byte-order mark, with LF breaks or without a last break: still whole.
    std::string plain = good.substr(draw::kUtf8Mark.size());
    EXPECT_EQ(draw::checkLog(plain, sha).entries, 4u);
    EXPECT_EQ(draw::checkLog(plain.substr(0, plain.size() - 2), sha).entries, 4u);
    std::erase(plain, '\r');
    EXPECT_TRUE(draw::checkLog(plain, sha).ok);
    const draw::LogCheck empty = draw::checkLog("", sha);
    EXPECT_TRUE(empty.ok);
    EXPECT_EQ(empty.entries, 0u);
    EXPECT_EQ(empty.lastHash, draw::kLogChainStart);
}

TEST(DrawLog, FailedWriteThrowsAndKeepsTheChain)
{
    TempFolder folder;
    const auto path = folder.path() / "log.txt";
    writeBytes(path, "");
    draw::DrawLog log(path, sha);
    log.append("t1\tA");
    const std::string hash = log.lastHash();
    std::filesystem::remove(path);
    std::filesystem::create_directory(path); // cannot be opened for writing
    EXPECT_THROW(log.append("t2\tB"), draw::DrawError);
    EXPECT_EQ(log.lastHash(), hash);
    EXPECT_THROW(draw::DrawLog(folder.path() / "missing.txt", sha), draw::DrawError);
}

TEST(DrawLog, EventTextsShowGbkNamesAsUtf8)
{
    const std::string draw = draw::log_text::draw("T", "\xD2\xBB\xB5\xC8\xBD\xB1", "5", 128,
                                                  "\xD5\xC5\xC8\xFD\xA3\xAC\xC0\xEE\xCB\xC4");
    EXPECT_EQ(draw, "T\t抽奖\t奖项=一等奖\t本次选出=5\t抽前名单人数=128\t中奖者=张三，李四");
}

} // namespace
