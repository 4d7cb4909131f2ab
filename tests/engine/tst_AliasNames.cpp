// The names of the aliases and named databases, as the database lists of the verify and
// repair window show them.
#include "TestSupport.h"
#include "engine/Database.h"

#include <QTest>

class TestAliasNames : public QObject {
    Q_OBJECT

private slots:
    void namesKeepTheirLettersAndGoWhenRemoved() {
        TempFolder folder;
        Aliases::SetPath("ParishBackup", folder.path());
        Aliases::SetPath("PARISHBACKUP", folder.path()); // the same alias, named again
        QCOMPARE(Aliases::Names().count("ParishBackup"), 1);
        QVERIFY(!Aliases::Names().contains("PARISHBACKUP"));
        Aliases::Remove("parishbackup");
        QVERIFY(!Aliases::Names().contains("ParishBackup"));
    }

    void namedDatabasesAreListedWhileTheyLive() {
        {
            Database db("ParishDatabase", "ParishBackup");
            QVERIFY(Database::Names().contains("ParishDatabase"));
        }
        QVERIFY(!Database::Names().contains("ParishDatabase"));
    }
};

VTX_REGISTER_TEST(TestAliasNames)
#include "tst_AliasNames.moc"
