#pragma once

#include "platform/dialogs.h"

#include <QStringList>

#include <deque>
#include <functional>

// Answers the boxes from a script instead of asking anyone, and keeps what each box
// said. Used where nobody sits at the screen: tests and the screenshot tool.
class ScriptedDialogs : public Dialogs {
public:
    void showError(const QString &message) override { errors << errorBoxText(message); }
    DialogAnswer askYesNo(const QString &title, const QString &text) override
    {
        questions << title + QLatin1Char('|') + text;
        if (onQuestion)
            onQuestion();
        if (!yesNoAnswers.empty()) {
            const DialogAnswer answer = yesNoAnswers.front();
            yesNoAnswers.pop_front();
            return answer;
        }
        return answerYes ? DialogAnswer::Yes : DialogAnswer::No;
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

    std::optional<QList<int>> chooseItems(const QString &title, const QString &prompt,
                                          const QStringList &items) override
    {
        choices << title + QLatin1Char('|') + prompt;
        lastChoiceItems = items;
        if (choiceAnswers.empty())
            return std::nullopt;
        const std::optional<QList<int>> answer = choiceAnswers.front();
        choiceAnswers.pop_front();
        return answer;
    }

    bool answerYes = true; // once yesNoAnswers is used up
    std::deque<DialogAnswer> yesNoAnswers;
    std::function<void()> onQuestion; // runs as each question is asked
    std::deque<std::optional<QString>> inputAnswers; // nullopt answers Cancel
    int lastInputMaxLength = 0;
    std::deque<std::optional<QList<int>>> choiceAnswers; // rows picked; nullopt answers Cancel
    QStringList lastChoiceItems;
    QStringList errors, questions, informations, inputs, choices;
};
