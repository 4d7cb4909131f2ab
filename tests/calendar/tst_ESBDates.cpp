// Calendar functions: encoding and decoding over the whole valid range, refused
// dates, Easter, first Sundays, numbered Sundays, quarters and days or weeks apart.
// Expected dates come from QDate or from an Easter computation of our own, never
// from the functions under test.

#include "TestSupport.h"
#include "engine/ESBDates.h"

#include <QDate>
#include <QTest>
#include <cmath>
#include <limits>

namespace {

// The day number of a calendar date, by QDate.
TDateTime Day(const QDate& date) {
    return DateToDateTime(date);
}

// A date with a time of day, written as a day number holds it: the fraction is
// added to a date on or after day 0 and subtracted from one before it.
TDateTime At(const QDate& date, double timeOfDay) {
    const TDateTime day = Day(date);
    return day < 0 ? day - timeOfDay : day + timeOfDay;
}

// Easter Sunday by the anonymous Gregorian algorithm (Meeus/Jones/Butcher).
QDate AnonymousGregorianEaster(int y) {
    const int a = y % 19;
    const int b = y / 100;
    const int c = y % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(y, month, day);
}

QString Text(const QDate& date) {
    return date.toString(Qt::ISODate);
}

template <typename Call> bool RefusesAsInvalidDate(Call call, QString* message) {
    try {
        call();
    } catch (const EDateError& e) {
        *message = QString::fromUtf8(e.what());
        return true;
    }
    return false;
}

} // namespace

class TestESBDates : public QObject {
    Q_OBJECT

private slots:
    void yearIsLeapEveryYear();
    void encodeKnownDates_data();
    void encodeKnownDates();
    void encodeDecodeEveryDay();
    void refusedDates_data();
    void refusedDates();
    void decodeOutsideValidRange_data();
    void decodeOutsideValidRange();
    void partsOfDate_data();
    void partsOfDate();
    void thisYear();
    void goldenNumber_data();
    void goldenNumber();
    void easterKnownYears_data();
    void easterKnownYears();
    void easterMatchesAnonymousGregorian();
    void easterIsSundayInWindowEveryYear();
    void yearOutsideRangeRefused_data();
    void yearOutsideRangeRefused();
    void startOfWeek_data();
    void startOfWeek();
    void firstSundayOfYear_data();
    void firstSundayOfYear();
    void firstSundayEveryYear();
    void sundayOfWeekN_data();
    void sundayOfWeekN();
    void daysAndWeeksApart_data();
    void daysAndWeeksApart();
};

void TestESBDates::yearIsLeapEveryYear() {
    for (int year = 1; year <= 9999; ++year) {
        if (YearIsLeap(year) != QDate::isLeapYear(year))
            QFAIL(qPrintable(QString("year %1").arg(year)));
    }
}

void TestESBDates::encodeKnownDates_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<double>("expected");
    QTest::newRow("day zero") << 1899 << 12 << 30 << 0.0;
    QTest::newRow("2024-01-01") << 2024 << 1 << 1 << 45292.0;
    QTest::newRow("1900 has no 29 February") << 1900 << 3 << 1 << 61.0;
    QTest::newRow("first valid date") << 1 << 1 << 1 << -693593.0;
    QTest::newRow("last valid date") << 9999 << 12 << 31 << 2958465.0;
}

void TestESBDates::encodeKnownDates() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(double, expected);
    QCOMPARE(EncodeCalendarDate(year, month, day), expected);
}

// Every day from 1 January 1 to 31 December 9999: encoding agrees with QDate,
// decoding gives the date back even with a time of day, and the weekday and the
// Sunday that starts the week agree with QDate's weekday.
void TestESBDates::encodeDecodeEveryDay() {
    const QDate last(9999, 12, 31);
    QDate date(1, 1, 1);
    TDateTime expected = Day(date);
    for (;; date = date.addDays(1), expected += 1) {
        const TDateTime encoded = EncodeCalendarDate(date.year(), date.month(), date.day());
        if (encoded != expected)
            QFAIL(qPrintable(QString("encode %1 gave %2").arg(Text(date)).arg(encoded)));
        for (double timeOfDay : {0.0, 0.75}) {
            int y = -1, m = -1, d = -1;
            DecodeCalendarDate(At(date, timeOfDay), y, m, d);
            if (QDate(y, m, d) != date)
                QFAIL(qPrintable(QString("decode %1 + %2 gave %3-%4-%5")
                                     .arg(Text(date))
                                     .arg(timeOfDay)
                                     .arg(y)
                                     .arg(m)
                                     .arg(d)));
        }
        const int weekday = date.dayOfWeek() % 7 + 1; // QDate: Monday 1 .. Sunday 7
        if (DayOfWeek(At(date, 0.5)) != weekday)
            QFAIL(qPrintable(QString("weekday of %1").arg(Text(date))));
        if (StartOfWeek(At(date, 0.5)) != expected - (weekday - 1))
            QFAIL(qPrintable(QString("start of week of %1").arg(Text(date))));
        if (date == last)
            break;
    }
}

void TestESBDates::refusedDates_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::newRow("29 February 2023") << 2023 << 2 << 29;
    QTest::newRow("29 February 1900") << 1900 << 2 << 29;
    QTest::newRow("29 February 2100") << 2100 << 2 << 29;
    QTest::newRow("30 February 2024") << 2024 << 2 << 30;
    QTest::newRow("31 April") << 2024 << 4 << 31;
    QTest::newRow("31 November") << 2024 << 11 << 31;
    QTest::newRow("32 January") << 2024 << 1 << 32;
    QTest::newRow("32 December") << 2024 << 12 << 32;
    QTest::newRow("month 13") << 2024 << 13 << 1;
    QTest::newRow("month 0") << 2024 << 0 << 1;
    QTest::newRow("month -1") << 2024 << -1 << 1;
    QTest::newRow("day 0") << 2024 << 1 << 0;
    QTest::newRow("day -1") << 2024 << 1 << -1;
    QTest::newRow("year 0") << 0 << 1 << 1;
    QTest::newRow("year -1") << -1 << 12 << 31;
    QTest::newRow("year 10000") << 10000 << 1 << 1;
    QTest::newRow("year 65535") << 65535 << 12 << 31;
    QTest::newRow("year 65537 (would wrap to 1)") << 65537 << 1 << 1;
    QTest::newRow("all zero") << 0 << 0 << 0;
}

void TestESBDates::refusedDates() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QString message;
    QVERIFY(RefusesAsInvalidDate([&] { EncodeCalendarDate(year, month, day); }, &message));
    QCOMPARE(message, QString("Invalid Date"));
}

void TestESBDates::decodeOutsideValidRange_data() {
    QTest::addColumn<double>("date");
    QTest::newRow("day before 1 January 1") << -693594.0;
    QTest::newRow("day after 31 December 9999") << 2958466.0;
    QTest::newRow("huge") << 1e300;
    QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity();
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN();
}

void TestESBDates::decodeOutsideValidRange() {
    QFETCH(double, date);
    int y = -1, m = -1, d = -1;
    DecodeCalendarDate(date, y, m, d);
    QCOMPARE(y, 0);
    QCOMPARE(m, 0);
    QCOMPARE(d, 0);
    QCOMPARE(QuarterOfDate(date), 0);
}

void TestESBDates::partsOfDate_data() {
    QTest::addColumn<double>("date");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("quarter");
    QTest::newRow("1 January") << Day(QDate(2024, 1, 1)) << 2024 << 1 << 1;
    QTest::newRow("29 February") << Day(QDate(2024, 2, 29)) << 2024 << 2 << 1;
    QTest::newRow("31 March late evening") << At(QDate(2024, 3, 31), 0.99) << 2024 << 3 << 1;
    QTest::newRow("1 April") << Day(QDate(2024, 4, 1)) << 2024 << 4 << 2;
    QTest::newRow("30 June noon") << At(QDate(2024, 6, 30), 0.5) << 2024 << 6 << 2;
    QTest::newRow("1 July") << Day(QDate(2024, 7, 1)) << 2024 << 7 << 3;
    QTest::newRow("30 September late evening") << At(QDate(2024, 9, 30), 0.99) << 2024 << 9 << 3;
    QTest::newRow("1 October") << Day(QDate(2024, 10, 1)) << 2024 << 10 << 4;
    QTest::newRow("31 December late evening") << At(QDate(2023, 12, 31), 0.99) << 2023 << 12 << 4;
    QTest::newRow("1 October 1899 evening, before day 0")
        << At(QDate(1899, 10, 1), 0.75) << 1899 << 10 << 4;
    QTest::newRow("1 January 1") << At(QDate(1, 1, 1), 0.5) << 1 << 1 << 1;
    QTest::newRow("31 December 9999") << At(QDate(9999, 12, 31), 0.5) << 9999 << 12 << 4;
}

void TestESBDates::partsOfDate() {
    QFETCH(double, date);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, quarter);
    QCOMPARE(YearOfDate(date), year);
    QCOMPARE(MonthOfDate(date), month);
    QCOMPARE(QuarterOfDate(date), quarter);
}

void TestESBDates::thisYear() {
    const int before = QDate::currentDate().year();
    const int year = ThisYear();
    const int after = QDate::currentDate().year();
    QVERIFY2(year == before || year == after, qPrintable(QString::number(year)));
}

void TestESBDates::goldenNumber_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("expected");
    QTest::newRow("2024") << 2024 << 11;
    QTest::newRow("2000") << 2000 << 6;
    QTest::newRow("year 1") << 1 << 2;
    QTest::newRow("last of a cycle") << 18 << 19;
    QTest::newRow("first of a cycle") << 19 << 1;
}

void TestESBDates::goldenNumber() {
    QFETCH(int, year);
    QFETCH(int, expected);
    QCOMPARE(GoldenNumber(year), expected);
}

void TestESBDates::easterKnownYears_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QDate>("expected");
    QTest::newRow("2024") << 2024 << QDate(2024, 3, 31);
    QTest::newRow("2025") << 2025 << QDate(2025, 4, 20);
    QTest::newRow("2000") << 2000 << QDate(2000, 4, 23);
    QTest::newRow("2008") << 2008 << QDate(2008, 3, 23);
    QTest::newRow("1818, earliest possible") << 1818 << QDate(1818, 3, 22);
    QTest::newRow("2038, latest possible") << 2038 << QDate(2038, 4, 25);
    QTest::newRow("1943, latest possible") << 1943 << QDate(1943, 4, 25);
    QTest::newRow("1954, full moon 28 corrected to 27") << 1954 << QDate(1954, 4, 18);
    QTest::newRow("1981, full moon 29 corrected to 28") << 1981 << QDate(1981, 4, 19);
    QTest::newRow("2049") << 2049 << QDate(2049, 4, 18);
    QTest::newRow("2076") << 2076 << QDate(2076, 4, 19);
}

void TestESBDates::easterKnownYears() {
    QFETCH(int, year);
    QFETCH(QDate, expected);
    QCOMPARE(EasterSunday(year), Day(expected));
}

void TestESBDates::easterMatchesAnonymousGregorian() {
    for (int year = 1583; year <= 4099; ++year) {
        const QDate expected = AnonymousGregorianEaster(year);
        const TDateTime easter = EasterSunday(year);
        if (easter != Day(expected))
            QFAIL(qPrintable(QString("%1: %2 instead of %3")
                                 .arg(year)
                                 .arg(Text(DateTimeToDate(easter)))
                                 .arg(Text(expected))));
    }
}

// For every year the function accepts: a Sunday from 22 March to 25 April.
void TestESBDates::easterIsSundayInWindowEveryYear() {
    for (int year = 1; year <= 9999; ++year) {
        const QDate easter = DateTimeToDate(EasterSunday(year));
        if (easter.dayOfWeek() != Qt::Sunday || easter < QDate(year, 3, 22) ||
            easter > QDate(year, 4, 25))
            QFAIL(qPrintable(QString("%1: %2").arg(year).arg(Text(easter))));
    }
}

void TestESBDates::yearOutsideRangeRefused_data() {
    QTest::addColumn<int>("year");
    QTest::newRow("0") << 0;
    QTest::newRow("10000") << 10000;
    QTest::newRow("65535") << 65535;
    QTest::newRow("-2024") << -2024;
}

void TestESBDates::yearOutsideRangeRefused() {
    QFETCH(int, year);
    QString message;
    QVERIFY(RefusesAsInvalidDate([&] { EasterSunday(year); }, &message));
    QCOMPARE(message, QString("Invalid Date"));
    QVERIFY(RefusesAsInvalidDate([&] { FirstDayOfYear(year); }, &message));
    QVERIFY(RefusesAsInvalidDate([&] { FirstSundayOfYear(year); }, &message));
    QVERIFY(RefusesAsInvalidDate([&] { SundayOfWeekN(year, 1); }, &message));
    QCOMPARE(message, QString("Invalid Date"));
}

void TestESBDates::startOfWeek_data() {
    QTest::addColumn<double>("date");
    QTest::addColumn<double>("expected");
    const TDateTime sunday = Day(QDate(2024, 3, 10));
    QTest::newRow("a Sunday is its own start") << sunday << sunday;
    QTest::newRow("Monday") << Day(QDate(2024, 3, 11)) << sunday;
    QTest::newRow("Saturday late evening") << At(QDate(2024, 3, 16), 0.99) << sunday;
    QTest::newRow("Sunday noon") << At(QDate(2024, 3, 17), 0.5) << Day(QDate(2024, 3, 17));
    QTest::newRow("across the new year") << Day(QDate(2025, 1, 1)) << Day(QDate(2024, 12, 29));
    QTest::newRow("day 0, a Saturday") << 0.0 << Day(QDate(1899, 12, 24));
    QTest::newRow("noon before day 0") << At(QDate(1899, 12, 29), 0.5) << Day(QDate(1899, 12, 24));
    QTest::newRow("1 January 1, a Monday") << Day(QDate(1, 1, 1)) << Day(QDate(1, 1, 1)) - 1;
}

void TestESBDates::startOfWeek() {
    QFETCH(double, date);
    QFETCH(double, expected);
    QCOMPARE(StartOfWeek(date), expected);
    QCOMPARE(DayOfWeek(StartOfWeek(date)), 1);
}

void TestESBDates::firstSundayOfYear_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QDate>("expected");
    QTest::newRow("2023 starts on a Sunday") << 2023 << QDate(2023, 1, 1);
    QTest::newRow("2024 starts on a Monday") << 2024 << QDate(2024, 1, 7);
    QTest::newRow("2025 starts on a Wednesday") << 2025 << QDate(2025, 1, 5);
    QTest::newRow("2022 starts on a Saturday") << 2022 << QDate(2022, 1, 2);
    QTest::newRow("2021 starts on a Friday") << 2021 << QDate(2021, 1, 3);
    QTest::newRow("year 1") << 1 << QDate(1, 1, 7);
    QTest::newRow("year 9999") << 9999 << QDate(9999, 1, 3);
}

void TestESBDates::firstSundayOfYear() {
    QFETCH(int, year);
    QFETCH(QDate, expected);
    QCOMPARE(FirstSundayOfYear(year), Day(expected));
    QCOMPARE(FirstDayOfYear(year), Day(QDate(year, 1, 1)));
}

void TestESBDates::firstSundayEveryYear() {
    for (int year = 1; year <= 9999; ++year) {
        const QDate sunday = DateTimeToDate(FirstSundayOfYear(year));
        if (sunday.dayOfWeek() != Qt::Sunday || sunday < QDate(year, 1, 1) ||
            sunday > QDate(year, 1, 7))
            QFAIL(qPrintable(QString("%1: %2").arg(year).arg(Text(sunday))));
    }
}

void TestESBDates::sundayOfWeekN_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("week");
    QTest::addColumn<QDate>("expected");
    QTest::newRow("2024 week 10") << 2024 << 10 << QDate(2024, 3, 10);
    QTest::newRow("2024 week 0 is in the year before") << 2024 << 0 << QDate(2023, 12, 31);
    QTest::newRow("2024 week 1") << 2024 << 1 << QDate(2024, 1, 7);
    QTest::newRow("2024 week 53 is in the year after") << 2024 << 53 << QDate(2025, 1, 5);
    QTest::newRow("2023 week 1 is 1 January") << 2023 << 1 << QDate(2023, 1, 1);
    QTest::newRow("2023 week 53") << 2023 << 53 << QDate(2023, 12, 31);
    QTest::newRow("2025 week 52") << 2025 << 52 << QDate(2025, 12, 28);
}

void TestESBDates::sundayOfWeekN() {
    QFETCH(int, year);
    QFETCH(int, week);
    QFETCH(QDate, expected);
    QCOMPARE(SundayOfWeekN(year, week), Day(expected));
}

void TestESBDates::daysAndWeeksApart_data() {
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("weeks");
    const QDate jan1(2024, 1, 1);
    const QDate jan2(2024, 1, 2);
    const QDate jan14(2024, 1, 14);
    const QDate jan15(2024, 1, 15);
    QTest::newRow("same day") << Day(jan1) << Day(jan1) << 0 << 0;
    QTest::newRow("1 to 7 January") << Day(jan1) << Day(QDate(2024, 1, 7)) << 6 << 0;
    QTest::newRow("1 to 8 January") << Day(jan1) << Day(QDate(2024, 1, 8)) << 7 << 1;
    QTest::newRow("1 to 14 January") << Day(jan1) << Day(jan14) << 13 << 1;
    QTest::newRow("1 to 15 January") << Day(jan1) << Day(jan15) << 14 << 2;
    QTest::newRow("15 back to 1 January") << Day(jan15) << Day(jan1) << -14 << -2;
    QTest::newRow("14 back to 1 January, truncated") << Day(jan14) << Day(jan1) << -13 << -1;
    QTest::newRow("2 back to 1 January, truncated") << Day(jan2) << Day(jan1) << -1 << 0;
    QTest::newRow("later time on the same day") << At(jan1, 0.9) << At(jan1, 0.1) << 0 << 0;
    QTest::newRow("late evening to next early morning") << At(jan1, 0.9) << At(jan2, 0.1) << 1 << 0;
    QTest::newRow("next early morning back to late evening")
        << At(jan2, 0.1) << At(jan1, 0.9) << -1 << 0;
    QTest::newRow("two weeks, evening to morning") << At(jan1, 0.9) << At(jan15, 0.1) << 14 << 2;
    QTest::newRow("noon before day 0 to noon of day 0")
        << At(QDate(1899, 12, 29), 0.5) << At(QDate(1899, 12, 30), 0.5) << 1 << 0;
    QTest::newRow("over a leap year")
        << Day(QDate(2023, 12, 31)) << Day(QDate(2025, 1, 1)) << 367 << 52;
    QTest::newRow("whole valid range")
        << Day(QDate(1, 1, 1)) << Day(QDate(9999, 12, 31)) << 3652058 << 521722;
    QTest::newRow("whole valid range backwards")
        << Day(QDate(9999, 12, 31)) << Day(QDate(1, 1, 1)) << -3652058 << -521722;
}

void TestESBDates::daysAndWeeksApart() {
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(int, days);
    QFETCH(int, weeks);
    QCOMPARE(DaysApart(first, second), days);
    QCOMPARE(WeeksApart(first, second), weeks);
}

VTX_REGISTER_TEST(TestESBDates)

#include "tst_ESBDates.moc"
