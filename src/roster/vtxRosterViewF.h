#pragma once
// The View Roster window: the read-only hub of the member roster.
//
// It lists the shared roster table through RosterS, so the highlighted row is the active
// record; finds a person by last name as the user types; sorts the roster by the index
// that serves a clicked column title (each grid column names its index; the order stays on
// the shared table after the window closes); narrows the roster to members or non-members with the
// " Grid View " filter (on the shared table too, switched off again when the window closes); opens
// the windows that show the active record's records, memo and important dates (owned by this
// window, so they close with it); and exports the current view to "VTX2-MSW.odt" in the
// working folder, saying where in its hint line. The Grid View shows the roster's filter as
// it stands, also when another window changed it.

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QRadioButton;
class TDBGrid;
class TDBRecordPosition;
class TDBSearchBox;
class TDBText;

class TRosterViewForm : public QWidget {
    Q_OBJECT
public:
    // A top-level window owned by the owner (the application's main window), freed when
    // closed.
    explicit TRosterViewForm(QWidget* owner = nullptr);

    // The export file: "VTX2-MSW.odt" in the working folder.
    static QString ExportFileName();
    static inline const QString ExportErrorText =
        QStringLiteral("There was an error.  File may not have written correctly.");

    // The Grid View items, in their order.
    enum GridView { AllNames, MembersOnly, NonMembersOnly };

    TDBSearchBox* SearchBox;
    TDBText* ActiveRecordName;
    TDBGrid* RosterGrid;
    QLabel* RecordLabel;
    TDBRecordPosition* RecordPosition;
    QPushButton* BirthsButton;
    QPushButton* BaptismsButton;
    QPushButton* MarriagesButton;
    QPushButton* PassingButton;
    QPushButton* MemoButton;
    QPushButton* ImportantDatesButton;
    QPushButton* ExportButton;
    QRadioButton* AllNamesRadio;
    QRadioButton* MembersOnlyRadio;
    QRadioButton* NonMembersOnlyRadio;
    QPushButton* CloseButton;
    QLabel* HintLine; // says where the export wrote the file

    void GridViewClick(GridView view);
    // Checks the Grid View item of the roster's filter (none for a filter of another
    // window) and shows the record position for all names only. It follows the roster.
    void ShowGridView();
    void BirthsButtonClick();
    void BaptismsButtonClick();
    void MarriagesButtonClick();
    void PassingButtonClick();
    void MemoButtonClick();
    void ImportantDatesButtonClick();
    // Writes the export file; true when it was written. Shows the error message otherwise.
    bool ExportButtonClick();

private:
    void BuildGrid();
    QWidget* BuildGridView();
};
