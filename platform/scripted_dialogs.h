#pragma once

#include "platform/dialogs.h"

#include <QStringList>

#include <deque>

// Answers the boxes from a script instead of asking anyone, and keeps what each box
// said. Used where nobody sits at the screen: tests and the screenshot tool.
class ScriptedDialogs : public Dialogs {
public:
    void showError(const QString &message) override { errors << errorBoxText(message); }
    bool askYesNo(const QString &title, const QString &text) override
    {
        questions << title + QLatin1Char('|') + text;
        return answerYes;
    }
    void showInformation(const QString &text) override { informations << text; }
    std::optional<QString> inputText(const QString &title, const QString &prompt,
                                     int maxLength) override
    {
        inputs << title + QLatin1Char('|') + prompt;
        lastInputMaxLength = maxLength;
        if (inputAnswers.empty())
            return std::nullopt;
        const bool accepted = inputAnswers.front().has_value();
        const QString answer = inputAnswers.front().value_or(QString());
        inputAnswers.pop_front();
        if (!accepted)
            return std::nullopt;
        return answer;
    }

    bool answerYes = true;
    std::deque<std::optional<QString>> inputAnswers; // nullopt answers Cancel
    int lastInputMaxLength = 0;
    QStringList errors, questions, informations, inputs;
};
