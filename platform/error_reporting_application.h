#pragma once

#include <QApplication>

// The program's application object. An exception that escapes the handling of
// any event (a control's key handler, a timer, a queued call) ends that handling
// and is shown in the error box through reportApplicationError; the program
// carries on. Nothing raised while an event is handled reaches std::terminate.
class ErrorReportingApplication : public QApplication {
    Q_OBJECT

public:
    ErrorReportingApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
