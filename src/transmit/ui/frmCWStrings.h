#pragma once
// Responsibilities: the "CW Strings" window: the eleven messages beside F1 to F11 and "Keyboard" beside
// F12, refreshed whenever the window is activated; pressing a key's label sends its message; other keys act
// as on the main window; "Done" minimises it.

#include <QWidget>
#include <array>
#include <functional>

class QKeyEvent;
class QLabel;
class QPushButton;

namespace velm {

class TransmitController;

class frmCWStrings final : public QWidget {
    Q_OBJECT
public:
    static const QString Title; // "CW Strings"
    static constexpr int kKeys = 12;

    explicit frmCWStrings(TransmitController& controller, QWidget* parent = nullptr);

    // Keys pressed here are handed to the main window's key rules; true when they took the key.
    void setKeyForwarder(std::function<bool(QKeyEvent*)> forward) { m_forward = std::move(forward); }
    void showNormalRaised();

    // Label1[i] is the i-th key's label (F1 ... F11, F12), pressable; Label2[i] its message.
    std::array<QPushButton*, kKeys> Label1{};
    std::array<QLabel*, kKeys> Label2{};
    QPushButton* cmdDone = nullptr;

    void Label1_Click(int index);
    void refresh();

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    TransmitController& m_controller;
    std::function<bool(QKeyEvent*)> m_forward;
};

} // namespace velm
