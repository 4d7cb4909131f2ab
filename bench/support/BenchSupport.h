#pragma once
// Shared pieces of the benchmark programs.

#include "SampleParish.h"

#include <QString>

// A folder under the system's temporary folder, kept between runs so that large
// generated tables are made once; the path ends with a separator.
QString BenchFolder(const QString& name);

// A sample parish kept in BenchFolder(name): written on the first run, and again
// whenever it was made with other options; the path ends with a separator.
QString SampleParishFolder(const QString& name, const SampleParishOptions& options);
