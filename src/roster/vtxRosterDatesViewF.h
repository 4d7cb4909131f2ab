#pragma once
// The Important Dates view window: the five dates of the active record as they stand when
// the window is created, under the record's full name ("Dates for: "), each as its display
// text (empty for an empty date, and all five empty for a member without a dates record).
// It does not follow later changes. It has one size, that of what it shows.

#include <QWidget>

class QLabel;
class QPushButton;

class TRosterDatesViewForm : public QWidget {
    Q_OBJECT
public:
    // A top-level window owned by the owner (the View Roster window), freed when closed or
    // with its owner.
    explicit TRosterDatesViewForm(QWidget* owner);

    QLabel* MemberName;    // whose dates: the active record's full name when it opened
    QLabel* BirthdayLabel; // the first caption, as the others are made
    QLabel* BirthdayValue;
    QLabel* ConfirmedValue;
    QLabel* JoinedValue;
    QLabel* LeftValue;
    QLabel* PassingValue;
    QPushButton* CloseButton;
};
