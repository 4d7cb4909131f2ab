// The facade's file-save dialog in scripted mode: the answer given, the default extension
// added to a name without one, and a cancel.
#include "TestSupport.h"
#include "toolkit/Dialogs.h"

#include <QTest>

class TestSaveFileDialog : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Dialogs::SetScripted(true);
        Dialogs::ClearScript();
    }
    void cleanup() {
        Dialogs::ClearScript();
        Dialogs::SetScripted(false);
    }

    void theAnswerTakesTheDefaultExtension_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("no extension") << "/parish/Batch log"
                                      << "/parish/Batch log.txt";
        QTest::newRow("its own extension") << "/parish/batch.log"
                                           << "/parish/batch.log";
        QTest::newRow("cancelled") << ""
                                   << "";
    }

    void theAnswerTakesTheDefaultExtension() {
        QFETCH(QString, typed);
        QFETCH(QString, result);
        Dialogs::QueueFile(typed);
        QCOMPARE(
            Dialogs::SaveFileName("Create New Batch Table", "/parish", "Text Files(*.txt)", "txt"),
            result);
        QCOMPARE(Dialogs::ShownLog().size(), 1);
        QCOMPARE(Dialogs::ShownLog().first().kind, "save");
        QCOMPARE(Dialogs::ShownLog().first().caption, "Create New Batch Table");
    }

    void nothingQueuedIsACancel() {
        QCOMPARE(Dialogs::SaveFileName("Create New Batch Table"), QString());
    }
};

VTX_REGISTER_TEST(TestSaveFileDialog)
#include "tst_savefile.moc"
