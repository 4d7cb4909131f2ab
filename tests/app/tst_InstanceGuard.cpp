// The single-instance guard between two processes: this test program is the running
// copy, and starts itself again as the second copy.
#include "AppFixture.h"
#include "app/vtxInstanceGuard.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QThread>
#include <cstdio>
#include <cstdlib>

namespace {

// The second copy: started with VTX_GUARD_KEY set, it runs the guard as the program
// does and ends before any test runs. VTX_GUARD_MODE "second" reports what the guard
// decided and what it showed; "hold" claims the guard and waits to be killed.
void RunAsGuardCopy() {
    const QString key = qEnvironmentVariable("VTX_GUARD_KEY");
    if (key.isEmpty())
        return;
    Dialogs::SetScripted(true);
    bool run = false;
    {
        TInstanceGuard guard(key);
        if (qEnvironmentVariable("VTX_GUARD_MODE") == "hold") {
            std::printf("%s\n", guard.Claim() ? "claimed" : "refused");
            std::fflush(stdout);
            QThread::sleep(60);
            std::_Exit(0);
        }
        run = RunSingleInstanceGuard(guard);
    } // a copy that ran gives its lock file and socket back, as the program does
    std::printf("%s\n", run ? "runs" : "ends");
    for (const QString& text : Dialogs::ShownTexts())
        std::printf("shown: %s\n", qPrintable(text));
    std::fflush(stdout);
    std::_Exit(0);
}
Q_COREAPP_STARTUP_FUNCTION(RunAsGuardCopy)

QString UniqueKey(const char* name) {
    return QString("VestrixGuardTest-%1-%2").arg(name).arg(QCoreApplication::applicationPid());
}

void StartCopy(QProcess& process, const QString& key, const QString& mode) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VTX_GUARD_KEY", key);
    environment.insert("VTX_GUARD_MODE", mode);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.setProgram(QCoreApplication::applicationFilePath());
    process.setArguments({"--from-second-copy"});
    process.start();
}

} // namespace

class TestInstanceGuard : public QObject {
    Q_OBJECT

private slots:
    // The second copy is told, the first comes to the front (from the notification
    // area or minimized) and goes on; the second ends.
    void secondCopyEndsAndFirstComesToTheFront() {
        const QString key = UniqueKey("second");
        TInstanceGuard first(key);
        QVERIFY(first.Claim());
        QWidget window;
        window.showMinimized();
        first.SetWindow(&window);
        QSignalSpy front(&first, &TInstanceGuard::FrontRequested);

        QProcess second;
        StartCopy(second, key, "second");
        // The running copy answers while its event loop turns.
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 20000);
        const QString output = QString::fromUtf8(second.readAllStandardOutput());
        QCOMPARE(output, QString("ends\nshown: Vestrix is already running.\n"));
        QTRY_COMPARE(front.count(), 1);
        QVERIFY(front.first().first().toStringList().contains("--from-second-copy"));
        QVERIFY(!window.isMinimized());
        QVERIFY(window.isVisible());
        QVERIFY(first.Claimed());
    }

    // Without a running copy the guard lets the program run, and says nothing.
    void aloneTheCopyRuns() {
        QProcess copy;
        StartCopy(copy, UniqueKey("alone"), "second");
        QVERIFY(copy.waitForFinished(20000));
        QCOMPARE(QString::fromUtf8(copy.readAllStandardOutput()), QString("runs\n"));
    }

    // A copy that died leaves its lock and socket behind; the next copy runs.
    void aDeadCopyDoesNotBlock() {
        const QString key = UniqueKey("dead");
        QProcess dying;
        StartCopy(dying, key, "hold");
        QVERIFY(dying.waitForReadyRead(20000));
        QCOMPARE(QString::fromUtf8(dying.readLine()), QString("claimed\n"));
        TInstanceGuard meanwhile(key);
        QVERIFY(!meanwhile.Claim());
        dying.kill();
        QVERIFY(dying.waitForFinished(5000));
        TInstanceGuard next(key);
        QVERIFY(next.Claim());
    }

    // Once the running copy has ended, a new one may claim the guard.
    void guardIsFreedWhenTheCopyEnds() {
        const QString key = UniqueKey("freed");
        {
            TInstanceGuard first(key);
            QVERIFY(first.Claim());
            TInstanceGuard second(key);
            QVERIFY(!second.Claim());
        }
        TInstanceGuard later(key);
        QVERIFY(later.Claim());
    }
};

VTX_REGISTER_TEST(TestInstanceGuard)
#include "tst_InstanceGuard.moc"
