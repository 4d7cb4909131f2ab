#pragma once
// Copying a table file while the program holds it open: through SQLite's backup
// interface, so that the copy is the table as it stood at one moment even when rows are
// posted while it is made (a copy overtaken by a post starts again). The copy is written
// under a temporary name beside the target and takes the target's place only when it is
// complete, so a failed copy never destroys an earlier one.

#include <QString>
#include <functional>

// Bytes copied so far and bytes in all; called after each step of the copy.
using TableBackupProgress = std::function<void(qint64 done, qint64 total)>;

// True when the file begins as a table file does (an SQLite database header).
bool IsTableFile(const QString& path);

// Copies the table file source to target (replaced when it exists). Raises EDatabaseError
// when the copy fails; sourceDamaged then tells whether the source itself could not be
// read as a table (rather than the target not written).
void BackupTableFile(const QString& source, const QString& target,
                     const TableBackupProgress& progress = {}, bool* sourceDamaged = nullptr);
