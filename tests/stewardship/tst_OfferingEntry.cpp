// The Offering Data Entry window: a click on a Sunday dates the record being entered (and
// is refused while none is), Total follows Cash and Checks as they are typed, the stored
// Total is Cash + Checks, and the close check.

#include "StewardshipFixture.h"
#include "engine/Sqlite.h"
#include "stewardship/vtxOfferingDataEntryF.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxPickList.h"

#include <QPushButton>
#include <QToolButton>

using namespace stewardship_test;

namespace {

// Two loose offerings of January 2024.
QList<DetailRow> Offerings() {
    return {DetailRow{"OfferingT",
                      {{"OfferingDate", QDate(2024, 1, 7)},
                       {"PostingDate", QDate(2024, 1, 8)},
                       {"Cash", 100.0},
                       {"Checks", 250.5}}},
            DetailRow{"OfferingT",
                      {{"OfferingDate", QDate(2024, 1, 14)},
                       {"PostingDate", QDate(2024, 1, 15)},
                       {"Cash", 80.0},
                       {"Checks", 300.0}}}};
}

enum Column { OfferingDate, PostingDate, Cash, Checks, Total };

} // namespace

class TestOfferingEntry : public QObject {
    Q_OBJECT

    RosterWindowsFixture fx;

    static Table* Loose() { return DataMod->OfferingT; }

    TOfferingDataEntryForm* OpenForm() {
        auto* form = new TOfferingDataEntryForm(nullptr);
        ShowActive(form);
        Dialogs::QueueInput(true, "2024");
        QTest::mouseClick(form->YearButton, Qt::LeftButton);
        Dialogs::ClearScript();
        return form;
    }
    static void ClickSunday(TOfferingDataEntryForm* form, const QString& date) {
        const QList<QListWidgetItem*> found =
            form->SundayListBox->findItems(date, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(date));
        QListWidgetItem* item = found.first();
        form->SundayListBox->scrollToItem(item);
        QTest::mouseClick(form->SundayListBox->viewport(), Qt::LeftButton, {},
                          form->SundayListBox->visualItemRect(item).center());
    }
    static void Navigate(TOfferingDataEntryForm* form, TNavButton button) {
        QTest::mouseClick(form->OfferingNavigator->Button(button), Qt::LeftButton);
    }
    // Opens the cell of the current record and types into it, leaving the editor open.
    static void TypeInCell(TOfferingDataEntryForm* form, int column, const QString& text) {
        TDBGrid* grid = form->OfferingDBGrid;
        const QModelIndex cell = grid->model()->index(grid->CursorRow(), column);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
        QTest::keyClicks(grid, text.left(1));
        QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
    }
    static QString Shown(TOfferingDataEntryForm* form, int column) {
        TDBGrid* grid = form->OfferingDBGrid;
        return grid->model()->index(grid->CursorRow(), column).data().toString();
    }

private slots:
    void init() { fx.Open(People, Offerings()); }
    void cleanup() { fx.Close(); }

    // After Insert a click dates the new record; another click replaces the date.
    void aSundayClickDatesTheRecordBeingEntered() {
        auto* form = OpenForm();
        Navigate(form, TNavButton::Insert);
        ClickSunday(form, "1/21/2024");
        QCOMPARE(Loose()->FieldByName("OfferingDate")->AsDate(), QDate(2024, 1, 21));
        ClickSunday(form, "1/28/2024");
        QCOMPARE(Loose()->FieldByName("OfferingDate")->AsDate(), QDate(2024, 1, 28));
        QCOMPARE(Loose()->State(), DataSetState::Insert);
        QCOMPARE(Shown(form, OfferingDate), QString("1/28/2024"));
        QVERIFY(fx.Shown().isEmpty());
    }

    // While browsing the click changes nothing and the engine's error is shown.
    void aSundayClickWhileBrowsingIsRefused() {
        auto* form = OpenForm();
        Loose()->First();
        ClickSunday(form, "3/3/2024");
        QCOMPARE(fx.Shown(), QStringList({"Dataset not in edit or insert mode"}));
        QCOMPARE(Loose()->State(), DataSetState::Browse);
        QCOMPARE(Loose()->FieldByName("OfferingDate")->AsDate(), QDate(2024, 1, 7));
    }

    // Total follows the amounts while they are typed, counting a blank amount as zero; the
    // stored Total is Cash + Checks, so the loose-offering sum is right.
    void totalFollowsCashAndChecksAsTheyAreTyped() {
        auto* form = OpenForm();
        Navigate(form, TNavButton::Insert);
        QCOMPARE(Shown(form, Total), QString("$0.00"));
        ClickSunday(form, "2/4/2024");
        TypeInCell(form, Cash, "12");
        QCOMPARE(Shown(form, Total), QString("$12.00"));
        QTest::keyClicks(QApplication::focusWidget(), "5");
        QCOMPARE(Shown(form, Total), QString("$125.00"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // on to Checks, editing
        QTest::keyClicks(QApplication::focusWidget(), "240.75");
        QCOMPARE(Shown(form, Total), QString("$365.75"));
        Navigate(form, TNavButton::Post);
        QCOMPARE(Loose()->State(), DataSetState::Browse);
        QCOMPARE(Loose()->FieldByName("Total")->AsString(), QString("365.75"));
        SqliteConnection file(fx.DataFolder() + "vtxOfferingT.db", false, "probe");
        auto stored =
            file.Prepare("SELECT Total FROM vtxOfferingT WHERE OfferingDate = '2024-02-04'");
        QVERIFY(stored->Step());
        QCOMPARE(stored->ColumnDouble(0), 365.75);
        QVERIFY(fx.Shown().isEmpty());
    }

    // Only cash: Total is the cash.
    void onlyCashGivesTheCash() {
        auto* form = OpenForm();
        Navigate(form, TNavButton::Insert);
        ClickSunday(form, "2/11/2024");
        TypeInCell(form, Cash, "80");
        Navigate(form, TNavButton::Post);
        QCOMPARE(Loose()->FieldByName("Total")->AsString(), QString("80"));
        QCOMPARE(Shown(form, Total), QString("$80.00"));
    }

    void closingWhileARecordIsEnteredIsRefused() {
        QPointer<TOfferingDataEntryForm> form = OpenForm();
        Navigate(form, TNavButton::Insert);
        QTest::mouseClick(form->CloseButton, Qt::LeftButton);
        QTest::keyClick(form, Qt::Key_Escape);
        QCOMPARE(fx.Shown(), QStringList(2, "Please Post or Cancel the changes."));
        QVERIFY(form->isVisible());
        Navigate(form, TNavButton::Cancel);
        form->close();
        FlushDeletes();
        QVERIFY(form.isNull());
    }

    // The grid: every loose offering, its titles as the window names them.
    void gridShowsEveryOffering() {
        auto* form = OpenForm();
        QAbstractItemModel* model = form->OfferingDBGrid->model();
        QCOMPARE(model->rowCount(), 2);
        QStringList titles;
        for (int c = 0; c < model->columnCount(); ++c)
            titles << model->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titles,
                 QStringList({"Offering Date", " Posting Date", "Cash", "Checks", "Total"}));
        QCOMPARE(model->index(0, Total).data().toString(), QString("$350.50"));
    }
};

VTX_REGISTER_TEST(TestOfferingEntry)
#include "tst_OfferingEntry.moc"
