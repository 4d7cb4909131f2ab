#include "app/vtxInstanceGuard.h"

#include "toolkit/Dialogs.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

namespace {

// The conversation: a later copy sends "ACTIVE?" and the running copy answers
// "ACTIVE"; then "FRONT" with the later copy's arguments, one per line after a "+",
// ending with an empty line.
const QByteArray kAsk = "ACTIVE?\n";
const QByteArray kAnswer = "ACTIVE\n";
const QByteArray kFront = "FRONT\n";

QString UserName() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    if (user.isEmpty())
        user = QDir::home().dirName();
    return user;
}

} // namespace

TInstanceGuard::TInstanceGuard(const QString& key, QObject* parent) : QObject(parent), m_key(key) {}

TInstanceGuard::~TInstanceGuard() {
    if (m_server)
        m_server->close();
    if (m_lock)
        m_lock->unlock();
}

QString TInstanceGuard::DefaultKey() {
    // Socket and lock file names must be plain: hash the user name into them.
    const QByteArray hash =
        QCryptographicHash::hash(UserName().toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("Vestrix2-") + QString::fromLatin1(hash);
}

QString TInstanceGuard::ServerName() const {
    return m_key;
}

bool TInstanceGuard::Claim() {
    if (m_claimed)
        return true;
    m_lock = std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(m_key + ".lock"));
    // Never stale by age: only a lock whose process is gone is taken over.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        return false;
    }
    m_claimed = true;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left behind by a copy that died is ours now that we hold the lock.
    QLocalServer::removeServer(ServerName());
    m_server->listen(ServerName());
    connect(m_server, &QLocalServer::newConnection, this, &TInstanceGuard::OnNewConnection);
    return true;
}

void TInstanceGuard::OnNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine();
                if (line == kAsk) {
                    socket->write(kAnswer);
                    socket->flush();
                } else if (line == kFront) {
                    socket->setProperty("front", true);
                    socket->setProperty("arguments", QStringList());
                } else if (socket->property("front").toBool()) {
                    if (line == "\n") {
                        socket->setProperty("front", false);
                        const QStringList arguments = socket->property("arguments").toStringList();
                        BringWindowToFront();
                        emit FrontRequested(arguments);
                    } else {
                        QStringList arguments = socket->property("arguments").toStringList();
                        arguments << QString::fromUtf8(line.mid(1).chopped(1));
                        socket->setProperty("arguments", arguments);
                    }
                }
            }
        });
    }
}

void TInstanceGuard::BringWindowToFront() {
    if (!m_window)
        return;
    if (m_window->isHidden())
        m_window->show(); // hidden in the notification area
    if (m_window->isMinimized())
        m_window->setWindowState((m_window->windowState() & ~Qt::WindowMinimized) |
                                 Qt::WindowActive);
    m_window->raise();
    m_window->activateWindow();
}

bool TInstanceGuard::AskRunningCopy(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kAsk);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    return socket.readLine() == kAnswer;
}

void TInstanceGuard::BringRunningCopyToFront(const QStringList& arguments) {
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(2000))
        return;
    QByteArray message = kFront;
    for (const QString& argument : arguments) {
        QString line = argument;
        line.replace('\n', ' ');
        message += '+' + line.toUtf8() + '\n';
    }
    message += '\n';
    socket.write(message);
    socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(2000);
}

bool RunSingleInstanceGuard(TInstanceGuard& guard) {
    if (guard.Claim())
        return true;
    const bool answered = guard.AskRunningCopy();
    Dialogs::ShowMessage(QStringLiteral("Vestrix is already running."));
    if (answered)
        guard.BringRunningCopyToFront(QCoreApplication::arguments());
    return false;
}
