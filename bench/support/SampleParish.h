#pragma once
// Sample parishes: a realistic data folder of a chosen size, written with the
// data module's own table definitions. The same options and seed always give
// the same folder.

#include <QMap>
#include <QString>

struct SampleParishOptions {
    int members = 300; // roster rows (about 80% of them members)
    int years = 3;     // years of services, gifts and offerings, ending with lastYear
    quint32 seed = 1;
    int lastYear = 2024;
    // The exact number of envelope gifts to spread over the years; -1: as many as
    // the envelopes and Sundays of the years give.
    qint64 envelopeGifts = -1;
};

// Rows written per table, by the data module's component name ("RosterT").
using SampleParishCounts = QMap<QString, qint64>;

// Writes a sample parish into a folder that holds none of the table files (it is
// created when missing). Members 0 and years 0 give the data folder of a first
// start: every table file empty, the worship templates numbered 1 to 30. Raises
// EDatabaseError when a table file exists already or cannot be written.
SampleParishCounts WriteSampleParish(const QString& folder, const SampleParishOptions& options);

// A text naming the options ("members=300 years=3 seed=1 ..."), used to tell
// whether a kept folder was made with the same options.
QString SampleParishKey(const SampleParishOptions& options);
