#include "log/ui/frmLogo.h"

#include "platform/ui/FormScaling.h"
#include "log/ProgramFolder.h"

#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

namespace velm {

frmLogo::frmLogo(const QString& sharedFolder, QWidget* parent) : QDialog(parent, Qt::SplashScreen)
{
    setObjectName(QStringLiteral("frmLogo"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    picture = new QLabel(this);
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);

    const QPixmap splash(sharedFolder.isEmpty() ? QString()
                                                : findFileIgnoringCase(sharedFolder, QStringLiteral("splash.jpg")));
    m_splash = !splash.isNull();
    if (m_splash) {
        picture->setPixmap(splash);
        QTimer::singleShot(2700, this, &QDialog::accept);
    } else {
        picture->setText(QStringLiteral("<h1>QRP VELM Log 2.4</h1>"));
        secondPicture = new QLabel(QStringLiteral("<p>Orvane Software</p>"), this);
        secondPicture->setAlignment(Qt::AlignCenter);
        secondPicture->hide();
        layout->addWidget(secondPicture);
        QTimer::singleShot(1100, secondPicture, &QWidget::show);
        QTimer::singleShot(1900, this, &QDialog::accept);
    }
    setAccessibleName(QStringLiteral("QRP VELM Log 2.4 starting"));
    adjustSize();
    // Centred, 170 units above the middle of the screen.
    applyFormScaling(*this, FormVariant::A);
}

void frmLogo::mousePressEvent(QMouseEvent*)
{
    accept();
}

} // namespace velm
