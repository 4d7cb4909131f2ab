#pragma once
// Rebuilding one table file to a structure: a new file is written beside the old one with
// every row that can be read, and takes the old file's place only when it is complete; the
// old file is kept under the backup name.

#include "TuDesc.h"

#include <QString>
#include <functional>

namespace tutil {

// A rebuild that could not be done; nothing was changed. code is a TUERR_... result.
struct RebuildError {
    int code;
    QString text;
};

struct RebuildOutcome {
    qint64 rowsKept = 0;
    qint64 duplicateRows = 0; // the same row id read twice: kept once
    qint64 keyViolations = 0; // refused by a unique index: in the key-violation table
    qint64 problemRows = 0;   // refused for another reason: in the problem table
    qint64 damagedPages = 0;  // pages of the table that could not be read
    bool salvaged = false;    // read page by page (the table's pages were damaged)
};

using RebuildProgressFn = std::function<void(int percent)>;
using RebuildTextFn = std::function<void(const QString& line)>;

// Rebuilds the table file at path to the structure target. Raises RebuildError.
RebuildOutcome RebuildTableFile(const QString& path, const TableDesc& target,
                                const QString& keyViolTable, const QString& problemTable,
                                const QString& backupTable, const RebuildProgressFn& progress = {},
                                const RebuildTextFn& text = {});

} // namespace tutil
