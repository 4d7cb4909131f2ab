// The data module: what its keys refuse, the links in force at start, opening
// the data sets in their fixed order and failing on a broken data folder, the
// first start, closing, the stored queries and the lookup of the minister name.

#include "DataFixture.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QDate kSunday(2024, 3, 3);

// A roster row with the required fields.
QVariantMap Person(int recordNumber, const QString& first, const QString& last,
                   bool member = true) {
    return {{"RecordNumber", recordNumber},
            {"FName", first},
            {"LName", last},
            {"Address1", "100 Main Street"},
            {"IsMember", member}};
}

QString Message(const std::function<void()>& action) {
    try {
        action();
    } catch (const EDatabaseError& e) {
        return e.Message();
    }
    return {};
}

} // namespace

class TestDataModule : public QObject {
    Q_OBJECT

    std::unique_ptr<DataFolder> m_keysFolder; // shared by the key cases

private slots:
    void cleanupTestCase() { m_keysFolder.reset(); }
    void keys_data();
    void keys();
    void requiredFields();
    void startLinksFollowTheirMasters();
    void startIndexesAndLinks();
    void openDataSetsInFixedOrder();
    void brokenDataFolderFailsAndNamesTheTable_data();
    void brokenDataFolderFailsAndNamesTheTable();
    void firstStartOnlyWhenNoTableFileExists();
    void unknownAliasFailsTheConnection();
    void closeLeavesAliasTablesOpen();
    void storedQueries();
    void ministerNameIsLookedUpAndCut();
    void offeringTotalIsWrittenToItsColumn();
};

// ---- keys ---------------------------------------------------------------------------

void TestDataModule::keys_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QVariantMap>("first");
    QTest::addColumn<QVariantMap>("second");
    QTest::addColumn<bool>("accepted");

    const QVariantMap baptism = {{"RecordNumber", 5},
                                 {"FName", "Anna"},
                                 {"MName", "Marie"},
                                 {"LName", "Olson"},
                                 {"BaptismDate", kSunday}};
    QVariantMap otherMiddle = baptism;
    otherMiddle["MName"] = "Louise";
    QVariantMap noMiddle = baptism;
    noMiddle.remove("MName");
    QTest::newRow("baptism, same member and full name")
        << "BaptismT" << baptism << baptism << false;
    QTest::newRow("baptism, other middle name") << "BaptismT" << baptism << otherMiddle << true;
    QTest::newRow("baptism, twice without middle name")
        << "BaptismT" << noMiddle << noMiddle << false;

    const QVariantMap family = {
        {"RecordNumber", 7}, {"Number", 1}, {"Name", "Karl Olson"}, {"GroomFamily", true}};
    QVariantMap familyOther = family;
    familyOther["RecordNumber"] = 8;
    QTest::newRow("family line twice in one wedding") << "WedFamilyT" << family << family << false;
    QTest::newRow("family line in another wedding")
        << "WedFamilyT" << family << familyOther << true;

    const QVariantMap party = {
        {"RecordNumber", 7}, {"Number", 2}, {"Role", "Best Man"}, {"Name", "Nils Berg"}};
    QVariantMap partyOther = party;
    partyOther["Number"] = 3;
    QTest::newRow("party line twice in one wedding") << "WedPartyT" << party << party << false;
    QTest::newRow("next party line") << "WedPartyT" << party << partyOther << true;

    const QVariantMap item = {{"RecordNumber", 7}, {"ItemNumber", 4}, {"Description", "Flowers"}};
    QVariantMap itemOther = item;
    itemOther["RecordNumber"] = 9;
    QTest::newRow("checklist item twice in one wedding")
        << "WedLogisticsT" << item << item << false;
    QTest::newRow("checklist item in another wedding")
        << "WedLogisticsT" << item << itemOther << true;

    const QVariantMap enrol = {{"MinistryNumber", 3}, {"RosterRecordNumber", 12}};
    QVariantMap enrolOther = enrol;
    enrolOther["MinistryNumber"] = 4;
    QTest::newRow("member 12 twice in ministry 3")
        << "LayMinistryRosterT" << enrol << enrol << false;
    QTest::newRow("member 12 in ministry 4") << "LayMinistryRosterT" << enrol << enrolOther << true;

    const QVariantMap envelope = {
        {"RecordNumber", 12.0}, {"EnvelopeNumber", "101"}, {"PledgeYear", 2024}};
    QVariantMap envelopeOther = envelope;
    envelopeOther["EnvelopeNumber"] = "102";
    QVariantMap envelopeNext = envelopeOther;
    envelopeNext["RecordNumber"] = 13.0;
    QTest::newRow("second envelope for a member")
        << "EnvelopeT" << envelope << envelopeOther << false;
    QTest::newRow("envelope for another member") << "EnvelopeT" << envelope << envelopeNext << true;

    const QVariantMap use = {{"MusicName", "Silent Night"}, {"UsedDate", kSunday}};
    QVariantMap useLater = use;
    useLater["UsedDate"] = kSunday.addDays(7);
    QTest::newRow("piece used twice on one date") << "MusicUseT" << use << use << false;
    QTest::newRow("piece used on another date") << "MusicUseT" << use << useLater << true;

    const QVariantMap piece = {{"MusicName", "Silent Night"}, {"Publisher", "Concordia"}};
    QVariantMap edition = piece;
    edition["MusicName"] = "Silent Night 2";
    QTest::newRow("piece entered twice") << "MusicLibraryT" << piece << piece << false;
    QTest::newRow("second edition of a piece") << "MusicLibraryT" << piece << edition << true;

    const QVariantMap service = {{"WorshipDate", kSunday}, {"WorshipTime", QTime(10, 30)}};
    QVariantMap early = service;
    early["WorshipTime"] = QTime(8, 0);
    QTest::newRow("two services at one date and time") << "WorshipT" << service << service << false;
    QTest::newRow("two services at one date") << "WorshipT" << service << early << true;
    QTest::newRow("two memos for one service") << "WorshipMemoT" << service << service << false;

    const QVariantMap gift = {
        {"EnvelopeNumber", "101"}, {"OfferingDate", kSunday}, {"Amount", 25.0}};
    QVariantMap giftLater = gift;
    giftLater["OfferingDate"] = kSunday.addDays(7);
    QTest::newRow("envelope twice on one date") << "EnvelopeOfferingT" << gift << gift << false;
    QTest::newRow("envelope on the next Sunday")
        << "EnvelopeOfferingT" << gift << giftLater << true;

    QTest::newRow("record number twice")
        << "RosterT" << Person(1, "John", "Smith") << Person(1, "Mary", "Jones") << false;
    QTest::newRow("two members of one name")
        << "RosterT" << Person(1, "John", "Smith") << Person(2, "John", "Smith") << true;

    const QVariantMap order = {{"OrderNumber", 7}, {"OrderName", "Vespers"}};
    QTest::newRow("template number twice") << "WorshipOrdersT" << order << order << false;

    const QVariantMap loose = {{"OfferingDate", kSunday}, {"Cash", 10.0}};
    QTest::newRow("two loose offerings of one date") << "OfferingT" << loose << loose << true;
    const QVariantMap report = {
        {"WorshipDate", kSunday}, {"WorshipTime", QTime(10, 30)}, {"NumberInService", 80}};
    QTest::newRow("two usher reports of one service") << "UsherReportT" << report << report << true;
}

void TestDataModule::keys() {
    QFETCH(QString, table);
    QFETCH(QVariantMap, first);
    QFETCH(QVariantMap, second);
    QFETCH(bool, accepted);
    if (!m_keysFolder)
        m_keysFolder = std::make_unique<DataFolder>();
    DataFolder& folder = *m_keysFolder;
    folder.Plain(table).EmptyTable();
    folder.Add(table, first);
    try {
        folder.Add(table, second);
        QVERIFY2(accepted, "the second row was accepted");
    } catch (const EDatabaseError& e) {
        QVERIFY2(!accepted, qPrintable(e.Message()));
        QCOMPARE(int(e.Kind()), int(ErrorKind::KeyViolation));
    }
    QCOMPARE(folder.Plain(table).StoredRowCount(), accepted ? 2 : 1);
}

void TestDataModule::requiredFields() {
    DataFolder folder;
    QVariantMap person = Person(1, "John", "Smith");
    person.remove("Address1");
    QCOMPARE(Message([&] { folder.Add("RosterT", person); }),
             QString("Field 'Address1' must have a value"));
    QCOMPARE(Message([&] {
                 folder.Add("WorshipT", {{"WorshipDate", kSunday}});
             }),
             QString("Field 'WorshipTime' must have a value"));
    QCOMPARE(Message([&] {
                 folder.Add("CounselingT", {{"RecordNumber", 1}, {"AppointmentDate", kSunday}});
             }),
             QString("Field 'AppointmentSubject' must have a value"));
    // No field of a birth is required.
    folder.Add("BirthT", {{"RecordNumber", 1}});
    QCOMPARE(folder.Plain("BirthT").StoredRowCount(), 1);
}

// ---- start-up links -------------------------------------------------------------------

void TestDataModule::startLinksFollowTheirMasters() {
    DataFolder folder;
    folder.Add("RosterT", Person(1, "John", "Smith"));
    folder.Add("RosterT", Person(2, "Mary", "Jones"));
    const QStringList memberTables = {"RosterDatesT", "MemoT",    "BirthT",   "CounselingT",
                                      "PassingT",     "BaptismT", "MarriageT"};
    // Member 1 has two rows in each member table, member 2 one.
    int n = 0;
    for (int member : {1, 1, 2}) {
        ++n;
        const QString name = QString("Child%1").arg(n);
        folder.Add("RosterDatesT", {{"RecordNumber", member}});
        folder.Add("MemoT", {{"RecordNumber", member}, {"Memo", name}});
        folder.Add("BirthT", {{"RecordNumber", member}, {"FName", name}});
        folder.Add(
            "CounselingT",
            {{"RecordNumber", member}, {"AppointmentSubject", name}, {"AppointmentDate", kSunday}});
        folder.Add("PassingT", {{"RecordNumber", member}, {"Remark", name}});
        folder.Add("BaptismT", {{"RecordNumber", member},
                                {"FName", name},
                                {"LName", "Smith"},
                                {"BaptismDate", kSunday}});
        folder.Add("MarriageT", {{"RecordNumber", member},
                                 {"GroomFName", name},
                                 {"GroomLName", "Smith"},
                                 {"BrideFName", "Ann"},
                                 {"BrideLName", "Berg"},
                                 {"WeddingDate", kSunday}});
    }
    // Wedding lists of member 2's wedding and of member 1's.
    folder.Add("WedFamilyT",
               {{"RecordNumber", 2}, {"Number", 1}, {"Name", "A"}, {"GroomFamily", true}});
    folder.Add("WedFamilyT",
               {{"RecordNumber", 2}, {"Number", 2}, {"Name", "B"}, {"GroomFamily", false}});
    folder.Add("WedFamilyT",
               {{"RecordNumber", 1}, {"Number", 1}, {"Name", "C"}, {"GroomFamily", true}});
    folder.Add("WedPartyT",
               {{"RecordNumber", 2}, {"Number", 1}, {"Role", "Best Man"}, {"Name", "D"}});
    folder.Add("WedLogisticsT", {{"RecordNumber", 1}, {"ItemNumber", 1}});
    // Two services on one date, the memo of the later one; a piece with two uses.
    folder.Add("WorshipT", {{"WorshipDate", kSunday}, {"WorshipTime", QTime(8, 0)}});
    folder.Add("WorshipT", {{"WorshipDate", kSunday}, {"WorshipTime", QTime(10, 30)}});
    folder.Add("WorshipMemoT", {{"WorshipDate", kSunday},
                                {"WorshipTime", QTime(10, 30)},
                                {"Special Instructions", "Baptism"}});
    folder.Add("MusicLibraryT", {{"MusicName", "Ave Maria"}});
    folder.Add("MusicLibraryT", {{"MusicName", "Gloria"}});
    folder.Add("MusicUseT", {{"MusicName", "Gloria"}, {"UsedDate", kSunday}});
    folder.Add("MusicUseT", {{"MusicName", "Gloria"}, {"UsedDate", kSunday.addDays(7)}});
    folder.CloseTables();

    TDataMod module;
    module.OpenDataSets();
    QCOMPARE(module.RosterT->FieldByName("RecordNumber")->AsInteger(), 1);
    for (const QString& t : memberTables) {
        Table* detail = module.TableByName(t);
        QCOMPARE(detail->RecordCount(), 2);
        QCOMPARE(detail->FieldByName("RecordNumber")->AsInteger(), 1);
    }
    QCOMPARE(module.WedFamilyT->RecordCount(), 1);
    QCOMPARE(module.WedLogisticsT->RecordCount(), 1);
    QCOMPARE(module.WedPartyT->RecordCount(), 0);

    module.RosterT->Next();
    for (const QString& t : memberTables) {
        Table* detail = module.TableByName(t);
        QCOMPARE(detail->RecordCount(), 1);
        QCOMPARE(detail->FieldByName("RecordNumber")->AsInteger(), 2);
    }
    QCOMPARE(module.WedFamilyT->RecordCount(), 2);
    QCOMPARE(module.WedPartyT->RecordCount(), 1);
    QCOMPARE(module.WedLogisticsT->RecordCount(), 0);

    // A new detail row takes the master's number.
    module.MemoT->Append();
    QCOMPARE(module.MemoT->FieldByName("RecordNumber")->AsInteger(), 2);
    module.MemoT->Cancel();

    // The memo follows the service on date and time; the uses follow the piece.
    QCOMPARE(module.WorshipT->FieldByName("WorshipTime")->AsTime(), QTime(8, 0));
    QCOMPARE(module.WorshipMemoT->RecordCount(), 0);
    module.WorshipT->Next();
    QCOMPARE(module.WorshipMemoT->RecordCount(), 1);
    QCOMPARE(module.WorshipMemoT->FieldByName("Special Instructions")->AsString(),
             QString("Baptism"));
    QCOMPARE(module.MusicLibraryT->FieldByName("MusicName")->AsString(), QString("Ave Maria"));
    QCOMPARE(module.MusicUseT->RecordCount(), 0);
    module.MusicLibraryT->Next();
    QCOMPARE(module.MusicUseT->RecordCount(), 2);
}

void TestDataModule::startIndexesAndLinks() {
    DataFolder folder;
    TDataMod module;
    const QList<std::tuple<QString, QString, QString, QString>> expected = {
        // table, active index, master source, master fields
        {"RosterT", "", "", ""},
        {"RosterDatesT", "RDRecNo", "RosterS", "RecordNumber"},
        {"MemoT", "MemRecNo", "RosterS", "RecordNumber"},
        {"BaptismT", "BRecNo", "RosterS", "RecordNumber"},
        {"BirthT", "BiRecNo", "RosterS", "RecordNumber"},
        {"MarriageT", "MRecNo", "RosterS", "RecordNumber"},
        {"CounselingT", "CRecNo", "RosterS", "RecordNumber"},
        {"WedFamilyT", "WFRecNo", "MarriageS", "RecordNumber"},
        {"WedPartyT", "WPRecNo", "MarriageS", "RecordNumber"},
        {"WedLogisticsT", "WLRecNo", "MarriageS", "RecordNumber"},
        {"PassingT", "PRecNo", "RosterS", "RecordNumber"},
        {"ConfirmationT", "", "", ""},
        {"LayMinistriesT", "", "", ""},
        {"LayMinistryRosterT", "LMRN", "", ""},
        {"WorshipOrdersT", "", "", ""},
        {"WorshipT", "", "", ""},
        {"WorshipMemoT", "", "WorshipS", "WorshipDate;WorshipTime"},
        {"MusicLibraryT", "", "", ""},
        {"MusicUseT", "MUName", "MusicLibraryS", "MusicName"},
        {"EnvelopeT", "EnvNum", "", ""},
        {"EnvelopeOfferingT", "EOEnvNum", "", ""},
        {"OfferingT", "", "", ""},
        {"UsherReportT", "", "", ""},
    };
    QCOMPARE(module.Tables().size(), expected.size());
    for (const auto& [name, index, master, fields] : expected) {
        Table* t = module.TableByName(name);
        QVERIFY2(t, qPrintable(name));
        QCOMPARE(t->IndexName(), index);
        QCOMPARE(t->MasterSource() ? t->MasterSource()->Name : QString(), master);
        QCOMPARE(t->MasterFields(), fields);
    }
}

// ---- opening and closing --------------------------------------------------------------

void TestDataModule::openDataSetsInFixedOrder() {
    DataFolder folder;
    TDataMod module;
    QCOMPARE(DataMod, &module);
    QCOMPARE(module.vtxDatabase->DatabaseName(), QString("VTX2Database"));
    QCOMPARE(module.vtxDatabase->AliasName(), QString("Vestrix2"));
    QVERIFY(module.vtxDatabase->Connected());
    // Creating the module opens one query by itself.
    for (DataSet* d : module.StartupDataSets())
        QCOMPARE(d->Active(), d == module.WorshipSundaySchoolQ);

    QList<QString> opened;
    for (DataSet* d : module.StartupDataSets())
        d->AfterOpen = [&opened](DataSet& ds) { opened << ds.Name; };
    module.OpenDataSets();
    QStringList expected = StartupOpenOrder();
    expected.removeAll("WorshipSundaySchoolQ"); // open already
    QCOMPARE(QStringList(opened), expected);
    for (DataSet* d : module.StartupDataSets())
        QVERIFY2(d->Active(), qPrintable(d->Name));
    QVERIFY(!module.ConfirmationT->Active());
    QVERIFY(!module.vtxMemberQ->Active());
    // The first start made the templates and the first row is current.
    QCOMPARE(module.WorshipOrdersT->RecordCount(), 30);
    QCOMPARE(module.WorshipOrdersT->FieldByName("OrderNumber")->AsInteger(), 1);
}

void TestDataModule::brokenDataFolderFailsAndNamesTheTable_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("garbage"); // a file that is not a table instead of none
    QTest::addColumn<QString>("failed");
    QTest::addColumn<QString>("openBefore");
    QTest::addColumn<QString>("closedAfter");
    QTest::newRow("first of the list missing") << "vtxBaptismT.db" << false << "BaptismT"
                                               << ""
                                               << "BirthT";
    QTest::newRow("music use missing") << "vtxMusicUseT.db" << false << "MusicUseT"
                                       << "MusicLibraryT"
                                       << "OfferingT";
    QTest::newRow("roster missing") << "vtxRosterT.DB" << false << "RosterT"
                                    << "RosterDatesT"
                                    << "UsherReportT";
    QTest::newRow("passing missing") << "vtxPassingT.db" << false << "PassingT"
                                     << "ParticipantsCountQ"
                                     << "PledgedQ";
    QTest::newRow("last of the list missing") << "vtxWorshipT.db" << false << "WorshipT"
                                              << "WorshipOtherQ"
                                              << "";
    QTest::newRow("confirmations missing") << "vtxConfirmationT.db" << false << "ConfirmationT"
                                           << "WorshipT"
                                           << "";
    QTest::newRow("birth file not a table") << "vtxBirthT.db" << true << "BirthT"
                                            << "BaptismT"
                                            << "CounselingT";
    // The loose offering sum reads the file before the table is opened.
    QTest::newRow("offerings file empty") << "vtxOfferingT.db" << true << "GivingLooseQ"
                                          << "GivingEnvelopeQ"
                                          << "LayMinistriesT";
}

void TestDataModule::brokenDataFolderFailsAndNamesTheTable() {
    QFETCH(QString, file);
    QFETCH(bool, garbage);
    QFETCH(QString, failed);
    QFETCH(QString, openBefore);
    QFETCH(QString, closedAfter);
    DataFolder folder;
    QVERIFY(QFile::remove(folder.file(file)));
    if (garbage) {
        QFile f(folder.file(file));
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (file != "vtxOfferingT.db")
            f.write("This is not a table file, just some text that happens to be here.\n");
    }
    TDataMod module;
    try {
        module.OpenDataSets();
        QFAIL("the data sets opened");
    } catch (const EOpenDataSetError& e) {
        QCOMPARE(e.DataSetName(), failed);
        QVERIFY2(e.Message().contains(file), qPrintable(e.Message()));
    }
    QVERIFY(!module.DataSetByName(failed)->Active());
    if (!openBefore.isEmpty())
        QVERIFY(module.DataSetByName(openBefore)->Active());
    if (!closedAfter.isEmpty())
        QVERIFY(!module.DataSetByName(closedAfter)->Active());
    // Only the one file is affected: the folder was not made anew.
    QCOMPARE(TDataMod::MissingTableFiles(folder.path()),
             garbage ? QStringList() : QStringList{file});
}

void TestDataModule::firstStartOnlyWhenNoTableFileExists() {
    // A missing folder is made with every table file.
    {
        TempFolder temp;
        const QString data = temp.path() + "Data/";
        Aliases::SetPath(VTX2AliasName, data);
        QVERIFY(TDataMod::IsNewDataFolder(data));
        TDataMod module;
        QVERIFY(TDataMod::MissingTableFiles(data).isEmpty());
        module.OpenDataSets();
        QCOMPARE(module.WorshipOrdersT->RecordCount(), 30);
    }
    // A folder with other files only is a first start too.
    {
        TempFolder temp;
        QFile other(temp.file("notes.txt"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        QVERIFY(TDataMod::EnsureDataFolder(temp.path()));
        QVERIFY(TDataMod::MissingTableFiles(temp.path()).isEmpty());
        QVERIFY(!TDataMod::EnsureDataFolder(temp.path()));
    }
    // One table file is enough to make it an existing folder: nothing is created.
    {
        DataFolder folder;
        const QDir dir(folder.path());
        for (const QString& f : dir.entryList(QDir::Files))
            if (f != "vtxRosterT.DB")
                QVERIFY(QFile::remove(folder.file(f)));
        QVERIFY(!TDataMod::IsNewDataFolder(folder.path()));
        TDataMod module;
        QCOMPARE(TDataMod::MissingTableFiles(folder.path()).size(), DataTableDefs().size() - 1);
        QVERIFY(Message([&] { module.OpenDataSets(); }).contains("vtxBaptismT.db"));
    }
    // Creating over existing table files is refused.
    {
        DataFolder folder;
        QVERIFY(
            Message([&] { TDataMod::CreateDataFolder(folder.path()); }).contains("already exists"));
    }
}

void TestDataModule::unknownAliasFailsTheConnection() {
    Aliases::Remove(VTX2AliasName);
    QCOMPARE(Message([] { TDataMod module; }), QString("Unknown database alias: Vestrix2"));
    QVERIFY(!DataMod);
    // A file in the place of the folder.
    TempFolder temp;
    QFile file(temp.file("Data"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    Aliases::SetPath(VTX2AliasName, temp.file("Data"));
    QVERIFY(!Message([] { TDataMod module; }).isEmpty());
    QVERIFY(!DataMod);
    Aliases::Remove(VTX2AliasName);
}

void TestDataModule::closeLeavesAliasTablesOpen() {
    DataFolder folder;
    TDataMod module;
    module.OpenDataSets();
    module.ConfirmationT->Open();
    module.vtxMemberQ->Open();
    module.CloseDataSets();
    for (DataSet* d : module.StartupDataSets())
        QCOMPARE(d->Active(), d == module.PassingT);
    QVERIFY(module.ConfirmationT->Active());
    QVERIFY(!module.vtxMemberQ->Active());
}

// ---- stored queries --------------------------------------------------------------------

void TestDataModule::storedQueries() {
    DataFolder folder;
    for (int n : {80, 95, 110})
        folder.Add("UsherReportT", {{"WorshipDate", kSunday.addDays(n)},
                                    {"WorshipTime", QTime(10, 30)},
                                    {"NumberInService", n},
                                    {"NumberInChoir", n / 5}});
    folder.Add("EnvelopeT",
               {{"RecordNumber", 1.0}, {"EnvelopeNumber", "1"}, {"PledgeAmount", 520.25}});
    folder.Add("EnvelopeT",
               {{"RecordNumber", 2.0}, {"EnvelopeNumber", "2"}, {"PledgeAmount", 1040.5}});
    folder.Add("RosterT", Person(1, "John", "Smith", true));
    folder.Add("RosterT", Person(2, "Mary", "Smith", false));
    folder.Add("RosterT", Person(3, "Anna", "Berg", true));
    folder.Add("LayMinistryRosterT", {{"MinistryNumber", 3}, {"RosterRecordNumber", 1}});
    folder.Add("LayMinistryRosterT", {{"MinistryNumber", 3}, {"RosterRecordNumber", 2}});
    folder.Add("LayMinistryRosterT", {{"MinistryNumber", 4}, {"RosterRecordNumber", 1}});
    folder.CloseTables();

    TDataMod module;
    module.OpenDataSets();
    QCOMPARE(module.WorshipAttendanceQ->FieldByName("AVERAGE OF NumberInServic")->AsFloat(), 95.0);
    QCOMPARE(module.WorshipChoirQ->FieldByName("AVERAGE OF NumberInChoir")->AsFloat(), 19.0);
    QCOMPARE(module.PledgedQ->FieldByName("SUM OF PledgeAmount")->AsCurrency(),
             Currency::FromString("1560.75"));
    QCOMPARE(int(module.PledgedQ->FieldByName("SUM OF PledgeAmount")->DataType()),
             int(FieldType::Money));
    // Sums over empty tables give an empty result.
    QVERIFY(module.GivingEnvelopeQ->FieldByName("SUM OF AMOUNT")->IsNull());
    QVERIFY(module.GivingLooseQ->FieldByName("SUM OF TOTAL")->IsNull());
    QVERIFY(module.WorshipOtherQ->FieldByName("AVERAGE OF NumberOther")->IsNull());
    QVERIFY(module.WorshipSundaySchoolQ->FindField("AVERAGE OF NumberInSunday"));

    // The participants of a ministry; unset, none.
    QCOMPARE(module.ParticipantsCountQ->RecordCount(), 0);
    QVERIFY(!module.ParticipantsCountQ->FindField("LayMinisterName"));
    module.ParticipantsCountQ->Close();
    module.ParticipantsCountQ->ParamByName("MinNum")->SetAsInteger(3);
    module.ParticipantsCountQ->Open();
    QCOMPARE(module.ParticipantsCountQ->RecordCount(), 2);

    // Members and others on the roster; Status is false until set.
    module.vtxMemberQ->Open();
    QCOMPARE(module.vtxMemberQ->RecordCount(), 1);
    QCOMPARE(module.vtxMemberQ->FieldByName("FName")->AsString(), QString("Mary"));
    module.vtxMemberQ->Close();
    module.vtxMemberQ->ParamByName("Status")->SetAsBoolean(true);
    module.vtxMemberQ->Open();
    QCOMPARE(module.vtxMemberQ->RecordCount(), 2);
}

// ---- calculated and lookup fields -------------------------------------------------------

void TestDataModule::ministerNameIsLookedUpAndCut() {
    DataFolder folder;
    QVariantMap longName = Person(12, "Bartholomew", "Lindqvist");
    longName["MName"] = "Alexander";
    folder.Add("RosterT", longName);
    folder.Add("RosterT", Person(13, "Ann", "Lee"));
    folder.Add("LayMinistryRosterT", {{"MinistryNumber", 3}, {"RosterRecordNumber", 12}});
    folder.Add("LayMinistryRosterT", {{"MinistryNumber", 3}, {"RosterRecordNumber", 13}});
    folder.Add("LayMinistryRosterT", {{"MinistryNumber", 4}, {"RosterRecordNumber", 99}});
    folder.CloseTables();

    TDataMod module;
    // The full name as the roster computes it.
    module.RosterT->OnCalcFields = [](DataSet& d) {
        d.FieldByName("LFMName")->SetAsString(d.FieldByName("LName")->AsString() + ", " +
                                              d.FieldByName("FName")->AsString() + " " +
                                              d.FieldByName("MName")->AsString());
    };
    module.OpenDataSets();
    Table* enrolled = module.LayMinistryRosterT;
    // Opened before the roster, the enrolments read their names once it is open.
    QCOMPARE(enrolled->FieldByName("LayMinisterName")->AsString(), QString("Lindqvist, Bartholom"));
    enrolled->Next();
    QCOMPARE(enrolled->FieldByName("LayMinisterName")->AsString(), QString("Lee, Ann "));
    enrolled->Next();
    QVERIFY(enrolled->FieldByName("LayMinisterName")->IsNull());
    QVERIFY(!Message([&] {
                 enrolled->Edit();
                 enrolled->FieldByName("LayMinisterName")->SetAsString("x");
             }).isEmpty());
    enrolled->Cancel();
}

void TestDataModule::offeringTotalIsWrittenToItsColumn() {
    DataFolder folder;
    TDataMod module;
    module.OfferingT->OnCalcFields = [](DataSet& d) {
        d.FieldByName("Total")->SetAsCurrency(d.FieldByName("Cash")->AsCurrency() +
                                              d.FieldByName("Checks")->AsCurrency());
    };
    module.OpenDataSets();
    module.OfferingT->Append();
    module.OfferingT->FieldByName("OfferingDate")->SetAsDate(kSunday);
    module.OfferingT->FieldByName("Cash")->SetAsCurrency(Currency::FromString("100"));
    module.OfferingT->FieldByName("Checks")->SetAsCurrency(Currency::FromString("250.50"));
    module.OfferingT->Post();
    module.GivingLooseQ->Close();
    module.GivingLooseQ->Open();
    QCOMPARE(module.GivingLooseQ->FieldByName("SUM OF TOTAL")->AsCurrency(),
             Currency::FromString("350.50"));
}

VTX_REGISTER_TEST(TestDataModule)
#include "tst_DataModule.moc"
