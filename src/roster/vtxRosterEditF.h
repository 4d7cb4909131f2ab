#pragma once
// The Edit Roster window: roster records created, changed and deleted one at a time, and
// the doors to the active record's important dates, memo and offering envelope.
//
// Opening it computes the next record number (which walks the roster and leaves the
// cursor, and with it the active record, on the last roster record); Insert gives the new
// record that number at once, and every post computes it again. No control shows the
// number. Each navigator click empties the search box. The window refuses to close while
// the roster record is being edited or inserted; the windows it opened (Important Dates,
// Memo, Assign Envelope) are freed with it.

#include <QWidget>

class QLabel;
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

    QLabel* TitleLabel;
    TDBEdit* TitleEdit;
    QLabel* FNameLabel;
    TDBEdit* FNameEdit;
    QLabel* MNameLabel;
    TDBEdit* MNameEdit;
    QLabel* LNameLabel;
    TDBEdit* LNameEdit;
    QLabel* SuffixLabel;
    TDBEdit* SuffixEdit;
    QLabel* Address1Label;
    TDBEdit* Address1Edit;
    QLabel* Address2Label;
    TDBEdit* Address2Edit;
    QLabel* CityLabel;
    TDBEdit* CityEdit;
    QLabel* StateLabel;
    TDBEdit* StateEdit;
    QLabel* PostalLabel;
    TDBEdit* PostalEdit;
    QLabel* PhoneLabel;
    TDBEdit* PhoneEdit;
    QLabel* CellPhoneLabel;
    TDBEdit* CellPhoneEdit;
    QLabel* WorkPhoneLabel;
    TDBEdit* WorkPhoneEdit;
    TDBCheckBox* IsMemberCheck;

    TDBNavigator* RosterNavigator;
    TDBStateLabel* RosterState;
    QLabel* RecordLabel;
    TDBRecordPosition* RecordPosition;
    QLabel* SearchLabel;
    TDBSearchBox* SearchBox;

    QPushButton* AssignEnvelopeButton;
    QPushButton* AddMemoButton;
    QPushButton* ImportantDatesButton;
    QPushButton* CloseButton;

    void AssignEnvelopeButtonClick();
    void AddMemoButtonClick();
    void ImportantDatesButtonClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TDBEdit* AddField(const QString& caption, const QString& field, QLabel*& label);
};
