#pragma once
// The Birth Records view window: the birth records of the active record, or all of them,
// read only.
//
// The search box finds a roster last name and so moves the active record; the list follows
// it while it shows the active record's births. " Grid View " cuts the birth table's link
// to the active record (all births) or sets it again; closing the window always sets it
// again. "Select &Active Record" opens the roster's Select Active Record window modally.

#include "records/vtxRecordFormsU.h"

class TBirthViewForm : public RecordForms::TRecordViewForm {
    Q_OBJECT
public:
    // A top-level window owned by its opener (the main window or View Roster), freed when
    // closed.
    explicit TBirthViewForm(QWidget* owner = nullptr);
};
