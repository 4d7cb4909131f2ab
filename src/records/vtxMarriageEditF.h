#pragma once
// The Marriage entry window: creates and changes the active record's marriage records one
// at a time, and opens the wedding planning windows in their editable mode.
//
// Every post stores the record under the active record. The two "Use Active Record"
// buttons fill the groom's or the bride's first, middle and last name with the active
// record's names and warn when groom and bride then have the same first and last names.
// Leaving the "Bride Married Last Name " box after typing a married name that differs from
// the bride's last name reminds the user to update the bride's roster record. "Counseling
// &Schedule" shows the active record's appointments modally, without a password; the other
// three buttons open their lists modeless. The window refuses to close while a marriage
// record is being edited or inserted; the lists it opened guard their own tables.

#include "records/vtxRecordFormsU.h"

class TEditMarriageForm : public RecordForms::TRecordEntryForm {
    Q_OBJECT
public:
    // A top-level window owned by the owner (the application's main window), freed when
    // closed with the wedding planning windows it opened.
    explicit TEditMarriageForm(QWidget* owner = nullptr);

    TDBEdit* GroomFNameEdit;
    QPushButton* GroomUseButton;
    TDBEdit* GroomMNameEdit;
    TDBEdit* GroomLNameEdit;
    TDBEdit* BrideFNameEdit;
    QPushButton* BrideUseButton;
    TDBEdit* BrideMNameEdit;
    TDBEdit* BrideLNameEdit;
    TDBEdit* BrideMarriedLastNameEdit;
    TDBDateEdit* EngagementDateEdit;
    TDBDateEdit* RehearsalDateEdit;
    TDBDateEdit* WeddingDateEdit;
    TDBEdit* OfficiantEdit;
    TDBEdit* RemarkEdit;
    QPushButton* CounselingScheduleButton;
    QPushButton* LogisticsButton;
    QPushButton* FamiliesButton;
    QPushButton* WeddingPartyButton;

    static inline const QString IdenticalText =
        QStringLiteral("Groom's and Bride's First and Last Names are identical");
    static inline const QString MarriedNameText =
        QStringLiteral("If the bride has a record in the roster,\nyou may want to update her "
                       "last name.");

    void GroomUseButtonClick();
    void BrideUseButtonClick();
    void CounselingScheduleButtonClick();
    void LogisticsButtonClick();
    void FamiliesButtonClick();
    void WeddingPartyButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RemindOfMarriedName();
    QString m_marriedNameOnEntry;
};
