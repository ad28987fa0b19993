#pragma once
// Responsibilities: the main window's own-station box: own call, S/P/C, and VELM number or power.

#include <QGroupBox>

class QLabel;

namespace velm {

struct ProgramPreferences;

class StationPanel final : public QGroupBox {
    Q_OBJECT
public:
    explicit StationPanel(QWidget* parent);

    void showStation(const ProgramPreferences& prefs);

    QLabel *Label2 = nullptr, *Label25 = nullptr, *Label4 = nullptr;
};

} // namespace velm
