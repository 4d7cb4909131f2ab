#pragma once
// The Select Active Record window: the roster listed by record number, title and full
// name, and a search box on the last name. Clicking a row, moving through the grid or
// finding a name moves the roster cursor and so changes the active record at once; there
// is no OK button. It changes nothing but the roster cursor.
//
// Its openers (the record and ministry windows) create it owned by themselves and show it
// modally through the dialogs facade (view windows) or modeless (entry windows).

#include <QDialog>

class QPushButton;
class TDBGrid;
class TDBSearchBox;

class TSelectActiveRecordForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectActiveRecordForm(QWidget* owner);

    TDBGrid* RosterGrid;
    TDBSearchBox* SearchBox;
    QPushButton* CloseButton;
};
