// The Year Planner Calendar window: it opens on the current year; the year box acts on
// exactly four characters; the selected date; Easter of the year shown; notes dropped with
// a change of year.

#include "WorshipFixture.h"
#include "toolkit/vtxYearGrid.h"
#include "utilities/vtxYearPlannerF.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct Scripted {
    Scripted() {
        Dialogs::SetScripted(true);
        Dialogs::ClearScript();
    }
    ~Scripted() { Dialogs::ClearScript(); }
};

void Retype(QLineEdit* box, const QString& text) {
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

} // namespace

class TestYearPlanner : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            delete w;
    }

    void opensOnTheCurrentYear() {
        Scripted scripted;
        TYearPlannerForm form;
        const int year = QDate::currentDate().year();
        QCOMPARE(form.windowTitle(), QString("Year Planner Calendar"));
        QCOMPARE(form.YearGrid->Year(), year);
        QCOMPARE(form.YearEdit->text(), QString::number(year));
        QCOMPARE(form.SelectedDateLabel->text(), QString());
        QVERIFY(form.YearGrid->NoteDates().isEmpty());
        QCOMPARE(form.toolTip(), QString("Enter a year to change calendar."));
    }

    // The calendar changes when the fourth digit is typed, not before.
    void typingAYearDigitByDigit() {
        Scripted scripted;
        TYearPlannerForm form;
        QVERIFY(ShowActive(&form));
        const int year = form.YearGrid->Year();
        form.YearEdit->setFocus();
        form.YearEdit->selectAll();
        QTest::keyClick(form.YearEdit, Qt::Key_Backspace);
        for (const char digit : {'2', '0', '3'}) {
            QTest::keyClick(form.YearEdit, digit);
            QCOMPARE(form.YearGrid->Year(), year);
        }
        QTest::keyClick(form.YearEdit, '0');
        QCOMPARE(form.YearGrid->Year(), 2030);
        QCOMPARE(form.YearGrid->CellText(0, 0), QString("2030"));
        // A fifth character is not read: the calendar stays on 2030.
        QTest::keyClick(form.YearEdit, '1');
        QCOMPARE(form.YearGrid->Year(), 2030);
        QCOMPARE(Dialogs::ShownTexts(), QStringList());
    }

    void yearBoxTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("year"); // 0: the year before stays
        QTest::addColumn<QString>("error");
        QTest::newRow("1752") << "1752" << 1752 << "";
        QTest::newRow("2000") << "2000" << 2000 << "";
        QTest::newRow("9999") << "9999" << 9999 << "";
        QTest::newRow("0000 shows the current year") << "0000" << QDate::currentDate().year() << "";
        QTest::newRow("three characters") << "202" << 0 << "";
        QTest::newRow("five characters") << "20245" << 0 << "";
        QTest::newRow("not a number") << "20x4" << 0 << "'20x4' is not a valid integer value";
    }

    void yearBoxTexts() {
        QFETCH(QString, text);
        QFETCH(int, year);
        QFETCH(QString, error);
        Scripted scripted;
        TYearPlannerForm form;
        form.YearEdit->setText("1999");
        form.YearEdit->setText(text); // pasted over the year
        QCOMPARE(form.YearGrid->Year(), year ? year : 1999);
        QCOMPARE(Dialogs::ShownTexts(), error.isEmpty() ? QStringList() : QStringList{error});
        if (!error.isEmpty())
            QCOMPARE(Dialogs::ShownLog().front().kind, QString("error"));
    }

    void easterOfTheYearShown_data() {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("message");
        QTest::newRow("2025") << "2025"
                              << "Easter is on Sunday, April 20, 2025";
        QTest::newRow("2024") << "2024"
                              << "Easter is on Sunday, March 31, 2024";
        QTest::newRow("2038") << "2038"
                              << "Easter is on Sunday, April 25, 2038";
        QTest::newRow("1818") << "1818"
                              << "Easter is on Sunday, March 22, 1818";
    }

    void easterOfTheYearShown() {
        QFETCH(QString, year);
        QFETCH(QString, message);
        Scripted scripted;
        TYearPlannerForm form;
        QVERIFY(ShowActive(&form));
        Retype(form.YearEdit, year);
        QTest::mouseClick(form.EasterButton, Qt::LeftButton);
        QCOMPARE(Dialogs::ShownTexts(), QStringList{message});
    }

    void clickingADay() {
        Scripted scripted;
        TYearPlannerForm form;
        QVERIFY(ShowActive(&form));
        Retype(form.YearEdit, "2024");
        TYearGrid* grid = form.YearGrid;
        const QModelIndex july4 = grid->IndexOfDate(QDate(2024, 7, 4));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(july4).center());
        QCOMPARE(form.SelectedDateLabel->text(), QString("Selected Date: 7/4/2024"));
        // A month's name selects nothing: the label keeps the date last clicked.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(7, 0)).center());
        QCOMPARE(form.SelectedDateLabel->text(), QString("Selected Date: 7/4/2024"));
    }

    void notesGoWithTheYear() {
        Scripted scripted;
        TYearPlannerForm form;
        QVERIFY(ShowActive(&form));
        Retype(form.YearEdit, "2024");
        QVERIFY(form.YearGrid->SetNote(QDate(2024, 12, 24), {"Candlelight service", {}}));
        Retype(form.YearEdit, "2025");
        Retype(form.YearEdit, "2024");
        QCOMPARE(form.YearGrid->Year(), 2024);
        QVERIFY(form.YearGrid->NoteDates().isEmpty());
    }

    // Two planners are independent.
    void twoPlanners() {
        Scripted scripted;
        TYearPlannerForm first;
        TYearPlannerForm second;
        first.YearEdit->setText("2000");
        QCOMPARE(first.YearGrid->Year(), 2000);
        QCOMPARE(second.YearGrid->Year(), QDate::currentDate().year());
    }
};

VTX_REGISTER_TEST(TestYearPlanner)
#include "tst_YearPlanner.moc"
