// The voice paths on a PulseAudio null sink: BlindKeyPhone beside a bare play of a loaded QSoundEffect; a
// function key to PTT keyed beside a bare line change on the same fake port; the end of the sound to PTT
// released, counted both from the sound's own length and from the player's report of its end. Prints
// medians; figures and how to run (the sink must be started first) are in bench/README.md.

#include "log/ContestSession.h"
#include "platform/WaveFileInfo.h"
#include "platform/audio/QtWavePlayer.h"
#include "support/TestServices.h"
#include "support/TestStationServices.h"
#include "support/WaveFiles.h"
#include "transmit/PhoneKeyer.h"
#include "transmit/VoiceNavigation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace velm;
using namespace velm::test;

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

template <class Ready>
void waitFor(Ready ready, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!ready() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString prompt = dir.filePath(QStringLiteral("Call.wav"));
    writeWave(prompt, 300, 22050);
    constexpr int kRounds = 30;

    // A bare play of a loaded sound effect.
    std::vector<double> bare;
    {
        QSoundEffect effect;
        effect.setSource(QUrl::fromLocalFile(prompt));
        waitFor([&] { return effect.status() == QSoundEffect::Ready; }, 5000);
        for (int i = 0; i < kRounds; ++i) {
            QElapsedTimer t;
            t.start();
            effect.play();
            bare.push_back(double(t.nsecsElapsed()) / 1e6);
            effect.stop();
            QCoreApplication::processEvents();
        }
    }

    TestServices fakes;
    TestStationServices station;
    UserFolderPaths folders;
    folders.UserDataFolder = dir.filePath(QStringLiteral("QRP VELM"));
    ContestSession session(fakes.services(), ProgramFolder(dir.path()), folders);
    session.selectMode(QStringLiteral("PH"));

    // BlindKeyPhone: find the file ignoring case, read its header, cut off the last prompt, play.
    std::vector<double> blind;
    {
        QtWavePlayer player;
        VoiceNavigation navigation(VoiceNavigationContext{session, player, {}});
        for (int i = 0; i < kRounds; ++i) {
            QElapsedTimer t;
            t.start();
            navigation.BlindKeyPhone(QStringLiteral("Call"));
            blind.push_back(double(t.nsecsElapsed()) / 1e6);
            QCoreApplication::processEvents();
        }
        if (!player.isPlaying())
            std::printf("BlindKeyPhone did not play: %s\n", qPrintable(player.errorString()));
    }

    // F1 to RTS keyed, beside a bare RTS change on the same kind of port; then the end of the sound to the
    // release.
    std::vector<double> keyed, bareLine, fromLength, fromReport;
    {
        TransmitPorts ports;
        QtWavePlayer player;
        PhoneKeyer keyer(PhoneKeyerContext{fakes.services(), station.services(), session, ports, player});
        keyer.setMessageFile(0, prompt);
        keyer.leavePortField(QStringLiteral("1"));
        FakeSerialLine& port = *station.serialLines.front();
        const qint64 lengthNs = readWaveFileInfo(prompt).format->durationMs() * 1'000'000;
        qint64 reportedNs = 0;
        QObject::connect(&player, &WavePlayer::playingEnded, [&] { reportedNs = nowNs(); });
        for (int i = 0; i < 10; ++i) {
            port.lineChanges.clear();
            const qint64 start = nowNs();
            keyer.FKeyPhone(112);
            if (port.lineChanges.isEmpty())
                break;
            keyed.push_back(double(port.lineChanges.front().atNs - start) / 1e6);
            waitFor([&] { return !keyer.voicePlaying(); }, 10000);
            const qint64 released = port.lineChanges.back().atNs;
            fromLength.push_back(double(released - start - lengthNs) / 1e6);
            fromReport.push_back(double(released - reportedNs) / 1e6);
            const qint64 lineStart = nowNs();
            port.setLine(ModemLine::Dtr, true);
            bareLine.push_back(double(port.lineChanges.back().atNs - lineStart) / 1e6);
            port.setLine(ModemLine::Dtr, false);
        }
    }

    std::printf("%-46s %10s\n", "median, ms", "");
    std::printf("%-46s %10.4f\n", "bare QSoundEffect::play of a loaded sound", median(bare));
    std::printf("%-46s %10.4f\n", "BlindKeyPhone (find, header, open, play)", median(blind));
    std::printf("%-46s %10.4f\n", "bare RTS change on the fake port", median(bareLine));
    std::printf("%-46s %10.4f\n", "F1 to RTS keyed", median(keyed));
    std::printf("%-46s %10.1f\n", "end of the sound's length to release", median(fromLength));
    std::printf("%-46s %10.1f\n", "player's reported end to release", median(fromReport));
    return 0;
}
