// The cleanup of the Database Cleanup window over the data module: which tables each
// category empties, in which order, the messages, and where it stops.
#include "TableFiles.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/Dialogs.h"
#include "utilities/vtxDBCleanupU.h"

#include <QTest>

using namespace TableFiles;

namespace {

// The tables a fixture fills: every table of a category and every table that no category
// empties (the worship templates are there from the start).
const QStringList kFilled = {"RosterT",
                             "MemoT",
                             "RosterDatesT",
                             "ConfirmationT",
                             "PassingT",
                             "BaptismT",
                             "BirthT",
                             "CounselingT",
                             "EnvelopeT",
                             "EnvelopeOfferingT",
                             "LayMinistryRosterT",
                             "MarriageT",
                             "WedFamilyT",
                             "WedPartyT",
                             "WedLogisticsT",
                             "OfferingT",
                             "UsherReportT",
                             "WorshipT",
                             "LayMinistriesT",
                             "WorshipMemoT",
                             "MusicLibraryT",
                             "MusicUseT"};
constexpr int kRows = 12;

} // namespace

class CleanupRunTest : public QObject {
    Q_OBJECT

    TempFolder m_base;
    QString m_filled; // made once, copied for each test
    std::unique_ptr<TempFolder> m_temp;
    std::unique_ptr<TDataMod> m_data;
    QList<std::pair<QString, bool>> m_messages;

    QString Data() const { return m_temp->path() + "Data/"; }

    // Rows in each table's file, by data module name.
    QMap<QString, int> Counts() const {
        QMap<QString, int> counts;
        for (Table* t : m_data->Tables())
            counts[t->Name] = int(ReadRows(Data() + t->TableName(), t->Def().BaseName()).size());
        return counts;
    }

    TCleanupOutcome Clean(const QList<int>& categories, bool confirmCritical = false) {
        QList<bool> ticked(CleanupCategories().size(), false);
        for (int i : categories)
            ticked[i] = true;
        m_messages.clear();
        return RunCleanup(*m_data, ticked, confirmCritical, [&](const QString& text, bool error) {
            m_messages << std::make_pair(text, error);
        });
    }

    QStringList Texts() const {
        QStringList texts;
        for (const auto& m : m_messages)
            texts << m.first;
        return texts;
    }

private slots:
    void initTestCase() {
        m_filled = m_base.path() + "Filled/";
        TDataMod::CreateDataFolder(m_filled);
        for (const QString& table : kFilled)
            FillTable(m_filled, table, kRows);
    }

    void init() {
        m_temp = std::make_unique<TempFolder>();
        CopyFolder(m_filled, Data());
        Aliases::SetPath(VTX2AliasName, Data());
        ResetProgramValues();
        Dialogs::SetScripted(true);
        m_data = std::make_unique<TDataMod>();
        m_data->OpenDataSets();
    }

    void cleanup() {
        for (Table* t : m_data->Tables())
            if (t->State() == DataSetState::Edit || t->State() == DataSetState::Insert)
                t->Cancel();
        m_data->CloseDataSets();
        m_data.reset();
        Aliases::Remove(VTX2AliasName);
        m_temp.reset();
        Dialogs::SetScripted(false);
    }

    void eachCategoryEmptiesItsTablesOnly_data() {
        QTest::addColumn<int>("category");
        QTest::addColumn<QStringList>("emptied");
        const QList<TCleanupCategory>& c = CleanupCategories();
        QCOMPARE(c.size(), 13);
        const QList<QStringList> tables = {
            {"RosterT", "MemoT", "RosterDatesT"},
            {"ConfirmationT"},
            {"PassingT"},
            {"BaptismT"},
            {"BirthT"},
            {"CounselingT"},
            {"EnvelopeT"},
            {"EnvelopeOfferingT"},
            {"LayMinistryRosterT"},
            {"MarriageT", "WedFamilyT", "WedPartyT", "WedLogisticsT"},
            {"OfferingT"},
            {"UsherReportT"},
            {"WorshipT"},
        };
        for (int i = 0; i < c.size(); ++i)
            QTest::newRow(qPrintable(c[i].caption)) << i << tables[i];
    }

    void eachCategoryEmptiesItsTablesOnly() {
        QFETCH(int, category);
        QFETCH(QStringList, emptied);
        const QMap<QString, int> before = Counts();
        const QMap<QString, bool> open = [&] {
            QMap<QString, bool> m;
            for (Table* t : m_data->Tables())
                m[t->Name] = t->Active();
            return m;
        }();
        QCOMPARE(Clean({category}), TCleanupOutcome::Completed);
        QCOMPARE(Texts(), QStringList({"All requested deletions have been completed."}));
        const QMap<QString, int> after = Counts();
        for (auto it = before.begin(); it != before.end(); ++it) {
            const int expected = emptied.contains(it.key()) ? 0 : it.value();
            QCOMPARE(after[it.key()], expected);
            // A table is open again after emptying when it was open before, and only then.
            QCOMPARE(m_data->TableByName(it.key())->Active(), open[it.key()]);
        }
        for (const QString& name : emptied)
            if (m_data->TableByName(name)->Active())
                QCOMPARE(m_data->TableByName(name)->RecordCount(), 0);
    }

    void afterTheRosterThereIsNoActiveRecord() {
        QVERIFY(ActiveRecordNumber != 0);
        Clean({0});
        QCOMPARE(ActiveRecordNumber, 0);
        QVERIFY(m_data->BaptismT->Active());
        QCOMPARE(m_data->BaptismT->StoredRowCount(), kRows);
    }

    void messagesOfTheCategoriesFollowTheConfirmOption() {
        Clean({4, 3}, true);
        QCOMPARE(Texts(), QStringList({"Baptism data deleted.", "Birth data deleted.",
                                       "All requested deletions have been completed."}));
        Clean({4, 3}, false);
        QCOMPARE(Texts(), QStringList({"All requested deletions have been completed."}));
    }

    void nothingTickedChangesNothing() {
        const QMap<QString, int> before = Counts();
        QCOMPARE(Clean({}), TCleanupOutcome::NothingRequested);
        QCOMPARE(Texts(), QStringList({"No deletions requested.  No changes to the database."}));
        QCOMPARE(Counts(), before);
    }

    void theFirstTableThatCannotBeEmptiedStopsTheCleanup() {
        // The passing records' file is no table any more.
        const QString passing = Data() + "vtxPassingT.db";
        QFile::remove(passing);
        QFile text(passing);
        text.open(QIODevice::WriteOnly);
        text.write(QByteArray(8192, 'x'));
        text.close();
        // Roster, passing, baptism: the roster is emptied, the baptisms are not reached.
        QCOMPARE(Clean({0, 2, 3}, true), TCleanupOutcome::Failed);
        QCOMPARE(m_messages,
                 (QList<std::pair<QString, bool>>{
                     {"Roster data deleted.", false},
                     {"There was an error emptying a table.  Check the Help info.", true}}));
        QCOMPARE(m_data->RosterT->StoredRowCount(), 0);
        QCOMPARE(m_data->BaptismT->StoredRowCount(), kRows);
    }

    void aPendingRowOfAnEmptiedTableIsDropped() {
        m_data->BirthT->Append();
        m_data->BirthT->FieldByName("FName")->SetAsString("Anna");
        Clean({4});
        QCOMPARE(m_data->BirthT->State(), DataSetState::Browse);
        QCOMPARE(m_data->BirthT->StoredRowCount(), 0);
    }

    void questionsEndWithAllDone() {
        const TCleanupCategory& roster = CleanupCategories().first();
        QCOMPARE(CleanupQuestion(roster, true),
                 "All roster data will be deleted.\n              All done?");
        QCOMPARE(CleanupQuestion(roster, false),
                 "Roster deletion cancelled.\n              All done?");
        QCOMPARE(CleanupCategories()[9].caption, "Marriage and Wedding Logistic Records");
    }
};

VTX_REGISTER_TEST(CleanupRunTest)
#include "tst_CleanupRun.moc"
