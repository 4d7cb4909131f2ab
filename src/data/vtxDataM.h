#pragma once
// The data module: the one database connection of the program, every shared
// table, data source and stored query, and the rules that run on their events.
// There is one instance for the life of the program, `DataMod`.

#include "data/vtxTableDefs.h"
#include "engine/DataSet.h"
#include "engine/DataSource.h"
#include "engine/Database.h"
#include "engine/EDatabaseError.h"
#include "engine/Query.h"
#include "engine/Table.h"

#include <QObject>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

// Opening the data sets stopped at one that could not be opened; the message is
// the engine's own. FileName is the table file it reads (its full path).
class EOpenDataSetError : public EDatabaseError {
public:
    EOpenDataSetError(const QString& dataSetName, const EDatabaseError& cause,
                      const QString& fileName = {})
        : EDatabaseError(cause.Message(), cause.Kind()), m_dataSetName(dataSetName),
          m_fileName(fileName) {}
    const QString& DataSetName() const { return m_dataSetName; }
    const QString& FileName() const { return m_fileName; }

private:
    QString m_dataSetName;
    QString m_fileName;
};

class TDataMod : public QObject {
    Q_OBJECT
public:
    // Connects the database VTX2Database to the alias "Vestrix2", which must name
    // the data folder (Aliases::SetPath or Aliases::LoadIni beforehand). On the
    // first start (the folder is missing or holds none of the table files) the
    // folder is created with every table file. Then opens WorshipSundaySchoolQ
    // (left closed when its table cannot be read: OpenDataSets reports it).
    // Raises EDatabaseError when the database cannot be connected. Makes itself
    // the program's DataMod.
    explicit TDataMod(QObject* parent = nullptr);
    ~TDataMod() override;

    // ---- the database ------------------------------------------------------------
    Database* vtxDatabase = nullptr;

    // ---- member and pastoral records ----------------------------------------------
    Table* RosterT = nullptr;
    DataSource* RosterS = nullptr;
    Table* RosterDatesT = nullptr;
    DataSource* RosterDatesS = nullptr;
    Table* MemoT = nullptr;
    DataSource* MemoS = nullptr;
    Table* BaptismT = nullptr;
    DataSource* BaptismS = nullptr;
    Table* BirthT = nullptr;
    DataSource* BirthS = nullptr;
    Table* MarriageT = nullptr;
    DataSource* MarriageS = nullptr;
    Table* CounselingT = nullptr;
    DataSource* CounselingS = nullptr;
    Table* WedFamilyT = nullptr;
    DataSource* WedFamilyS = nullptr;
    Table* WedPartyT = nullptr;
    DataSource* WedPartyS = nullptr;
    Table* WedLogisticsT = nullptr;
    DataSource* WedLogisticsS = nullptr;
    Table* PassingT = nullptr; // through the alias
    DataSource* PassingS = nullptr;
    Table* ConfirmationT = nullptr; // through the alias; not opened at start-up
    DataSource* ConfirmationS = nullptr;

    // ---- ministries, worship, music, stewardship, attendance ------------------------
    Table* LayMinistriesT = nullptr;
    DataSource* LayMinistriesS = nullptr;
    Table* LayMinistryRosterT = nullptr;
    DataSource* LayMinistryRosterS = nullptr;
    Table* WorshipOrdersT = nullptr;
    DataSource* WorshipOrdersS = nullptr;
    Table* WorshipT = nullptr;
    DataSource* WorshipS = nullptr;
    Table* WorshipMemoT = nullptr;
    DataSource* WorshipMemoS = nullptr;
    Table* MusicLibraryT = nullptr;
    DataSource* MusicLibraryS = nullptr;
    Table* MusicUseT = nullptr;
    DataSource* MusicUseS = nullptr;
    Table* EnvelopeT = nullptr;
    DataSource* EnvelopeS = nullptr;
    Table* EnvelopeOfferingT = nullptr;
    DataSource* EnvelopeOfferingS = nullptr;
    Table* OfferingT = nullptr;
    DataSource* OfferingS = nullptr;
    Table* UsherReportT = nullptr;
    DataSource* UsherReportS = nullptr;

    // ---- stored queries -------------------------------------------------------------
    Query* vtxMemberQ = nullptr; // parameter Status; not opened at start-up
    DataSource* MemberS = nullptr;
    Query* ParticipantsCountQ = nullptr; // parameter MinNum
    DataSource* ParticipantsCountS = nullptr;
    Query* GivingEnvelopeQ = nullptr;
    DataSource* GivingEnvelopeS = nullptr;
    Query* GivingLooseQ = nullptr;
    DataSource* GivingLooseS = nullptr;
    Query* PledgedQ = nullptr;
    DataSource* PledgedS = nullptr;
    Query* WorshipAttendanceQ = nullptr;
    DataSource* WorshipAttendanceS = nullptr;
    Query* WorshipChoirQ = nullptr;
    DataSource* WorshipChoirS = nullptr;
    Query* WorshipSundaySchoolQ = nullptr;
    DataSource* WorshipSundaySchoolS = nullptr;
    Query* WorshipOtherQ = nullptr;
    DataSource* WorshipOtherS = nullptr;

    // ---- operations ------------------------------------------------------------------
    // Opens the start-up data sets one after the other in their fixed order
    // (StartupOpenOrder). Stops at the first that cannot be opened and raises
    // EOpenDataSetError naming it; the ones before it stay open. Then checks that
    // the file of every table left closed (ConfirmationT) exists, and raises the
    // same way for one that does not.
    void OpenDataSets();
    // Closes every open data set of VTX2Database. Those opened through the alias
    // (PassingT, ConfirmationT) stay open.
    void CloseDataSets();
    // The start-up data sets in their opening order.
    QList<DataSet*> StartupDataSets() const;

    // Every table and query of the module, in definition order.
    const QList<Table*>& Tables() const { return m_tables; }
    const QList<Query*>& Queries() const { return m_queries; }
    // By component name ("RosterT", "PledgedQ", "RosterS"), ignoring case; null
    // when there is none.
    Table* TableByName(const QString& name) const;
    Query* QueryByName(const QString& name) const;
    DataSet* DataSetByName(const QString& name) const;
    DataSource* DataSourceByName(const QString& name) const;

    // ---- the data folder ------------------------------------------------------------
    // The table files of the data module that a folder does not hold.
    static QStringList MissingTableFiles(const QString& folder);
    // True when the folder does not exist or holds none of the table files.
    static bool IsNewDataFolder(const QString& folder);
    // Creates the folder (when missing) and in it every table file, empty, with
    // the worship templates numbered 1 to 30 (no name, no elements). Raises
    // EDatabaseError when a table file already exists or cannot be created. All or
    // nothing: the files are made in a staging folder inside the data folder and
    // moved into place once every one of them is complete.
    static void CreateDataFolder(const QString& folder);
    // The first start: creates the data folder when it is new, or completes a first
    // start that was stopped while it moved its files into place (one that was
    // stopped earlier is made anew). True when it created or completed the folder.
    // Two copies starting at once on a new folder create it once.
    static bool EnsureDataFolder(const QString& folder);

    // ---- the integrity check --------------------------------------------------------
    // Checks every table file on another thread (start-up does not wait for it).
    // When it is done, the damaged tables refuse new saves (Table::SetDamaged) and
    // TablesChecked gives their file names, empty when every table is sound.
    void StartIntegrityCheck();
    bool IntegrityCheckRunning() const { return m_checkRunning; }
    // What the program tells the user about damaged tables.
    static QString DamagedTablesMessage(const QStringList& fileNames);

    // ---- rules (bodies in vtxDataRules.cpp) -------------------------------------------
    void RosterSDataChange(Field* field);
    void RosterTNewRecord(DataSet& dataSet);
    void RosterTAfterPost(DataSet& dataSet);
    void CalculateFullName(DataSet& dataSet);
    void DetailTablesBeforePost(DataSet& dataSet);
    DataAction OnDetailTablesPostError(DataSet& dataSet, const EDatabaseError& error);
    void LayMinistryRosterTAfterInsert(DataSet& dataSet);
    void LayMinistriesSDataChange(Field* field);
    void WorshipOrdersSDataChange(Field* field);
    DataAction WorshipTPostError(DataSet& dataSet, const EDatabaseError& error);
    void WorshipMemoTBeforePost(DataSet& dataSet);
    DataAction MusicLibraryTPostError(DataSet& dataSet, const EDatabaseError& error);
    DataAction MusicUseTPostError(DataSet& dataSet, const EDatabaseError& error);
    void EnvelopeSDataChange(Field* field);
    DataAction EnvelopeOfferingTPostError(DataSet& dataSet, const EDatabaseError& error);
    void OfferingTCalcFields(DataSet& dataSet);
    void EnvelopeOfferingTCalcFields(DataSet& dataSet);

Q_SIGNALS:
    void TablesChecked(const QStringList& damagedFileNames);

private:
    void StopIntegrityCheck();
    QString FileOfDataSet(const QString& name) const;
    void CreateComponents();
    void AttachRules(); // in vtxDataRules.cpp: sets the events to the rules above
    void RefreshLookupsOf(const QString& tableName);

    // Destroyed in reverse order: data sources, queries, tables, database.
    std::unique_ptr<Database> m_database;
    std::vector<std::unique_ptr<Table>> m_ownedTables;
    std::vector<std::unique_ptr<Query>> m_ownedQueries;
    std::vector<std::unique_ptr<DataSource>> m_ownedSources;
    QList<Table*> m_tables;
    QList<Query*> m_queries;
    QList<DataSource*> m_sources;
    std::thread m_checker;
    std::atomic_bool m_cancelCheck{false};
    bool m_checkRunning = false;
};

// The program's data module: set by the data module when it is created, cleared
// when it is destroyed.
extern TDataMod* DataMod;
