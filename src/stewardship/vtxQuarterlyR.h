#pragma once
// The quarterly pledge summary (report kind 7): every envelope gift of the chosen quarter
// (ReportQuarter, "1" to "4"), of every year in the table, in envelope-number order, with the
// quarter's total. A gift without an offering date counts in quarter 4.
//
// The gifts are read in one pass over the shared gift table (EnvelopeOfferingT) in its order,
// without moving its cursor (a pending gift is posted first), so the table is left as it was;
// a million gifts lay out in seconds. Each gift's calculated Quarter, as text, is compared
// with ReportQuarter: the line prints only when they are equal, and only printed lines count
// towards the total. "Records: " in the page footer is the number of all gifts of the table.

#include "engine/Types.h"
#include "toolkit/vtxDataSetReport.h"

#include <QLocale>

class TQuarterlyReport : public TDataSetReport {
public:
    // Reads ReportQuarter and the organisation name for the title.
    TQuarterlyReport();

    // The sum of the lines printed by the last layout.
    Currency Total() const { return m_total; }

protected:
    std::unique_ptr<ReportRows> MakeRows() override;

private:
    // True when the gift being laid out is of the chosen quarter (worked out once per gift).
    bool Printed(const ReportState& state);
    QString Text(const Field* field) const;
    QString DateText(const Field* field) const;

    TTableScanRows* m_gifts = nullptr; // while a layout runs
    QString m_quarter;
    const Field* m_quarterField;
    int m_checkedRow = -1;
    bool m_printed = false;
    Currency m_total;
    QLocale m_locale;
    QString m_dateFormat;
};
