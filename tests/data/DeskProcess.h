#pragma once
// Another desk on the same data folder: the test helper program vtxtestdesk run
// as a process of its own and driven one command at a time (see its source for
// the commands). Each command is answered by one line, "ok [value]" or
// "error KIND MESSAGE".

#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

class DeskProcess {
public:
    // The helper on a data folder.
    explicit DeskProcess(const QString& folder)
        : DeskProcess(QStringLiteral(VTX_TEST_DESK), {folder}) {}
    // A program that runs the helper (for instance inside a namespace of its own).
    DeskProcess(const QString& program, const QStringList& arguments) {
        m_process.setProgram(program);
        m_process.setArguments(arguments);
        m_process.start();
        m_process.waitForStarted(10000);
    }
    ~DeskProcess() {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.write("quit\n");
        if (!m_process.waitForFinished(10000))
            Kill();
    }
    DeskProcess(const DeskProcess&) = delete;
    DeskProcess& operator=(const DeskProcess&) = delete;

    // Sends a command and returns its answer; empty when none came in time.
    QString Ask(const QString& command, int timeoutMs = 30000) {
        Send(command);
        return NextLine(timeoutMs);
    }
    void Send(const QString& command) {
        m_process.write((command + '\n').toUtf8());
        m_process.waitForBytesWritten(10000);
    }
    // The next line the desk wrote; empty when none came in time.
    QString NextLine(int timeoutMs = 30000) {
        const QDeadlineTimer deadline(timeoutMs);
        while (!m_process.canReadLine()) {
            if (m_process.state() == QProcess::NotRunning || deadline.hasExpired() ||
                !m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
                return m_process.canReadLine() ? NextLine(0) : QString();
        }
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }
    // Ends the desk at once, as a crash or a power cut would (SIGKILL).
    void Kill() {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
    QProcess& Process() { return m_process; }

private:
    QProcess m_process;
};
