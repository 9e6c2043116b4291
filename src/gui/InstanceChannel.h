#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

namespace kq70 {

// The running program listens on a local socket named after its program folder; a second
// start knocks there, handing over the data file it was given (if any), so the first one
// comes to the front and opens it; then the second start exits.
class InstanceChannel : public QObject {
public:
    // `onKnock` gets the handed-over file's absolute path, empty when there is none.
    InstanceChannel(const QString& programFolder, std::function<void(const QString&)> onKnock,
                    QObject* parent = nullptr);

    bool listening() const;
    // From the second start: true when the running program heard the knock.
    static bool knock(const QString& programFolder, const QString& file = QString(),
                      int timeoutMs = 2000);
    static QString socketName(const QString& programFolder);

private:
    QLocalServer* m_server;
    std::function<void(const QString&)> m_onKnock;
};

} // namespace kq70
