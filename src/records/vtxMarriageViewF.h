#pragma once
// The Marriage Records view window: the marriage records of the active record, or all of
// them, read only, and the doorway to the wedding planning windows in their read-only mode.
//
// The search box finds a roster last name and so moves the active record. A click on a
// column title sorts the shared marriage table by the index that serves the column.
// " Grid View " cuts the marriage table's link to the active record ("All Marriages") or
// sets it again; closing the window always sets it again. "&Families", "&Wedding Party"
// and "&Logistics" open their lists modeless, owned by this window (so read only);
// "C&Ounseling " asks for the usher functions password at every click and then shows the
// active record's counseling appointments modally, read only.

#include "records/vtxRecordFormsU.h"

class TMarriageViewForm : public RecordForms::TRecordViewForm {
    Q_OBJECT
public:
    // A top-level window owned by its opener (the main window or View Roster), freed when
    // closed with the wedding planning windows it opened.
    explicit TMarriageViewForm(QWidget* owner = nullptr);

    QPushButton* FamiliesButton;
    QPushButton* WeddingPartyButton;
    QPushButton* LogisticsButton;
    QPushButton* CounselingButton;

    void FamiliesButtonClick();
    void WeddingPartyButtonClick();
    void LogisticsButtonClick();
    void CounselingButtonClick();
};
