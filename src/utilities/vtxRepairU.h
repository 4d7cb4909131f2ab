#pragma once
// The batches of the table verify and repair window, as plain code: Verify Only and
// Verify & Rebuild over a list of tables, with the lines of the batch log, the decision
// for each table, and what the window is told as the batch goes (the table's position,
// its properties, the captions to light up, the indicators to reset).
//
//     TRepairBatch batch(utility);
//     batch.Log = [&](const QString& line) { log->addItem(line); };
//     batch.VerifyOnly(dataFolder, {"vtxRosterT.DB", "vtxBirthT.db"}, borrowFolder);

#include <QString>
#include <QStringList>
#include <functional>

class TDataMod;
class TTUtility;
class Table;

// The log's fixed lines.
namespace RepairLog {
inline const QString StartVerifyOnly =
    QStringLiteral("STARTING VERIFY ONLY PROCESSING OF THE BATCH");
inline const QString VerifyOnlyComplete = QStringLiteral("VERIFY ONLY PROCESSING - COMPLETE");
inline const QString VerifyingTable = QStringLiteral("Verifying Table           :");
inline const QString VerifyingStatus = QStringLiteral("Verifying Status          : ");
inline const QString NoRebuildRequired = QStringLiteral("NO REBUILD REQUIRED");
inline const QString RebuildingTable = QStringLiteral("REBUILDING TABLE . . .");
inline const QString RebuildCompleted = QStringLiteral("REBUILD COMPLETED SUCCESSFULLY");
inline const QString CannotRebuild =
    QStringLiteral(" Can't be rebuild due to header damage and no alt structure specified");
} // namespace RepairLog

class TRepairBatch {
public:
    explicit TRepairBatch(TTUtility& utility);

    // Every line of the run, in order.
    std::function<void(const QString& line)> Log;
    // The table being processed is n of m; its properties are read (in the utility).
    std::function<void(int n, int m)> OnTable;
    // The "Verifying" caption (true) or the "Rebuilding ... " caption (false) lights up
    // while that work runs, and goes out (lit false) after.
    std::function<void(bool verifying, bool lit)> OnCaption;
    // The indicators go back to empty.
    std::function<void()> OnResetIndicators;
    // Before a table file is rebuilt, and after (whether or not it was): the program's own
    // tables on the file are closed and opened again. Raising in Release refuses the
    // rebuild of that table (the error goes to the log).
    std::function<void(const QString& path)> Release;
    std::function<void(const QString& path)> Restore;

    // Verify Only over the tables, in the order given. The error table of the batch holds
    // the findings of every table and is kept for View Error Table.
    void VerifyOnly(const QString& sourceFolder, const QStringList& tables,
                    const QString& borrowFolder);
    // Verify & Rebuild over the tables, in the order given (the caller leaves out the tables
    // without a borrowed structure when it asks for one). The error table is deleted at the
    // end.
    void VerifyAndRebuild(const QString& sourceFolder, const QStringList& tables,
                          const QString& borrowFolder, bool alwaysRebuild = false);

private:
    void Say(const QString& line);
    void Decide(const QString& table);
    void Rebuild(bool fromBorrowed);

    TTUtility& m_utility;
};

// For as long as it lives, the data module's tables on one table file are closed (so that
// the file can be replaced), and opened again as they were: index, filter and link, and
// the row they stood on. Raises EDatabaseError, closing nothing, when one of them has a
// change that is not posted.
class TSharedTablesReleased {
public:
    TSharedTablesReleased(TDataMod* data, const QString& path);
    ~TSharedTablesReleased();
    TSharedTablesReleased(const TSharedTablesReleased&) = delete;
    TSharedTablesReleased& operator=(const TSharedTablesReleased&) = delete;
    // Opens them again now; the first table that cannot be opened raises.
    void Restore();

private:
    struct Closed {
        Table* table;
        qint64 bookmark;
    };
    QList<Closed> m_closed;
};
