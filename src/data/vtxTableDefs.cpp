#include "data/vtxTableDefs.h"

#include "engine/EDatabaseError.h"

const QString VTX2DatabaseName = QStringLiteral("VTX2Database");
const QString VTX2AliasName = QStringLiteral("Vestrix2");

namespace {

FieldDef Calculated(FieldDef field, bool stored = false) {
    field.kind = FieldKind::Calculated;
    field.stored = stored;
    return field;
}

FieldDef Lookup(FieldDef field, const QString& keyFields, const QString& lookupKeyFields,
                const QString& resultField) {
    field.kind = FieldKind::Lookup;
    field.keyFields = keyFields;
    field.lookupKeyFields = lookupKeyFields;
    field.lookupResultField = resultField;
    return field;
}

// "Element01" to "Element30", each text of the given width.
QList<FieldDef> Elements(int width) {
    QList<FieldDef> fields;
    for (int i = 1; i <= 30; ++i)
        fields << TextField(QString("Element%1").arg(i, 2, 10, QChar('0')), width);
    return fields;
}

DataTableDef Roster() {
    DataTableDef t;
    t.name = "RosterT";
    t.sourceName = "RosterS";
    t.def.tableName = "vtxRosterT.DB";
    t.def.fields = {
        IntegerField("RecordNumber"),    TextField("Title", 8),
        TextField("FName", 20, true),    TextField("MName", 20),
        TextField("LName", 40, true),    TextField("Suffix", 8),
        TextField("Address1", 40, true), TextField("Address2", 40),
        TextField("City", 40),           TextField("State", 10),
        TextField("Postal", 10),         TextField("Phone", 12),
        TextField("CellPhone", 12),      TextField("WorkPhone", 12),
        LogicalField("IsMember", true),  Calculated(TextField("LFMName", 83)),
    };
    t.def.indexes = {
        PrimaryIndexDef("RosterTIndex1", {"RecordNumber"}),
        SecondaryIndexDef("RPstl", {"Postal"}),
        SecondaryIndexDef("RSt", {"State", "Postal"}),
        SecondaryIndexDef("RCity", {"City"}),
        SecondaryIndexDef("RAdd", {"Address1", "Address2"}),
        SecondaryIndexDef("RMN", {"MName"}),
        SecondaryIndexDef("RFN", {"FName"}),
        SecondaryIndexDef("RLN", {"LName", "Suffix"}),
        SecondaryIndexDef("RT", {"Title"}),
        SecondaryIndexDef("RPhn", {"Phone", "CellPhone", "WorkPhone"}),
    };
    return t;
}

// A member detail table: follows the roster on RecordNumber at start.
DataTableDef MemberDetail(const QString& name, const QString& file, const QString& indexName) {
    DataTableDef t;
    t.name = name + "T";
    t.sourceName = name + "S";
    t.def.tableName = file;
    t.indexName = indexName;
    t.masterSource = "RosterS";
    t.masterFields = "RecordNumber";
    return t;
}

DataTableDef RosterDates() {
    DataTableDef t = MemberDetail("RosterDates", "vtxRosterDatesT.db", "RDRecNo");
    t.def.fields = {
        IntegerField("RecordNumber"),  DateField("BirthDate"),      DateField("ConfirmationDate"),
        DateField("JoinedChurchDate"), DateField("LeftChurchDate"), DateField("PassingDate"),
    };
    t.def.indexes = {SecondaryIndexDef("RDRecNo", {"RecordNumber"})};
    return t;
}

DataTableDef Memo() {
    DataTableDef t = MemberDetail("Memo", "vtxMemoT.db", "MemRecNo");
    t.def.fields = {IntegerField("RecordNumber"), MemoField("Memo")};
    t.def.indexes = {SecondaryIndexDef("MemRecNo", {"RecordNumber"})};
    return t;
}

DataTableDef Baptism() {
    DataTableDef t = MemberDetail("Baptism", "vtxBaptismT.db", "BRecNo");
    t.def.fields = {
        IntegerField("RecordNumber"), TextField("FName", 20, true), TextField("MName", 20),
        TextField("LName", 40, true), TextField("FatherLName", 40), TextField("FatherFName", 20),
        TextField("MotherLName", 40), TextField("MotherFName", 20), DateField("BaptismDate", true),
        TextField("GodParent1", 40),  TextField("GodParent2", 40),  TextField("GodParent3", 40),
        TextField("GodParent4", 40),  TextField("Officiant", 40),   TextField("Remark", 40),
    };
    t.def.indexes = {
        PrimaryIndexDef("BaptismTIndex1", {"RecordNumber", "FName", "MName", "LName"}),
        SecondaryIndexDef("BOff", {"Officiant"}),
        SecondaryIndexDef("BLN", {"LName"}),
        SecondaryIndexDef("BMN", {"MName"}),
        SecondaryIndexDef("BFN", {"FName"}),
        SecondaryIndexDef("BDadN", {"FatherLName", "FatherFName"}),
        SecondaryIndexDef("BMomN", {"MotherLName", "MotherFName"}),
        SecondaryIndexDef("BDat", {"BaptismDate"}),
        SecondaryIndexDef("BGP1", {"GodParent1"}),
        SecondaryIndexDef("BGP2", {"GodParent2"}),
        SecondaryIndexDef("BGP3", {"GodParent3"}),
        SecondaryIndexDef("BGP4", {"GodParent4"}),
        SecondaryIndexDef("BRecNo", {"RecordNumber"}),
    };
    return t;
}

DataTableDef Birth() {
    DataTableDef t = MemberDetail("Birth", "vtxBirthT.db", "BiRecNo");
    t.def.fields = {
        IntegerField("RecordNumber"),  TextField("FName", 20),        TextField("MName", 20),
        TextField("LName", 40),        TextField("FatherLName", 40),  TextField("FatherFName", 20),
        TextField("MotherLName", 40),  TextField("MotherFName", 20),  DateField("BirthDate"),
        TextField("Grandparent1", 60), TextField("Grandparent2", 60), TextField("Grandparent3", 60),
        TextField("Grandparent4", 60), TextField("PlaceOfBirth", 40), TextField("Remark", 40),
    };
    t.def.indexes = {SecondaryIndexDef("BiRecNo", {"RecordNumber"})};
    return t;
}

DataTableDef Marriage() {
    DataTableDef t = MemberDetail("Marriage", "vtxMarriageT.db", "MRecNo");
    t.def.fields = {
        IntegerField("RecordNumber"),      TextField("GroomFName", 20, true),
        TextField("GroomMName", 20),       TextField("GroomLName", 40, true),
        TextField("BrideFName", 20, true), TextField("BrideMName", 20),
        TextField("BrideLName", 40, true), TextField("BrideMarriedLastName", 40),
        DateField("EngagementDate"),       DateField("RehearsalDate"),
        DateField("WeddingDate", true),    TextField("Officiant", 40),
        TextField("Remark", 40),
    };
    t.def.indexes = {
        PrimaryIndexDef("MarriageTIndex1",
                        {"RecordNumber", "GroomFName", "GroomMName", "GroomLName"}),
        SecondaryIndexDef("MRecNo", {"RecordNumber"}),
        SecondaryIndexDef("MOff", {"Officiant"}),
        SecondaryIndexDef("MWD", {"WeddingDate"}),
        SecondaryIndexDef("MBN", {"BrideLName", "BrideFName", "BrideMName"}),
        SecondaryIndexDef("MGN", {"GroomLName", "GroomFName", "GroomMName"}),
    };
    return t;
}

DataTableDef Counseling() {
    DataTableDef t = MemberDetail("Counseling", "vtxCounselingT.DB", "CRecNo");
    t.def.fields = {
        IntegerField("RecordNumber"),
        TextField("AppointmentSubject", 60, true),
        DateField("AppointmentDate", true),
        TimeField("AppointmentTime"),
    };
    t.def.indexes = {SecondaryIndexDef("CRecNo", {"RecordNumber"})};
    return t;
}

// A wedding-planning table: follows the marriage on RecordNumber at start.
DataTableDef WeddingDetail(const QString& name, const QString& file, const QString& indexName) {
    DataTableDef t = MemberDetail(name, file, indexName);
    t.masterSource = "MarriageS";
    return t;
}

DataTableDef WedFamily() {
    DataTableDef t = WeddingDetail("WedFamily", "vtxWeddingFamilyT.DB", "WFRecNo");
    t.def.fields = {
        IntegerField("RecordNumber"),      IntegerField("Number", true),
        TextField("Name", 50, true),       TextField("Relationship", 40),
        TextField("Phone 1", 14),          TextField("Phone 2", 14),
        LogicalField("GroomFamily", true),
    };
    t.def.indexes = {
        PrimaryIndexDef("WedFamilyTIndex1", {"RecordNumber", "Number"}),
        SecondaryIndexDef("WedR", {"Relationship", "Name"}),
        SecondaryIndexDef("WedFamN", {"Name"}),
        SecondaryIndexDef("WFRecNo", {"RecordNumber"}),
    };
    return t;
}

DataTableDef WedParty() {
    DataTableDef t = WeddingDetail("WedParty", "vtxWeddingPartyT.db", "WPRecNo");
    t.def.fields = {
        IntegerField("RecordNumber"), IntegerField("Number", true), TextField("Role", 40, true),
        TextField("Name", 40, true),  TextField("Phone 1", 14),     TextField("Phone 2", 14),
        LogicalField("GroomSide"),
    };
    t.def.indexes = {
        PrimaryIndexDef("WedPartyTIndex1", {"RecordNumber", "Number"}),
        SecondaryIndexDef("WPRecNo", {"RecordNumber"}),
    };
    return t;
}

DataTableDef WedLogistics() {
    DataTableDef t = WeddingDetail("WedLogistics", "vtxLogisticsT.db", "WLRecNo");
    t.def.fields = {
        IntegerField("RecordNumber"),
        IntegerField("ItemNumber"),
        TextField("Description", 60),
        LogicalField("Completed"),
    };
    t.def.indexes = {
        PrimaryIndexDef("WedLogisticsTIndex1", {"RecordNumber", "ItemNumber"}),
        SecondaryIndexDef("WLRecNo", {"RecordNumber"}),
    };
    return t;
}

DataTableDef Passing() {
    DataTableDef t = MemberDetail("Passing", "vtxPassingT.db", "PRecNo");
    t.throughAlias = true;
    t.def.fields = {
        IntegerField("RecordNumber"), DateField("PassingDate"),    TextField("PlaceOfDeath", 40),
        DateField("FuneralDate"),     TextField("BurialSite", 40), TextField("Officiant", 40),
        TextField("Remark", 40),
    };
    t.def.indexes = {SecondaryIndexDef("PRecNo", {"RecordNumber"})};
    return t;
}

DataTableDef Confirmation() {
    DataTableDef t;
    t.name = "ConfirmationT";
    t.sourceName = "ConfirmationS";
    t.throughAlias = true;
    t.def.tableName = "vtxConfirmationT.db";
    t.def.fields = {
        TextField("FName", 20),     TextField("MName", 20),  TextField("LName", 40),
        DateField("DateConfirmed"), TextField("Remark", 40), TextField("Officiant", 40),
    };
    return t;
}

DataTableDef LayMinistries() {
    DataTableDef t;
    t.name = "LayMinistriesT";
    t.sourceName = "LayMinistriesS";
    t.def.tableName = "vtxLayMinistriesT.DB";
    t.def.fields = {
        IntegerField("MinistryNumber"), TextField("MinistryName", 40), MemoField("Description"),
        LogicalField("Governing"),      ShortField("NoOfMembers"),
    };
    t.def.indexes = {
        PrimaryIndexDef("LayMinistriesTIndex1", {"MinistryNumber"}),
        SecondaryIndexDef("LMNam", {"MinistryName"}),
    };
    return t;
}

DataTableDef LayMinistryRoster() {
    DataTableDef t;
    t.name = "LayMinistryRosterT";
    t.sourceName = "LayMinistryRosterS";
    t.def.tableName = "vtxLayRosterT.db";
    t.indexName = "LMRN";
    t.def.fields = {
        IntegerField("MinistryNumber"),
        IntegerField("RosterRecordNumber"),
        TextField("MinistryName", 40),
        DateField("StartDate"),
        DateField("EndDate"),
        TextField("Remark", 40),
        Lookup(TextField("LayMinisterName", 20), "RosterRecordNumber", "RecordNumber", "LFMName"),
    };
    t.def.indexes = {
        PrimaryIndexDef("LayMinistryRosterTIndex1", {"MinistryNumber", "RosterRecordNumber"}),
        SecondaryIndexDef("LMRN", {"RosterRecordNumber"}),
        SecondaryIndexDef("LMMN", {"MinistryNumber"}),
        SecondaryIndexDef("LMSD", {"StartDate"}),
        SecondaryIndexDef("LMED", {"EndDate"}),
        SecondaryIndexDef("LMMNam", {"MinistryName"}),
    };
    t.lookupField = "LayMinisterName";
    t.lookupTable = "RosterT";
    return t;
}

DataTableDef WorshipOrders() {
    DataTableDef t;
    t.name = "WorshipOrdersT";
    t.sourceName = "WorshipOrdersS";
    t.def.tableName = "vtxWorshipOrdersT.db";
    t.def.fields = {ShortField("OrderNumber"), TextField("OrderName", 40)};
    t.def.fields += Elements(40);
    t.def.indexes = {PrimaryIndexDef("WorshipOrdersTIndex1", {"OrderNumber"})};
    return t;
}

DataTableDef Worship() {
    DataTableDef t;
    t.name = "WorshipT";
    t.sourceName = "WorshipS";
    t.def.tableName = "vtxWorshipT.db";
    t.def.fields = {
        DateField("WorshipDate", true),
        TimeField("WorshipTime", true),
        ShortField("WorshipTemplateNumber"),
        TextField("OfficiantInCharge", 40),
    };
    t.def.fields += Elements(100);
    t.def.fields << TextField("Remark", 40);
    t.def.indexes = {PrimaryIndexDef("WorshipTIndex1", {"WorshipDate", "WorshipTime"})};
    return t;
}

DataTableDef WorshipMemo() {
    DataTableDef t;
    t.name = "WorshipMemoT";
    t.sourceName = "WorshipMemoS";
    t.def.tableName = "vtxWorshipMemoT.db";
    t.masterSource = "WorshipS";
    t.masterFields = "WorshipDate;WorshipTime";
    t.def.fields = {DateField("WorshipDate"), TimeField("WorshipTime"),
                    MemoField("Special Instructions")};
    // One memo per service.
    t.def.indexes = {PrimaryIndexDef("WorshipMemoTIndex1", {"WorshipDate", "WorshipTime"})};
    return t;
}

DataTableDef MusicLibrary() {
    DataTableDef t;
    t.name = "MusicLibraryT";
    t.sourceName = "MusicLibraryS";
    t.def.tableName = "vtxMusicLibraryT.db";
    t.def.fields = {
        TextField("MusicName", 40), TextField("Publisher", 40),   DateField("DateAcquired"),
        TextField("Parts", 10),     ShortField("NumberOfCopies"), TextField("Accompaniment", 10),
        DateField("LastUsed"),      TextField("Remark", 40),
    };
    t.def.indexes = {PrimaryIndexDef("MusicLibraryTIndex1", {"MusicName"})};
    return t;
}

DataTableDef MusicUse() {
    DataTableDef t;
    t.name = "MusicUseT";
    t.sourceName = "MusicUseS";
    t.def.tableName = "vtxMusicUseT.db";
    t.indexName = "MUName";
    t.masterSource = "MusicLibraryS";
    t.masterFields = "MusicName";
    t.def.fields = {TextField("MusicName", 40), DateField("UsedDate"), TextField("Remark", 40)};
    t.def.indexes = {
        PrimaryIndexDef("MusicUseTIndex1", {"MusicName", "UsedDate"}),
        SecondaryIndexDef("MUName", {"MusicName"}),
        SecondaryIndexDef("MUDates", {"UsedDate"}),
        SecondaryIndexDef("MURmrk", {"Remark"}),
    };
    return t;
}

DataTableDef Envelope() {
    DataTableDef t;
    t.name = "EnvelopeT";
    t.sourceName = "EnvelopeS";
    t.def.tableName = "vtxEnvelopeT.db";
    t.indexName = "EnvNum";
    t.def.fields = {
        NumberField("RecordNumber"),
        TextField("EnvelopeNumber", 10),
        ShortField("PledgeYear"),
        MoneyField("PledgeAmount"),
    };
    t.def.indexes = {
        PrimaryIndexDef("EnvelopeTIndex1", {"RecordNumber"}),
        SecondaryIndexDef("EnvPA", {"PledgeAmount"}),
        SecondaryIndexDef("EnvPY", {"PledgeYear"}),
        SecondaryIndexDef("EnvNum", {"EnvelopeNumber"}),
    };
    return t;
}

DataTableDef EnvelopeOffering() {
    DataTableDef t;
    t.name = "EnvelopeOfferingT";
    t.sourceName = "EnvelopeOfferingS";
    t.def.tableName = "vtxEnvelopeOfferingT.db";
    t.indexName = "EOEnvNum";
    t.def.fields = {
        TextField("EnvelopeNumber", 10),   DateField("OfferingDate"),
        DateField("PostedDate"),           MoneyField("Amount"),
        Calculated(ShortField("Quarter")),
    };
    // One gift per envelope and date.
    t.def.indexes = {
        PrimaryIndexDef("EnvelopeOfferingTIndex1", {"EnvelopeNumber", "OfferingDate"}),
        SecondaryIndexDef("EOEnvNum", {"EnvelopeNumber"}),
    };
    return t;
}

DataTableDef Offering() {
    DataTableDef t;
    t.name = "OfferingT";
    t.sourceName = "OfferingS";
    t.def.tableName = "vtxOfferingT.db";
    // Total is worked out from Cash and Checks and also written to the file on
    // every post, so that the loose offering sum reads the right amounts.
    t.def.fields = {
        DateField("OfferingDate"),
        DateField("PostingDate"),
        MoneyField("Cash"),
        MoneyField("Checks"),
        Calculated(MoneyField("Total"), true),
    };
    t.def.indexes = {SecondaryIndexDef("OffDate", {"OfferingDate"})};
    return t;
}

DataTableDef UsherReport() {
    DataTableDef t;
    t.name = "UsherReportT";
    t.sourceName = "UsherReportS";
    t.def.tableName = "vtxUsherReportT.db";
    t.def.fields = {
        DateField("WorshipDate"),        TimeField("WorshipTime"),
        IntegerField("NumberInService"), IntegerField("NumberInSundaySchool"),
        ShortField("NumberInChoir"),     ShortField("NumberOther"),
        TextField("Weather", 40),        TextField("Remark", 40),
        TextField("ReportBy", 40),
    };
    t.def.indexes = {SecondaryIndexDef("UshDate", {"WorshipDate", "WorshipTime"})};
    return t;
}

QList<DataTableDef> MakeTables() {
    return {
        Roster(),           RosterDates(),  Memo(),          Baptism(),           Birth(),
        Marriage(),         Counseling(),   WedFamily(),     WedParty(),          WedLogistics(),
        Passing(),          Confirmation(), LayMinistries(), LayMinistryRoster(), WorshipOrders(),
        Worship(),          WorshipMemo(),  MusicLibrary(),  MusicUse(),          Envelope(),
        EnvelopeOffering(), Offering(),     UsherReport()};
}

DataQueryDef Aggregate(const QString& name, const QStringList& sql, const QString& table) {
    DataQueryDef q;
    q.name = name;
    q.sourceName = name.left(name.size() - 1) + "S";
    q.sql = sql;
    q.tableName = table;
    return q;
}

QList<DataQueryDef> MakeQueries() {
    DataQueryDef member;
    member.name = "vtxMemberQ";
    member.sourceName = "MemberS";
    member.sql = {"SELECT * FROM vtxRosterT WHERE IsMember = :Status"};
    member.tableName = "RosterT";
    return {
        member,
        Aggregate("ParticipantsCountQ",
                  {"SELECT * FROM vtxLayRosterT WHERE", "MinistryNumber  = :MinNum"},
                  "LayMinistryRosterT"),
        Aggregate("GivingEnvelopeQ", {"SELECT SUM (AMOUNT)", "      FROM vtxEnvelopeOfferingT"},
                  "EnvelopeOfferingT"),
        Aggregate("GivingLooseQ", {"SELECT SUM (TOTAL)", "       FROM vtxOfferingT"}, "OfferingT"),
        Aggregate("PledgedQ", {"SELECT SUM(PledgeAmount)", "     FROM vtxEnvelopeT"}, "EnvelopeT"),
        Aggregate("WorshipAttendanceQ", {"SELECT AVG(NumberInService)", "FROM vtxUsherReportT"},
                  "UsherReportT"),
        Aggregate("WorshipChoirQ", {"SELECT AVG(NumberInChoir)", "FROM vtxUsherReportT"},
                  "UsherReportT"),
        Aggregate("WorshipSundaySchoolQ",
                  {"SELECT AVG(NumberInSundaySchool)", "FROM vtxUsherReportT"}, "UsherReportT"),
        Aggregate("WorshipOtherQ", {"SELECT AVG(NumberOther)", "FROM vtxUsherReportT"},
                  "UsherReportT"),
    };
}

} // namespace

const QList<DataTableDef>& DataTableDefs() {
    static const QList<DataTableDef> tables = MakeTables();
    return tables;
}

const DataTableDef* FindDataTableDef(const QString& name) {
    for (const DataTableDef& t : DataTableDefs())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0 ||
            t.def.tableName.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const TableDef& TableDefOf(const QString& name) {
    const DataTableDef* t = FindDataTableDef(name);
    if (!t)
        throw EDatabaseError(QString("Unknown table %1").arg(name));
    return t->def;
}

const QList<DataQueryDef>& DataQueryDefs() {
    static const QList<DataQueryDef> queries = MakeQueries();
    return queries;
}

const DataQueryDef* FindDataQueryDef(const QString& name) {
    for (const DataQueryDef& q : DataQueryDefs())
        if (q.name.compare(name, Qt::CaseInsensitive) == 0)
            return &q;
    return nullptr;
}

const QStringList& StartupOpenOrder() {
    static const QStringList order = {
        "BaptismT",
        "BirthT",
        "CounselingT",
        "EnvelopeOfferingT",
        "EnvelopeT",
        "GivingEnvelopeQ",
        "GivingLooseQ",
        "LayMinistriesT",
        "LayMinistryRosterT",
        "MarriageT",
        "MemoT",
        "MusicLibraryT",
        "MusicUseT",
        "OfferingT",
        "ParticipantsCountQ",
        "PassingT",
        "PledgedQ",
        "RosterDatesT",
        "RosterT",
        "UsherReportT",
        "WedFamilyT",
        "WedLogisticsT",
        "WedPartyT",
        "WorshipAttendanceQ",
        "WorshipChoirQ",
        "WorshipMemoT",
        "WorshipOrdersT",
        "WorshipOtherQ",
        "WorshipSundaySchoolQ",
        "WorshipT",
    };
    return order;
}
