#include "data/vtxDataM.h"

#include "engine/Sqlite.h"
#include "engine/TableCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

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

// The first start makes its files in this folder inside the data folder, writes
// the marker into it once every file is complete, and then moves the files into
// place. A lock file keeps two copies starting at once from both doing it.
const QString kStagingFolder = QStringLiteral("vtxNewData.tmp");
const QString kStagingDone = QStringLiteral("complete");
const QString kStagingLock = QStringLiteral("vtxNewData.lck");
constexpr int kStagingLockWaitMs = 120000;

void CreateTableFiles(const QString& folder) {
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

// Moves the files of a complete staging folder into the data folder. False (and
// the staging folder removed) when the staging folder is not complete: a first
// start stopped before its files were made, which is made anew.
bool FinishStagedFiles(const QString& folder) {
    const QString staging = WithSeparator(folder) + kStagingFolder + '/';
    if (!QFileInfo(staging).isDir())
        return false;
    if (!QFileInfo::exists(staging + kStagingDone)) {
        QDir(staging).removeRecursively();
        return false;
    }
    for (const DataTableDef& def : DataTableDefs()) {
        const QString from = staging + def.def.tableName;
        const QString to = WithSeparator(folder) + def.def.tableName;
        if (!QFileInfo::exists(from))
            continue; // moved before the stop
        if (QFileInfo::exists(to) ? !QFile::remove(from) : !QFile::rename(from, to))
            throw EDatabaseError(
                QString("The table file %1 cannot be moved into the data folder %2.")
                    .arg(def.def.tableName, folder),
                ErrorKind::Storage);
    }
    QDir(staging).removeRecursively();
    return true;
}

void CreateStaged(const QString& folder) {
    const QString staging = WithSeparator(folder) + kStagingFolder + '/';
    QDir(staging).removeRecursively();
    if (!QDir().mkpath(staging))
        throw EDatabaseError(QString("The data folder %1 cannot be written.").arg(folder),
                             ErrorKind::ReadOnly);
    CreateTableFiles(staging);
    QSaveFile done(staging + kStagingDone);
    if (!done.open(QIODevice::WriteOnly) || !done.commit())
        throw EDatabaseError(QString("The data folder %1 cannot be written.").arg(folder),
                             ErrorKind::ReadOnly);
    FinishStagedFiles(folder);
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
    StopIntegrityCheck();
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

QString TDataMod::FileOfDataSet(const QString& name) const {
    Table* table = TableByName(name);
    if (!table) {
        const DataQueryDef* query = FindDataQueryDef(name);
        table = query ? TableByName(query->tableName) : nullptr;
    }
    try {
        return table ? QDir::toNativeSeparators(table->FilePath()) : QString();
    } catch (const EDatabaseError&) {
        return table->TableName();
    }
}

void TDataMod::OpenDataSets() {
    for (const QString& name : StartupOpenOrder()) {
        DataSet* dataSet = DataSetByName(name);
        try {
            dataSet->Open();
        } catch (const EDatabaseError& error) {
            throw EOpenDataSetError(name, error, FileOfDataSet(name));
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
            table->Name,
            EDatabaseError(QString("Table %1 does not exist in the data folder %2.")
                               .arg(table->TableName(), folder),
                           ErrorKind::Storage),
            FileOfDataSet(table->Name));
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
    for (const DataTableDef& def : DataTableDefs())
        if (QFileInfo::exists(WithSeparator(folder) + def.def.tableName))
            throw EDatabaseError(QString("Table %1 already exists.").arg(def.def.tableName),
                                 ErrorKind::Storage);
    CreateStaged(folder);
}

bool TDataMod::EnsureDataFolder(const QString& folder) {
    const QString staging = WithSeparator(folder) + kStagingFolder;
    if (!QFileInfo(staging).isDir() && !IsNewDataFolder(folder))
        return false; // every start but the first: nothing is written
    if (!QDir().mkpath(folder))
        throw EDatabaseError(QString("The data folder %1 cannot be created.").arg(folder),
                             ErrorKind::Storage);
    QLockFile lock(WithSeparator(folder) + kStagingLock);
    if (!lock.tryLock(kStagingLockWaitMs))
        throw EDatabaseError(
            QString("The data folder %1 is being made by another copy of the program.").arg(folder),
            ErrorKind::Locked);
    if (FinishStagedFiles(folder))
        return true;
    if (!IsNewDataFolder(folder))
        return false; // another copy made it meanwhile
    CreateStaged(folder);
    return true;
}

// ---- the integrity check -----------------------------------------------------------

void TDataMod::StartIntegrityCheck() {
    StopIntegrityCheck();
    QList<std::pair<TableDef, QString>> files;
    for (Table* table : m_tables) {
        try {
            if (table->Exists())
                files.append({table->Def(), table->FilePath()});
        } catch (const EDatabaseError&) {
        }
    }
    m_cancelCheck = false;
    m_checkRunning = true;
    m_checker = std::thread([this, files] {
        QList<std::pair<QString, QString>> damaged; // file name, what is wrong
        for (const auto& [def, path] : files) {
            if (m_cancelCheck)
                return;
            const QString found = CheckTableFile(def, path, &m_cancelCheck);
            if (!found.isEmpty())
                damaged.append({def.tableName, found});
        }
        if (m_cancelCheck)
            return;
        QMetaObject::invokeMethod(
            this,
            [this, damaged] {
                m_checkRunning = false;
                QStringList names;
                for (const auto& [file, found] : damaged) {
                    names << file;
                    for (Table* table : m_tables)
                        if (table->TableName() == file)
                            table->SetDamaged(found);
                }
                Q_EMIT TablesChecked(names);
            },
            Qt::QueuedConnection);
    });
}

void TDataMod::StopIntegrityCheck() {
    m_cancelCheck = true;
    if (m_checker.joinable())
        m_checker.join();
    m_checkRunning = false;
}

QString TDataMod::DamagedTablesMessage(const QStringList& fileNames) {
    const bool one = fileNames.size() == 1;
    return QString("The check of the data folder found damage in %1:\n\n%2\n\n"
                   "Database Maintenance in the Utilities menu repairs %3.\n"
                   "Until then no new record is saved in %3.")
        .arg(one ? "this table" : "these tables", fileNames.join('\n'), one ? "it" : "them");
}
