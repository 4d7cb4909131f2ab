// Every table file of a first start: its fields (type, width, required flag,
// calculated and lookup fields), its indexes, the connection it is opened
// through, and what the file itself holds (columns and indexes).

#include "DataFixture.h"
#include "engine/Sqlite.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// Field lists: "Name type [width] [required] [calculated|stored|lookup]" joined
// by " | "; index lists: "Name: field, field [primary|unique]" joined by " | ".
struct Expected {
    const char* table;
    const char* file;
    const char* fields;
    const char* indexes;
};

const Expected kExpected[] = {
    {"RosterT", "vtxRosterT.DB",
     "RecordNumber integer | Title text 8 | FName text 20 required | MName text 20 | "
     "LName text 40 required | Suffix text 8 | Address1 text 40 required | Address2 text 40 | "
     "City text 40 | State text 10 | Postal text 10 | Phone text 12 | CellPhone text 12 | "
     "WorkPhone text 12 | IsMember logical required | LFMName text 83 calculated",
     "RosterTIndex1: RecordNumber primary | RPstl: Postal | RSt: State, Postal | RCity: City | "
     "RAdd: Address1, Address2 | RMN: MName | RFN: FName | RLN: LName, Suffix | RT: Title | "
     "RPhn: Phone, CellPhone, WorkPhone"},
    {"RosterDatesT", "vtxRosterDatesT.db",
     "RecordNumber integer | BirthDate date | ConfirmationDate date | JoinedChurchDate date | "
     "LeftChurchDate date | PassingDate date",
     "RDRecNo: RecordNumber"},
    {"MemoT", "vtxMemoT.db", "RecordNumber integer | Memo memo", "MemRecNo: RecordNumber"},
    {"BaptismT", "vtxBaptismT.db",
     "RecordNumber integer | FName text 20 required | MName text 20 | LName text 40 required | "
     "FatherLName text 40 | FatherFName text 20 | MotherLName text 40 | MotherFName text 20 | "
     "BaptismDate date required | GodParent1 text 40 | GodParent2 text 40 | GodParent3 text 40 | "
     "GodParent4 text 40 | Officiant text 40 | Remark text 40",
     "BaptismTIndex1: RecordNumber, FName, MName, LName primary | BOff: Officiant | BLN: LName | "
     "BMN: MName | BFN: FName | BDadN: FatherLName, FatherFName | "
     "BMomN: MotherLName, MotherFName | BDat: BaptismDate | BGP1: GodParent1 | "
     "BGP2: GodParent2 | BGP3: GodParent3 | BGP4: GodParent4 | BRecNo: RecordNumber"},
    {"BirthT", "vtxBirthT.db",
     "RecordNumber integer | FName text 20 | MName text 20 | LName text 40 | "
     "FatherLName text 40 | FatherFName text 20 | MotherLName text 40 | MotherFName text 20 | "
     "BirthDate date | Grandparent1 text 60 | Grandparent2 text 60 | Grandparent3 text 60 | "
     "Grandparent4 text 60 | PlaceOfBirth text 40 | Remark text 40",
     "BiRecNo: RecordNumber"},
    {"MarriageT", "vtxMarriageT.db",
     "RecordNumber integer | GroomFName text 20 required | GroomMName text 20 | "
     "GroomLName text 40 required | BrideFName text 20 required | BrideMName text 20 | "
     "BrideLName text 40 required | BrideMarriedLastName text 40 | EngagementDate date | "
     "RehearsalDate date | WeddingDate date required | Officiant text 40 | Remark text 40",
     "MarriageTIndex1: RecordNumber, GroomFName, GroomMName, GroomLName primary | "
     "MRecNo: RecordNumber | MOff: Officiant | MWD: WeddingDate | "
     "MBN: BrideLName, BrideFName, BrideMName | MGN: GroomLName, GroomFName, GroomMName"},
    {"CounselingT", "vtxCounselingT.DB",
     "RecordNumber integer | AppointmentSubject text 60 required | "
     "AppointmentDate date required | AppointmentTime time",
     "CRecNo: RecordNumber"},
    {"WedFamilyT", "vtxWeddingFamilyT.DB",
     "RecordNumber integer | Number integer required | Name text 50 required | "
     "Relationship text 40 | Phone 1 text 14 | Phone 2 text 14 | GroomFamily logical required",
     "WedFamilyTIndex1: RecordNumber, Number primary | WedR: Relationship, Name | WedFamN: Name | "
     "WFRecNo: RecordNumber"},
    {"WedPartyT", "vtxWeddingPartyT.db",
     "RecordNumber integer | Number integer required | Role text 40 required | "
     "Name text 40 required | Phone 1 text 14 | Phone 2 text 14 | GroomSide logical",
     "WedPartyTIndex1: RecordNumber, Number primary | WPRecNo: RecordNumber"},
    {"WedLogisticsT", "vtxLogisticsT.db",
     "RecordNumber integer | ItemNumber integer | Description text 60 | Completed logical",
     "WedLogisticsTIndex1: RecordNumber, ItemNumber primary | WLRecNo: RecordNumber"},
    {"PassingT", "vtxPassingT.db",
     "RecordNumber integer | PassingDate date | PlaceOfDeath text 40 | FuneralDate date | "
     "BurialSite text 40 | Officiant text 40 | Remark text 40",
     "PRecNo: RecordNumber"},
    {"ConfirmationT", "vtxConfirmationT.db",
     "FName text 20 | MName text 20 | LName text 40 | DateConfirmed date | Remark text 40 | "
     "Officiant text 40",
     ""},
    {"LayMinistriesT", "vtxLayMinistriesT.DB",
     "MinistryNumber integer | MinistryName text 40 | Description memo | Governing logical | "
     "NoOfMembers short",
     "LayMinistriesTIndex1: MinistryNumber primary | LMNam: MinistryName"},
    {"LayMinistryRosterT", "vtxLayRosterT.db",
     "MinistryNumber integer | RosterRecordNumber integer | MinistryName text 40 | "
     "StartDate date | EndDate date | Remark text 40 | LayMinisterName text 20 lookup",
     "LayMinistryRosterTIndex1: MinistryNumber, RosterRecordNumber primary | "
     "LMRN: RosterRecordNumber | LMMN: MinistryNumber | LMSD: StartDate | LMED: EndDate | "
     "LMMNam: MinistryName"},
    {"WorshipOrdersT", "vtxWorshipOrdersT.db", "OrderNumber short | OrderName text 40 | @40",
     "WorshipOrdersTIndex1: OrderNumber primary"},
    {"WorshipT", "vtxWorshipT.db",
     "WorshipDate date required | WorshipTime time required | WorshipTemplateNumber short | "
     "OfficiantInCharge text 40 | @100 | Remark text 40",
     "WorshipTIndex1: WorshipDate, WorshipTime primary"},
    {"WorshipMemoT", "vtxWorshipMemoT.db",
     "WorshipDate date | WorshipTime time | Special Instructions memo",
     "WorshipMemoTIndex1: WorshipDate, WorshipTime primary"},
    {"MusicLibraryT", "vtxMusicLibraryT.db",
     "MusicName text 40 | Publisher text 40 | DateAcquired date | Parts text 10 | "
     "NumberOfCopies short | Accompaniment text 10 | LastUsed date | Remark text 40",
     "MusicLibraryTIndex1: MusicName primary"},
    {"MusicUseT", "vtxMusicUseT.db", "MusicName text 40 | UsedDate date | Remark text 40",
     "MusicUseTIndex1: MusicName, UsedDate primary | MUName: MusicName | MUDates: UsedDate | "
     "MURmrk: Remark"},
    {"EnvelopeT", "vtxEnvelopeT.db",
     "RecordNumber number | EnvelopeNumber text 10 | PledgeYear short | PledgeAmount money",
     "EnvelopeTIndex1: RecordNumber primary | EnvPA: PledgeAmount | EnvPY: PledgeYear | "
     "EnvNum: EnvelopeNumber"},
    {"EnvelopeOfferingT", "vtxEnvelopeOfferingT.db",
     "EnvelopeNumber text 10 | OfferingDate date | PostedDate date | Amount money | "
     "Quarter short calculated",
     "EnvelopeOfferingTIndex1: EnvelopeNumber, OfferingDate primary | EOEnvNum: EnvelopeNumber"},
    {"OfferingT", "vtxOfferingT.db",
     "OfferingDate date | PostingDate date | Cash money | Checks money | Total money stored",
     "OffDate: OfferingDate"},
    {"UsherReportT", "vtxUsherReportT.db",
     "WorshipDate date | WorshipTime time | NumberInService integer | "
     "NumberInSundaySchool integer | NumberInChoir short | NumberOther short | "
     "Weather text 40 | Remark text 40 | ReportBy text 40",
     "UshDate: WorshipDate, WorshipTime"},
};

struct ExpectedField {
    QString name;
    QString type;
    int size = 0;
    bool required = false;
    FieldKind kind = FieldKind::Data;
    bool stored = false;
};

QList<ExpectedField> ParseFields(const QString& text) {
    QList<ExpectedField> fields;
    for (const QString& part : text.split(" | ")) {
        if (part.startsWith('@')) { // Element01 to Element30 of a width
            for (int i = 1; i <= 30; ++i)
                fields.append(
                    {QString("Element%1").arg(i, 2, 10, QChar('0')), "text", part.mid(1).toInt()});
            continue;
        }
        QStringList words = part.split(' ');
        ExpectedField f;
        while (true) {
            const QString& w = words.last();
            if (w == "required")
                f.required = true;
            else if (w == "calculated")
                f.kind = FieldKind::Calculated;
            else if (w == "stored") {
                f.kind = FieldKind::Calculated;
                f.stored = true;
            } else if (w == "lookup")
                f.kind = FieldKind::Lookup;
            else
                break;
            words.removeLast();
        }
        bool numeric = false;
        const int size = words.last().toInt(&numeric);
        if (numeric) {
            f.size = size;
            words.removeLast();
        }
        f.type = words.takeLast();
        f.name = words.join(' ');
        fields.append(f);
    }
    return fields;
}

QList<IndexDef> ParseIndexes(const QString& text) {
    QList<IndexDef> indexes;
    if (text.isEmpty())
        return indexes;
    for (const QString& part : text.split(" | ")) {
        IndexDef i;
        i.name = part.section(':', 0, 0);
        QString rest = part.section(':', 1).trimmed();
        if (rest.endsWith(" primary")) {
            i.primary = i.unique = true;
            rest.chop(8);
        }
        i.fields = rest.split(", ");
        indexes.append(i);
    }
    return indexes;
}

// What the table file holds: column names and types, index names with their
// uniqueness and the fields they name in order.
struct FileStructure {
    QStringList columns;
    QStringList types;
    QMap<QString, bool> unique;
    QMap<QString, QStringList> indexFields;
};

FileStructure ReadFile(const QString& path, const QString& table) {
    FileStructure s;
    SqliteConnection conn(path, false, table);
    auto info = conn.Prepare(QString("PRAGMA table_info(%1)").arg(QuoteName(table)));
    while (info->Step()) {
        s.columns << info->ColumnText(1);
        s.types << info->ColumnText(2);
    }
    auto list = conn.Prepare("SELECT name, sql FROM sqlite_master WHERE type = 'index' AND "
                             "tbl_name = ?");
    list->BindText(1, table);
    static const QRegularExpression quoted("\"([^\"]+)\"");
    while (list->Step()) {
        const QString name = list->ColumnText(0);
        const QString sql = list->ColumnText(1);
        s.unique[name] = sql.startsWith("CREATE UNIQUE", Qt::CaseInsensitive);
        // The quoted names after the table name are the fields, in order.
        const QString terms = sql.section('(', 1);
        QStringList fields;
        auto it = quoted.globalMatch(terms);
        while (it.hasNext())
            fields << it.next().captured(1);
        s.indexFields[name] = fields;
    }
    return s;
}

} // namespace

class TestTableDefs : public QObject {
    Q_OBJECT

    // One first start for all the tables.
    std::unique_ptr<DataFolder> m_folder;
    std::unique_ptr<TDataMod> m_module;

private slots:
    void initTestCase();
    void cleanupTestCase();
    void firstStartCreatesEveryTable_data();
    void firstStartCreatesEveryTable();
    void everyTableIsDefined();
    void templatesNumberedOneToThirty();
};

void TestTableDefs::initTestCase() {
    m_folder = std::make_unique<DataFolder>(false);
    QVERIFY(TDataMod::IsNewDataFolder(m_folder->path()));
    m_module = std::make_unique<TDataMod>();
}

void TestTableDefs::cleanupTestCase() {
    m_module.reset();
    m_folder.reset();
}

void TestTableDefs::firstStartCreatesEveryTable_data() {
    QTest::addColumn<int>("which");
    for (int i = 0; i < int(std::size(kExpected)); ++i)
        QTest::newRow(kExpected[i].table) << i;
}

void TestTableDefs::firstStartCreatesEveryTable() {
    QFETCH(int, which);
    const Expected& e = kExpected[which];
    Table* table = m_module->TableByName(e.table);
    QVERIFY(table);
    QCOMPARE(table->TableName(), QString(e.file));
    const bool throughAlias = QString(e.table) == "PassingT" || QString(e.table) == "ConfirmationT";
    QCOMPARE(table->DatabaseName, throughAlias ? VTX2AliasName : VTX2DatabaseName);

    // The fields of the open table.
    table->Open();
    const QList<ExpectedField> fields = ParseFields(e.fields);
    QCOMPARE(table->FieldCount(), int(fields.size()));
    QStringList storedColumns;
    for (int i = 0; i < fields.size(); ++i) {
        const ExpectedField& want = fields[i];
        const Field* have = table->Fields()[i];
        QCOMPARE(have->FieldName(), want.name);
        QCOMPARE(FieldTypeName(have->DataType()), want.type);
        QCOMPARE(have->Size(), want.size);
        QCOMPARE(have->Required(), want.required);
        QCOMPARE(int(have->Kind()), int(want.kind));
        QCOMPARE(have->Def().stored, want.stored);
        if (want.kind == FieldKind::Data || want.stored)
            storedColumns << want.name;
    }
    QCOMPARE(table->RecordCount(), QString(e.table) == "WorshipOrdersT" ? 30 : 0);
    table->Close();

    // The indexes of the definition.
    const QList<IndexDef> indexes = ParseIndexes(e.indexes);
    const TableDef& def = table->Def();
    QCOMPARE(def.indexes.size(), indexes.size());
    for (const IndexDef& want : indexes) {
        const IndexDef* have = def.FindIndex(want.name);
        QVERIFY2(have, qPrintable(want.name));
        QCOMPARE(have->name, want.name);
        QCOMPARE(have->fields, want.fields);
        QCOMPARE(have->primary, want.primary);
        QCOMPARE(have->unique, want.unique);
    }

    // The file itself: one column per stored field, every index.
    const FileStructure file = ReadFile(m_folder->file(e.file), def.BaseName());
    QCOMPARE(file.columns, storedColumns);
    QCOMPARE(file.unique.size(), indexes.size());
    for (const IndexDef& want : indexes) {
        QVERIFY2(file.unique.contains(want.name), qPrintable(want.name));
        QCOMPARE(file.unique[want.name], want.unique);
        QCOMPARE(file.indexFields[want.name], want.fields);
    }
}

// The definitions hold exactly the tables above and every component of the data
// module has its member.
void TestTableDefs::everyTableIsDefined() {
    QStringList expected;
    for (const Expected& e : kExpected)
        expected << e.table;
    QStringList defined;
    for (const DataTableDef& d : DataTableDefs())
        defined << d.name;
    QCOMPARE(defined, expected);

    TDataMod& module = *m_module;
    QCOMPARE(module.Tables().size(), expected.size());
    for (const QString& name : StartupOpenOrder())
        QVERIFY2(module.DataSetByName(name), qPrintable(name));
    for (const DataTableDef& d : DataTableDefs()) {
        DataSource* source = module.DataSourceByName(d.sourceName);
        QVERIFY2(source, qPrintable(d.sourceName));
        QCOMPARE(source->GetDataSet(), static_cast<DataSet*>(module.TableByName(d.name)));
    }
    QCOMPARE(module.RosterS->GetDataSet(), static_cast<DataSet*>(module.RosterT));
    QCOMPARE(module.MemberS->GetDataSet(), static_cast<DataSet*>(module.vtxMemberQ));
    QCOMPARE(module.PledgedS->GetDataSet(), static_cast<DataSet*>(module.PledgedQ));
}

void TestTableDefs::templatesNumberedOneToThirty() {
    Table& orders = m_folder->Plain("WorshipOrdersT");
    QCOMPARE(orders.RecordCount(), 30);
    for (int i = 1; i <= 30; ++i, orders.Next()) {
        QCOMPARE(orders.FieldByName("OrderNumber")->AsInteger(), i);
        QVERIFY(orders.FieldByName("OrderName")->IsNull());
        QVERIFY(orders.FieldByName("Element01")->IsNull());
        QVERIFY(orders.FieldByName("Element30")->IsNull());
    }
}

VTX_REGISTER_TEST(TestTableDefs)
#include "tst_TableDefs.moc"
