#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The draw log: one line per event of the draw, each closed by a hash over the
// previous line's hash and its own text, so that an edited, inserted or deleted
// line breaks the chain from there on. The file is UTF-8 with a byte-order mark,
// written for people and tools; the draw's own files stay GBK.
namespace draw {

// SHA-256 of the bytes as 64 lowercase hexadecimal digits.
using Sha256Hex = std::function<std::string(std::string_view)>;

// The hash the first line chains on.
inline const std::string kLogChainStart(64, '0');

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Hash of a line: SHA-256 over the previous line's hash followed by the line's text.
std::string chainHash(const Sha256Hex &sha256, std::string_view previousHash,
                      std::string_view text);

// The line as written, without its break: text, a tab, the chain hash.
std::string logLine(const Sha256Hex &sha256, std::string_view previousHash, std::string_view text);

struct LogCheck {
    bool ok = true;
    std::size_t entries = 0; // lines whose hash matched
    std::string lastHash; // of the last matching line; kLogChainStart for none
    std::size_t badLine = 0; // first line that does not match, counted from 1
    std::string problem; // why it does not match
};

// Walks the chain of a whole log file's bytes (the byte-order mark and one final
// line break are allowed; CR LF or LF end a line).
LogCheck checkLog(std::string_view bytes, const Sha256Hex &sha256);

// The texts of the logged events, UTF-8, fields separated by tabs: the time, the
// event, then its values. GBK names are converted for reading.
namespace log_text {
std::string runStart(std::string_view time, std::size_t rosterSize, std::string_view rosterSha256);
std::string draw(std::string_view time, std::string_view tierName, std::string_view groupSize,
                 std::size_t rosterSizeBefore, std::string_view winners);
std::string undo(std::string_view time, std::string_view tierName, std::string_view names);
std::string voided(std::string_view time, std::string_view tierName, std::string_view names);
std::string nameAdded(std::string_view time, std::string_view name);
std::string nameDeleted(std::string_view time, std::string_view name);
std::string exported(std::string_view time, std::size_t rosterSize, std::string_view file);
} // namespace log_text

// An open draw log, appending to the file it was opened on.
class DrawLog {
public:
    // Continues the chain of the file at `path`: its last line's hash (the start
    // hash for an empty file). Throws DrawError when the file cannot be read.
    DrawLog(std::filesystem::path path, Sha256Hex sha256);

    // Appends one line for `text` (a text of log_text) and flushes it to the
    // system before returning; an empty file first gets the byte-order mark. Throws
    // DrawError when it cannot be written; the chain then stays where it was.
    void append(std::string_view text);

    const std::string &lastHash() const { return m_lastHash; }

private:
    std::filesystem::path m_path;
    Sha256Hex m_sha256;
    std::string m_lastHash;
    bool m_empty = true;
    bool m_cutShort = false; // a failed write may have left part of a line
};

} // namespace draw
