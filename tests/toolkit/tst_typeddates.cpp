// Typed dates with two-digit years: one rule (the hundred years that end twenty years from
// today) for every reader of typed dates: the date box, the grid's date cell and a date
// field's text.

#include "ToolkitFixture.h"
#include "engine/Field.h"
#include "engine/Types.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDateEdit.h"

#include <QApplication>
#include <QVBoxLayout>

using namespace toolkit_test;

namespace {

// A two-digit year as typed ("62") for a year.
QString TwoDigits(int year) {
    return QString::number(year % 100).rightJustified(2, u'0');
}

} // namespace

class TestTypedDates : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void twoDigitYearsEndTwentyYearsFromToday_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("year");
        const QDate d2025(2025, 6, 1);
        QTest::newRow("62 in 2025") << d2025 << 62 << 1962;
        QTest::newRow("24 in 2025") << d2025 << 24 << 2024;
        QTest::newRow("the last year of the hundred") << d2025 << 45 << 2045;
        QTest::newRow("the first year of the hundred") << d2025 << 46 << 1946;
        QTest::newRow("00 in 2025") << d2025 << 0 << 2000;
        QTest::newRow("99 in 2025") << d2025 << 99 << 1999;
        QTest::newRow("80 in 2080: ends in 2100") << QDate(2080, 1, 1) << 80 << 2080;
        QTest::newRow("01 in 2080") << QDate(2080, 1, 1) << 1 << 2001;
        QTest::newRow("00 in 2080 is 2100") << QDate(2080, 1, 1) << 0 << 2100;
        QTest::newRow("90 in 1985") << QDate(1985, 12, 31) << 90 << 1990;
        QTest::newRow("05 in 1985") << QDate(1985, 12, 31) << 5 << 2005;
        QTest::newRow("06 in 1985") << QDate(1985, 12, 31) << 6 << 1906;
    }
    void twoDigitYearsEndTwentyYearsFromToday() {
        QFETCH(QDate, today);
        QFETCH(int, typed);
        QFETCH(int, year);
        QCOMPARE(ExpandTwoDigitYear(typed, today), year);
    }

    // Each reader of typed text, with years relative to today (the rule's two ends) and the
    // year the user found in the future.
    void everyReaderUsesTheRule_data() {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("stored");
        const int lastYear = QDate::currentDate().year() + 20;
        const QList<std::pair<QString, QDate>> cases = {
            {"5/3/62", QDate(1962, 5, 3)},
            {"7/4/24", QDate(2024, 7, 4)},
            {"1/2/" + TwoDigits(lastYear), QDate(lastYear, 1, 2)},
            {"1/2/" + TwoDigits(lastYear + 1), QDate(lastYear - 99, 1, 2)},
            {"2/29/00", QDate(2000, 2, 29)},       // a leap day of a two-digit year
            {"05/03/1962", QDate(1962, 5, 3)},     // four digits stay as typed
            {"2/29/" + TwoDigits(2023), QDate()}}; // no such day
        for (const QString reader : {"date box", "grid cell", "field text"})
            for (const auto& [typed, stored] : cases)
                QTest::addRow("%s, %s", qPrintable(reader), qPrintable(typed))
                    << reader << typed << stored;
    }
    void everyReaderUsesTheRule() {
        QFETCH(QString, reader);
        QFETCH(QString, typed);
        QFETCH(QDate, stored);
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        Field* joined = t.people->FieldByName("Joined");
        bool refused = false;
        if (reader == "field text") {
            t.people->Edit();
            try {
                joined->SetAsString(typed);
            } catch (const EDatabaseError&) {
                refused = true;
            }
        } else if (reader == "date box") {
            auto* box = new TDBDateEdit(t.peopleS.get(), "Joined", &window);
            auto* other = new QLineEdit(&window);
            layout->addWidget(box);
            layout->addWidget(other);
            QVERIFY(ShowActive(window));
            box->setFocus();
            QTest::keyClicks(box, typed);
            other->setFocus(); // leaving the box reads it
        } else {
            auto* grid = new TDBGrid(t.peopleS.get(), &window);
            grid->AddColumn("Joined");
            layout->addWidget(grid);
            QVERIFY(ShowActive(window));
            grid->setFocus();
            QTest::keyClick(grid, Qt::Key_F2);
            QVERIFY(QApplication::focusWidget() != grid); // the cell's date box
            QTest::keyClicks(QApplication::focusWidget(), typed);
            grid->CommitEditor();
        }
        QCOMPARE(joined->AsDate(), stored);
        // A text that is no date is refused, never stored as another day.
        if (reader != "field text")
            refused = !LastError().isEmpty();
        QCOMPARE(refused, !stored.isValid());
    }
};

VTX_REGISTER_TEST(TestTypedDates)
#include "tst_typeddates.moc"
