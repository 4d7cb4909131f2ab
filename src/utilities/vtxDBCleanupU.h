#pragma once
// The work of the Database Cleanup window, as plain functions: the thirteen categories of
// data with the shared tables each empties, the texts of its questions and messages, and
// the cleanup itself.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class TDataMod;
class Table;

struct TCleanupCategory {
    QString checkBoxName;    // "RosterCheckBox"
    QString caption;         // "Roster Records (All Members and Non-members)"
    QStringList tables;      // data module names, in the order they are emptied
    QString tickedQuestion;  // "All roster data will be deleted."
    QString clearedQuestion; // "Roster deletion cancelled."
    QString deletedMessage;  // "Roster data deleted."
};

// The thirteen categories, top to bottom. The marriage category empties the wedding
// logistics table too, as its caption says.
const QList<TCleanupCategory>& CleanupCategories();

// The question asked when a box is clicked: the box's text for its new state, a line
// break, and "              All done?".
QString CleanupQuestion(const TCleanupCategory& category, bool ticked);

inline const QString CleanupErrorText =
    QStringLiteral("There was an error emptying a table.  Check the Help info.");
inline const QString CleanupDoneText =
    QStringLiteral("All requested deletions have been completed.");
inline const QString CleanupNothingText =
    QStringLiteral("No deletions requested.  No changes to the database.");

// Empties one shared table: a pending change to it is dropped (its rows are about to go),
// the table is closed, every row removed, and the table opened again if it was open.
// Raises EDatabaseError when it cannot be emptied.
void EmptySharedTable(Table* table);

enum class TCleanupOutcome { NothingRequested, Completed, Failed };

// Empties the tables of the ticked categories (one flag per category, in the categories'
// order), category after category, and tells what happened through message: after each
// category its deleted message when confirmCritical is on; at the end the completed or the
// nothing-requested text. The first table that cannot be emptied stops the cleanup with
// the error text alone; what was emptied before stays empty.
TCleanupOutcome RunCleanup(TDataMod& data, const QList<bool>& ticked, bool confirmCritical,
                           const std::function<void(const QString& text, bool error)>& message);
