#pragma once
// The integrity check of a table file, made to run beside the program on another
// thread: the file is copied in one step to a private temporary database (the only
// moment another user's save may wait for it), and the copy is checked at leisure.

#include "engine/Definitions.h"

#include <QString>
#include <QVariant>
#include <atomic>

struct sqlite3;

// What the check of a table file found wrong, in words for the user ("its indexes
// do not match its records"); empty when the file is sound. Checks the file's pages
// and records, every index against the records, and that every stored value has the
// form the engine writes for its field (numbers, well-formed text, real dates and
// times). Opens its own connections, so it may run on any thread; returns early
// (empty) once `cancel` is set.
QString CheckTableFile(const TableDef& def, const QString& path,
                       const std::atomic_bool* cancel = nullptr);

// The SQL condition under which a column's stored value does not have the form the
// engine writes for a field of the type: a number for number types, well-formed text
// for text, a real date or time. The check of a table file and the table utility's
// verify use it; it needs the function AddValueFunctions adds to the connection.
QString BadValueCondition(const QString& column, FieldType type);
void AddValueFunctions(sqlite3* db);
// The same for a value as read from a file (a number, a text or bytes): false when the
// value does not have the form of a field of the type. Empty values always fit.
bool ValueFitsField(const QVariant& value, FieldType type);
