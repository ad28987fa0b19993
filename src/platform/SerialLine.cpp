#include "platform/SerialLine.h"

namespace velm {

QString serialOpenFailureText(const QString& devicePath, SerialError error, const QString& reason)
{
    const QString device = devicePath.isEmpty() ? QStringLiteral("(no device)") : devicePath;
    QString text = QStringLiteral("Cannot open %1: %2.")
                       .arg(device, reason.isEmpty() ? QStringLiteral("error") : reason);
    switch (error) {
    case SerialError::PermissionDenied:
        text +=
            QStringLiteral(" Add your user to the dialout group (sudo adduser $USER dialout), then log out "
                           "and in again.");
        break;
    case SerialError::NotFound:
        text +=
            QStringLiteral(" Check that the adapter is plugged in, or choose the device in Serial Ports.");
        break;
    case SerialError::Busy:
        text += QStringLiteral(" Another program or window is using it.");
        break;
    default:
        break;
    }
    return text;
}

} // namespace velm
