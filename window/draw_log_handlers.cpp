// The draw log: opened when the draw folder holds its file, one line per event.
#include "window/unit1.h"

#include "draw/draw_error.h"
#include "draw/draw_folder.h"
#include "draw/file_bytes.h"
#include "draw/utf8_path.h"
#include "platform/application_error.h"
#include "platform/dialogs.h"
#include "platform/sha256.h"

#include <QDateTime>
#include <QTimer>

#include <filesystem>

namespace {

// Local time with its offset from UTC, so a line reads the same anywhere.
std::string logTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    return now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODate).toStdString();
}

} // namespace

void TForm1::openDrawLog()
{
    // A folder made without the log keeps none.
    std::error_code error;
    if (!std::filesystem::exists(draw::utf8Path(draw::files::kDrawLog), error))
        return;
    try {
        m_log.emplace(draw::utf8Path(draw::files::kDrawLog), sha256Hex);
    } catch (const draw::DrawError &e) {
        reportLogFailure(e);
    }
}

void TForm1::reportLogFailure(const std::exception &failure)
{
    if (m_logFailureShown)
        return;
    m_logFailureShown = true;
    // Shown once the handler is done: the draw and its record never wait on the log.
    const QString message = QString::fromUtf8(failure.what());
    QTimer::singleShot(0, this, [message] { reportApplicationError(message); });
}

void TForm1::logRunStart()
{
    std::string rosterHash;
    try {
        rosterHash = sha256Hex(draw::readFileBytes(draw::utf8Path(draw::files::kRoster)));
    } catch (const draw::DrawError &) {
        rosterHash = "-"; // no roster file: the run starts with an empty roster
    }
    const std::size_t size = m_state.roster.size();
    logEvent(
        [&](std::string_view time) { return draw::log_text::runStart(time, size, rosterHash); });
}

void TForm1::logEvent(const std::function<std::string(std::string_view time)> &text)
{
    if (!m_log)
        return;
    try {
        m_log->append(text(logTime()));
    } catch (const draw::DrawError &e) {
        reportLogFailure(e);
    }
}
