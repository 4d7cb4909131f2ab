#pragma once
// The Important Dates entry window: the five dates of the active record (RosterDatesT),
// each a date box under its caption, and a navigator with insert, delete, edit, post,
// cancel and refresh. For a member without a dates record the boxes are empty; typing
// into one, or Insert, starts a new dates record, which takes the active record's number
// through the master link. The boxes accept nothing earlier than 1 January 1700: an
// earlier date becomes that day. The window refuses to close while the dates record is
// being edited or inserted (its close guard).

#include <QDate>
#include <QWidget>

class QPushButton;
class TDBDateEdit;
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
    QPushButton* CloseButton;
};
