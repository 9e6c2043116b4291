#include "InstanceChannel.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace kq70 {

namespace {
constexpr char KNOCK[] = "raise\n";
}

QString InstanceChannel::socketName(const QString& programFolder) {
    const QByteArray hash =
        QCryptographicHash::hash(programFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("kq70-%1").arg(QString::fromLatin1(hash));
}

InstanceChannel::InstanceChannel(const QString& programFolder, std::function<void()> onKnock,
                                 QObject* parent)
    : QObject(parent), m_server(new QLocalServer(this)), m_onKnock(std::move(onKnock)) {
    const QString name = socketName(programFolder);
    // The folder's lock already proved no other program runs: a socket left behind by a
    // crash is stale.
    QLocalServer::removeServer(name);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->listen(name);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().startsWith("raise") && m_onKnock) {
                    m_onKnock();
                }
                socket->write("ok\n");
                socket->flush();
                socket->disconnectFromServer();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

bool InstanceChannel::listening() const {
    return m_server->isListening();
}

bool InstanceChannel::knock(const QString& programFolder, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketName(programFolder));
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    socket.write(KNOCK);
    socket.flush();
    return socket.waitForReadyRead(timeoutMs) && socket.readAll().startsWith("ok");
}

} // namespace kq70
