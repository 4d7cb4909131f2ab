// The table utility library through the program's TTUtility: verify tells each kind of
// damage by its status, rebuild keeps every row of every readable page, and a rebuild that
// cannot be done changes nothing.
#include "TableFiles.h"
#include "engine/Database.h"
#include "engine/Table.h"
#include "utilities/TUtility.h"

#include <QLibrary>
#include <QTest>
#include <memory>
#include <unistd.h>

using namespace TableFiles;

namespace {

constexpr int kRosterRows = 3000;
const QString kRosterFile = QStringLiteral("vtxRosterT.DB");

// Damages the roster file of a data folder in a known way; returns the row ids that the
// damage destroys (rows on pages that can no longer be read).
QList<qint64> Damage(const QString& kind, const QString& folder) {
    const QString path = folder + kRosterFile;
    if (kind == "dropped index") {
        Exec(path, "DROP INDEX RLN");
    } else if (kind == "corrupted index entry") {
        // One last name in the index no longer matches its row; the page stays valid.
        const int page = PagesOf(path, "RLN", "leaf").at(1);
        QByteArray bytes = ReadPage(path, page);
        const qsizetype at = bytes.indexOf("LName ");
        bytes[at] = 'K';
        WriteAt(path, qint64(page - 1) * bytes.size(), bytes);
    } else if (kind == "overwritten index page") {
        OverwritePage(path, PagesOf(path, "RFN", "leaf").at(2));
    } else if (kind == "overwritten row page") {
        const int page = PagesOf(path, "vtxRosterT", "leaf").at(4);
        const QList<qint64> lost = RowidsOnLeaf(path, page);
        OverwritePage(path, page);
        return lost;
    } else if (kind == "overwritten interior page") {
        // The root of the rows: every leaf below it is cut off from the tree.
        for (int page : PagesOf(path, "vtxRosterT", "internal"))
            OverwritePage(path, page);
    } else if (kind == "truncated") {
        const int pageSize = PageSizeOf(path);
        const qint64 pages = QFileInfo(path).size() / pageSize;
        const qint64 keep = pages * 6 / 10;
        QList<qint64> lost;
        for (int page : PagesOf(path, "vtxRosterT", "leaf"))
            if (page > keep)
                lost += RowidsOnLeaf(path, page);
        QFile::resize(path, keep * pageSize + 100);
        return lost;
    } else if (kind == "zeroed header") {
        WriteAt(path, 0, QByteArray(100, '\0'));
    } else if (kind == "overwritten first page") {
        OverwritePage(path, 1);
    } else if (kind == "empty file") {
        QFile::resize(path, 0);
    } else if (kind == "text file") {
        QFile::remove(path);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        for (int i = 0; i < 200; ++i)
            f.write("Members of the parish council, their addresses and phones.\n");
    } else if (kind == "another table") {
        QFile::remove(path);
        QFile::copy(folder + "vtxBaptismT.db", path);
    }
    return {};
}

} // namespace

class TableUtilityTest : public QObject {
    Q_OBJECT

    TempFolder m_base;
    QString m_pristine; // a data folder with rows
    QString m_empty;    // the data folder of a first start: the structures to borrow
    std::unique_ptr<TempFolder> m_work;

    QString Data() const { return m_work->path() + "Data/"; }
    QString Roster() const { return Data() + kRosterFile; }
    QList<StoredRow> PristineRoster() const {
        return ReadRows(m_pristine + kRosterFile, "vtxRosterT");
    }

private slots:
    void initTestCase() {
        m_pristine = m_base.path() + "Pristine/";
        TDataMod::CreateDataFolder(m_pristine);
        FillTable(m_pristine, "RosterT", kRosterRows);
        FillTable(m_pristine, "BaptismT", 400);
        m_empty = m_base.path() + "Empty/";
        TDataMod::CreateDataFolder(m_empty);
        TTUtility::SetPrivateFolder(m_base.path() + "Private/");
    }

    void init() {
        m_work = std::make_unique<TempFolder>();
        CopyFolder(m_pristine, Data());
    }

    void cleanup() { m_work.reset(); }

    void verifyTellsTheDamage_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("status");
        QTest::newRow("sound table") << "" << 0;
        QTest::newRow("dropped index") << "dropped index" << 1;
        QTest::newRow("corrupted index entry") << "corrupted index entry" << 1;
        QTest::newRow("overwritten index page") << "overwritten index page" << 1;
        QTest::newRow("overwritten row page") << "overwritten row page" << 2;
        QTest::newRow("overwritten interior page") << "overwritten interior page" << 2;
        QTest::newRow("truncated") << "truncated" << 2;
        QTest::newRow("zeroed header") << "zeroed header" << 3;
        QTest::newRow("overwritten first page") << "overwritten first page" << 3;
        QTest::newRow("0-byte file") << "empty file" << 4;
        QTest::newRow("text file") << "text file" << 4;
        QTest::newRow("file of another table") << "another table" << 4;
    }

    void verifyTellsTheDamage() {
        QFETCH(QString, damage);
        QFETCH(int, status);
        Damage(damage, Data());
        TTUtility utility;
        utility.SetUpTable(Data(), kRosterFile);
        QCOMPARE(utility.Verify(), status);
        QCOMPARE(utility.OwnStructureUsable, status < 3);
    }

    void rebuildKeepsEveryReadableRow_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("borrowed");
        QTest::newRow("sound table") << "" << false;
        QTest::newRow("dropped index") << "dropped index" << false;
        QTest::newRow("corrupted index entry") << "corrupted index entry" << false;
        QTest::newRow("overwritten index page") << "overwritten index page" << false;
        QTest::newRow("overwritten row page") << "overwritten row page" << false;
        QTest::newRow("overwritten interior page") << "overwritten interior page" << false;
        QTest::newRow("truncated") << "truncated" << false;
        QTest::newRow("zeroed header") << "zeroed header" << true;
        QTest::newRow("overwritten first page") << "overwritten first page" << true;
    }

    void rebuildKeepsEveryReadableRow() {
        QFETCH(QString, damage);
        QFETCH(bool, borrowed);
        const QList<qint64> lost = Damage(damage, Data());
        const QByteArray damaged = FileBytes(Roster());
        TTUtility utility;
        utility.SetUpTable(Data(), kRosterFile, borrowed ? m_empty : QString());
        QCOMPARE(utility.AltStructAlways, borrowed);
        utility.Rebuild(borrowed);

        const QList<StoredRow> expected = Without(PristineRoster(), lost);
        QVERIFY(expected.size() > kRosterRows / 2);
        QCOMPARE(ReadRows(Roster(), "vtxRosterT"), expected);
        // The old file is kept as it was, under the backup name.
        QCOMPARE(FileBytes(Data() + "vtxRosterT_.DB"), damaged);
        QVERIFY(!QFile::exists(Roster() + ".rebuild"));
        // The rebuilt file holds the table as the program defines it, and the engine opens it.
        utility.SetUpTable(Data(), kRosterFile);
        QCOMPARE(utility.Verify(), 0);
        Aliases::SetPath("VTXRebuilt", Data());
        Table table(TableDefOf("RosterT"), "RosterT");
        table.DatabaseName = "VTXRebuilt";
        table.SetIndexName("RLN");
        table.Open();
        QCOMPARE(table.RecordCount(), int(expected.size()));
        table.Close();
        Aliases::Remove("VTXRebuilt");
    }

    void rowsRefusedByAUniqueIndexAreKept() {
        // A second member under an existing record number, let in while the primary index
        // was missing.
        Exec(Roster(), "DROP INDEX RosterTIndex1");
        Exec(Roster(), "INSERT INTO vtxRosterT (RecordNumber, FName, LName, Address1, IsMember) "
                       "VALUES (5, 'Ruth', 'Hauge', '12 Main Street', 1)");
        TTUtility utility;
        QStringList lines;
        utility.OnProgress = [&](const TUProgress& p) {
            if (p.kind == TU_PROGRESS_TEXT)
                lines << QString::fromUtf8(p.text);
        };
        utility.SetUpTable(Data(), kRosterFile);
        QCOMPARE(utility.Verify(), 1);
        utility.Rebuild(false);
        QCOMPARE(ReadRows(Roster(), "vtxRosterT"), PristineRoster());
        const QList<StoredRow> refused = ReadRows(Data() + "KEYVIOL.DB", "KEYVIOL");
        QCOMPARE(refused.size(), 1);
        QCOMPARE(refused[0][1].toString(), kRosterFile);
        QCOMPARE(refused[0][2].toLongLong(), qint64(kRosterRows + 1));
        QVERIFY(refused[0][4].toString().contains("\"LName\":\"Hauge\""));
        QVERIFY(lines.contains("1 row refused by a unique index was put in KEYVIOL.DB."));
        QVERIFY(lines.contains("3000 rows kept."));
    }

    void headerDamageIsNotRebuiltFromTheFilesOwnStructure() {
        Damage("zeroed header", Data());
        const QByteArray damaged = FileBytes(Roster());
        TTUtility utility;
        utility.SetUpTable(Data(), kRosterFile);
        QVERIFY(!utility.OwnStructureUsable);
        QVERIFY(!utility.AltStructAlways);
        QCOMPARE(utility.Verify(), 3);
        // Nothing to borrow from: the file stays as it is.
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, utility.Rebuild(true));
        QCOMPARE(FileBytes(Roster()), damaged);
    }

    void aRebuildThatFailsChangesNothing() {
        Damage("overwritten row page", Data());
        const QByteArray damaged = FileBytes(Roster());
        TTUtility utility;
        utility.SetUpTable(Data(), kRosterFile);
        // The structure of another table cannot be the roster's.
        utility.AltStructName = m_empty + "vtxBirthT.db";
        try {
            utility.Rebuild(true);
            QFAIL("the rebuild did not fail");
        } catch (const EDatabaseError& error) {
            QCOMPARE(error.Message(), "Invalid table description pointer parameter The structure "
                                      "describes table vtxBirthT, not vtxRosterT.DB.");
        }
        QCOMPARE(FileBytes(Roster()), damaged);
        QVERIFY(!QFile::exists(Data() + "vtxRosterT_.DB"));
        QVERIFY(!QFile::exists(Roster() + ".rebuild"));
    }

    void verifyReportsEveryPhase() {
        TTUtility utility;
        QMap<int, QList<int>> percents; // phase -> percents in order
        QSet<int> counts;
        utility.OnProgress = [&](const TUProgress& p) {
            QCOMPARE(p.kind, TU_PROGRESS_VERIFY);
            percents[p.phase] << p.percent;
            if (p.phase >= 3)
                counts << p.indexCount;
        };
        utility.SetUpTable(Data(), kRosterFile);
        percents.clear();
        QCOMPARE(utility.Verify(), 0);
        QCOMPARE(percents.keys(), QList<int>({0, 1, 2, 3, 4, 5, 6}));
        for (auto it = percents.begin(); it != percents.end(); ++it)
            QCOMPARE(it.value().last(), 100);
        // Nine secondary indexes beside the primary one; the integrity check moves.
        QCOMPARE(counts, QSet<int>({9}));
        QVERIFY(percents[6].size() > 3);
        QVERIFY(std::is_sorted(percents[6].begin(), percents[6].end()));
        QVERIFY(std::is_sorted(percents[2].begin(), percents[2].end()));
    }

    void rebuildReportsProgressAndOutcome() {
        Damage("overwritten row page", Data());
        TTUtility utility;
        QList<int> percents;
        QStringList lines;
        utility.OnProgress = [&](const TUProgress& p) {
            if (p.kind == TU_PROGRESS_REBUILD)
                percents << p.percent;
            else if (p.kind == TU_PROGRESS_TEXT)
                lines << QString::fromUtf8(p.text);
        };
        utility.SetUpTable(Data(), kRosterFile);
        utility.Rebuild(false);
        QVERIFY(percents.size() > 10);
        QCOMPARE(percents.last(), 100);
        QCOMPARE(lines.first(), "Reading the rows of vtxRosterT.DB");
        QVERIFY(lines.contains("1 damaged page of the table could not be read."));
        QCOMPARE(lines.last(), "The old table is kept as vtxRosterT_.DB.");
    }

    void theKeptOldTableIsStillTheTableItHeld() {
        const QList<qint64> lost = Damage("overwritten row page", Data());
        TTUtility utility;
        utility.SetUpTable(Data(), kRosterFile);
        utility.Rebuild(false);
        // "vtxRosterT_.DB" holds the damaged roster: verified as such, and it can be rebuilt.
        utility.SetUpTable(Data(), "vtxRosterT_.DB");
        QCOMPARE(utility.Verify(), 2);
        utility.Rebuild(false);
        QCOMPARE(ReadRows(Data() + "vtxRosterT_.DB", "vtxRosterT"),
                 Without(PristineRoster(), lost));
    }

    void theErrorTableCollectsTheBatch() {
        Damage("overwritten index page", Data());
        OverwritePage(Data() + "vtxBaptismT.db",
                      PagesOf(Data() + "vtxBaptismT.db", "vtxBaptismT", "leaf").at(3));
        TTUtility utility;
        utility.SetUpTable(Data(), kRosterFile);
        QCOMPARE(utility.Verify(), 1);
        const QString errors = utility.ErrorTableName;
        QCOMPARE(QFileInfo(errors).fileName(), "__VERERR.DB");
        const QList<StoredRow> first = ReadRows(errors, "__VERERR");
        QVERIFY(!first.isEmpty());
        for (const StoredRow& row : first) {
            QCOMPARE(row[1].toString(), kRosterFile);
            QCOMPARE(row[2].toInt(), 1);
        }
        utility.SetUpTable(Data(), "vtxBaptismT.db");
        utility.AppendErrors = true;
        QCOMPARE(utility.Verify(), 2);
        const QList<StoredRow> both = ReadRows(errors, "__VERERR");
        QVERIFY(both.size() > first.size());
        QCOMPARE(both.last()[1].toString(), "vtxBaptismT.db");
        // A new batch of sound tables leaves no error table behind.
        utility.SetUpTable(m_pristine, kRosterFile);
        utility.AppendErrors = false;
        QCOMPARE(utility.Verify(), 0);
        QVERIFY(!QFile::exists(errors));
    }

    void propertiesOfATable() {
        TTUtility utility;
        utility.SetUpTable(Data(), kRosterFile);
        utility.ReadProperties();
        QCOMPARE(utility.RecordCount, qint64(kRosterRows));
        QCOMPARE(utility.FieldCount, 15); // LFMName is calculated, not stored
        QVERIFY(utility.RecordSize > 100 && utility.RecordSize < 400);
        QCOMPARE(utility.MasterPassword, false);
        QCOMPARE(utility.AuxPasswords, 0);
        Damage("zeroed header", Data());
        utility.SetUpTable(Data(), kRosterFile);
        utility.ReadProperties();
        QCOMPARE(utility.RecordCount, qint64(0));
        QCOMPARE(utility.FieldCount, 0);
    }

    void aFileThatCannotBeReadAtAll() {
        if (geteuid() == 0)
            QSKIP("the superuser reads every file");
        QFile::setPermissions(Roster(), QFileDevice::Permissions());
        TTUtility utility;
        utility.SetUpTable(Data(), kRosterFile);
        QCOMPARE(utility.Verify(), 5);
        QFile::setPermissions(Roster(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void settingUpRefusesWhatIsNoTable() {
        TTUtility utility;
        QFile notes(Data() + "notes.txt");
        notes.open(QIODevice::WriteOnly);
        notes.write("Council meeting on Tuesday\n");
        notes.close();
        auto refusal = [&](const QString& file) {
            try {
                utility.SetUpTable(Data(), file);
            } catch (const EDatabaseError& error) {
                return error.Message();
            }
            return QString();
        };
        QCOMPARE(refusal("vtxMissingT.DB"), "Table not found.");
        QCOMPARE(refusal("notes.txt"),
                 "TUtility only currently supports the ttParadox table type.");
    }

    void theLibraryRefusesBadParameters() {
        QLibrary library(TTUtility::LibraryFile());
        QVERIFY2(library.load(), qPrintable(library.errorString()));
        auto init = reinterpret_cast<decltype(&TUInit)>(library.resolve("TUInit"));
        auto exit = reinterpret_cast<decltype(&TUExit)>(library.resolve("TUExit"));
        auto verify = reinterpret_cast<decltype(&TUVerifyTable)>(library.resolve("TUVerifyTable"));
        auto rebuild =
            reinterpret_cast<decltype(&TURebuildTable)>(library.resolve("TURebuildTable"));
        auto text =
            reinterpret_cast<decltype(&TUGetErrorString)>(library.resolve("TUGetErrorString"));
        hTUses session = nullptr;
        QCOMPARE(init(&session), TUERR_NONE);
        auto message = [&](TUResult result) {
            char buffer[512];
            text(session, result, buffer, int(sizeof buffer));
            return QString::fromUtf8(buffer);
        };
        const QByteArray roster = Roster().toUtf8();
        const QByteArray work = (Data() + "KEYVIOL.DB").toUtf8();
        int status = -1;
        QCOMPARE(message(verify(session, "", "Paradox", nullptr, nullptr, 0, nullptr, &status)),
                 "Invalid TUVerify parameters");
        QCOMPARE(message(verify(session, roster, "dBASE", nullptr, nullptr, 0, nullptr, &status)),
                 "Invalid TUVerify parameters");
        const QByteArray nowhere = (Data() + "no such folder/__VERERR.DB").toUtf8();
        const TUResult noFolder =
            verify(session, roster, "Paradox", nowhere, nullptr, 0, nullptr, &status);
        QCOMPARE(noFolder, TUERR_INVALIDDIR);
        QVERIFY(message(noFolder).startsWith("Invalid directory path"));
        QCOMPARE(message(rebuild(session, nullptr, "Paradox", work, work, work, "{}")),
                 "Invalid TURebuild parameters");
        QCOMPARE(message(rebuild(session, roster, "Paradox", work, work, work, nullptr)),
                 "Invalid table description pointer parameter");
        QCOMPARE(status, -1);
        // Cut to the buffer, never past it.
        char small[8];
        text(session, TUERR_VERIFYPARAMS, small, int(sizeof small));
        QCOMPARE(QByteArray(small), "Invalid");
        QCOMPARE(exit(session), TUERR_NONE);
    }

    void aMissingLibraryIsNamed() {
        try {
            TTUtility utility(m_base.path() + "nowhere/" + TTUtility::LibraryFileName());
            QFAIL("the library was loaded");
        } catch (const ETUtilityLoadError& error) {
            QCOMPARE(error.Message(), "Unable to Load " + TTUtility::LibraryFileName());
        }
    }
};

VTX_REGISTER_TEST(TableUtilityTest)
#include "tst_TableUtility.moc"
