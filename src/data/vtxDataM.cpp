#include "data/vtxDataM.h"

#include "engine/Sqlite.h"

#include <QDir>
#include <QFileInfo>

TDataMod* DataMod = nullptr;

namespace {

// The members that hold the components, by component name.
struct TableMember {
    const char* name;
    Table* TDataMod::*table;
    DataSource* TDataMod::*source;
};

const TableMember kTableMembers[] = {
    {"RosterT", &TDataMod::RosterT, &TDataMod::RosterS},
    {"RosterDatesT", &TDataMod::RosterDatesT, &TDataMod::RosterDatesS},
    {"MemoT", &TDataMod::MemoT, &TDataMod::MemoS},
    {"BaptismT", &TDataMod::BaptismT, &TDataMod::BaptismS},
    {"BirthT", &TDataMod::BirthT, &TDataMod::BirthS},
    {"MarriageT", &TDataMod::MarriageT, &TDataMod::MarriageS},
    {"CounselingT", &TDataMod::CounselingT, &TDataMod::CounselingS},
    {"WedFamilyT", &TDataMod::WedFamilyT, &TDataMod::WedFamilyS},
    {"WedPartyT", &TDataMod::WedPartyT, &TDataMod::WedPartyS},
    {"WedLogisticsT", &TDataMod::WedLogisticsT, &TDataMod::WedLogisticsS},
    {"PassingT", &TDataMod::PassingT, &TDataMod::PassingS},
    {"ConfirmationT", &TDataMod::ConfirmationT, &TDataMod::ConfirmationS},
    {"LayMinistriesT", &TDataMod::LayMinistriesT, &TDataMod::LayMinistriesS},
    {"LayMinistryRosterT", &TDataMod::LayMinistryRosterT, &TDataMod::LayMinistryRosterS},
    {"WorshipOrdersT", &TDataMod::WorshipOrdersT, &TDataMod::WorshipOrdersS},
    {"WorshipT", &TDataMod::WorshipT, &TDataMod::WorshipS},
    {"WorshipMemoT", &TDataMod::WorshipMemoT, &TDataMod::WorshipMemoS},
    {"MusicLibraryT", &TDataMod::MusicLibraryT, &TDataMod::MusicLibraryS},
    {"MusicUseT", &TDataMod::MusicUseT, &TDataMod::MusicUseS},
    {"EnvelopeT", &TDataMod::EnvelopeT, &TDataMod::EnvelopeS},
    {"EnvelopeOfferingT", &TDataMod::EnvelopeOfferingT, &TDataMod::EnvelopeOfferingS},
    {"OfferingT", &TDataMod::OfferingT, &TDataMod::OfferingS},
    {"UsherReportT", &TDataMod::UsherReportT, &TDataMod::UsherReportS},
};

struct QueryMember {
    const char* name;
    Query* TDataMod::*query;
    DataSource* TDataMod::*source;
};

const QueryMember kQueryMembers[] = {
    {"vtxMemberQ", &TDataMod::vtxMemberQ, &TDataMod::MemberS},
    {"ParticipantsCountQ", &TDataMod::ParticipantsCountQ, &TDataMod::ParticipantsCountS},
    {"GivingEnvelopeQ", &TDataMod::GivingEnvelopeQ, &TDataMod::GivingEnvelopeS},
    {"GivingLooseQ", &TDataMod::GivingLooseQ, &TDataMod::GivingLooseS},
    {"PledgedQ", &TDataMod::PledgedQ, &TDataMod::PledgedS},
    {"WorshipAttendanceQ", &TDataMod::WorshipAttendanceQ, &TDataMod::WorshipAttendanceS},
    {"WorshipChoirQ", &TDataMod::WorshipChoirQ, &TDataMod::WorshipChoirS},
    {"WorshipSundaySchoolQ", &TDataMod::WorshipSundaySchoolQ, &TDataMod::WorshipSundaySchoolS},
    {"WorshipOtherQ", &TDataMod::WorshipOtherQ, &TDataMod::WorshipOtherS},
};

// An alias bound to a folder for as long as the object lives, so that tables can
// be created in a folder that no configured alias names.
class FolderAlias {
public:
    explicit FolderAlias(const QString& folder) { Aliases::SetPath(Name(), folder); }
    ~FolderAlias() { Aliases::Remove(Name()); }
    static QString Name() { return QStringLiteral("VTX2NewDataFolder"); }
};

QString WithSeparator(const QString& folder) {
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith('/'))
        f += '/';
    return f;
}

void CloseQuietly(DataSet* dataSet) {
    try {
        dataSet->Close();
    } catch (...) {
        // A pending row that cannot be posted is given up.
        try {
            dataSet->Cancel();
            dataSet->Close();
        } catch (...) {
        }
    }
}

} // namespace

TDataMod::TDataMod(QObject* parent) : QObject(parent) {
    setObjectName("DataMod");
    CreateComponents();
    AttachRules();
    const QString folder = Aliases::Path(VTX2AliasName);
    if (folder.isEmpty())
        throw EDatabaseError(QString("Unknown database alias: %1").arg(VTX2AliasName));
    EnsureDataFolder(folder);
    vtxDatabase->Open();
    // The one query that opens by itself. When its table cannot be read it stays
    // closed, and opening the data sets reports it in its turn.
    try {
        WorshipSundaySchoolQ->Open();
    } catch (const EDatabaseError&) {
    }
    DataMod = this;
}

TDataMod::~TDataMod() {
    if (DataMod == this)
        DataMod = nullptr;
    for (Query* q : m_queries)
        CloseQuietly(q);
    for (Table* t : m_tables)
        CloseQuietly(t);
    m_ownedSources.clear();
    m_ownedQueries.clear();
    m_ownedTables.clear();
    m_database.reset();
}

void TDataMod::CreateComponents() {
    m_database = std::make_unique<Database>(VTX2DatabaseName, VTX2AliasName);
    vtxDatabase = m_database.get();

    for (const TableMember& m : kTableMembers) {
        const DataTableDef* def = FindDataTableDef(m.name);
        Q_ASSERT(def);
        auto table = std::make_unique<Table>(def->def, def->name);
        table->DatabaseName = def->throughAlias ? VTX2AliasName : VTX2DatabaseName;
        if (!def->indexName.isEmpty())
            table->SetIndexName(def->indexName);
        auto source = std::make_unique<DataSource>(table.get());
        source->Name = def->sourceName;
        source->setObjectName(def->sourceName);
        this->*m.table = table.get();
        this->*m.source = source.get();
        m_tables << table.get();
        m_sources << source.get();
        m_ownedTables.push_back(std::move(table));
        m_ownedSources.push_back(std::move(source));
    }
    for (const QueryMember& m : kQueryMembers) {
        const DataQueryDef* def = FindDataQueryDef(m.name);
        Q_ASSERT(def);
        auto query = std::make_unique<Query>(def->name);
        query->DatabaseName = VTX2DatabaseName;
        query->SetSQL(def->sql);
        query->SetSourceDef(&TableDefOf(def->tableName));
        auto source = std::make_unique<DataSource>(query.get());
        source->Name = def->sourceName;
        source->setObjectName(def->sourceName);
        this->*m.query = query.get();
        this->*m.source = source.get();
        m_queries << query.get();
        m_sources << source.get();
        m_ownedQueries.push_back(std::move(query));
        m_ownedSources.push_back(std::move(source));
    }

    // Links and lookups in force at start.
    for (const DataTableDef& def : DataTableDefs()) {
        Table* table = TableByName(def.name);
        if (!def.masterSource.isEmpty()) {
            table->SetMasterSource(DataSourceByName(def.masterSource));
            table->SetMasterFields(def.masterFields);
        }
        if (!def.lookupField.isEmpty())
            table->SetLookupTable(def.lookupField, TableByName(def.lookupTable));
    }
    vtxMemberQ->ParamByName("Status")->SetAsBoolean(false);
    ParticipantsCountQ->Prepare();
}

// ---- finding components -----------------------------------------------------------

Table* TDataMod::TableByName(const QString& name) const {
    for (Table* t : m_tables)
        if (t->Name.compare(name, Qt::CaseInsensitive) == 0)
            return t;
    return nullptr;
}

Query* TDataMod::QueryByName(const QString& name) const {
    for (Query* q : m_queries)
        if (q->Name.compare(name, Qt::CaseInsensitive) == 0)
            return q;
    return nullptr;
}

DataSet* TDataMod::DataSetByName(const QString& name) const {
    if (Table* t = TableByName(name))
        return t;
    return QueryByName(name);
}

DataSource* TDataMod::DataSourceByName(const QString& name) const {
    for (DataSource* s : m_sources)
        if (s->Name.compare(name, Qt::CaseInsensitive) == 0)
            return s;
    return nullptr;
}

// ---- opening and closing ----------------------------------------------------------

QList<DataSet*> TDataMod::StartupDataSets() const {
    QList<DataSet*> sets;
    for (const QString& name : StartupOpenOrder())
        sets << DataSetByName(name);
    return sets;
}

void TDataMod::OpenDataSets() {
    for (const QString& name : StartupOpenOrder()) {
        DataSet* dataSet = DataSetByName(name);
        try {
            dataSet->Open();
        } catch (const EDatabaseError& error) {
            throw EOpenDataSetError(name, error);
        }
        RefreshLookupsOf(name);
    }
    // The tables that stay closed must be there as well: a data folder that lacks
    // any table file does not open.
    for (Table* table : m_tables) {
        if (table->Active() || table->Exists())
            continue;
        const QString folder = ResolveDataFolder(table->DatabaseName);
        throw EOpenDataSetError(
            table->Name, EDatabaseError(QString("Table %1 does not exist in the data folder %2.")
                                            .arg(table->TableName(), folder),
                                        ErrorKind::Storage));
    }
}

// Tables opened before the table their lookup fields read from have read their
// rows without it: read them again.
void TDataMod::RefreshLookupsOf(const QString& tableName) {
    for (const DataTableDef& def : DataTableDefs()) {
        if (def.lookupTable.compare(tableName, Qt::CaseInsensitive) != 0)
            continue;
        Table* table = TableByName(def.name);
        if (table->Active() && table->State() == DataSetState::Browse)
            table->Refresh();
    }
}

void TDataMod::CloseDataSets() {
    vtxDatabase->CloseDataSets();
}

// ---- the data folder --------------------------------------------------------------

QStringList TDataMod::MissingTableFiles(const QString& folder) {
    const QString path = WithSeparator(folder);
    QStringList missing;
    for (const DataTableDef& def : DataTableDefs())
        if (!QFileInfo::exists(path + def.def.tableName))
            missing << def.def.tableName;
    return missing;
}

bool TDataMod::IsNewDataFolder(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        return true;
    return MissingTableFiles(folder).size() == DataTableDefs().size();
}

void TDataMod::CreateDataFolder(const QString& folder) {
    if (!QDir().mkpath(folder))
        throw EDatabaseError(QString("The data folder %1 cannot be created.").arg(folder),
                             ErrorKind::Storage);
    FolderAlias alias(folder);
    for (const DataTableDef& def : DataTableDefs()) {
        Table table(def.def, def.name);
        table.DatabaseName = FolderAlias::Name();
        table.CreateTable();
    }
    // The worship templates are numbered 1 to 30 from the start: the program
    // renames and edits them but never creates one. Written in one transaction.
    const TableDef& orders = TableDefOf("WorshipOrdersT");
    SqliteConnection conn(WithSeparator(folder) + orders.tableName, false, orders.tableName);
    SqliteTransaction tx(conn);
    auto insert = conn.Prepare(QString("INSERT INTO %1 (%2) VALUES (?)")
                                   .arg(QuoteName(orders.BaseName()), QuoteName("OrderNumber")));
    for (int i = 1; i <= 30; ++i) {
        insert->BindInt64(1, i);
        insert->Step();
        insert->Reset();
    }
    insert.reset();
    tx.Commit();
}

bool TDataMod::EnsureDataFolder(const QString& folder) {
    if (!IsNewDataFolder(folder))
        return false;
    CreateDataFolder(folder);
    return true;
}
