#pragma once
// The Passing Record view window: the passing records of the active record, read only.
//
// The search box finds a roster last name and so moves the active record, and the list
// follows it; "Select &Active Record" opens the roster's Select Active Record window
// modally. The window changes nothing on the passing table.

#include "records/vtxRecordFormsU.h"

class TViewPassingForm : public RecordForms::TRecordViewForm {
    Q_OBJECT
public:
    // A top-level window owned by its opener (the main window or View Roster), freed when
    // closed.
    explicit TViewPassingForm(QWidget* owner = nullptr);
};
