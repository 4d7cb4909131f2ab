#pragma once
// Verifying one table file: its header and structure, every tree of pages in it, and
// SQLite's own integrity check, with a status number (see TUtil32.h) and one finding per
// problem.

#include "TuDesc.h"

#include <QList>
#include <QString>
#include <functional>

namespace tutil {

struct Finding {
    int status = 0;
    QString part; // "Header", "Data", "Index RLN", "Free pages", "Integrity", ...
    quint32 page = 0;
    QString text;
};

struct VerifyResult {
    int status = 0;
    QList<Finding> findings;
    qint64 rows = -1; // rows read from the table's pages; -1 when not walked
};

// phase 0 to 6, percent, and in phases 3 to 6 the secondary index n of m.
using VerifyProgressFn = std::function<void(int phase, int percent, int index, int count)>;

// Verifies a table file. expected: the table's definition (null: the file's own structure
// is taken as right). headerOnly: phase 0 only (header and structure).
VerifyResult VerifyTableFile(const QString& path, const TableDesc* expected, bool headerOnly,
                             const VerifyProgressFn& progress = {});

// Adds the findings of a table to the error table (created when missing). Raises
// EDatabaseError when it cannot be written.
void WriteErrorTable(const QString& errorTable, const QString& tableFile,
                     const QList<Finding>& findings);

struct TableProperties {
    qint64 records = 0;
    int fields = 0;
    int recordSize = 0; // bytes of a stored row, on average
};

// Reads the properties of a table file from its pages. False, with the reason, when its
// structure cannot be read.
bool ReadTableProperties(const QString& path, TableProperties* properties, QString* why);

// How many integrity-check steps of SQLite a table of that many rows, indexes and fields
// takes, for the progress of the check (in thousands).
qint64 IntegritySteps(qint64 rows, int indexes, int columns);

} // namespace tutil
