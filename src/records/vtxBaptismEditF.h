#pragma once
// The Baptisms entry window: creates and changes the active record's baptism records one at
// a time.
//
// Every post stores the record under the active record (the data module's rule), whose name
// the window shows and which the modeless Select Active Record window beside it may change.
// The two "Use Active Record" buttons fill the father's or the mother's first and last name
// with the active record's names and warn when father and mother then have the same names.
// The window refuses to close while a baptism record is being edited or inserted.

#include "records/vtxRecordFormsU.h"

class TEditBaptismForm : public RecordForms::TRecordEntryForm {
    Q_OBJECT
public:
    // A top-level window owned by the owner (the application's main window), freed when
    // closed.
    explicit TEditBaptismForm(QWidget* owner = nullptr);

    TDBEdit* FNameEdit;
    TDBEdit* MNameEdit;
    TDBEdit* LNameEdit;
    TDBEdit* FatherFNameEdit;
    QPushButton* FatherUseButton;
    TDBEdit* FatherLNameEdit;
    TDBEdit* MotherFNameEdit;
    QPushButton* MotherUseButton;
    TDBEdit* MotherLNameEdit;
    TDBDateEdit* BaptismDateEdit;
    TDBEdit* GodParentEdits[4];
    TDBEdit* OfficiantEdit;
    TDBEdit* RemarkEdit;

    static inline const QString IdenticalText =
        QStringLiteral("Mother's and Father's First and Last Names are identical");

    void FatherUseButtonClick();
    void MotherUseButtonClick();
};
