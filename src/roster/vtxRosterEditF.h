#pragma once
// The Edit Roster window: roster records created, changed and deleted one at a time, and
// the doors to the active record's important dates, memo and offering envelope.
//
// Opening it computes the next record number (which walks the roster and leaves the
// cursor, and with it the active record, on the last roster record); Insert gives the new
// record that number at once, and every post computes it again. No control shows the
// number. Each navigator click empties the search box. The window refuses to close while
// the roster record is being edited or inserted (its close guard); the windows it opened
// (Important Dates, Memo, Assign Envelope) are freed with it.

#include <QWidget>

class QPushButton;
class TDBCheckBox;
class TDBEdit;
class TDBNavigator;
class TDBRecordPosition;
class TDBSearchBox;
class TDBStateLabel;

class TRosterEditForm : public QWidget {
    Q_OBJECT
public:
    // A top-level window owned by the owner (the application's main window), freed when
    // closed.
    explicit TRosterEditForm(QWidget* owner = nullptr);

    TDBEdit* TitleEdit;
    TDBEdit* FNameEdit;
    TDBEdit* MNameEdit;
    TDBEdit* LNameEdit;
    TDBEdit* SuffixEdit;
    TDBEdit* Address1Edit;
    TDBEdit* Address2Edit;
    TDBEdit* CityEdit;
    TDBEdit* StateEdit;
    TDBEdit* PostalEdit;
    TDBEdit* PhoneEdit;
    TDBEdit* CellPhoneEdit;
    TDBEdit* WorkPhoneEdit;
    TDBCheckBox* IsMemberCheck;

    TDBNavigator* RosterNavigator;
    TDBStateLabel* RosterState;
    TDBRecordPosition* RecordPosition;
    TDBSearchBox* SearchBox;

    QPushButton* AssignEnvelopeButton;
    QPushButton* AddMemoButton;
    QPushButton* ImportantDatesButton;
    QPushButton* CloseButton;

    void AssignEnvelopeButtonClick();
    void AddMemoButtonClick();
    void ImportantDatesButtonClick();
};
