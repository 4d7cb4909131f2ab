#pragma once
// The Usher Data Entry window (modal, after the usher password): one usher report at a time
// of the shared usher report table, in the table's own order. Top to bottom: the table's
// state, the nine fields of a report, the navigator with all ten operations, Close.
//
// The date box opens a calendar dialog; the time box and the number boxes are read by
// their fields, which refuse what they cannot hold with the engine's conversion message
// (the record stays in edit). The window refuses to close while a report is being edited
// or inserted ("Please Post or Cancel the changes.").

#include <QDialog>

class QPushButton;
class TDBDateEdit;
class TDBEdit;
class TDBNavigator;
class TDBStateLabel;
class TDBTimeEdit;

class TUsherDataEditForm : public QDialog {
    Q_OBJECT
public:
    explicit TUsherDataEditForm(QWidget* owner = nullptr);

    TDBStateLabel* UsherState;
    TDBDateEdit* WorshipDateEdit;
    TDBTimeEdit* WorshipTimeEdit;
    TDBEdit* NumberInServiceEdit;
    TDBEdit* NumberInChoirEdit;
    TDBEdit* NumberInSundaySchoolEdit;
    TDBEdit* NumberOtherEdit;
    TDBEdit* WeatherEdit;
    TDBEdit* RemarkEdit;
    TDBEdit* ReportByEdit;
    TDBNavigator* UsherNavigator;
    QPushButton* CloseButton;
};
