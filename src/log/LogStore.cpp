#include "log/LogStore.h"

#include <cmath>
#include <limits>

namespace velm {

std::optional<int> addPoints(int total, double points)
{
    if (!std::isfinite(points))
        return std::nullopt;
    // The sum is formed in double precision, then rounded; an int total converts to double exactly.
    const double sum = std::nearbyint(double(total) + points); // default rounding: nearest, ties to even
    if (sum < double(std::numeric_limits<int>::min()) || sum > double(std::numeric_limits<int>::max()))
        return std::nullopt;
    return int(sum);
}

const QsoRecord& LogStore::record(int number) const
{
    Q_ASSERT_X(number >= 1 && number <= QsoCount(), "LogStore::record", "record number out of range");
    return m_records[std::size_t(number - 1)];
}

int LogStore::pointsTotalAfter(int number) const
{
    Q_ASSERT_X(number >= 0 && number <= QsoCount(), "LogStore::pointsTotalAfter",
               "record number out of range");
    return number == 0 ? 0 : m_totals[std::size_t(number - 1)];
}

bool LogStore::add(const QsoRecord& record)
{
    return add(QsoRecord(record));
}

bool LogStore::add(QsoRecord&& record)
{
    if (isFull())
        return false;
    const std::optional<int> total = addPoints(PointsTotal(), record.Points);
    if (!total)
        return false;
    m_records.push_back(std::move(record));
    m_totals.push_back(*total);
    return true;
}

void LogStore::removeLast()
{
    if (m_records.empty())
        return;
    m_records.pop_back();
    m_totals.pop_back();
}

bool LogStore::retotal(std::size_t from, std::vector<int>& totals) const
{
    totals.resize(m_records.size());
    int total = from == 0 ? 0 : m_totals[from - 1];
    for (std::size_t i = from; i < m_records.size(); ++i) {
        const std::optional<int> next = addPoints(total, m_records[i].Points);
        if (!next)
            return false;
        total = *next;
        totals[i] = total;
    }
    return true;
}

bool LogStore::replace(int number, const QsoRecord& record)
{
    Q_ASSERT_X(number >= 1 && number <= QsoCount(), "LogStore::replace", "record number out of range");
    if (number < 1 || number > QsoCount())
        return false;
    const std::size_t index = std::size_t(number - 1);
    QsoRecord previous = std::move(m_records[index]);
    m_records[index] = record;
    std::vector<int> totals(m_totals);
    if (!retotal(index, totals)) {
        m_records[index] = std::move(previous);
        return false;
    }
    m_totals = std::move(totals);
    return true;
}

bool LogStore::remove(int number)
{
    Q_ASSERT_X(number >= 1 && number <= QsoCount(), "LogStore::remove", "record number out of range");
    if (number < 1 || number > QsoCount())
        return false;
    const std::size_t index = std::size_t(number - 1);
    QsoRecord removed = std::move(m_records[index]);
    m_records.erase(m_records.begin() + std::ptrdiff_t(index));
    std::vector<int> totals(m_totals.begin(), m_totals.end() - 1);
    if (!retotal(index, totals)) {
        m_records.insert(m_records.begin() + std::ptrdiff_t(index), std::move(removed));
        return false;
    }
    m_totals = std::move(totals);
    return true;
}

void LogStore::clear()
{
    m_records.clear();
    m_totals.clear();
}

} // namespace velm
