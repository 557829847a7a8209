#include "platform/application_error.h"

#include "platform/dialogs.h"

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
