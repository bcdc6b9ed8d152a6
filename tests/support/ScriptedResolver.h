#pragma once

#include "platform/dns/NameServerLookup.h"

#include <QStringList>

#include <map>

// A resolver that answers only when the test says so. An answer reaches every question asked
// for that name, those dropped in the meantime too, as a late reply already on its way would.
class ScriptedResolver : public platform::NameServerLookup {
public:
    Ticket ask(const QString &name, Answered answered) override
    {
        m_questions[++m_last] = {name, std::move(answered)};
        m_order.push_back(m_last);
        return m_last;
    }
    void drop(Ticket ticket) override { std::erase(m_order, ticket); }
    void moveToBack(Ticket ticket) override
    {
        if (std::erase(m_order, ticket) > 0)
            m_order.push_back(ticket);
    }

    void answer(const QString &name, platform::DnsAnswer answer)
    {
        for (auto &[ticket, question] : m_questions) {
            if (question.first != name || !question.second)
                continue;
            const Answered answered = std::exchange(question.second, nullptr);
            std::erase(m_order, ticket);
            answered(answer);
        }
    }
    // The names still waiting, in the order they would be sent.
    QStringList waiting() const
    {
        QStringList names;
        for (const Ticket ticket : m_order)
            names << m_questions.at(ticket).first;
        return names;
    }

private:
    std::map<Ticket, std::pair<QString, Answered>> m_questions;
    std::vector<Ticket> m_order;
    Ticket m_last = 0;
};
