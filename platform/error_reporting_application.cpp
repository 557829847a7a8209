#include "platform/error_reporting_application.h"

#include "platform/application_error.h"

#include <exception>

namespace {

void report(const QString &message)
{
    // The box itself must not throw out of the dispatch either.
    try {
        reportApplicationError(message);
    } catch (const std::exception &e) {
        qWarning("%s", e.what());
    } catch (...) {
        qWarning("%s", qPrintable(message));
    }
}

} // namespace

ErrorReportingApplication::ErrorReportingApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool ErrorReportingApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        report(QString::fromUtf8(e.what()));
    } catch (...) {
        report(QStringLiteral("Unknown exception"));
    }
    return false;
}
