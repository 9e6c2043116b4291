#include "InstanceChannel.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QUrl>

namespace kq70 {

namespace {

// One line: "raise", or "open " and the file as an encoded URL, so any file name (blanks,
// line breaks, any bytes) travels intact.
constexpr char RAISE[] = "raise";
constexpr char OPEN[] = "open ";

QString fileOf(const QByteArray& line) {
    return line.startsWith(OPEN) ? QUrl::fromEncoded(line.mid(int(sizeof OPEN) - 1)).toLocalFile()
                                 : QString();
}

} // namespace

QString InstanceChannel::socketName(const QString& programFolder) {
    const QByteArray hash =
        QCryptographicHash::hash(programFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("kq70-%1").arg(QString::fromLatin1(hash));
}

InstanceChannel::InstanceChannel(const QString& programFolder,
                                 std::function<void(const QString&)> onKnock, QObject* parent)
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
                if (!socket->canReadLine()) {
                    return; // the rest of the line is still on its way
                }
                const QByteArray line = socket->readLine().trimmed();
                socket->write("ok\n");
                socket->flush();
                socket->disconnectFromServer();
                // After this slot: opening a file may ask a question in a nested event loop.
                if ((line == RAISE || line.startsWith(OPEN)) && m_onKnock) {
                    QTimer::singleShot(0, this, [this, file = fileOf(line)] { m_onKnock(file); });
                }
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

bool InstanceChannel::listening() const {
    return m_server->isListening();
}

bool InstanceChannel::knock(const QString& programFolder, const QString& file, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketName(programFolder));
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    socket.write(file.isEmpty() ? QByteArray(RAISE)
                                : QByteArray(OPEN) + QUrl::fromLocalFile(file).toEncoded());
    socket.write("\n");
    socket.flush();
    return socket.waitForReadyRead(timeoutMs) && socket.readAll().startsWith("ok");
}

} // namespace kq70
