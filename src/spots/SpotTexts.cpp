#include "spots/SpotTexts.h"

#include "spots/SpotSettings.h"

#include <QStringList>

#include <map>

namespace velm::spottext {

namespace {

QString paragraphs(const QStringList& list)
{
    QString text;
    for (const QString& paragraph : list)
        text += paragraph + QStringLiteral("\r\n\r\n");
    return text;
}

QString downloadLine()
{
    return QStringLiteral("- Download the freely available software from ") + kAgwDownloadAddress;
}

const QString kUnableParagraph = QStringLiteral("Unable to connect to the AGW Packet Engine.  To use the AGW "
                                                "Packet Engine to send and receive packet with "
                                                "your soundcard or devices such a Baypac:");
const QString kRunEngine =
    QStringLiteral("- Run the Packet Engine software and configure it as described on the "
                   "AGW Packet Engine website for your sound card or TNC.");
const QString kClickOpen = QStringLiteral("- Click Open from this program.");

QString general()
{
    return paragraphs({
        QStringLiteral(
            "Use this form to configure your DX spotting options.  After you make your selections, a "
            "list or band map will display on the main form (as selected here) to keep you updated on "
            "the latest packet spots."),
        QStringLiteral(
            "The list will show the last 2-3 posts on the main form depending on your screen size.  "
            "The band map will display the prefixes posted for your current band.  To see the whole "
            "call and frequency, move your mouse over the prefix and observe either the tool tip or "
            "the Possible Duplicates box."),
        QStringLiteral(
            "The program keeps the last 50 DX posts regardless of band in memory. Your band map will "
            "cycle through these posts as they are received.  Posts received within the last 10 "
            "minutes will be yellow; posts 10-30 minutes old will be white and posts 30-60 minutes "
            "old will be gray."),
        QStringLiteral(
            "If you are using the program's rig control features, you can right click any spot "
            "displayed on the main form's band map or HF spectrum map to tune your rig to the spot "
            "frequency. Right clicking will not change frequency when displaying the DX spots in "
            "list mode."),
    });
}

QString telnet()
{
    return paragraphs({QStringLiteral(
        "If you have an Internet connection (either telephone line or high speed), the Telnet option is very "
        "easy to implement.  Just connect to the Internet by your regular ISP and click Open on this form.  "
        "Type your call sign when prompted and press enter.")});
}

QString tnc()
{
    return paragraphs({
        QStringLiteral(
            "To use a Packet TNC, you will have to check your modem documentation for the proper "
            "serial port settings.  Use either Crtl C or the Esc key to send the Hex character to put "
            "your TNC in command mode (you do not have to press enter to send the Hex character).  "
            "Otherwise, just type and press enter to send text."),
        QStringLiteral(
            "One nice feature with the packet option is that you don't actually have to connect to "
            "another packet station.  Just click the DX Only check box so that only packets "
            "identified as DX will be displayed.  As long as DX posts are being transmitted the "
            "software will check recent posts to eliminate duplicate posts.  Even if you are "
            "connected, it is a good idea to check this box to eliminate miscellaneous comments, "
            "etc."),
    });
}

QString agw()
{
    return paragraphs({
        QStringLiteral("This program will also interface with the AGW Packet Engine.  The AGW Packet engine "
                       "will interface with your existing sound card (or TNC including Baypac) to send and "
                       "receive Packet.  To use the AGW Packet Engine:"),
        downloadLine(),
        QStringLiteral(
            "The file to download is AGWPE.zip.  Instructions for use are on this website as well."),
        kRunEngine,
        kClickOpen,
        QStringLiteral("To send a connect request using the AGW packet engine, type in the format of"),
        QStringLiteral(":C Orvane     or to disconnect :D"),
        QStringLiteral("and press enter (you can also use the Esc key to add a colon)."),
    });
}

QString closing()
{
    return paragraphs({
        QStringLiteral("When you have configured your DX spotting options, click Open to initiate the "
                       "communication.  Then click Done to return to the main form."),
        QStringLiteral(
            "If the list is being displayed on the main form, you can click on it to quickly return "
            "to this form.  To return the main form to the original display, select None from the "
            "spotting options."),
    });
}

QString note()
{
    return paragraphs(
        {QStringLiteral("This code was developed and tested with a Kantronics KPC3+ TNC.  I look "
                        "forward to hearing about your experiences with different hardware.")});
}

} // namespace

QString help(const QString& source)
{
    if (source == SpotSourceName::Tnc)
        return tnc() + closing() + note();
    if (source == SpotSourceName::Telnet)
        return telnet() + closing();
    if (source == SpotSourceName::Agw)
        return agw() + closing() + note();
    return general() + telnet() + tnc() + agw() + closing() + note();
}

QString sendCaption(const QString& source)
{
    if (source == SpotSourceName::Tnc)
        return QStringLiteral("Send text  (Ctrl C or Esc for TNC Command mode):");
    if (source == SpotSourceName::Agw)
        return QStringLiteral("Send text (use : to send cmds such as :C Orvane or :D)");
    if (source == SpotSourceName::Telnet)
        return QStringLiteral("Type text to send and press enter:");
    return {};
}

QString telnetError(int errorNumber)
{
    static const std::map<int, const char*> kTable = {
        {7, "ERROR: Out of memory."},
        {380, "ERROR: The property value is invalid."},
        {383, "ERROR: The property is read-only."},
        {394, "ERROR: The property can't be read."},
        {1004, "ERROR: The operation was canceled."},
        {10014, "ERROR: The requested address is a broadcast address, but flag is not set."},
        {10035, "ERROR: Socket is non-blocking and the specified operation will block."},
        {10036, "ERROR: A blocking Winsock operation in progress."},
        {10037, "ERROR: The operation is completed. No blocking operation in progress"},
        {10038, "ERROR: The descriptor is not a socket."},
        {10040, "ERROR: The datagram is too large to fit into the buffer and is truncated."},
        {10043, "ERROR: The specified port is not supported."},
        {10048, "ERROR: Address in use."},
        {10049, "ERROR: Address not available from the local machine."},
        {10050, "ERROR: Network subsystem failed."},
        {10051, "ERROR: The network cannot be reached from this host at this time."},
        {10052, "ERROR: Connection has timed out when SO_KEEPALIVE is set."},
        {10053, "ERROR: Connection is aborted due to timeout or other failure."},
        {10054, "ERROR: The connection is reset by remote side.!"},
        {10055, "ERROR: No buffer space is available."},
        {10056, "ERROR: Socket is already connected."},
        {10057, "ERROR: Socket is not connected."},
        {10058, "ERROR: Socket has been shut down."},
        {10060, "ERROR: Socket has been shut down."},
        {10061, "ERROR: Connection is forcefully rejected."},
        {10093, "ERROR: WinsockInit should be called first."},
        {11001, "ERROR: Authoritative answer: Host not found."},
        {11002, "ERROR: Non-Authoritative answer: Host not found."},
        {11003, "ERROR: Non-recoverable errors."},
        {11004, "ERROR: Valid name, no data record of requested type."},
    };
    const auto found = kTable.find(errorNumber);
    if (found != kTable.end())
        return QString::fromLatin1(found->second);
    return QStringLiteral("Error number ") + QString::number(errorNumber);
}

QString agwUnableMessage()
{
    return kUnableParagraph + QStringLiteral("\r\n\r\n") + downloadLine() + QStringLiteral("\r\n\r\n") +
           QStringLiteral(
               "- Make sure the AGW Packet Engine software is running and configure it as described "
               "on the AGW Packet Engine website.");
}

QString agwUnableTraffic()
{
    return kUnableParagraph + QStringLiteral("\r\n\r\n") + downloadLine() + QStringLiteral("\r\n\r\n") +
           kRunEngine + QStringLiteral("\r\n\r\n") + kClickOpen + QStringLiteral("\r\n\r\n");
}

QString agwCallRefused(const QString& call)
{
    return QStringLiteral(
               "** %1: a packet call sign has 1 to 9 characters and no blanks; nothing was sent **\r\n")
        .arg(call);
}

} // namespace velm::spottext
