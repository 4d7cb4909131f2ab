#pragma once
// The Offering Data Entry window: the loose (plate) offerings (OfferingT), one record per
// Sunday with the cash and the checks counted. The grid shows every loose offering of every
// year; Total is Cash + Checks and follows them as they are typed.
//
// - The Sunday list holds the Sundays of a year (the current year when the window opens;
//   "Different &Year" asks for another). A click on a Sunday puts that date into the current
//   record: the user first presses Insert (or Edit) on the navigator; while no record is being
//   entered or edited the engine refuses it ("Dataset not in edit or insert mode").
// - The window refuses to close while a record is being entered or edited.
//
// Opened from Files, "Stewardship - &Loose Offering" (financial password), modeless, a dialog
// of one size centred on the main window; each use opens another window.

#include <QDate>
#include <QDialog>

class QPushButton;
class TDBGrid;
class TDBNavigator;
class TDBRecordPosition;
class TDBStateLabel;
class TSundayList;

class TOfferingDataEntryForm : public QDialog {
    Q_OBJECT
public:
    explicit TOfferingDataEntryForm(QWidget* owner);

    TDBNavigator* OfferingNavigator;
    TDBStateLabel* OfferingState;
    TSundayList* SundayListBox;
    TDBGrid* OfferingDBGrid;
    TDBRecordPosition* RecordPosition;
    QPushButton* YearButton;
    QPushButton* CloseButton;

    // The handler of the Sunday list.
    void SundayListBoxClick(const QDate& sunday);

private:
    void BuildGrid();
};
