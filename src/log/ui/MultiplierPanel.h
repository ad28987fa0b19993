#pragma once
// Responsibilities: the multiplier grid of the 62 S/P/C labels (worked or remaining on the current band) and
// the DX countries worked on the band, with a grid label's click and hover.

#include <QWidget>

class QLabel;
class QListWidget;

namespace velm {

class ContestSession;

class MultiplierPanel final : public QWidget {
    Q_OBJECT
public:
    MultiplierPanel(const ContestSession& session, QWidget* parent);

    // The DX list and its caption for the current band.
    void ListRefresh();
    // Every grid label in its worked or remaining colour for the current band.
    void RefreshGrid();
    // All labels in the remaining colour: nothing worked is shown while the log is being read.
    void paintAllRemaining();
    // The grid shows once the preferences give it a band and colours.
    void showGrid();

    QLabel* Label15 = nullptr;
    QList<QLabel*> Label10; // 1..62, index 0 unused
    QLabel* dxCaption = nullptr;
    QListWidget* List1 = nullptr;

Q_SIGNALS:
    void spcClicked(const QString& code);
    // The mouse is over a grid label: its code and the line the possible-duplicates line shows for it.
    void spcHovered(const QString& code, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int gridLabelNumber(const QObject* object) const;
    void paintGridLabel(int number, bool worked);

    const ContestSession& m_session;
    QWidget* m_grid = nullptr;
};

} // namespace velm
