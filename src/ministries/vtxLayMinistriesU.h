#pragma once
// What the lay ministry windows share: the two ways they show the shared enrolment table
// LayMinistryRosterT.
//
// - The member's enrolments (the participation window and the Lay Ministries window): the
//   table linked to the roster, RecordNumber to RosterRecordNumber, so it lists the active
//   record's enrolments, with no ministry filter.
// - One ministry's enrolments (the Lay Ministries Rosters window and its report): the link
//   removed and the table filtered to the ministry's number.
//
// Either way a pending enrolment is posted first; when that post is refused (the rule has
// said why), nothing is changed and the refusal is raised to the caller (RunAction).
// Each window sets the way it needs when it opens; none puts the table back when it closes.

class Table;

// The shared enrolment table, LayMinistryRosterT.
Table* Enrolments();

void ShowMemberEnrolments();
void ShowMinistryEnrolments(int ministryNumber);

// True when the table shows the member's enrolments, or that ministry's.
bool ShowsMemberEnrolments();
bool ShowsMinistryEnrolments(int ministryNumber);
