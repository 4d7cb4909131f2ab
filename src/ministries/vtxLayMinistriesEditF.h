#pragma once
// The Lay Ministries Participation window: the enrolments of the active record in the lay
// ministries (LayMinistryRosterT), added, changed and removed in a grid.
//
// - The heading names the active record; "Select Active Record" opens the Select Active
//   Record window beside this one (owned by it), where a click makes another member active.
// - Insert starts an enrolment of the active record (the data module fills in its number).
//   Entering the "Ministry Name" cell opens the list of all ministries; clicking a name
//   writes it and that ministry's number into the row and makes it the current ministry.
//   While the list is open a panel tells whether the chosen ministry is a governing body,
//   its maximum, its current participants (every enrolment counts, ended or not) and how
//   many it still needs.
// - Leaving the "End Date" cell checks the two dates and says when the end date is earlier
//   than the start date or in the same week; with the informative messages on (the option
//   "Confirm Critical Actions With a Message") it tells how many weeks apart they are. The
//   check only informs.
// - A second enrolment of a member in one ministry is refused at post with the data
//   module's message; the row stays in edit.
//
// Opening it links the shared enrolment table to the roster and switches its ministry
// filter off (vtxLayMinistriesU.h); closing it leaves the table as it is and a pending
// enrolment pending. Modeless, behind the level 3 password.

#include <QDate>
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class TDBGrid;
class TDBNavigator;
class TDBStateLabel;
class TDBText;

class TEditLayMinistriesForm : public QWidget {
    Q_OBJECT
public:
    explicit TEditLayMinistriesForm(QWidget* owner = nullptr);

    // What the status panel says of a ministry.
    struct TMinistryStatus {
        QString governing; // "True", "False"; "Unknown" when there is no ministry
        QString maximum;   // the maximum, or "None" when it is not above 0
        QString count;     // the participants
        QString needed;    // what is still needed, "0" when full, "Unlimited" without maximum
        bool neededInRed = false;
    };
    static TMinistryStatus MinistryStatus(bool hasMinistry, bool governing, int maximum,
                                          int participants);
    // The participants of a ministry: the rows of ParticipantsCountQ.
    static int CountParticipants(int ministryNumber);
    // The message of the date check, empty when there is nothing to say. An empty date has
    // nothing to compare; the weeks are whole weeks (WeeksApart).
    static QString DateCheckMessage(const QDate& start, const QDate& end, bool tellWeeksApart);

    TDBText* ActiveRecordName;
    QPushButton* SelectActiveRecordButton;
    TDBNavigator* EnrolmentNavigator;
    TDBStateLabel* EnrolmentState;
    TDBGrid* EnrolmentGrid;
    QWidget* StatusPanel;
    QLabel* GoverningValue;
    QLabel* MaximumValue;
    QLabel* CountValue;
    QLabel* NeededValue;
    QPushButton* CloseButton;

    // Shows the status of the current ministry in the panel.
    void ShowMinistryStatus();
    void SelectActiveRecordButtonClick();

private:
    void EditorOpened(int column);
    void EditorClosed(int column);
    void MinistryPicked(int column);
    void CheckDates();
    QWidget* MakeStatusPanel();

    int m_ministryColumn = -1;
    int m_endDateColumn = -1;
    // The dates of the row whose end date is being entered.
    bool m_endDateOpen = false;
    QDate m_start;
    QDate m_end;
};
