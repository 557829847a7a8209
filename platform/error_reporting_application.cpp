#include "platform/error_reporting_application.h"

#include "platform/application_error.h"

ErrorReportingApplication::ErrorReportingApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool ErrorReportingApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportCurrentException();
    }
    return false;
}
