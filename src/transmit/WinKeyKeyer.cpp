#include "transmit/WinKeyKeyer.h"

#include "platform/Prompts.h"
#include "transmit/WinKeyLink.h"

namespace velm {

WinKeyKeyer::WinKeyKeyer(WinKeyLink& link, Prompts& prompts, TransmitPorts& ports, QObject* parent)
    : QObject(parent), m_link(link), m_prompts(prompts), m_ports(ports)
{
}

QString WinKeyKeyer::versionText() const
{
    return m_version == 0 ? QStringLiteral("Version #") : QStringLiteral("Version # %1").arg(m_version);
}

void WinKeyKeyer::load(const QString& userDataFolder, const QString& cwSpeedText)
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_settings = WinKeySettings{};
    m_file = std::make_unique<WinKeyFile>(userDataFolder);
    m_file->read(m_settings); // a line that does not read ends loading; the rest keep their defaults
    m_settings.speedText = cwSpeedText;
    Q_EMIT changed();
}

FileResult WinKeyKeyer::save(QString* keptAs)
{
    if (!m_file)
        m_file = std::make_unique<WinKeyFile>(QString());
    return m_file->write(m_settings, keptAs);
}

QString WinKeyKeyer::filePath() const
{
    return m_file ? m_file->path() : WinKeyFile::FileName;
}

void WinKeyKeyer::setStatusOfCode(int code)
{
    if (const std::optional<QString> text = winKeyStatusText(code))
        m_statusText = *text;
}

void WinKeyKeyer::OpenWinKey()
{
    m_ports.opening(TransmitPath::WinKey);
    quint8 version = 0;
    const int code = m_link.wk_open(version, m_settings.port);
    if (code != WinKeyLink::kAlreadyOpen && version == 0) {
        const QString text =
            QStringLiteral("Unable to establish connection with WinKey on com port %1.  Please check to make sure "
                           "that you have specified the correct port and that the Winkey device is properly "
                           "connected.")
                .arg(m_settings.port);
        const QString title = QStringLiteral("Unable to establish connection with Winkey.");
        const QString why = m_link.openFailure();
        if (why.isEmpty())
            m_prompts.message(text, title, MessageIcon::Warning);
        else
            m_prompts.detailedMessage(text, why, title, MessageIcon::Warning);
    }
    setStatusOfCode(code);
    if (code != WinKeyLink::kAlreadyOpen) {
        ApplyWinKeySettings();
        if (version != 0)
            m_version = version;
        Q_EMIT doneFocusWanted();
    }
    Q_EMIT changed();
}

void WinKeyKeyer::closedState()
{
    m_statusText = kWinKeyClosedText;
    m_version = 0;
    Q_EMIT changed();
}

void WinKeyKeyer::CloseWinKey()
{
    m_link.wk_close();
    closedState();
    Q_EMIT doneFocusWanted();
}

void WinKeyKeyer::linkLost()
{
    closedState();
}

void WinKeyKeyer::ApplyWinKeySettings()
{
    leaveSpeed(m_settings.speedText);
    leaveWeight(m_settings.weightText);
    leaveLeadIn(m_settings.leadInText);
    leaveRatio(m_settings.ratioText);
    m_link.wk_pincfg(m_settings.pinConfiguration);
    m_link.wk_setmode(m_settings.keyerMode);
}

namespace {

// A field left: its text as the rule mends it is kept, and the value goes to the keyer when the rule sends one.
QString applyFieldRule(const WinKeyFieldRule& rule, QString& kept, WinKeyLink& link,
                       int (WinKeyLink::*send)(quint8))
{
    kept = rule.text;
    if (rule.send)
        (link.*send)(*rule.send);
    return rule.text;
}

} // namespace

QString WinKeyKeyer::leaveSpeed(const QString& text)
{
    return applyFieldRule(speedRule(text), m_settings.speedText, m_link, &WinKeyLink::wk_wpm);
}

QString WinKeyKeyer::leaveWeight(const QString& text)
{
    return applyFieldRule(weightRule(text), m_settings.weightText, m_link, &WinKeyLink::wk_weight);
}

QString WinKeyKeyer::leaveRatio(const QString& text)
{
    return applyFieldRule(ratioRule(text), m_settings.ratioText, m_link, &WinKeyLink::wk_ditdah_ratio);
}

QString WinKeyKeyer::leaveLeadIn(const QString& text)
{
    const LeadTailRule rule = leadTailRule(text, m_settings.tailText, true);
    m_settings.leadInText = rule.leftText;
    if (rule.send)
        m_link.wk_ptt_leadtail(rule.send->first, rule.send->second);
    return rule.leftText;
}

QString WinKeyKeyer::leaveTail(const QString& text)
{
    const LeadTailRule rule = leadTailRule(text, m_settings.leadInText, false);
    m_settings.tailText = rule.leftText;
    if (rule.send)
        m_link.wk_ptt_leadtail(rule.send->first, rule.send->second);
    return rule.leftText;
}

QString WinKeyKeyer::leavePort(const QString& text)
{
    m_settings.port = winKeyPortRule(text);
    return QString::number(m_settings.port);
}

void WinKeyKeyer::setPinConfiguration(quint8 configuration)
{
    m_settings.pinConfiguration = knownPinConfiguration(configuration);
    if (m_link.isOpen())
        ApplyWinKeySettings();
    Q_EMIT changed();
}

void WinKeyKeyer::setKeyerMode(quint8 mode)
{
    m_settings.keyerMode = knownKeyerMode(mode);
    if (m_link.isOpen())
        ApplyWinKeySettings();
    Q_EMIT changed();
}

void WinKeyKeyer::cwSpeedChanged(int wordsPerMinute)
{
    if (m_link.isOpen() && wordsPerMinute > 4 && wordsPerMinute < 100)
        m_link.wk_wpm(quint8(wordsPerMinute));
}

} // namespace velm
