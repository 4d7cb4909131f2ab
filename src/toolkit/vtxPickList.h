#pragma once
// Pick lists: lists of texts that a window fills itself (not bound to a table), where a
// click on an item does something with it.
//
//   TPickList    a list whose item is "picked" by a mouse click, or by Enter or Space on
//                the current item (so it works from the keyboard; moving through the list
//                with the arrow keys picks nothing)
//   TSundayList  a pick list of the Sundays of a year in ascending order, shown as short
//                dates: every Sunday of the year, 53 when 1 January is a Sunday, or in a
//                leap year when 1 January or 2 January is a Sunday, otherwise 52
//
// Example:
//   auto* sundays = new TSundayList(this);
//   sundays->FillYear(ThisYear());
//   connect(sundays, &TSundayList::sundayPicked, this, [](const QDate& sunday) { ... });
//   connect(yearButton, &QPushButton::clicked, sundays, &TSundayList::AskYear);

#include <QDate>
#include <QList>
#include <QListWidget>

class TPickList : public QListWidget {
    Q_OBJECT
public:
    explicit TPickList(QWidget* parent = nullptr);

    // Picks the item of a row as a click does (nothing for a row outside the list).
    void Pick(int row);

Q_SIGNALS:
    void picked(int row, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class TSundayList : public TPickList {
    Q_OBJECT
public:
    explicit TSundayList(QWidget* parent = nullptr);

    // Every Sunday of the year in ascending order: the n-th Sunday of the year for n = 0 to
    // 53 (n = 0 is the Sunday before the first), kept when it lies in the year. Raises
    // EDateError ("Invalid Date") for a year outside 1 to 9999.
    static QList<QDate> SundaysOfYear(int year);

    // Empties the list and fills it with the Sundays of the year. For a year outside 1 to
    // 9999 the list stays empty and EDateError ("Invalid Date") is raised.
    void FillYear(int year);
    // The year whose Sundays are listed; 0 when the list is empty.
    int Year() const { return m_year; }
    // The Sunday of a row; invalid for a row outside the list.
    QDate SundayAt(int row) const;

    // "Different Year": asks for a year with the input box "Year" / "Enter the year" (the
    // current year as the default, which is also what a cancelled box gives) and refills
    // the list for it. An answer that is not a whole number is reported as a conversion
    // error and leaves the list as it was; a year outside 1 to 9999 is reported as
    // "Invalid Date" and leaves the list empty. True when the list was refilled.
    bool AskYear();

Q_SIGNALS:
    void sundayPicked(const QDate& sunday);

private:
    int m_year = 0;
};
