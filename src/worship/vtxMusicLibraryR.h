#pragma once
// The Music Library report (report 6 of the Reports menu): every piece of MusicLibraryT in
// the table's order, two lines each: name, publisher, date acquired, parts, copies,
// accompaniment and last used date on the first, the remark on the second. US Letter,
// portrait, half-inch margins, Arial, the pieces in 8 point; the heading "<organisation>:  Music
// Library" on the first page; "Records:" (the number of pieces), "Page:" and "Printed:" at the foot
// of every page. No column headings.
//
// The walk leaves the library on its last piece; the Reports menu's runner puts the
// library's current piece back.

#include "toolkit/vtxDataSetReport.h"

class TMusicLibraryReport : public TDataSetReport {
public:
    TMusicLibraryReport();
};
