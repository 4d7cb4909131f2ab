#pragma once
// The roster phone list (report kind 3): every person of the roster in order of last name and
// suffix, with home, work and cell phone numbers; the footer counts the persons listed so far.
//
// What it does to the shared roster table, as the lists of names and addresses do
// (vtxRosterAddressR.h): creating it sets the roster's order to last name and suffix, and
// laying it out walks the roster as it stands, leaving it on its last row. The Reports menu
// sets record-number order back afterwards.

#include "toolkit/vtxDataSetReport.h"

class TRosterListsReport : public TDataSetReport {
public:
    // Reads the organisation name for the title and sets the order of the shared roster
    // table to last name and suffix.
    TRosterListsReport();
};
