#include "draw/draw_log.h"

#include "draw/utf8_path.h"

#include "draw/draw_error.h"
#include "draw/file_bytes.h"
#include "draw/gbk_codec.h"

#include <cerrno>
#include <fstream>
#include <system_error>
#include <utility>

namespace draw {

namespace {

bool isHash(std::string_view text)
{
    if (text.size() != 64)
        return false;
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

// The lines of a log file: after the byte-order mark, each ended by LF or CR LF;
// text after the last break is a line too.
std::vector<std::string_view> logLines(std::string_view bytes)
{
    if (bytes.starts_with(kUtf8Mark))
        bytes.remove_prefix(kUtf8Mark.size());
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

std::string field(std::string_view key, std::string_view value)
{
    std::string f = "\t";
    f += key;
    f += '=';
    f += value;
    return f;
}

std::string event(std::string_view time, std::string_view name)
{
    std::string text(time);
    text += '\t';
    text += name;
    return text;
}

} // namespace

std::string chainHash(const Sha256Hex &sha256, std::string_view previousHash, std::string_view text)
{
    std::string bytes(previousHash);
    bytes += text;
    return sha256(bytes);
}

std::string logLine(const Sha256Hex &sha256, std::string_view previousHash, std::string_view text)
{
    std::string line(text);
    line += '\t';
    line += chainHash(sha256, previousHash, text);
    return line;
}

LogCheck checkLog(std::string_view bytes, const Sha256Hex &sha256)
{
    LogCheck check;
    check.lastHash = kLogChainStart;
    const std::vector<std::string_view> lines = logLines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::size_t tab = line.rfind('\t');
        const std::string_view hash =
            tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
        if (!isHash(hash)) {
            check.problem = "no chain hash at the end of the line";
        } else if (hash != chainHash(sha256, check.lastHash, line.substr(0, tab))) {
            check.problem = "the hash does not match the line and the one before it";
        } else {
            ++check.entries;
            check.lastHash = std::string(hash);
            continue;
        }
        check.ok = false;
        check.badLine = i + 1;
        break;
    }
    return check;
}

namespace log_text {

std::string runStart(std::string_view time, std::size_t rosterSize, std::string_view rosterSha256)
{
    return event(time, "开始运行") + field("名单人数", std::to_string(rosterSize)) +
        field("名单文件SHA-256", rosterSha256);
}

std::string draw(std::string_view time, std::string_view tierName, std::string_view groupSize,
                 std::size_t rosterSizeBefore, std::string_view winners)
{
    return event(time, "抽奖") + field("奖项", gbkToUtf8(tierName)) +
        field("本次选出", gbkToUtf8(groupSize)) +
        field("抽前名单人数", std::to_string(rosterSizeBefore)) +
        field("中奖者", gbkToUtf8(winners));
}

std::string undo(std::string_view time, std::string_view tierName, std::string_view names)
{
    return event(time, "撤销抽奖") + field("奖项", gbkToUtf8(tierName)) +
        field("退回名单", gbkToUtf8(names));
}

std::string voided(std::string_view time, std::string_view tierName, std::string_view names)
{
    return event(time, "作废中奖者") + field("奖项", gbkToUtf8(tierName)) +
        field("作废", gbkToUtf8(names));
}

std::string nameAdded(std::string_view time, std::string_view name)
{
    return event(time, "添加名单") + field("名字", gbkToUtf8(name));
}

std::string nameDeleted(std::string_view time, std::string_view name)
{
    return event(time, "删除名单") + field("名字", gbkToUtf8(name));
}

std::string exported(std::string_view time, std::size_t rosterSize, std::string_view file)
{
    return event(time, "导出名单") + field("人数", std::to_string(rosterSize)) +
        field("文件", file);
}

} // namespace log_text

DrawLog::DrawLog(std::filesystem::path path, Sha256Hex sha256)
    : m_path(std::move(path)), m_sha256(std::move(sha256)), m_lastHash(kLogChainStart)
{
    const std::string bytes = readFileBytes(m_path);
    m_empty = bytes.empty();
    // The chain goes on from the last line as it stands; a break earlier in the file
    // is for the checking tool to name.
    const std::vector<std::string_view> lines = logLines(bytes);
    if (!lines.empty()) {
        const std::string_view last = lines.back();
        const std::size_t tab = last.rfind('\t');
        if (tab != std::string_view::npos && isHash(last.substr(tab + 1)))
            m_lastHash = std::string(last.substr(tab + 1));
    }
}

void DrawLog::append(std::string_view text)
{
    if (m_cutShort) {
        // What an earlier failed write left, if anything, is ended first, so this
        // line stands alone.
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(m_path, error);
        m_empty = !error && size == 0;
    }
    std::string bytes = m_empty ? std::string(kUtf8Mark) : std::string();
    if (m_cutShort && !m_empty)
        bytes += "\r\n";
    const std::string line = logLine(m_sha256, m_lastHash, text);
    bytes += line;
    bytes += "\r\n";
    errno = 0;
    std::ofstream out(m_path, std::ios::binary | std::ios::app);
    if (out)
        out.write(bytes.data(), std::streamsize(bytes.size()));
    if (out)
        out.flush();
    if (!out) {
        m_cutShort = true;
        const int error = errno ? errno : EIO;
        throw DrawError("Cannot write the draw log \"" + pathText(m_path) + "\". " +
                        std::generic_category().message(error));
    }
    m_empty = false;
    m_cutShort = false;
    m_lastHash = line.substr(line.size() - 64);
}

} // namespace draw
