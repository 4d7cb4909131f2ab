#pragma once
// The roster phone list (report kind 3): every person of the roster in order of last name and
// suffix, with home, work and cell phone numbers; the footer counts the persons listed so far.
//
// Like the lists of names and addresses (vtxRosterAddressR.h) it sets the shared roster's
// order to last name and suffix when it is created and walks the roster as it stands.

#include "roster/vtxRosterAddressR.h"

class TRosterListsReport : public TRosterReport {
public:
    // Reads the organisation name for the title and sets the order of the shared roster
    // table to last name and suffix.
    TRosterListsReport();
};
