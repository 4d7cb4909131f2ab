// Sample parishes: the folder opens in the data module with the counts written,
// its rows hang together, the same seed gives the same folder, and the empty
// parish is the folder of a first start.

#include "../../bench/support/SampleParish.h"
#include "DataFixture.h"

#include <QSet>
#include <QTest>

namespace {

// Every row of every table of a folder as text, table by table.
QString Dump(const QString& folder) {
    Aliases::SetPath("SampleDump", folder);
    QString out;
    for (const DataTableDef& def : DataTableDefs()) {
        Table t(def.def, def.name);
        t.DatabaseName = "SampleDump";
        t.Open();
        out += def.name + "\n";
        for (; !t.Eof(); t.Next()) {
            QStringList values;
            for (const Field* f : t.Fields())
                values << f->AsString();
            out += values.join('|') + "\n";
        }
    }
    Aliases::Remove("SampleDump");
    return out;
}

// The values of one field over the rows of a table of the alias's folder.
QSet<QString> Values(const QString& table, const QString& field) {
    Table t(TableDefOf(table), table);
    t.DatabaseName = VTX2AliasName;
    t.Open();
    QSet<QString> values;
    for (; !t.Eof(); t.Next())
        values.insert(t.FieldByName(field)->AsString());
    return values;
}

} // namespace

class TestSampleParish : public QObject {
    Q_OBJECT

private slots:
    void opensWithTheCountsWritten();
    void sameSeedSameFolder();
    void emptyParishIsAFirstStart();
    void exactNumberOfGifts();
};

void TestSampleParish::opensWithTheCountsWritten() {
    DataFolder folder(false);
    SampleParishOptions options;
    options.members = 150;
    options.years = 2;
    options.seed = 7;
    const SampleParishCounts counts = WriteSampleParish(folder.path(), options);
    QCOMPARE(counts.value("RosterT"), qint64(150));
    for (const char* t :
         {"RosterDatesT", "BaptismT", "MarriageT", "EnvelopeT", "EnvelopeOfferingT", "OfferingT",
          "WorshipT", "WorshipMemoT", "MusicLibraryT", "MusicUseT", "UsherReportT",
          "LayMinistriesT", "LayMinistryRosterT", "MemoT", "BirthT", "CounselingT"})
        QVERIFY2(counts.value(t) > 0, qPrintable(t));
    QCOMPARE(counts.value("OfferingT"), qint64(105)); // the Sundays of 2023 and 2024

    TDataMod module;
    module.OpenDataSets();
    module.ConfirmationT->Open();
    for (Table* t : module.Tables())
        QCOMPARE(t->StoredRowCount(), int(counts.value(t->Name)));
    QCOMPARE(module.WorshipOrdersT->FieldByName("OrderName")->AsString(),
             QString("Holy Communion - Setting One"));

    // About four in five on the roster are members.
    module.vtxMemberQ->ParamByName("Status")->SetAsBoolean(true);
    module.vtxMemberQ->Open();
    QVERIFY(module.vtxMemberQ->RecordCount() > 150 * 0.65);
    QVERIFY(module.vtxMemberQ->RecordCount() < 150 * 0.95);

    // The stored totals of the loose offerings are cash and checks.
    Currency total;
    for (module.OfferingT->First(); !module.OfferingT->Eof(); module.OfferingT->Next())
        total += module.OfferingT->FieldByName("Cash")->AsCurrency() +
                 module.OfferingT->FieldByName("Checks")->AsCurrency();
    QCOMPARE(module.GivingLooseQ->FieldByName("SUM OF TOTAL")->AsCurrency(), total);
    module.CloseDataSets();

    // Rows point at rows that exist.
    const QSet<QString> members = Values("RosterT", "RecordNumber");
    for (const char* t :
         {"RosterDatesT", "MemoT", "BaptismT", "BirthT", "MarriageT", "CounselingT", "PassingT"})
        QVERIFY2(members.contains(Values(t, "RecordNumber")), qPrintable(t));
    QVERIFY(members.contains(Values("LayMinistryRosterT", "RosterRecordNumber")));
    const QSet<QString> weddings = Values("MarriageT", "RecordNumber");
    for (const char* t : {"WedFamilyT", "WedPartyT", "WedLogisticsT"})
        QVERIFY2(weddings.contains(Values(t, "RecordNumber")), qPrintable(t));
    QVERIFY(Values("EnvelopeT", "EnvelopeNumber")
                .contains(Values("EnvelopeOfferingT", "EnvelopeNumber")));
    QVERIFY(Values("MusicLibraryT", "MusicName").contains(Values("MusicUseT", "MusicName")));
    QVERIFY(Values("LayMinistriesT", "MinistryNumber")
                .contains(Values("LayMinistryRosterT", "MinistryNumber")));
}

void TestSampleParish::sameSeedSameFolder() {
    TempFolder a, b, c;
    SampleParishOptions options;
    options.members = 40;
    options.years = 1;
    options.seed = 11;
    WriteSampleParish(a.path(), options);
    WriteSampleParish(b.path(), options);
    options.seed = 12;
    WriteSampleParish(c.path(), options);
    const QString first = Dump(a.path());
    QCOMPARE(Dump(b.path()), first);
    QVERIFY(Dump(c.path()) != first);
}

void TestSampleParish::emptyParishIsAFirstStart() {
    TempFolder sample, fresh;
    SampleParishOptions options;
    options.members = 0;
    options.years = 0;
    const SampleParishCounts counts = WriteSampleParish(sample.path(), options);
    for (auto it = counts.begin(); it != counts.end(); ++it)
        QCOMPARE(it.value(), qint64(it.key() == "WorshipOrdersT" ? 30 : 0));
    TDataMod::CreateDataFolder(fresh.path());
    QCOMPARE(Dump(sample.path()), Dump(fresh.path()));
    QCOMPARE(TDataMod::MissingTableFiles(sample.path()), QStringList());
}

void TestSampleParish::exactNumberOfGifts() {
    TempFolder folder, small;
    SampleParishOptions options;
    options.members = 60;
    options.years = 1;
    options.envelopeGifts = 700;
    QCOMPARE(WriteSampleParish(folder.path(), options).value("EnvelopeOfferingT"), qint64(700));
    // Never more than one gift per envelope and Sunday.
    options.members = 10;
    options.envelopeGifts = 100000;
    const SampleParishCounts counts = WriteSampleParish(small.path(), options);
    QVERIFY(counts.value("EnvelopeT") > 0);
    QCOMPARE(counts.value("EnvelopeOfferingT"), counts.value("EnvelopeT") * 52);
}

VTX_REGISTER_TEST(TestSampleParish)
#include "tst_SampleParish.moc"
