#pragma once
// The integrity check of a table file, made to run beside the program on another
// thread: the file is copied in one step to a private temporary database (the only
// moment another user's save may wait for it), and the copy is checked at leisure.

#include "engine/Definitions.h"

#include <QString>
#include <atomic>

// What the check of a table file found wrong, in words for the user ("its indexes
// do not match its records"); empty when the file is sound. Checks the file's pages
// and records, every index against the records, and that every stored value has the
// form the engine writes for its field (numbers, well-formed text, real dates and
// times). Opens its own connections, so it may run on any thread; returns early
// (empty) once `cancel` is set.
QString CheckTableFile(const TableDef& def, const QString& path,
                       const std::atomic_bool* cancel = nullptr);
