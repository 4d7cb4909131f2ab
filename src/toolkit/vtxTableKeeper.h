#pragma once
// A scoped keeper of a shared table's state: its order (index), filter, master link and
// position. A window or report that changes a shared table for a while states, with one
// keeper, what the table is left with when it is done: which parts go back to what they
// were, and which are left in a stated state. The keeper puts them in place when it goes
// out of scope, also when an error ends the work half way; an error while putting them back
// is shown through the dialogs facade and never thrown.
//
// Example: the export of the View Roster window walks the roster and puts the cursor back;
// the Reports menu leaves the roster in record-number order after a roster report, and
// the active record where the report's walk left it.
//   TTableKeeper keeper(DataMod->RosterT, {.restore = TTableKeeper::Position});
//   TTableKeeper keeper(DataMod->RosterT, {.order = "RecordNumber"});

#include "engine/DataSet.h"

#include <QFlags>
#include <QString>

class DataSource;
class Table;

class TTableKeeper {
public:
    enum Part { Order = 0x1, Filter = 0x2, Link = 0x4, Position = 0x8 };
    Q_DECLARE_FLAGS(Parts, Part)

    // What the table is left with.
    struct Leave {
        Parts restore = {};    // put back as they were when the keeper was made
        QString order = {};    // not empty: left in this order (index field names)
        bool unlinked = false; // left without a master link
        bool operator==(const Leave&) const = default;
    };

    // Saves the table's state (a null table keeps nothing).
    TTableKeeper(Table* table, Leave leave);
    ~TTableKeeper();
    TTableKeeper(const TTableKeeper&) = delete;
    TTableKeeper& operator=(const TTableKeeper&) = delete;

private:
    Table* m_table;
    Leave m_leave;
    QString m_indexName;
    QString m_indexFields;
    QString m_filter;
    bool m_filtered = false;
    DataSource* m_master = nullptr;
    QString m_masterFields;
    Bookmark m_position = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TTableKeeper::Parts)
