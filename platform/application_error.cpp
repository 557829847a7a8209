#include "platform/application_error.h"

#include "platform/dialogs.h"

#include <exception>

namespace {

ApplicationErrorReporter &reporter()
{
    static ApplicationErrorReporter current;
    return current;
}

} // namespace

void setApplicationErrorReporter(ApplicationErrorReporter value)
{
    reporter() = std::move(value);
}

void reportApplicationError(const QString &message)
{
    if (reporter()) {
        reporter()(message);
        return;
    }
    ModalDialogs().showError(message);
}

void reportCurrentException() noexcept
{
    QString message = QStringLiteral("Unknown exception");
    try {
        throw;
    } catch (const std::exception &e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
    }
    // The box itself must not raise out of a handler either.
    try {
        reportApplicationError(message);
    } catch (const std::exception &e) {
        qWarning("%s", e.what());
    } catch (...) {
        qWarning("%s", qPrintable(message));
    }
}
