// The first start on a new data folder is all or nothing: a copy of the program
// killed while it makes the table files leaves a folder that the next start
// completes, and two copies starting at once make the folder once.

#include "DataFixture.h"
#include "DeskProcess.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QTest>

namespace {

// The table files anywhere under a folder (finished or being made).
int TableFilesUnder(const QString& folder, bool topOnly = false) {
    int n = 0;
    QDirIterator it(folder, {"*.db", "*.DB"}, QDir::Files,
                    topOnly ? QDirIterator::NoIteratorFlags : QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}

// A new start on the folder: the data module opens every data set of start-up and
// the worship templates are there.
QString StartsWell(const QString& folder) {
    Aliases::SetPath(VTX2AliasName, folder);
    try {
        TDataMod module;
        module.OpenDataSets();
        if (module.WorshipOrdersT->RecordCount() != 30)
            return "templates: " + QString::number(module.WorshipOrdersT->RecordCount());
        if (!TDataMod::MissingTableFiles(folder).isEmpty())
            return "missing: " + TDataMod::MissingTableFiles(folder).join(' ');
    } catch (const EDatabaseError& e) {
        return e.Message();
    }
    return {};
}

} // namespace

class TestFirstStart : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { Aliases::Remove(VTX2AliasName); }

    // The copy is killed once the given number of table files exists (in the data
    // folder or on their way to it); the next start opens the folder.
    void killedFirstStartIsCompletedByTheNext_data() {
        QTest::addColumn<int>("files");
        QTest::addColumn<bool>("inPlace"); // count only the files in the data folder
        for (int files : {1, 6, 12, 18, 23})
            QTest::newRow(qPrintable(QString("%1 made").arg(files))) << files << false;
        QTest::newRow("moving into place") << 1 << true;
        QTest::newRow("half moved") << 12 << true;
    }
    void killedFirstStartIsCompletedByTheNext() {
        QFETCH(int, files);
        QFETCH(bool, inPlace);
        TempFolder temp;
        const QString folder = temp.path() + "Data/";
        {
            DeskProcess desk(folder);
            desk.Send("firststart");
            desk.Process().closeWriteChannel();
            QElapsedTimer waited;
            waited.start();
            while (TableFilesUnder(folder, inPlace) < files &&
                   desk.Process().state() == QProcess::Running && waited.elapsed() < 30000)
                QTest::qSleep(1);
            desk.Kill();
        }
        // The killed start left its folder at some point of the work; a new start
        // finds every table there.
        QCOMPARE(StartsWell(folder), QString());
        QCOMPARE(TableFilesUnder(folder), DataTableDefs().size());
    }

    // Two copies starting at once on a new folder: both start, the files made once.
    void twoCopiesMakeTheFolderOnce() {
        TempFolder temp;
        const QString folder = temp.path() + "Data/";
        DeskProcess a(folder), b(folder);
        a.Send("firststart");
        b.Send("firststart");
        QCOMPARE(a.NextLine(60000), QString("ok"));
        QCOMPARE(b.NextLine(60000), QString("ok"));
        QCOMPARE(StartsWell(folder), QString());
        QCOMPARE(TableFilesUnder(folder), DataTableDefs().size());
    }
};

VTX_REGISTER_TEST(TestFirstStart)
#include "tst_FirstStart.moc"
