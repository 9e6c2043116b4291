#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

namespace kq70 {

// The running program listens on a local socket named after its program folder; a second
// start knocks there so the first one comes to the front, then exits.
class InstanceChannel : public QObject {
public:
    InstanceChannel(const QString& programFolder, std::function<void()> onKnock,
                    QObject* parent = nullptr);

    bool listening() const;
    // From the second start: true when the running program heard the knock.
    static bool knock(const QString& programFolder, int timeoutMs = 2000);
    static QString socketName(const QString& programFolder);

private:
    QLocalServer* m_server;
    std::function<void()> m_onKnock;
};

} // namespace kq70
