// The draw log's chain check on any bytes, and on the same lines chained afresh.
#include "draw/draw_log.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Cheap and deterministic: the check's rules do not depend on the hash itself.
std::string fakeSha256(std::string_view bytes)
{
    std::uint64_t h = 1469598103934665603u;
    for (const char c : bytes)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211u;
    std::string hex;
    while (hex.size() < 64) {
        hex += "0123456789abcdef"[h & 15u];
        h = h * 6364136223846793005u + 1442695040888963407u;
    }
    return hex;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const draw::LogCheck check = draw::checkLog(bytes, fakeSha256);
    FUZZ_CHECK(check.ok == (check.badLine == 0));
    FUZZ_CHECK(check.lastHash.size() == 64);
    if (!check.ok)
        FUZZ_CHECK(check.badLine == check.entries + 1 && !check.problem.empty());

    // Every line (CR and LF taken out, so each stays one line) chained afresh
    // checks whole, line for line; one leading byte-order mark is not a line's.
    std::string_view rest = bytes;
    if (rest.starts_with(draw::kUtf8Mark))
        rest.remove_prefix(draw::kUtf8Mark.size());
    std::string relogged(draw::kUtf8Mark);
    std::string previous = draw::kLogChainStart;
    std::size_t lines = 0;
    std::string text;
    for (std::size_t i = 0; i <= rest.size(); ++i) {
        if (i < rest.size() && rest[i] != '\n') {
            if (rest[i] != '\r')
                text += rest[i];
            continue;
        }
        const std::string line = draw::logLine(fakeSha256, previous, text);
        previous = line.substr(line.size() - 64);
        relogged += line + "\r\n";
        ++lines;
        text.clear();
    }
    const draw::LogCheck whole = draw::checkLog(relogged, fakeSha256);
    FUZZ_CHECK(whole.ok && whole.entries == lines && whole.lastHash == previous);
    return 0;
}
