// The progress window of table files brought up to date on their first open: it follows
// the engine while it lives and leaves the engine alone once gone.

#include "ToolkitFixture.h"
#include "engine/Sqlite.h"
#include "toolkit/vtxUpgradeProgress.h"

#include <QProgressDialog>

using namespace toolkit_test;

namespace {

// A people table as a version that compared ASCII letters only wrote it.
void WriteOldFile(const QString& path) {
    SqliteConnection conn(path, true, "old");
    conn.Exec("CREATE TABLE \"tkPeopleT\" (\"RecordNumber\" INTEGER, \"FName\" TEXT, "
              "\"LName\" TEXT, \"IsMember\" INTEGER, \"Joined\" TEXT, \"Meets\" TEXT, "
              "\"Pledge\" REAL, \"Notes\" TEXT, \"GroupName\" TEXT)");
    conn.Exec("CREATE INDEX \"PLN\" ON \"tkPeopleT\" (\"LName\" COLLATE NOCASE, \"FName\" "
              "COLLATE NOCASE)");
    conn.Exec("INSERT INTO \"tkPeopleT\" (\"RecordNumber\", \"FName\", \"LName\") "
              "VALUES (1, 'Anne', 'Élan')");
}

} // namespace

class TestUpgradeProgress : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void followsTheRebuildWhileItLives() {
        TempFolder folder;
        Aliases::SetPath("UpgradeTest", folder.path());
        WriteOldFile(folder.file("tkPeopleT.db"));
        auto progress = std::make_unique<TUpgradeProgress>(nullptr, 0);
        Table people(PeopleDef(), "PeopleT");
        people.DatabaseName = "UpgradeTest";
        try {
            people.Open();
        } catch (const EDatabaseError& error) {
            QFAIL(qPrintable(error.Message()));
        }
        QVERIFY(progress->Dialog());
        QVERIFY(progress->Dialog()->isVisible());
        QVERIFY(progress->Dialog()->labelText().contains("tkPeopleT.db"));
        QCOMPARE(progress->Dialog()->value(), progress->Dialog()->maximum());
        QCOMPARE(people.RecordCount(), 1);
        people.Close();
        progress.reset();
        // Gone: the engine tells nobody.
        QFile::remove(folder.file("tkPeopleT.db"));
        WriteOldFile(folder.file("tkPeopleT.db"));
        people.Open();
        QCOMPARE(people.RecordCount(), 1);
    }
};

VTX_REGISTER_TEST(TestUpgradeProgress)
#include "tst_upgradeprogress.moc"
