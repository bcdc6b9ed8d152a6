#pragma once

#include <QList>
#include <QString>

// The benchmark's one table: each figure beside its baseline from the same run, their
// ratio and the target for that ratio. Printed as Markdown, ready for the README.
class BenchReport {
public:
    enum class Goal { AtMost, Equal, None };

    // `ratio` below zero means "not measured"; `alternative` is a second way to meet the
    // target (a figure that is small enough on its own), with its wording.
    void add(const QString &measure, double value, const QString &unit, double baseline,
             const QString &baselineIs, Goal goal = Goal::None, double target = 0,
             bool alternative = false, const QString &alternativeIs = {});

    QString markdown() const;
    int missed() const;

private:
    struct Row {
        QString measure;
        QString value;
        QString baseline;
        QString baselineIs;
        QString ratio;
        QString target;
        QString met;
        bool missed = false;
    };
    QList<Row> m_rows;
};
