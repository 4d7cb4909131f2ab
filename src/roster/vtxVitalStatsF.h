#pragma once
// The Vital Statistics window: counts of the roster and of the member detail records, the
// average attendance of the services, the pledged total and the offerings received, all
// worked out once when the window is created.
//
// The roster total and the detail counts are those of the shared tables as they stand (their
// filter and master link apply); the members and non-members are counted in the roster file.
// The averages and sums come from the data module's aggregate queries, which the window runs
// again when it is created, so they include what was entered since the program started.
// Nothing is refreshed while the window is open. The window is modeless and frees itself
// when it is closed; each opening creates a new one.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

class TVitalStatsForm : public QWidget {
    Q_OBJECT
public:
    explicit TVitalStatsForm(QWidget* owner = nullptr);

    // Roster records.
    QLineEdit* MembersEdit;
    QLineEdit* NonMembersEdit;
    QLineEdit* TotalRecordsEdit;
    // Detail records.
    QLineEdit* BirthsEdit;
    QLineEdit* BaptismsEdit;
    QLineEdit* LayMinistriesEdit;
    QLineEdit* MarriagesEdit;
    QLineEdit* PassingsEdit;
    // Average attendance (these boxes take typing, which changes nothing else).
    QLineEdit* WorshipEdit;
    QLineEdit* ChoirEdit;
    QLineEdit* SundaySchoolEdit;
    QLineEdit* OtherEdit;
    // Pledged total and offerings received.
    QLineEdit* PledgedEdit;
    QLineEdit* EnvelopesEdit;
    QLineEdit* LooseOfferingEdit;
    QLabel* TotalLabel;
    QPushButton* CloseBtn;

    // Works out every figure (run when the window is created).
    void FormCreate();
    void CloseBtnClick();
};

// An average as the window shows it: two decimals, no thousands separator ("0.00" for an
// average over no rows, given as an invalid value).
QString FormatAverage(const QVariant& average);
