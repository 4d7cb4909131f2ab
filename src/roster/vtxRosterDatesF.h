#pragma once
// The Important Dates entry window: the five dates of the active record (RosterDatesT),
// under the record's full name ("Dates for: "), each a date box under its caption (a box
// selects its text when it takes the focus), and a navigator with insert, delete, edit, post,
// cancel and refresh. For a member without a dates record the boxes are empty; typing
// into one, or Insert, starts a new dates record, which takes the active record's number
// through the master link. The boxes accept nothing earlier than 1 January 1700: an
// earlier date becomes that day. The window refuses to close while the dates record is
// being edited or inserted (its close guard).

#include <QDate>
#include <QWidget>

class QPushButton;
class TDBDateEdit;
class TDBText;
class TDBNavigator;

class TRosterDatesEditForm : public QWidget {
    Q_OBJECT
public:
    // A top-level window owned by the owner (the Edit Roster window), freed when closed or
    // with its owner.
    explicit TRosterDatesEditForm(QWidget* owner);

    // The earliest date a box accepts.
    static QDate EarliestDate() { return QDate(1700, 1, 1); }

    TDBDateEdit* BirthDateEdit;
    TDBDateEdit* ConfirmationDateEdit;
    TDBDateEdit* JoinedDateEdit;
    TDBDateEdit* LeftDateEdit;
    TDBDateEdit* PassingDateEdit;
    TDBNavigator* DatesNavigator;
    TDBText* MemberName; // whose dates: the active record's full name
    QPushButton* CloseButton;
};
