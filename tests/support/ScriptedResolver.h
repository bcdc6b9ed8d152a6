#pragma once

#include "platform/dns/NameServerLookup.h"

#include <QStringList>

#include <map>

// Answers when the test says so, to every question for the name, dropped ones too (late replies).
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
