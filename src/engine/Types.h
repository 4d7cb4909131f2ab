#pragma once
// Basic value types shared by the engine and the whole program: the day-number
// date type and exact four-decimal money.

#include <QDate>
#include <QMetaType>
#include <QString>
#include <QTime>
#include <cstdint>

// A date and time as a count of days from 30 December 1899 (day 0); the fraction
// is the time of day.
using TDateTime = double;

TDateTime DateToDateTime(const QDate& date); // 0 for an invalid date
QDate DateTimeToDate(TDateTime value);       // the date part
TDateTime TimeToDateTime(const QTime& time); // fraction of a day
QTime DateTimeToTime(TDateTime value);       // the time part, to the millisecond
TDateTime DateTimeNow();

// The short date format of the system locale with the year always four digits
// (M/d/yyyy in English (United States)).
QString ShortDateFormat();
QString FormatShortDate(const QDate& date); // empty for an invalid date
// Reads a date typed in the short date format; also accepts two-digit years (read with
// ExpandTwoDigitYear) and ISO dates. Invalid when not a date. Every typed date of the
// program is read here: the date boxes, the grid's date cells and a date field's text.
QDate ParseShortDate(const QString& text);
// The year of a two-digit year: the one in the hundred years that end twenty years from
// today (in 2025: 62 is 1962, 24 is 2024, 45 is 2045, 46 is 1946).
int ExpandTwoDigitYear(int twoDigitYear, const QDate& today = QDate::currentDate());
// Reads a time of day: "10:00pm", "10:00 PM", "22:00", "22:00:15". Invalid when not a time.
QTime ParseTime(const QString& text);
QString FormatTime(const QTime& time); // the locale's short time format ("10:00 PM")

// Money: an exact count of 1/10000 units.
class Currency {
public:
    constexpr Currency() = default;
    static constexpr Currency FromUnits(int64_t units) {
        Currency c;
        c.m_units = units;
        return c;
    }
    static Currency FromDouble(double value); // rounded to four decimals, half away from zero
    static Currency FromString(const QString& text, bool* ok = nullptr); // "1,250.50", "$3.10"
    constexpr int64_t Units() const { return m_units; }
    double ToDouble() const { return double(m_units) / 10000.0; }
    QString ToString() const;                      // plain: "350.5", "-0.1", "0"
    QString ToMoneyString() const;                 // the locale's currency format: "$1,750.25"
    QString ToFixedString(int decimals = 2) const; // "1,750.25" with group separators

    constexpr Currency operator+(Currency o) const { return FromUnits(m_units + o.m_units); }
    constexpr Currency operator-(Currency o) const { return FromUnits(m_units - o.m_units); }
    constexpr Currency operator-() const { return FromUnits(-m_units); }
    Currency& operator+=(Currency o) {
        m_units += o.m_units;
        return *this;
    }
    Currency& operator-=(Currency o) {
        m_units -= o.m_units;
        return *this;
    }
    constexpr auto operator<=>(const Currency&) const = default;

private:
    int64_t m_units = 0;
};

Q_DECLARE_METATYPE(Currency)

// The money value held in a variant: a Currency, or a number of whole units.
Currency VariantToCurrency(const class QVariant& value);
