#pragma once
// Shared pieces of the benchmark programs.

#include <QString>

// A folder under the system's temporary folder, kept between runs so that large
// generated tables are made once; the path ends with a separator.
QString BenchFolder(const QString& name);
