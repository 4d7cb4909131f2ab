#pragma once
// Shared pieces of the benchmark programs.

#include "SampleParish.h"

#include <QString>
#include <functional>
#include <memory>

class TDataMod;

// A folder under the system's temporary folder, kept between runs so that large
// generated tables are made once; the path ends with a separator.
QString BenchFolder(const QString& name);

// A sample parish kept in BenchFolder(name): written on the first run, and again
// whenever it was made with other options; the path ends with a separator. Within a run
// the folder is looked at once for each name and options.
QString SampleParishFolder(const QString& name, const SampleParishOptions& options);

// The parish the roster and lay ministry benchmarks share: 20,000 roster rows, one year.
QString RosterParishFolder();

// The data module over a data folder: the alias pointed at it and every data set opened.
std::unique_ptr<TDataMod> OpenDataModule(const QString& folder);

// The data module over a data folder, opened on first use and kept for the run; asking for
// another folder closes the one kept and opens the other. BenchMain closes it at the end.
TDataMod& KeptDataModule(const QString& folder);

// Lets the windows lay themselves out and paint what the user would see.
void Settle();

// The entry of a benchmark program with windows: offscreen unless a platform is named, the
// English (United States) locale, the application, `prepare` (when given), the benchmarks
// the command line names, then the kept data module closed.
int BenchMain(int argc, char** argv, const std::function<void()>& prepare = {});
