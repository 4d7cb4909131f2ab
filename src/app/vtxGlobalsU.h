#pragma once
// Program-wide values and the operations that live beside them. Each value is
// one for the whole program; the comments give who writes it.

#include "engine/Types.h"

#include <QString>

// Set by the program entry / main window.
extern QString ProgramFolder;  // folder of the running program, with a trailing separator
extern int ReportKind;         // 1..7: which menu report is being produced
extern QString ReportQuarter;  // the quarter chosen for the quarterly pledge summary
extern QString HelpFile;       // the help file: ProgramFolder + "Vestrix2.hlp" once started

// Written by the data-module rules when the shared cursors move.
extern int ActiveRecordNumber;  // 0: no active record
extern QString ActiveFName;
extern QString ActiveLName;
extern QString ActiveMName;
extern QString ActiveLFMName;
extern int NextRecordNumber;
extern int CurrentMinistryNumber;
extern QString CurrentMinistryName;
extern QString CurrentMinistryDescription;
extern bool CurrentMinistryGoverning;
extern int CurrentMinistryMaxMembers;
extern QString CurrentOrderName;
extern int CurrentOrderNumber;
extern QString CurrentEnvelopeNumber;
extern Currency CurrentPledgeAmount;

// Puts every value above back to its start value (tests, and a fresh start).
void ResetProgramValues();

// True when there is an active record; otherwise shows "There must be an active
// record in the roster" / "before this record can be created." and returns false.
bool CheckActiveRecord();
// The number for the next roster record: one more than the largest RecordNumber
// in the roster or in any member detail table, so a new member never inherits the
// records of a deleted one. Leaves the roster on its last row (the active record)
// and repaints nothing until it is done.
int NextRosterRecordNumber();
// The Sunday of week N of a year (week 1 holds the year's first Sunday).
TDateTime SundayOfWeek(int year, int week);
