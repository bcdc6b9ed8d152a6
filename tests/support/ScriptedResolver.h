#pragma once

#include "platform/dns/NameServerLookup.h"

#include <QRegularExpression>
#include <QStringList>

#include <map>

// Answers when the test says so, to every question for the name, dropped ones too (late replies).
class ScriptedResolver : public platform::NameServerLookup {
public:
    using Reply = platform::DnsAnswer::Reply;

    Ticket ask(const QString &name, Answered answered) override
    {
        m_questions[++m_last] = {name, std::move(answered)};
        m_order.push_back(m_last);
        return m_last;
    }
    void drop(Ticket ticket) override { std::erase(m_order, ticket); }

    // Every question whose name matches `pattern` (a regular expression, whole name).
    void answer(const QString &pattern, platform::DnsAnswer answer)
    {
        const QRegularExpression names(QRegularExpression::anchoredPattern(pattern));
        for (auto &[ticket, question] : m_questions) {
            if (!names.match(question.first).hasMatch() || !question.second)
                continue;
            const Answered answered = std::exchange(question.second, nullptr);
            std::erase(m_order, ticket);
            answered(answer);
        }
    }
    // The zone `zone` exists, and a made-up name in it does not: as a sound resolver says.
    void confirm(const QString &zone)
    {
        answer(QRegularExpression::escape(zone), {Reply::NameServers});
        answer(QStringLiteral("[a-z]{30}\\.") + QRegularExpression::escape(zone),
               {Reply::NoSuchName});
    }
    // The names still waiting, in the order they would be sent, made-up ones as "?".
    QStringList waiting() const
    {
        static const QRegularExpression madeUp(QStringLiteral("^[a-z]{30}\\."));
        QStringList names;
        for (const Ticket ticket : m_order)
            names << QString(m_questions.at(ticket).first).replace(madeUp, QStringLiteral("?."));
        return names;
    }

private:
    std::map<Ticket, std::pair<QString, Answered>> m_questions;
    std::vector<Ticket> m_order;
    Ticket m_last = 0;
};
