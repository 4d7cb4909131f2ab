#pragma once
// The year grid: a whole year on one small wall calendar, 13 rows by 38 columns.
//
//   row 0        the year in the top-left cell, then the weekday initials of columns 1 to 37
//   rows 1..12   the month's short name in column 0, its days in columns 1 to 37, day 1
//                under its own weekday (a month starting on the week's third day begins in
//                column 3)
//
// Weeks start on Sunday and Saturday and Sunday are the weekend unless set otherwise;
// weekend cells are marked. The first column is 55 pixels wide, the others 16; every row is
// 17 pixels high; texts keep a margin of 2 pixels; the grid sizes itself to its contents.
// The proleptic Gregorian calendar is used for every year from 1 to 9999.
//
// The day under the cursor (a click, or the arrow keys) is the selected date: dateSelected
// tells it. A day can carry a note and a colour, edited in the note dialog (Enter or F2 on
// a day, or the pop-up menu); the note shows as the cell's tooltip and colour. Notes live
// only while their year is shown: changing the year drops them, and nothing is stored.
// The pop-up menu also finds the next note containing a text and saves the year as a web
// page (HtmlPage: Arial, no table border).
//
// Example:
//   auto* grid = new TYearGrid(this);
//   grid->SetYear(2024);
//   connect(grid, &TYearGrid::dateSelected, this, [this](const QDate& d) { ... });

#include <QColor>
#include <QDate>
#include <QDialog>
#include <QList>
#include <QMap>
#include <QTableView>

class QAction;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class TYearGridModel;

struct TYearNote {
    QString text;
    QColor color;
    bool operator==(const TYearNote&) const = default;
};

class TYearGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr int Rows = 13;
    static constexpr int Columns = 38;
    static constexpr int FirstColumnWidth = 55;
    static constexpr int DayColumnWidth = 16;
    static constexpr int RowHeight = 17;
    static constexpr int CellMargin = 2;

    // Roles of the grid's model beside the display text.
    enum Role {
        DateRole = Qt::UserRole + 1, // QDate of a day cell, invalid elsewhere
        WeekendRole,                 // true for the weekend's day cells and initials
    };

    explicit TYearGrid(QWidget* parent = nullptr);
    ~TYearGrid() override;

    // The year shown. A year outside 1..9999 (0 included) shows the current year. A change
    // of year drops every note and the selected date.
    int Year() const;
    void SetYear(int year);

    Qt::DayOfWeek FirstDayOfWeek() const;
    void SetFirstDayOfWeek(Qt::DayOfWeek day);
    QList<Qt::DayOfWeek> WeekendDays() const;
    void SetWeekendDays(const QList<Qt::DayOfWeek>& days);

    // What a cell shows, and the date of a day cell (invalid for the other cells).
    QString CellText(int row, int column) const;
    QDate DateAt(int row, int column) const;
    // The cell of a day of the year shown; an invalid index for another date.
    QModelIndex IndexOfDate(const QDate& date) const;
    bool IsWeekendCell(int row, int column) const;

    // The date under the cursor, invalid when the cursor is on no day.
    QDate SelectedDate() const;
    // Moves the cursor to a day of the year shown; false for another date.
    bool SelectDate(const QDate& date);

    // Notes of the year shown.
    TYearNote Note(const QDate& date) const; // empty when the day has none
    bool HasNote(const QDate& date) const;
    // Sets a day's note; an empty text removes it. False for a date outside the year shown.
    bool SetNote(const QDate& date, const TYearNote& note);
    void ClearNote(const QDate& date);
    void ClearNotes();
    QList<QDate> NoteDates() const; // in date order
    // Edits a day's note in the note dialog (through the dialogs facade). True when the
    // dialog was accepted.
    bool EditNote(const QDate& date);
    // Moves to the first day after the selected date (from 1 January when none), wrapping
    // round the year, whose note contains the text, ignoring case. False when none has it.
    bool FindNote(const QString& text);
    // Asks for a text ("Find" / "Find a note containing:") and finds it; says so when no
    // note holds it. The last text is kept for FindNext.
    void Find();
    void FindNext();

    // The year as a web page: one table of 13 rows and 38 cells, font Arial, no border,
    // weekend and note colours, notes as cell titles.
    QString HtmlPage() const;
    // Writes the web page into a file (replaced); false when it cannot be written.
    bool WritePage(const QString& fileName) const;
    // Asks for a file ("Save as Web Page") and writes the web page into it; says so when
    // it cannot be written.
    void SavePage();

    // The colours offered by the note dialog, with their names.
    static QList<QPair<QString, QColor>> NoteColors();

    // Colours of the cells.
    static const QColor FixedColor;   // year, weekday initials, month names
    static const QColor WeekendColor; // weekend day cells
    static const QColor EmptyColor;   // cells that hold no day
    static const QColor GridColor;    // the lines between cells

    // The pop-up menu's commands (for the keyboard and for tests).
    QAction* EditNoteAction;
    QAction* ClearNoteAction;
    QAction* FindAction;
    QAction* FindNextAction;
    QAction* SavePageAction;

Q_SIGNALS:
    void dateSelected(const QDate& date);
    void yearChanged(int year);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FitSize();
    void UpdateActions();
    TYearGridModel* m_model;
    QString m_findText;
};

// The dialog that edits a day's note: the day, the note text and its colour.
class TYearNoteDialog : public QDialog {
    Q_OBJECT
public:
    TYearNoteDialog(const QDate& date, const TYearNote& note, QWidget* parent = nullptr);

    TYearNote Result() const;

    QLabel* DateLabel;
    QPlainTextEdit* NoteEdit;
    QComboBox* ColorBox;
};
