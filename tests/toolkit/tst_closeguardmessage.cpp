// The close guard's message can be a window's own: the guard says it while a guarded data
// set is pending, and says nothing once the data set is back in browse.

#include "ToolkitFixture.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxWindowLook.h"

#include <QDialog>
#include <QPointer>

using namespace toolkit_test;

class TestCloseGuardMessage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ownMessageWhilePending() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        QPointer<QDialog> dialog = new QDialog;
        Look::SetUpWindow(dialog, "Guarded", "Guarded");
        auto* guard = new TCloseGuard(dialog, {t.people.get()});
        QCOMPARE(guard->PendingMessage(), TCloseGuard::PendingText);
        guard->SetPendingMessage("Please Post or Cancel the change.");
        dialog->show();

        t.people->Edit();
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(Dialogs::ShownTexts(), QStringList{"Please Post or Cancel the change."});

        t.people->Cancel();
        dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!dialog);
        QCOMPARE(Dialogs::ShownTexts().size(), 1);
    }
};

VTX_REGISTER_TEST(TestCloseGuardMessage)
#include "tst_closeguardmessage.moc"
