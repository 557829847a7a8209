#pragma once

#include "platform/application_error.h"

#include <QStringList>

// The application's error reporter while it lives: records each message
// instead of showing the error box.
class ReportedErrors {
public:
    ReportedErrors()
    {
        setApplicationErrorReporter([this](const QString &message) { m_messages << message; });
    }
    ~ReportedErrors() { setApplicationErrorReporter({}); }
    ReportedErrors(const ReportedErrors &) = delete;
    ReportedErrors &operator=(const ReportedErrors &) = delete;

    const QStringList &messages() const { return m_messages; }

private:
    QStringList m_messages;
};
