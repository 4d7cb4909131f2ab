#pragma once
// The Year Planner Calendar window: a year on one wall calendar (the year grid), used to
// look up dates while planning services, and the date of Easter of the year shown.
//
// It opens on the current year with no selected date and no notes. Typing in the year box
// changes the calendar whenever the box holds exactly four characters: a number shows that
// year (0000 the current year), anything else is refused with the conversion error and the
// calendar stays; shorter and longer texts are not read. A click on a day shows
// "Selected Date: " and the date. The day notes of the grid live while their year is shown.
// The window uses no table and stores nothing.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class TYearGrid;

class TYearPlannerForm : public QWidget {
    Q_OBJECT
public:
    // A top-level window owned by the owner, freed when closed.
    explicit TYearPlannerForm(QWidget* owner = nullptr);

    QLabel* SelectedDateLabel;
    TYearGrid* YearGrid;
    QLineEdit* YearEdit;
    QPushButton* EasterButton;
    QPushButton* CloseButton;

    void YearEditChange(const QString& text);
    void GridDateSelected(const QDate& date);
    void EasterButtonClick();
};
