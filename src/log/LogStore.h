#pragma once
// Responsibilities: the in-memory contest log: records 1..QsoCount in entry order, the capacity limit,
// and the running PointsTotal kept exactly as a reload of the file would compute it.

#include "log/QsoRecord.h"

#include <optional>
#include <vector>

namespace velm {

class LogStore {
public:
    static constexpr int Capacity = 11000;

    int QsoCount() const { return int(m_records.size()); }
    // Running sum of Points, rounded to the nearest integer (ties to even) after each addition, in
    // record order; always within the 32-bit range.
    int PointsTotal() const { return m_totals.empty() ? 0 : m_totals.back(); }
    bool isFull() const { return QsoCount() >= Capacity; }

    // Record number 1..QsoCount().
    const QsoRecord& record(int number) const;
    // PointsTotal as it stood after record number 1..QsoCount() (0 for number 0).
    int pointsTotalAfter(int number) const;

    // Appends a record. Refused (false, store unchanged) when the store already holds Capacity records,
    // when Points is not a finite number, or when PointsTotal would leave the 32-bit range.
    bool add(const QsoRecord& record);
    bool add(QsoRecord&& record);
    // Undoes the last add exactly, PointsTotal included. Nothing happens on an empty store.
    void removeLast();
    // Replaces record number 1..QsoCount() (an edit) and recomputes the totals from it on. Refused (false,
    // store unchanged) when Points is not finite or a total would leave the 32-bit range.
    bool replace(int number, const QsoRecord& record);
    // Removes record number 1..QsoCount(); later records move up by one. Refused (false) only when the
    // totals of the remaining records would leave the 32-bit range.
    bool remove(int number);
    void clear();

private:
    // Fills totals (resized to the records) from index `from` on, after m_records changed there; the
    // entries before `from` are kept. False when a total would leave the range.
    bool retotal(std::size_t from, std::vector<int>& totals) const;

    std::vector<QsoRecord> m_records; // index 0 holds record number 1
    std::vector<int> m_totals;        // m_totals[i]: PointsTotal after m_records[i]
};

// Adds points to a running total the way the log does: rounded to the nearest integer, ties to even.
// std::nullopt when points is not finite or the result leaves the 32-bit range.
std::optional<int> addPoints(int total, double points);

} // namespace velm
