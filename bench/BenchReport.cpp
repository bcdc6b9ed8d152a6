#include "BenchReport.h"

#include <cmath>

namespace {

QString figure(double value, const QString &unit)
{
    if (std::isnan(value))
        return QStringLiteral("—");
    const int decimals = std::abs(value) >= 100 ? 0 : std::abs(value) >= 10 ? 1 : 2;
    return QString::number(value, 'f', decimals) + (unit.isEmpty() ? QString() : u' ' + unit);
}

} // namespace

void BenchReport::add(const QString &measure, double value, const QString &unit, double baseline,
                      const QString &baselineIs, Goal goal, double target, bool alternative,
                      const QString &alternativeIs)
{
    Row row{measure, figure(value, unit), figure(baseline, unit), baselineIs, {}, {}, {}};
    const bool measured = !std::isnan(value) && !std::isnan(baseline);
    const double ratio = measured && baseline != 0 ? value / baseline : NAN;
    if (goal == Goal::AtMost) {
        row.ratio = std::isnan(ratio) ? QStringLiteral("—") : QString::number(ratio, 'f', 2);
        row.target = QStringLiteral("≤ %1×").arg(target);
        if (!alternativeIs.isEmpty())
            row.target += QStringLiteral(" or ") + alternativeIs;
        row.missed = !(ratio <= target) && !alternative;
    } else if (goal == Goal::Equal) {
        row.target = QStringLiteral("= %1").arg(target);
        row.missed = !(value == target && baseline == target);
    }
    if (goal != Goal::None)
        row.met = row.missed ? QStringLiteral("**no**") : QStringLiteral("yes");
    m_rows.append(row);
}

QString BenchReport::markdown() const
{
    QString text = QStringLiteral("| measure | Quillet Lookup | baseline | baseline is | ratio | "
                                  "target | met |\n|---|---:|---:|---|---:|---|---|\n");
    for (const Row &row : m_rows) {
        text += QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 |\n")
                    .arg(row.measure, row.value, row.baseline, row.baselineIs, row.ratio,
                         row.target, row.met);
    }
    return text;
}

int BenchReport::missed() const
{
    return int(std::ranges::count_if(m_rows, [](const Row &row) { return row.missed; }));
}
