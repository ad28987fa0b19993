// The real TCP client against a local QTcpServer playing a cluster: traffic both ways, and each failure
// with its Windows Sockets number (refused, unknown host, closed by the server, timed out, bad port).

#include "platform/io/QtTcpClient.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace velm;

class TestTcpClient : public QObject {
    Q_OBJECT
private:
    static quint16 freePort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        return probe.serverPort(); // closed again when probe goes: nothing listens there
    }

    // Waits in the event loop: a connect by host name needs it to get past the lookup.
    static QTcpSocket* acceptOne(QTcpServer& server)
    {
        if (!server.hasPendingConnections() && !QSignalSpy(&server, &QTcpServer::newConnection).wait(5000))
            return nullptr;
        return server.nextPendingConnection();
    }

private Q_SLOTS:
    void talksWithTheServer()
    {
        QTcpServer cluster;
        QVERIFY(cluster.listen(QHostAddress::LocalHost));
        QtTcpClient client;
        QSignalSpy connected(&client, &TcpClient::connected);
        QSignalSpy failed(&client, &TcpClient::failed);
        QCOMPARE(client.send("early"), qint64(-1)); // nothing is sent before the connection stands
        client.connectToHost(QStringLiteral("127.0.0.1"), cluster.serverPort());
        QCOMPARE(client.state(), TcpClient::State::Connecting);
        QVERIFY(connected.wait(5000));
        QCOMPARE(client.state(), TcpClient::State::Connected);
        QTcpSocket* peer = acceptOne(cluster);
        QVERIFY(peer);

        QSignalSpy received(&client, &TcpClient::received);
        peer->write("login: ");
        QVERIFY(received.wait(5000));
        QCOMPARE(client.read(), QByteArray("login: "));

        QCOMPARE(client.send("N0CALL\r\n"), qint64(8));
        QTRY_COMPARE(peer->bytesAvailable(), qint64(8));
        QCOMPARE(peer->readAll(), QByteArray("N0CALL\r\n"));

        client.close();
        QCOMPARE(client.state(), TcpClient::State::Unconnected);
        QTest::qWait(50);
        QCOMPARE(failed.count(), 0); // our own close is no failure
    }

    void serverClosingIsReportedOnceAndKeepsTheLastBytes()
    {
        QTcpServer cluster;
        QVERIFY(cluster.listen(QHostAddress::LocalHost));
        QtTcpClient client;
        QSignalSpy failed(&client, &TcpClient::failed);
        QByteArray got;
        connect(&client, &TcpClient::received, this, [&] { got += client.read(); });
        client.connectToHost(QStringLiteral("localhost"), cluster.serverPort());
        QTcpSocket* peer = acceptOne(cluster);
        QVERIFY(peer);
        QTRY_COMPARE(client.state(), TcpClient::State::Connected);
        peer->write("73 de W1AW\r\n");
        peer->flush();
        peer->disconnectFromHost();
        QVERIFY(failed.wait(5000));
        QCOMPARE(failed.at(0).at(0).toInt(), SocketError::ConnectionReset);
        QCOMPARE(got, QByteArray("73 de W1AW\r\n"));
        QTest::qWait(50);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(client.state(), TcpClient::State::Unconnected);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port"); // -1: a free port nothing listens on
        QTest::addColumn<int>("number");
        QTest::newRow("refused") << "127.0.0.1" << -1 << SocketError::ConnectionRefused;
        QTest::newRow("host not found") << "velm-no-such-host.invalid" << 7300 << SocketError::HostNotFound;
        QTest::newRow("port 0") << "127.0.0.1" << 0 << SocketError::InvalidProperty;
        QTest::newRow("no host") << "  " << 7300 << SocketError::InvalidProperty;
    }
    void failures()
    {
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(int, number);
        QtTcpClient client;
        QSignalSpy failed(&client, &TcpClient::failed);
        client.connectToHost(host, port < 0 ? freePort() : quint16(port));
        QVERIFY(failed.wait(15000));
        QCOMPARE(failed.at(0).at(0).toInt(), number);
        QVERIFY(!failed.at(0).at(1).toString().isEmpty());
        QCOMPARE(client.state(), TcpClient::State::Unconnected);
        QTest::qWait(20);
        QCOMPARE(failed.count(), 1);
    }

    void silentHostTimesOut()
    {
        // A server that takes no more connections: once its accept queue is full the kernel drops further
        // connection requests unanswered, as a host that is down does.
        QTcpServer full;
        full.setMaxPendingConnections(1);
        QVERIFY(full.listen(QHostAddress::LocalHost));
        std::vector<std::unique_ptr<QTcpSocket>> fillers;
        for (int i = 0; i < 60; ++i) {
            fillers.push_back(std::make_unique<QTcpSocket>());
            fillers.back()->connectToHost(QHostAddress::LocalHost, full.serverPort());
        }
        QTRY_VERIFY(std::count_if(fillers.begin(), fillers.end(), [](const auto& socket) {
                        return socket->state() == QAbstractSocket::ConnectingState;
                    }) > 0);

        QtTcpClient client;
        client.setConnectTimeoutMs(150);
        QSignalSpy failed(&client, &TcpClient::failed);
        client.connectToHost(QStringLiteral("127.0.0.1"), full.serverPort());
        QVERIFY(failed.wait(5000));
        QCOMPARE(failed.at(0).at(0).toInt(), SocketError::TimedOut);
        QCOMPARE(client.state(), TcpClient::State::Unconnected);
    }

    void reconnectsAfterAFailure()
    {
        QtTcpClient client;
        QSignalSpy failed(&client, &TcpClient::failed);
        QSignalSpy connected(&client, &TcpClient::connected);
        client.connectToHost(QStringLiteral("127.0.0.1"), freePort());
        QVERIFY(failed.wait(5000));
        QTcpServer cluster;
        QVERIFY(cluster.listen(QHostAddress::LocalHost));
        client.connectToHost(QStringLiteral("127.0.0.1"), cluster.serverPort());
        QVERIFY(connected.wait(5000));
        QCOMPARE(failed.count(), 1);
    }

    void qtErrorsMapToWindowsNumbers_data()
    {
        QTest::addColumn<int>("qtError");
        QTest::addColumn<int>("number");
        QTest::newRow("refused") << int(QAbstractSocket::ConnectionRefusedError) << 10061;
        QTest::newRow("closed") << int(QAbstractSocket::RemoteHostClosedError) << 10054;
        QTest::newRow("host") << int(QAbstractSocket::HostNotFoundError) << 11001;
        QTest::newRow("timeout") << int(QAbstractSocket::SocketTimeoutError) << 10060;
        QTest::newRow("network") << int(QAbstractSocket::NetworkError) << 10051;
        QTest::newRow("address in use") << int(QAbstractSocket::AddressInUseError) << 10048;
        QTest::newRow("no counterpart keeps Qt's number") << int(QAbstractSocket::ProxyProtocolError) << 18;
    }
    void qtErrorsMapToWindowsNumbers()
    {
        QFETCH(int, qtError);
        QFETCH(int, number);
        QCOMPARE(QtTcpClient::errorNumber(QAbstractSocket::SocketError(qtError)), number);
    }
};

QTEST_GUILESS_MAIN(TestTcpClient)
#include "tst_tcpclient.moc"
