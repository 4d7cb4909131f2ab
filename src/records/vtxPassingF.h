#pragma once
// The Passing entry window: creates and changes the active record's passing record.
//
// It opens without an active record (its name is then empty; a passing record is refused
// until there is one). The navigator has no buttons to move between records: the window
// works on the active record's first passing record, and typing into a box of an existing
// record edits it. The window keeps its designed size, and refuses to close while a
// passing record is being edited or inserted.

#include "records/vtxRecordFormsU.h"

class TEditPassingForm : public RecordForms::TRecordEntryForm {
    Q_OBJECT
public:
    // A top-level window owned by the owner (the application's main window), freed when
    // closed.
    explicit TEditPassingForm(QWidget* owner = nullptr);

    TDBDateEdit* PassingDateEdit;
    TDBEdit* PlaceOfDeathEdit;
    TDBDateEdit* FuneralDateEdit;
    TDBEdit* BurialSiteEdit;
    TDBEdit* OfficiantEdit;
    TDBEdit* RemarkEdit;
};
