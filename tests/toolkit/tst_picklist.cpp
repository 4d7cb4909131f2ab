// Pick lists: a click, Enter or Space picks an item, arrow keys pick nothing; the Sunday
// list holds every Sunday of a year and asks for another year with its own errors.

#include "ToolkitFixture.h"
#include "engine/ESBDates.h"
#include "engine/Types.h"
#include "toolkit/vtxPickList.h"

#include <QSignalSpy>

using namespace toolkit_test;

class TestPickList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void clickEnterAndSpacePickArrowsDoNot() {
        TPickList list;
        list.addItems({"10", "2", "9"});
        QVERIFY(ShowActive(list));
        QSignalSpy picked(&list, &TPickList::picked);

        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.item(1)).center());
        QCOMPARE(picked.size(), 1);
        QCOMPARE(picked.last().at(0).toInt(), 1);
        QCOMPARE(picked.last().at(1).toString(), QString("2"));

        QTest::keyClick(&list, Qt::Key_Down);
        QCOMPARE(list.currentRow(), 2);
        QCOMPARE(picked.size(), 1);
        QTest::keyClick(&list, Qt::Key_Return);
        QTest::keyClick(&list, Qt::Key_Space);
        QCOMPARE(picked.size(), 3);
        QCOMPARE(picked.last().at(1).toString(), QString("9"));

        list.Pick(7); // no such row
        QCOMPARE(picked.size(), 3);
    }

    void sundaysOfAYear_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("count");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        // 1 January a Sunday: 53 Sundays from 1 January.
        QTest::newRow("2023") << 2023 << 53 << QDate(2023, 1, 1) << QDate(2023, 12, 31);
        // 1 January a Monday: from 7 January, 52.
        QTest::newRow("2024") << 2024 << 52 << QDate(2024, 1, 7) << QDate(2024, 12, 29);
        // A leap year whose 2 January is a Sunday: 53.
        QTest::newRow("2000") << 2000 << 53 << QDate(2000, 1, 2) << QDate(2000, 12, 31);
        // A leap year whose 1 January is a Sunday: 53, the last on 30 December.
        QTest::newRow("2012") << 2012 << 53 << QDate(2012, 1, 1) << QDate(2012, 12, 30);
        // The first and the last year that can be encoded.
        QTest::newRow("1") << 1 << 52 << QDate(1, 1, 7) << QDate(1, 12, 30);
        QTest::newRow("9999") << 9999 << 52 << QDate(9999, 1, 3) << QDate(9999, 12, 26);
    }

    void sundaysOfAYear() {
        QFETCH(int, year);
        QFETCH(int, count);
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        TSundayList list;
        list.FillYear(year);
        QCOMPARE(list.count(), count);
        QCOMPARE(list.Year(), year);
        QCOMPARE(list.SundayAt(0), first);
        QCOMPARE(list.SundayAt(count - 1), last);
        QCOMPARE(list.item(0)->text(), FormatShortDate(first));
        for (int row = 0; row < count; ++row) {
            QCOMPARE(list.SundayAt(row).dayOfWeek(), int(Qt::Sunday));
            if (row > 0)
                QCOMPARE(list.SundayAt(row - 1).daysTo(list.SundayAt(row)), 7);
        }
    }

    void pickingGivesTheSunday() {
        TSundayList list;
        list.FillYear(2024);
        QSignalSpy sundays(&list, &TSundayList::sundayPicked);
        list.Pick(9);
        QCOMPARE(sundays.size(), 1);
        QCOMPARE(sundays.last().at(0).toDate(), QDate(2024, 3, 10));
        QCOMPARE(list.item(9)->text(), QString("3/10/2024"));
    }

    void askingForAnotherYear_data() {
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("refilled");
        QTest::addColumn<int>("year"); // of the list afterwards; -1: the year before
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("error");
        QTest::newRow("a year") << true << "2023" << true << 2023 << 53 << "";
        QTest::newRow("blanks around it") << true << " 2023 " << true << 2023 << 53 << "";
        QTest::newRow("cancelled: this year")
            << false << "" << true << ThisYear()
            << int(TSundayList::SundaysOfYear(ThisYear()).size()) << "";
        QTest::newRow("not a number")
            << true << "20x3" << false << -1 << 52 << "'20x3' is not a valid integer value";
        QTest::newRow("empty") << true << "" << false << -1 << 52
                               << "'' is not a valid integer value";
        QTest::newRow("too big for a number") << true << "99999999999" << false << -1 << 52
                                              << "'99999999999' is not a valid integer value";
        QTest::newRow("year 0") << true << "0" << false << 0 << 0 << "Invalid Date";
        QTest::newRow("year 10000") << true << "10000" << false << 0 << 0 << "Invalid Date";
        QTest::newRow("a negative year") << true << "-5" << false << 0 << 0 << "Invalid Date";
    }

    void askingForAnotherYear() {
        QFETCH(bool, answered);
        QFETCH(QString, answer);
        QFETCH(bool, refilled);
        QFETCH(int, year);
        QFETCH(int, count);
        QFETCH(QString, error);
        ScriptedDialogs dialogs;
        TSundayList list;
        list.FillYear(2024);
        Dialogs::QueueInput(answered, answer);
        QCOMPARE(list.AskYear(), refilled);

        const Dialogs::Shown& prompt = Dialogs::ShownLog().first();
        QCOMPARE(prompt.kind, QString("query"));
        QCOMPARE(prompt.caption, QString("Year"));
        QCOMPARE(prompt.text, QString("Enter the year"));
        QCOMPARE(LastError(), error);
        QCOMPARE(list.Year(), year < 0 ? 2024 : year);
        QCOMPARE(list.count(), count);
    }
};

VTX_REGISTER_TEST(TestPickList)
#include "tst_picklist.moc"
