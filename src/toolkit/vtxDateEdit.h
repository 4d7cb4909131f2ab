#pragma once
// Date boxes: a one-line box where a date is typed in the system's short date format
// (four-digit years: 3/10/2024 in English (United States)), with a calendar button at its
// right end. The calendar opens as a pop-up under the box or as a dialog; its weeks start
// on Sunday and Saturday and Sunday are marked as the weekend.
//
// The text is validated when the box is left: a text that is not a date is reported with
// "'%s' is not a valid date" (the text) and the box keeps the focus. A box may have an
// earliest date: an earlier date typed or picked is replaced by it. A box that takes the
// focus selects its text (a click too, unless it drags a selection of its own), so a date
// is typed over, not into; coming back from another window keeps the caret where it was.
//
//   TDateEdit    unbound (also the grid's date editor)
//   TDBDateEdit  bound to a date field of a data source, as TDBEdit
//
// Example:
//   auto* birth = new TDBDateEdit(DataMod->RosterDatesS, "BirthDate", this);
//   birth->SetMinDate(QDate(1700, 1, 1));
//   birth->SetCalendarStyle(TCalendarStyle::Dialog);

#include "toolkit/vtxDBControls.h"

#include <QDate>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <functional>

class QCalendarWidget;

enum class TCalendarStyle { Popup, Dialog };

// Sets a calendar up as every date box shows it: weeks from Sunday, weekend marked, no
// week numbers.
void SetupCalendar(QCalendarWidget* calendar);

// Reads a typed date. Empty text gives an invalid date; a date before the earliest date
// (when valid) gives the earliest date. Raises EDatabaseError "'%s' is not a valid date"
// for a text that is not a date.
QDate ReadDateText(const QString& text, const QDate& earliest = {});

// Selects a box's text whenever it takes the focus (see above); the date boxes use it.
class TSelectOnFocus : public QObject {
    Q_OBJECT
public:
    explicit TSelectOnFocus(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_box;
    bool m_clicked = false;
};

// The calendar button placed inside the right end of a line edit.
class TCalendarButton : public QToolButton {
    Q_OBJECT
public:
    explicit TCalendarButton(QLineEdit* edit);

    TCalendarStyle Style = TCalendarStyle::Popup;
    // The date the calendar opens on (today when it gives an invalid date).
    std::function<QDate()> CurrentDate;

    // Opens the calendar; a pop-up returns at once, a dialog when it is closed.
    void ShowCalendar();
    // The open pop-up, null when none (tests pick a date in its calendar).
    QWidget* Popup() const { return m_popup; }

Q_SIGNALS:
    void picked(const QDate& date);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();
    QLineEdit* m_edit;
    QPointer<QWidget> m_popup;
};

class TDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDateEdit(QWidget* parent = nullptr);

    // The date typed; invalid when the box is empty or holds no date.
    QDate Date() const;
    void SetDate(const QDate& date); // an invalid date empties the box
    bool IsEmpty() const { return text().trimmed().isEmpty(); }
    // Raises EDatabaseError "'%s' is not a valid date" when the text is not a date.
    QDate ReadDate() const { return ReadDateText(text(), m_minDate); }

    void SetMinDate(const QDate& date) { m_minDate = date; }
    QDate MinDate() const { return m_minDate; }
    void SetCalendarStyle(TCalendarStyle style) { m_button->Style = style; }
    TCalendarButton* CalendarButton() const { return m_button; }
    // Off: the box is not validated when left (its owner reads it, as the grid does).
    void SetValidateOnExit(bool on) { m_validateOnExit = on; }

Q_SIGNALS:
    // A date was picked in the calendar and shown in the box.
    void dateChosen(const QDate& date);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    TCalendarButton* m_button;
    QDate m_minDate;
    bool m_validateOnExit = true;
};

class TDBDateEdit : public TDBEdit {
    Q_OBJECT
public:
    explicit TDBDateEdit(QWidget* parent = nullptr);
    TDBDateEdit(DataSource* source, const QString& field, QWidget* parent = nullptr);

    void SetMinDate(const QDate& date) { m_minDate = date; }
    QDate MinDate() const { return m_minDate; }
    void SetCalendarStyle(TCalendarStyle style) { m_button->Style = style; }
    TCalendarButton* CalendarButton() const { return m_button; }
    // The date typed; invalid when the box is empty or holds no date.
    QDate Date() const;

Q_SIGNALS:
    void dateChosen(const QDate& date);

protected:
    QString FieldText(Field* field, bool focused) const override;
    void WriteField(Field* field, const QString& text) override;

private:
    void Init();
    void Picked(const QDate& date);
    TCalendarButton* m_button;
    QDate m_minDate;
};
