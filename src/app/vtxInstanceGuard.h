#pragma once
// The single-instance guard: at most one running copy of the program per user on a
// machine. The first copy holds a lock file and listens on a local socket; a second
// copy finds the lock held, asks the running copy whether it is active, tells the
// user, asks the running copy to come to the front, and ends.

#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

class QLocalServer;
class QWidget;

class TInstanceGuard : public QObject {
    Q_OBJECT
public:
    // The key names the lock file and the socket; copies with the same key exclude
    // each other. The default key is per user.
    explicit TInstanceGuard(const QString& key = DefaultKey(), QObject* parent = nullptr);
    ~TInstanceGuard() override;

    static QString DefaultKey();

    // Tries to become the running copy: true when no other copy holds the lock (a
    // lock left by a copy that died counts as free). The running copy then answers
    // the questions of later copies.
    bool Claim();
    bool Claimed() const { return m_claimed; }

    // For a copy that could not claim: asks the running copy whether it is active;
    // true when it answered within the timeout.
    bool AskRunningCopy(int timeoutMs = 5000);
    // Asks the running copy to come to the front, handing it this copy's arguments
    // (which it ignores).
    void BringRunningCopyToFront(const QStringList& arguments);

    // The running copy's window, brought to the front when a later copy asks.
    void SetWindow(QWidget* window) { m_window = window; }

signals:
    // A later copy asked this copy to come to the front.
    void FrontRequested(const QStringList& arguments);

private:
    void OnNewConnection();
    void BringWindowToFront();
    QString ServerName() const;

    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    QPointer<QWidget> m_window;
    bool m_claimed = false;
};

// The guard of start-up: claims the guard, or, when another copy runs and answers,
// shows "Vestrix is already running.", brings that copy to the front and returns
// false (this copy must end). A copy that holds the lock without answering counts as
// running too: the data is never opened by two copies at once.
bool RunSingleInstanceGuard(TInstanceGuard& guard);
