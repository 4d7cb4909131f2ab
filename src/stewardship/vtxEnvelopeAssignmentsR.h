#pragma once
// The envelope assignments list: every assigned envelope in envelope-number order (as text:
// 10 before 9) with its member's full name and pledge year, without the pledge amount
// (report kind 4, "&Envelope Assignments") or with it (kind 5, "Envelope Assignments with
// &Pledge").
//
// The report walks the shared envelope table (EnvelopeT) from its first to its last row; the
// member's name is looked up in the roster by the envelope's RecordNumber (an envelope whose
// number matches no roster record prints an empty name), so the roster's cursor, filter and
// links are not touched. The Reports menu puts the envelope table's cursor back afterwards
// (and with it the current envelope's program-wide values).

#include "toolkit/vtxDataSetReport.h"

class TEnvelopeAssignmentsReport : public TDataSetReport {
public:
    // Reads ReportKind (5: with the pledge amounts; otherwise without) and the organisation
    // name for the title.
    TEnvelopeAssignmentsReport();

    bool PrintsAmounts() const { return m_amounts; }

private:
    bool m_amounts = false;
};
