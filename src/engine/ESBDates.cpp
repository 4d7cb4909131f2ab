#include "engine/ESBDates.h"

#include <QDate>
#include <cmath>
#include <cstdint>

namespace {

// Day numbers of 1 January 1 and 31 December 9999.
constexpr int64_t kFirstValidDay = -693593;
constexpr int64_t kLastValidDay = 2958465;

// Day numbers far beyond the valid range are held here, so that no conversion
// of a huge or infinite value to an integer can overflow.
constexpr double kDayLimit = 1e12;

// The whole days of a date: the time of day cut off toward zero.
int64_t WholeDays(TDateTime date) {
    if (std::isnan(date))
        return 0;
    const double days = std::trunc(date);
    if (days > kDayLimit)
        return static_cast<int64_t>(kDayLimit);
    if (days < -kDayLimit)
        return -static_cast<int64_t>(kDayLimit);
    return static_cast<int64_t>(days);
}

int MonthLength(int year, int month) {
    static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && YearIsLeap(year))
        return 29;
    return kLengths[month - 1];
}

void RefuseInvalidYear(int year) {
    if (year < 1 || year > 9999)
        throw EDateError();
}

} // namespace

EDateError::EDateError() : std::runtime_error("Invalid Date") {}

bool YearIsLeap(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

TDateTime EncodeCalendarDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > MonthLength(year, month))
        throw EDateError();
    // Count the year from 1 March, so that a leap day ends the year.
    int64_t y = year;
    int64_t m = month;
    if (m <= 2) {
        m += 9;
        y -= 1;
    } else {
        m -= 3;
    }
    const int64_t century = y / 100;
    const int64_t yearInCentury = y - 100 * century;
    const int64_t days =
        (1461 * yearInCentury) / 4 + (146097 * century) / 4 + (153 * m + 2) / 5 + day - 693900;
    return static_cast<TDateTime>(days);
}

void DecodeCalendarDate(TDateTime date, int& year, int& month, int& day) {
    const int64_t n = WholeDays(date);
    if (std::isnan(date) || n < kFirstValidDay || n > kLastValidDay) {
        year = month = day = 0;
        return;
    }
    const int64_t a = 4 * n + 2775599;
    const int64_t centuries = a / 146097;
    const int64_t dayInCentury = (a % 146097) / 4;
    const int64_t yearInCentury = (4 * dayInCentury + 3) / 1461;
    // Counted from 1 March, starting at 1.
    const int64_t dayInYear = dayInCentury - (1461 * yearInCentury) / 4 + 1;
    const int64_t monthFromMarch = (5 * dayInYear - 3) / 153;
    day = static_cast<int>((5 * dayInYear - 153 * monthFromMarch + 2) / 5);
    year = static_cast<int>(100 * centuries + yearInCentury);
    if (monthFromMarch > 9) {
        month = static_cast<int>(monthFromMarch - 9);
        year += 1;
    } else {
        month = static_cast<int>(monthFromMarch + 3);
    }
}

int YearOfDate(TDateTime date) {
    int year, month, day;
    DecodeCalendarDate(date, year, month, day);
    return year;
}

int MonthOfDate(TDateTime date) {
    int year, month, day;
    DecodeCalendarDate(date, year, month, day);
    return month;
}

int ThisYear() {
    return YearOfDate(DateToDateTime(QDate::currentDate()));
}

int QuarterOfDate(TDateTime date) {
    // (month - 1) div 3 + 1 for months 1 to 12; month 0 (no valid date) gives 0.
    return (MonthOfDate(date) + 2) / 3;
}

int DayOfWeek(TDateTime date) {
    // Day 1 (31 December 1899) was a Sunday.
    int64_t fromSunday = (WholeDays(date) - 1) % 7;
    if (fromSunday < 0)
        fromSunday += 7;
    return static_cast<int>(fromSunday) + 1;
}

int GoldenNumber(int year) {
    int inCycle = year % 19;
    if (inCycle < 0)
        inCycle += 19;
    return inCycle + 1;
}

TDateTime EasterSunday(int year) {
    // Checked first: the computation below divides by h + 1, which is only safe
    // for the years that can be encoded.
    RefuseInvalidYear(year);
    const int g = GoldenNumber(year) - 1;
    const int c = year / 100;
    // Days from 21 March to the Paschal full moon, before the corrections.
    const int h = (c - c / 4 - (8 * c + 13) / 25 + 19 * g + 15) % 30;
    // Corrected: 29 becomes 28, and 28 becomes 27 when the golden number is above 11.
    const int i = h - (h / 28) * (1 - (h / 28) * (29 / (h + 1)) * ((21 - g) / 11));
    // Weekday of the full moon, 0 for Sunday; Easter is the Sunday after it.
    const int j = (year + year / 4 + i + 2 - c + c / 4) % 7;
    const int l = i - j;
    const int month = 3 + (l + 40) / 44;
    const int day = l + 28 - 31 * (month / 4);
    return EncodeCalendarDate(year, month, day);
}

TDateTime FirstDayOfYear(int year) {
    return EncodeCalendarDate(year, 1, 1);
}

TDateTime StartOfWeek(TDateTime date) {
    return static_cast<TDateTime>(WholeDays(date) - DayOfWeek(date) + 1);
}

TDateTime FirstSundayOfYear(int year) {
    const TDateTime newYear = FirstDayOfYear(year);
    if (DayOfWeek(newYear) == 1)
        return newYear;
    return StartOfWeek(newYear) + 7;
}

TDateTime SundayOfWeekN(int year, int week) {
    return FirstSundayOfYear(year) + 7.0 * (static_cast<double>(week) - 1.0);
}

int DaysApart(TDateTime first, TDateTime second) {
    return static_cast<int>(WholeDays(second) - WholeDays(first));
}

int WeeksApart(TDateTime first, TDateTime second) {
    // Integer division truncates toward zero.
    return DaysApart(first, second) / 7;
}
