#pragma once
// Calendar arithmetic on day-number dates: leap years, encoding and decoding of
// calendar dates, quarters, Easter, first Sundays and whole days or weeks between
// two dates. Pure functions: no table, no window.
//
// Dates are TDateTime day numbers (day 0 is 30 December 1899, Gregorian calendar
// extended backwards). A fractional part is a time of day; every function here
// cuts it off (truncation toward zero) before it computes, so noon on a day gives
// the same results as the day itself. Valid dates run from 1 January 1 to
// 31 December 9999. Weekdays are numbered Sunday 1 to Saturday 7; weeks start on
// Sunday.

#include "engine/Types.h"

#include <stdexcept>

// Raised by EncodeCalendarDate (and every function that encodes a date) for an
// impossible date; what() is "Invalid Date".
class EDateError : public std::runtime_error {
public:
    EDateError();
};

// True for a year divisible by 4, except a year divisible by 100 and not by 400.
bool YearIsLeap(int year);

// The day number of a calendar date. Refuses (EDateError) a year outside 1..9999,
// a month outside 1..12 and a day outside 1..the month's length.
TDateTime EncodeCalendarDate(int year, int month, int day);

// The year, month and day of a date; the exact inverse of EncodeCalendarDate.
// A date outside 1 January 1 .. 31 December 9999 (or not a number) gives 0, 0, 0.
void DecodeCalendarDate(TDateTime date, int& year, int& month, int& day);

int YearOfDate(TDateTime date);
int MonthOfDate(TDateTime date);
// The year of today's date from the system clock.
int ThisYear();
// 1 for January to March, 2 for April to June, 3 for July to September,
// 4 for October to December (0 for a date outside the valid range).
int QuarterOfDate(TDateTime date);

// Sunday 1, Monday 2, ..., Saturday 7.
int DayOfWeek(TDateTime date);

// The year's place in the 19-year lunar cycle: year mod 19 + 1, 1 to 19.
int GoldenNumber(int year);
// Easter Sunday of a year of the Gregorian calendar. Refuses a year outside 1..9999.
TDateTime EasterSunday(int year);

// 1 January of the year. Refuses a year outside 1..9999.
TDateTime FirstDayOfYear(int year);
// The Sunday on or before the date.
TDateTime StartOfWeek(TDateTime date);
// The first Sunday on or after 1 January. Refuses a year outside 1..9999.
TDateTime FirstSundayOfYear(int year);
// The Sunday of the numbered week of a year: week 1 is the first Sunday of the
// year, week 0 the Sunday before it. Refuses a year outside 1..9999.
TDateTime SundayOfWeekN(int year, int week);

// Whole days of the second date minus whole days of the first.
int DaysApart(TDateTime first, TDateTime second);
// DaysApart divided by 7, the quotient truncated toward zero.
int WeeksApart(TDateTime first, TDateTime second);
