#pragma once
// The one comparison of text that ignores letter case, used wherever the program does:
// the orders of the secondary indexes (registered with SQLite as the collation
// "VTXNOCASE" of every table file), the search boxes, FindPrefix, Locate and the row
// finder of queries.
//
// Order. Texts are compared first by their letters with case and accents set aside, so
// that accented letters sort beside their base letter ("Eagan" < "Élan" < "Ella"; é with
// e, Ä with A, Ł with L, ß as ss, æ as ae); texts with the same letters are then ordered
// by their accents ("Elan" < "Élan"). Letter case alone never orders two texts: "élan"
// and "Élan" are equal (a case-insensitive unique index holds one of them).
//
// Finding by leading text. Case and accents are both set aside: "nunez" finds "Núñez",
// "l" finds "Łukasz", "É" finds "élan" (and "Eagan" first, which comes before it). The
// search boxes complete the typed text with the name found, so what the user types next
// is added to the name's own accented letters: finding must not depend on them.
//
// Example:
//   CompareText(u"élan", u"Élan") == 0;  CompareText(u"Elan", u"élan") < 0;
//   MatchPrefix(u"Núñez", u"nun") == 3;  MatchPrefix(u"Nunez", u"Nú") == 2;

#include <QByteArray>
#include <QString>
#include <QStringView>

struct sqlite3;

// The name under which the comparison is registered with SQLite.
inline constexpr const char* kCollationName = "VTXNOCASE";

// <0, 0 or >0 as a is ordered before, with or after b.
int CompareText(QStringView a, QStringView b);
// The same on UTF-8 text (as SQLite hands it over).
int CompareTextUtf8(const char* a, qsizetype aBytes, const char* b, qsizetype bBytes);

// -1 when text does not begin with prefix; otherwise the length of the part of text
// that the prefix covers (never ending inside a character or before its accents).
qsizetype MatchPrefix(QStringView text, QStringView prefix);
// True when a non-empty prefix holds no letter at all (only accents): it begins no text.
bool PrefixHasNoLetter(QStringView prefix);

// Bounds for a range search through an index in the collation's order: the rows whose
// text begins with the prefix as MatchPrefix says are those >= the lower bound and
// < the upper bound. The bounds are no valid UTF-8, so they are never a stored text.
QByteArray PrefixLowerBound(QStringView prefix);
QByteArray PrefixUpperBound(QStringView prefix);

// Registers the collation on a connection.
void RegisterCollation(sqlite3* db);
// The version of the order, stored in every table file: it changes when the order
// does (and with the version of the Unicode tables the order is made from), and a file
// written under another version has its indexes rebuilt when it is opened.
int CollationVersion();
