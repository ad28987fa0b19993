#pragma once
// Responsibilities: what the country lookup shows beside the entry row (continent, bearing, miles) and the
// red "New" flag of a DX country not yet worked on the band, both as the contest session holds them.

#include <QWidget>

class QLabel;

namespace velm {

class ContestSession;

class LookupPanel final : public QWidget {
    Q_OBJECT
public:
    LookupPanel(const ContestSession& session, QWidget* parent);

    void showLookup();

    QLabel *Label19 = nullptr, *Label22 = nullptr, *Label23 = nullptr; // continent, bearing, miles
    QLabel* Label3 = nullptr;                                          // "New"

private:
    const ContestSession& m_session;
};

} // namespace velm
