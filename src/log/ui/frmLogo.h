#pragma once
// Responsibilities: the start-up logo: splash.jpg from the shared folder when there is one (2.7 s), else the
// built-in picture with a second one added after 1.1 s (1.9 s in all); a click closes it at once.

#include <QDialog>

class QLabel;

namespace velm {

class frmLogo : public QDialog {
    Q_OBJECT
public:
    explicit frmLogo(const QString& sharedFolder, QWidget* parent = nullptr);

    bool showsSplashPicture() const { return m_splash; }
    QLabel* picture = nullptr;
    QLabel* secondPicture = nullptr;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool m_splash = false;
};

} // namespace velm
