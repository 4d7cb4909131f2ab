#pragma once
// The roster lists of names and addresses: every person of the roster in order of last name
// and suffix, with membership and postal address (report kind 1), and with a line of phone
// numbers under each person as well (report kind 2).
//
// What it does to the shared roster table: creating it sets the roster's order to last
// name and suffix; laying it out walks the roster from its first to its last row (what the
// roster presents, so a members-only filter of the View Roster window applies), which
// leaves the roster on its last row. The Reports menu, which runs it as reports 1 and 2,
// sets record-number order back afterwards.

#include "toolkit/vtxDataSetReport.h"

class TRosterAddressReport : public TDataSetReport {
public:
    // Reads ReportKind (2: with the phone line; otherwise without) and the organisation name
    // for the title, and sets the order of the shared roster table to last name and suffix.
    TRosterAddressReport();

    bool PhoneLineOn() const { return m_phoneLine->enabled; }

private:
    ReportBand* m_phoneLine = nullptr;
};
