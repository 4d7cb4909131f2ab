#pragma once
// The three access password levels. Level 1 guards the financial functions, level 2
// the usher data entry, level 3 every other protected administrative and data-entry
// function. A level's password sits at a fixed position inside a string of 100
// filler characters in the access record; a level whose string carries the level's
// no-password marker at that position has no password.

#include "app/vtxOptionsU.h"

#include <QString>

// Position of the level's password in its string, the first character being 1:
// 2 x level + 18 (20, 22, 24).
int PasswordPosition(int level);
// The marker that a fresh access file holds at that position ("7kd2w", "mZ4t9ab",
// "p31xne").
QString NoPasswordMarker(int level);
// The longest password the level's string can hold: 82 - 2 x level.
int LongestPassword(int level);
// The longest password the password window accepts.
constexpr int PasswordBoxLength = 10;

// True when the record's string for the level has the no-password marker.
bool HasNoPassword(const TAccessRecord& record, int level);
// The level's password as the record holds it.
QString StoredPassword(const TAccessRecord& record, int level);
// True when the password can be installed for the level: not empty, at most
// LongestPassword(level) characters, and every character in the files' code page
// (another character could never be typed back).
bool PasswordFits(int level, const QString& password);
// Puts the password into the record for the level: a new 100-character string of
// random filler (character codes 48 to 122) with the password at its position, and
// the password's length. The password must fit (PasswordFits).
void SetPassword(TAccessRecord& record, int level, const QString& password);
// The access record of a fresh installation: every level's string carries its
// marker. The program writes it to the access file only when it makes the user's
// folder of an installed program (vtxProgramFolder); a build brings its own file.
TAccessRecord FreshAccessRecord();

// Called by every guarded command before anything else: true when the command may go
// on. A level without a password passes at once; otherwise the password is asked for
// (hidden) and compared exactly with the password in force since start-up. A wrong
// answer is told; an empty or cancelled answer refuses silently. Without the access
// file read at start-up every level is refused.
bool CheckAccessPassword(int level);
