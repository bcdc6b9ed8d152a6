#pragma once

#include "platform/dns/NameServerLookup.h"
#include "platform/rdap/RegistryLookup.h"

#include <QRegularExpression>
#include <QStringList>

#include <map>

// Answers when the test says so, to every question for the name, dropped ones too (late replies).
template <typename Lookup, typename Answer> class ScriptedLookup : public Lookup {
public:
    using Ticket = typename Lookup::Ticket;
    using Answered = typename Lookup::Answered;

    Ticket ask(const QString &name, Answered answered) override
    {
        m_questions[++m_last] = {name, std::move(answered)};
        m_order.push_back(m_last);
        return m_last;
    }
    void drop(Ticket ticket) override { std::erase(m_order, ticket); }

    // Every question whose name matches `pattern` (a regular expression, whole name).
    void answer(const QString &pattern, const Answer &answer)
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

class ScriptedResolver : public ScriptedLookup<platform::NameServerLookup, platform::DnsAnswer> {
public:
    using Reply = platform::DnsAnswer::Reply;

    // The zone `zone` exists, and a made-up name in it does not: as a sound resolver says.
    void confirm(const QString &zone)
    {
        answer(QRegularExpression::escape(zone), {Reply::NameServers});
        answer(QStringLiteral("[a-z]{30}\\.") + QRegularExpression::escape(zone),
               {Reply::NoSuchName});
    }
};

using ScriptedRegistry = ScriptedLookup<platform::RegistryLookup, platform::RegistryAnswer>;
