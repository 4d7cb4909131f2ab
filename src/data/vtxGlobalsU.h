#pragma once
// Program-wide values and the operations that live beside them. Each value is
// one for the whole program; the comments give who writes it. They live beside the
// data module, whose rules write most of them; windows, reports and the main window
// read them.
//
// The rules never show a window: they hand every message to the rule-message sink
// that the program installs at start (the dialogs facade) and a test may replace (a
// recorder).

#include "engine/Types.h"

#include <QString>
#include <functional>

// Set by the program entry / main window.
extern QString ProgramFolder; // folder of the running program, with a trailing separator
extern int ReportKind;        // 1..7: which menu report is being produced
extern QString ReportQuarter; // the quarter chosen for the quarterly pledge summary
extern QString HelpFile;      // the help file: ProgramFolder + "Vestrix2.hlp" once started

// Written by the data-module rules when the shared cursors move.
extern int ActiveRecordNumber; // 0: no active record
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

// Where the rules' messages go: a function that shows (or records) one message. The
// program installs the dialogs facade's plain message box at start; with no sink
// installed a message is written to the warning log, never lost silently.
using TRuleMessageSink = std::function<void(const QString& text)>;
void SetRuleMessageSink(TRuleMessageSink sink);
// Hands a message of a rule (or of an operation below) to the sink.
void ShowRuleMessage(const QString& text);

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
