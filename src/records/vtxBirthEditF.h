#pragma once
// The Births entry window: creates and changes the active record's birth records one at a
// time.
//
// It opens without an active record (its name is then empty); a birth record is stored
// under the active record when it is posted, and refused while there is none. The two "Use
// Active Record" buttons fill the father's or the mother's first and last name with the
// active record's names and warn when father and mother then have the same names. The
// birth date comes first and has the focus when the window opens. The window refuses to
// close while a birth record is being edited or inserted.

#include "records/vtxRecordFormsU.h"

class TBirthEditForm : public RecordForms::TRecordEntryForm {
    Q_OBJECT
public:
    // A top-level window owned by the owner (the application's main window), freed when
    // closed.
    explicit TBirthEditForm(QWidget* owner = nullptr);

    TDBEdit* FNameEdit;
    TDBEdit* MNameEdit;
    TDBEdit* LNameEdit;
    TDBEdit* FatherFNameEdit;
    QPushButton* FatherUseButton;
    TDBEdit* FatherLNameEdit;
    TDBEdit* MotherFNameEdit;
    QPushButton* MotherUseButton;
    TDBEdit* MotherLNameEdit;
    TDBDateEdit* BirthDateEdit;
    TDBEdit* GrandparentEdits[4];
    TDBEdit* PlaceOfBirthEdit;
    TDBEdit* RemarkEdit;

    static inline const QString IdenticalText =
        QStringLiteral("Mother's and Father's First and Last Names are identical");

    void FatherUseButtonClick();
    void MotherUseButtonClick();
};
