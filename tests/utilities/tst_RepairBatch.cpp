// The batches of the verify and repair window: the lines of the batch log, the decision for
// each table, the error table of a batch, and the program's own tables around a rebuild.
#include "TableFiles.h"
#include "toolkit/Dialogs.h"
#include "utilities/TUtility.h"
#include "utilities/vtxRepairU.h"

#include <QTest>

using namespace TableFiles;
using namespace RepairLog;

class RepairBatchTest : public QObject {
    Q_OBJECT

    TempFolder m_base;
    QString m_filled; // tables with rows, made once
    QString m_empty;  // the data folder of a first start: structures to borrow
    std::unique_ptr<TempFolder> m_work;
    QStringList m_log;
    QList<std::pair<int, int>> m_positions;

    QString Data() const { return m_work->path() + "Data/"; }

    std::unique_ptr<TRepairBatch> Batch(TTUtility& utility) {
        auto batch = std::make_unique<TRepairBatch>(utility);
        batch->Log = [this](const QString& line) { m_log << line; };
        batch->OnTable = [this](int n, int m) { m_positions << std::make_pair(n, m); };
        return batch;
    }

private slots:
    void initTestCase() {
        m_filled = m_base.path() + "Filled/";
        TDataMod::CreateDataFolder(m_filled);
        FillTable(m_filled, "RosterT", 800);
        FillTable(m_filled, "BirthT", 300);
        FillTable(m_filled, "BaptismT", 300);
        m_empty = m_base.path() + "Empty/";
        TDataMod::CreateDataFolder(m_empty);
        TTUtility::SetPrivateFolder(m_base.path() + "Private/");
    }

    void init() {
        m_work = std::make_unique<TempFolder>();
        CopyFolder(m_filled, Data());
        m_log.clear();
        m_positions.clear();
    }

    void cleanup() { m_work.reset(); }

    void verifyOnlyOverSoundTables() {
        TTUtility utility;
        Batch(utility)->VerifyOnly(Data(), {"vtxBaptismT.db", "vtxBirthT.db", "vtxRosterT.DB"}, {});
        QCOMPARE(m_log,
                 QStringList(
                     {StartVerifyOnly, "Verifying Table           :vtxBaptismT.db",
                      "Verifying Status          : 0", "Verifying Table           :vtxBirthT.db",
                      "Verifying Status          : 0", "Verifying Table           :vtxRosterT.DB",
                      "Verifying Status          : 0", VerifyOnlyComplete}));
        QCOMPARE(m_positions, (QList<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
        QVERIFY(!QFile::exists(TTUtility::ErrorTableFile()));
    }

    void verifyOnlyKeepsTheFindingsOfTheWholeBatch() {
        OverwritePage(Data() + "vtxBirthT.db",
                      PagesOf(Data() + "vtxBirthT.db", "vtxBirthT", "leaf").at(2));
        Exec(Data() + "vtxRosterT.DB", "DROP INDEX RLN");
        TTUtility utility;
        Batch(utility)->VerifyOnly(
            Data(), {"vtxBaptismT.db", "vtxBirthT.db", "vtxMissingT.DB", "vtxRosterT.DB"}, {});
        QCOMPARE(m_log.mid(3), QStringList({"Verifying Table           :vtxBirthT.db",
                                            "Verifying Status          : 2",
                                            "Verifying Table           :vtxMissingT.DB",
                                            "Error processing vtxMissingT.DB:", "Table not found.",
                                            "Verifying Table           :vtxRosterT.DB",
                                            "Verifying Status          : 1", VerifyOnlyComplete}));
        QSet<QString> tables;
        for (const StoredRow& row : ReadRows(TTUtility::ErrorTableFile(), "__VERERR"))
            tables << row[1].toString();
        QCOMPARE(tables, QSet<QString>({"vtxBirthT.db", "vtxRosterT.DB"}));
    }

    void verifyAndRebuildDecidesForEachTable() {
        const QList<qint64> lost = [&] {
            const QString birth = Data() + "vtxBirthT.db";
            const int page = PagesOf(birth, "vtxBirthT", "leaf").at(2);
            const QList<qint64> rowids = RowidsOnLeaf(birth, page);
            OverwritePage(birth, page);
            return rowids;
        }();
        WriteAt(Data() + "vtxRosterT.DB", 0, QByteArray(100, '\0'));
        QFile::resize(Data() + "vtxBaptismT.db", 0);
        const QByteArray roster = FileBytes(Data() + "vtxRosterT.DB");
        const QByteArray sound = FileBytes(Data() + "vtxMemoT.db");
        TTUtility utility;
        Batch(utility)->VerifyAndRebuild(
            Data(), {"vtxBaptismT.db", "vtxBirthT.db", "vtxMemoT.db", "vtxRosterT.DB"}, {});
        QStringList expected = {
            "Verifying Table           :vtxBaptismT.db",
            "Verifying Status          : 4",
            "vtxBaptismT.db is not repairable (status 4)",
            "Verifying Table           :vtxBirthT.db",
            "Verifying Status          : 2",
            "Rebuilding Table          : vtxBirthT.db (status 2, from its own structure)",
            RebuildingTable,
            "Reading the rows of vtxBirthT.db",
            QString("%1 rows kept.").arg(300 - lost.size()),
            "1 damaged page of the table could not be read.",
            "The old table is kept as vtxBirthT_.db.",
            RebuildCompleted,
            "Verifying Table           :vtxMemoT.db",
            "Verifying Status          : 0",
            NoRebuildRequired,
            "Verifying Table           :vtxRosterT.DB",
            "Verifying Status          : 3",
            "Borrowed Structure        : none (status 3)",
            RebuildingTable,
            "vtxRosterT.DB" + CannotRebuild,
        };
        QCOMPARE(m_log, expected);
        QCOMPARE(ReadRows(Data() + "vtxBirthT.db", "vtxBirthT"),
                 Without(ReadRows(m_filled + "vtxBirthT.db", "vtxBirthT"), lost));
        QCOMPARE(FileBytes(Data() + "vtxRosterT.DB"), roster);
        QCOMPARE(FileBytes(Data() + "vtxMemoT.db"), sound);
        // The batch's error table is gone: View Error Table finds none.
        QVERIFY(!QFile::exists(TTUtility::ErrorTableFile()));
    }

    void aBorrowedStructureRebuildsAHeaderDamage() {
        WriteAt(Data() + "vtxRosterT.DB", 0, QByteArray(100, '\0'));
        TTUtility utility;
        Batch(utility)->VerifyAndRebuild(Data(), {"vtxRosterT.DB"}, m_empty);
        QCOMPARE(
            m_log.mid(0, 4),
            QStringList(
                {"Verifying Table           :vtxRosterT.DB", "Verifying Status          : 3",
                 QString("Borrowed Structure        : %1vtxRosterT.DB (status 3)").arg(m_empty),
                 RebuildingTable}));
        QCOMPARE(m_log.last(), RebuildCompleted);
        QCOMPARE(ReadRows(Data() + "vtxRosterT.DB", "vtxRosterT"),
                 ReadRows(m_filled + "vtxRosterT.DB", "vtxRosterT"));
    }

    void theHiddenRebuildRebuildsASoundTable() {
        TTUtility utility;
        Batch(utility)->VerifyAndRebuild(Data(), {"vtxBirthT.db"}, {}, true);
        QVERIFY(m_log.contains(RebuildCompleted));
        QVERIFY(QFile::exists(Data() + "vtxBirthT_.db"));
        QCOMPARE(utility.AlwaysRebuild, false);
    }

    void theProgramsTablesFollowTheRebuild() {
        Aliases::SetPath(VTX2AliasName, Data());
        Dialogs::SetScripted(true);
        auto data = std::make_unique<TDataMod>();
        data->OpenDataSets();
        Table* roster = data->RosterT;
        roster->SetIndexName("RLN");
        QVERIFY(roster->Locate("RecordNumber", {321}));
        Exec(Data() + "vtxRosterT.DB", "DROP INDEX RFN");

        TTUtility utility;
        auto batch = Batch(utility);
        std::unique_ptr<TSharedTablesReleased> released;
        batch->Release = [&](const QString& path) {
            released = std::make_unique<TSharedTablesReleased>(data.get(), path);
        };
        batch->Restore = [&](const QString&) { released.reset(); };

        // A pending change keeps its table from being rebuilt.
        roster->Edit();
        roster->FieldByName("City")->SetAsString("Northfield");
        batch->VerifyAndRebuild(Data(), {"vtxRosterT.DB"}, {});
        QCOMPARE(m_log.mid(m_log.size() - 2),
                 QStringList({"Error processing vtxRosterT.DB:",
                              "vtxRosterT.DB has a change that is not posted.  Post or cancel "
                              "it, then try again."}));
        QCOMPARE(roster->State(), DataSetState::Edit);
        roster->Cancel();

        m_log.clear();
        batch->VerifyAndRebuild(Data(), {"vtxRosterT.DB"}, {});
        QCOMPARE(m_log.last(), RebuildCompleted);
        // Open again, in its order, on its row, and writing into the rebuilt file.
        QVERIFY(roster->Active());
        QCOMPARE(roster->IndexName(), "RLN");
        QCOMPARE(roster->FieldByName("RecordNumber")->AsInteger(), 321);
        roster->Edit();
        roster->FieldByName("City")->SetAsString("Northfield");
        roster->Post();
        bool found = false;
        for (const StoredRow& row : ReadRows(Data() + "vtxRosterT.DB", "vtxRosterT"))
            found = found || row.contains(QVariant("Northfield"));
        QVERIFY(found);
        data->CloseDataSets();
        data.reset();
        Aliases::Remove(VTX2AliasName);
        Dialogs::SetScripted(false);
    }
};

VTX_REGISTER_TEST(RepairBatchTest)
#include "tst_RepairBatch.moc"
