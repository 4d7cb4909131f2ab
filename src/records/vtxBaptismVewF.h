#pragma once
// The Baptism Records view window: the baptism records of the active record, or all of
// them, read only.
//
// The search box finds a baptized person's last name among the records shown (letter case
// ignored, in last-name order) and moves the baptism list only, never the active record.
// A click on a column title sorts the shared baptism table by the index that serves the
// column; the order stays on the table. " Grid View " cuts the table's link to the active
// record ("All Baptisms") or sets it again; closing the window always sets it again, so
// the next window shows the active record's baptisms. "Select &Active Record" opens the
// roster's Select Active Record window modally.

#include "records/vtxRecordFormsU.h"

class TBaptismViewForm : public RecordForms::TRecordViewForm {
    Q_OBJECT
public:
    // A top-level window owned by its opener (the main window or View Roster), freed when
    // closed.
    explicit TBaptismViewForm(QWidget* owner = nullptr);
};
