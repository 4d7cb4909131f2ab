// The copying of the Data Backup window: which files it copies, that a failed copy is told
// and not counted, and that a backup made while rows are posted opens as a data folder
// holding them.
#include "TableFiles.h"
#include "data/vtxGlobalsU.h"
#include "engine/TableBackup.h"
#include "toolkit/Dialogs.h"
#include "utilities/vtxBackupU.h"

#include <QTest>

using namespace TableFiles;

namespace {

void WriteText(const QString& path, const QByteArray& text) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
}

struct Run {
    QList<TBackupFileResult> results;
    QList<std::pair<qint64, qint64>> progress;
    int copied = 0;
    QStringList Names() const {
        QStringList names;
        for (const TBackupFileResult& r : results)
            names << r.fileName;
        return names;
    }
};

Run Backup(const QString& from, const QString& to) {
    Run run;
    run.copied = BackupFiles(
        from, BackupListFiles(from), to, [&](const TBackupFileResult& r) { run.results << r; },
        [&](qint64 done, qint64 total) { run.progress << std::make_pair(done, total); });
    return run;
}

} // namespace

class BackupFilesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> m_temp;
    QString Source() const { return m_temp->path() + "Data/"; }
    QString Target() const { return m_temp->path() + "Backups/"; }

private slots:
    void init() {
        m_temp = std::make_unique<TempFolder>();
        QDir().mkpath(Target());
        TDataMod::CreateDataFolder(Source());
        FillTable(Source(), "RosterT", 200);
    }
    void cleanup() { m_temp.reset(); }

    void copiesAllButLockAndSettingsFiles() {
        WriteText(Source() + "PDOXUSRS.LCK", "lock");
        WriteText(Source() + "vtxRosterT.lck", "lock written in small letters");
        WriteText(Source() + "Vestrix.INI", "[Vestrix2]");
        WriteText(Source() + "printer.ini", "[Printer]");
        WriteText(Source() + "vtxRosterT.DB-journal", "a journal left by a post");
        WriteText(Source() + "notes.txt", "Council meets Tuesday");
        WriteText(Source() + ".hidden", "not listed");
        const QStringList listed = BackupListFiles(Source());
        QVERIFY(!listed.contains(".hidden"));
        QVERIFY(listed.indexOf("notes.txt") < listed.indexOf("PDOXUSRS.LCK"));

        const Run run = Backup(Source(), Target());
        QStringList expected = listed;
        for (const char* skipped : {"PDOXUSRS.LCK", "Vestrix.INI", "vtxRosterT.DB-journal"})
            expected.removeAll(skipped);
        QCOMPARE(run.Names(), expected);
        QCOMPARE(run.copied, int(expected.size()));
        QCOMPARE(QDir(Target()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase), expected);
        QCOMPARE(FileBytes(Target() + "vtxRosterT.lck"), "lock written in small letters");
        // A table's copy is the table: its rows, and no journal beside it to play back.
        QCOMPARE(ReadRows(Target() + "vtxRosterT.DB", "vtxRosterT"),
                 ReadRows(Source() + "vtxRosterT.DB", "vtxRosterT"));
        QVERIFY(QDir(Target()).entryList({"*.vtxcopy"}, QDir::Files).isEmpty());
    }

    void replacesWhatTheDestinationHolds() {
        WriteText(Source() + "notes.txt", "new notes");
        WriteText(Target() + "notes.txt", "old notes, longer than the new ones");
        CopyFolder(Source(), Target());
        FillTable(Source(), "RosterT", 50, 200); // rows posted since the last backup
        Backup(Source(), Target());
        QCOMPARE(FileBytes(Target() + "notes.txt"), "new notes");
        QCOMPARE(ReadRows(Target() + "vtxRosterT.DB", "vtxRosterT").size(), 250);
    }

    void aFailedCopyIsToldAndNotCounted() {
        WriteText(Source() + "notes.txt", "Council meets Tuesday");
        // Something that is no file stands in the way of two copies.
        QDir().mkpath(Target() + "notes.txt");
        QDir().mkpath(Target() + "vtxRosterT.DB");
        const Run run = Backup(Source(), Target());
        QStringList failed;
        for (const TBackupFileResult& r : run.results) {
            if (!r.copied) {
                failed << r.fileName;
                QVERIFY(!r.error.isEmpty());
            }
        }
        QCOMPARE(failed, QStringList({"notes.txt", "vtxRosterT.DB"}));
        QCOMPARE(run.copied, int(run.results.size()) - 2);

        const Run nowhere = Backup(Source(), m_temp->path() + "Missing/");
        QCOMPARE(nowhere.copied, 0);
        QCOMPARE(nowhere.results.size(), run.results.size());
    }

    void aDamagedTableIsCopiedAsItIs() {
        const QString path = Source() + "vtxBirthT.db";
        OverwritePage(path, 1);
        WriteAt(path, 0, QByteArray("SQLite format 3\0", 16)); // looks like a table file
        const QByteArray damaged = FileBytes(path);
        const Run run = Backup(Source(), Target());
        QVERIFY(run.results[run.Names().indexOf("vtxBirthT.db")].copied);
        QCOMPARE(FileBytes(Target() + "vtxBirthT.db"), damaged);
    }

    void progressRunsToTheTotal() {
        const Run run = Backup(Source(), Target());
        QVERIFY(run.progress.size() > run.results.size());
        qint64 total = 0;
        for (const QString& name : BackupListFiles(Source()))
            total += QFileInfo(Source() + name).size();
        for (int i = 1; i < run.progress.size(); ++i) {
            QVERIFY(run.progress[i].first >= run.progress[i - 1].first);
            QCOMPARE(run.progress[i].second, total);
        }
        QCOMPARE(run.progress.last().first, total);
    }

    void aBackupTakenWhilePostingHoldsEveryPostedRow() {
        // Gifts enough for the copy of their table to take several steps.
        FillTable(Source(), "EnvelopeOfferingT", 120000);
        Aliases::SetPath(VTX2AliasName, Source());
        Dialogs::SetScripted(true);
        auto data = std::make_unique<TDataMod>();
        data->OpenDataSets();
        Table* gifts = data->EnvelopeOfferingT;
        Table* roster = data->RosterT;
        auto post = [](Table* table, const QVariantMap& values) {
            table->Append();
            for (auto it = values.begin(); it != values.end(); ++it)
                table->FieldByName(it.key())->SetValue(it.value());
            table->Post();
        };
        const QString giftsFile = "vtxEnvelopeOfferingT.db";
        const QStringList files = BackupListFiles(Source());
        qint64 start = 0; // where the gifts' file begins in the bytes to copy
        for (const QString& name : files) {
            if (name == giftsFile)
                break;
            if (!ExcludedFromBackup(name, files))
                start += QFileInfo(Source() + name).size();
        }
        const qint64 size = QFileInfo(Source() + giftsFile).size();
        int posted = 0;
        BackupFiles(Source(), files, Target(), {}, [&](qint64 done, qint64) {
            // Half way through the gifts' copy: a gift and a member are posted.
            if (posted == 0 && done > start && done < start + size) {
                post(gifts, {{"EnvelopeNumber", "77"},
                             {"OfferingDate", QDate(2024, 3, 10)},
                             {"Amount", 25.0}});
                post(roster, {{"RecordNumber", 9001},
                              {"FName", "Ingrid"},
                              {"LName", "Solberg"},
                              {"Address1", "4 Church Road"},
                              {"IsMember", true}});
                ++posted;
            }
        });
        QCOMPARE(posted, 1);
        data->CloseDataSets();
        data.reset();

        // The backup folder opens as a data folder of its own, with the posted rows.
        Aliases::SetPath(VTX2AliasName, Target());
        data = std::make_unique<TDataMod>();
        data->OpenDataSets();
        QCOMPARE(data->EnvelopeOfferingT->StoredRowCount(), 120001);
        QVERIFY(data->EnvelopeOfferingT->Locate("EnvelopeNumber;OfferingDate",
                                                {"77", QDate(2024, 3, 10)}));
        QCOMPARE(data->RosterT->StoredRowCount(), 201);
        QVERIFY(data->RosterT->Locate("RecordNumber", {9001}));
        QCOMPARE(data->RosterT->FieldByName("LName")->AsString(), "Solberg");
        data->CloseDataSets();
        data.reset();
        Aliases::Remove(VTX2AliasName);
        Dialogs::SetScripted(false);
    }
};

VTX_REGISTER_TEST(BackupFilesTest)
#include "tst_BackupFiles.moc"
