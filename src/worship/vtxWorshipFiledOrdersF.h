#pragma once
// The Worship: Filed Orders window: the order of worship of the current service as it was
// filed, read only: date, time and officiant, the thirty lines in two columns, the remark
// and the special instructions. Its navigator (First, Prior, Next, Last, Refresh) moves
// through the services in date and time order; the shared WorshipT cursor moves with it,
// so the Worship Data Entry window follows. "&Print" previews the printed order of the
// current service (TWorshipPrintout). The window closes at any time.
//
// The special instructions are shown read only here: the window asks for no password and
// has no way to post or cancel a memo; they are written in the Worship Memo window.

#include <QDialog>
#include <QList>

class QPushButton;
class TDBMemo;
class TDBNavigator;
class TDBText;

class TWorshipFiledOrdersForm : public QDialog {
    Q_OBJECT
public:
    // A window owned by the owner, freed when closed; the main menu shows it modeless, the
    // Worship Data Entry window modal.
    explicit TWorshipFiledOrdersForm(QWidget* owner = nullptr);

    TDBText* WorshipDateText;
    TDBText* WorshipTimeText;
    TDBText* OfficiantText;
    TDBNavigator* WorshipNavigator;
    QList<TDBText*> ElementTexts; // elements 1 to 30
    TDBText* RemarkText;
    TDBMemo* InstructionsMemo;
    QPushButton* PrintButton;
    QPushButton* CloseButton;

    void PrintButtonClick();
};
