#pragma once

#include "platform/forms/Dialogs.h"

#include <QStringList>

#include <optional>

// Answers input boxes from a script (a text to confirm, or nullopt to cancel) and keeps
// every prompt and message shown.
class ScriptedDialogs : public platform::Dialogs {
public:
    QList<std::optional<QString>> answers;
    QStringList prompts;
    QStringList messages;

    QString InputBox(const QString &prompt, const QString &title) override
    {
        prompts << prompt + QLatin1Char('|') + title;
        const std::optional<QString> answer =
            answers.isEmpty() ? std::nullopt : answers.takeFirst();
        return answer.value_or(QString());
    }
    void MsgBox(const QString &prompt, const QString &) override { messages << prompt; }
};
