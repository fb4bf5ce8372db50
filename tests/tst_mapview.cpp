// The map cell from the resource bundle with stand-ins for FileIO and the
// player; the cases are in tests/mapview. Every request the program sends
// goes to a local proxy that only notes it, so a case can tell whether the
// map used the network.
#include "maptiles.h"
#include "startup.h"

#include <QColor>
#include <QNetworkProxy>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtQuickTest>
#include <memory>
#include <vector>

class MapFixture : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString tilesDir READ tilesDir CONSTANT)
    Q_PROPERTY(QColor groundColour READ groundColour CONSTANT)

public:
    // Offline tiles of a few hundred metres around the map's start centre
    // (the map shows more, so it asks for tiles that are not there), and the
    // proxy.
    bool start() {
        const velmora::demo::GeoBox box{47.4058, -122.2503, 47.4063, -122.2497};
        if (!velmora::demo::writeMapTiles(tilesDir(), velmora::demo::tilesCovering(box, 16, 18))
                 .isEmpty() ||
            !m_proxy.listen(QHostAddress::LocalHost))
            return false;
        connect(&m_proxy, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_proxy.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                    if (!socket->canReadLine())
                        return;
                    m_requests.append(QString::fromLatin1(socket->readLine()).trimmed());
                    socket->disconnect(this);
                    socket->abort();
                    socket->deleteLater();
                });
            }
        });
        QNetworkProxy::setApplicationProxy(QNetworkProxy(
            QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), m_proxy.serverPort()));
        return true;
    }

    QString tilesDir() const { return m_dir.filePath(QStringLiteral("tiles")); }
    QColor groundColour() const { return velmora::demo::TilePalette::ground; }
    // The first line of every request the proxy was sent ("GET http://... HTTP/1.1").
    Q_INVOKABLE QStringList proxyRequests() const { return m_requests; }

    // A new empty folder for the map's tile cache: a cache kept from another
    // case would hide where the tiles come from.
    Q_INVOKABLE QString freshFolder() {
        m_folders.push_back(std::make_unique<QTemporaryDir>());
        return m_folders.back()->path();
    }

private:
    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<QTemporaryDir>> m_folders;
    QTcpServer m_proxy;
    QStringList m_requests;
};

class Setup : public QObject {
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine *engine) {
        velmora::setApplicationIdentity();
        auto *fixture = new MapFixture;
        fixture->setParent(engine);
        if (!fixture->start())
            qFatal("cannot write the offline tiles or listen for the proxy");
        engine->rootContext()->setContextProperty(QStringLiteral("fixture"), fixture);
    }
};

QUICK_TEST_MAIN_WITH_SETUP(tst_mapview, Setup)

#include "tst_mapview.moc"
