// What a new user found in the roster windows: the pending date of an owned window, windows
// behind the main window, shown state that was not the roster's, two-digit years, and the
// smaller habits (whose dates, the focus after a refusal, where the export went, Escape,
// one fixed size, readable boxes).

#include "RosterWindowsFixture.h"
#include "app/vtxMenuTable.h"
#include "roster/vtxMemoF.h"
#include "roster/vtxRosterDatesF.h"
#include "roster/vtxRosterDatesViewF.h"
#include "roster/vtxRosterEditF.h"
#include "roster/vtxRosterViewF.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

namespace {

const QList<RosterPerson> People = {{1, "Olson", "Cora"},
                                    {2, "Berg", "Bob", false},
                                    {3, "Quist", "Ann"},
                                    {4, "Aho", "Dale", false}};
const QList<DetailRow> Dates = {
    DetailRow{"RosterDatesT", {{"RecordNumber", 1}, {"BirthDate", QDate(1950, 5, 6)}}}};

void Click(TDBNavigator* navigator, TNavButton button) {
    QTest::mouseClick(navigator->Button(button), Qt::LeftButton);
}

int ColumnTitled(TDBGrid* grid, const QString& title) {
    for (int c = 0; c < grid->ColumnCount(); ++c)
        if (grid->GridModel()->ColumnTitle(c) == title)
            return c;
    return -1;
}

void ClickTitle(TDBGrid* grid, const QString& title) {
    QHeaderView* header = grid->horizontalHeader();
    const int column = ColumnTitled(grid, title);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

// The Grid View item a View Roster window shows checked (-1: none).
int CheckedView(TRosterViewForm* view) {
    const QList<QRadioButton*> items = {view->AllNamesRadio, view->MembersOnlyRadio,
                                        view->NonMembersOnlyRadio};
    for (int i = 0; i < items.size(); ++i)
        if (items[i]->isChecked())
            return i;
    return -1;
}

} // namespace

class TestRosterWindowHabits : public QObject {
    Q_OBJECT

    RosterWindowsFixture fx;

    template <typename Form> Form* Open(QWidget* owner = nullptr) {
        auto* form = new Form(owner);
        ShowActive(form);
        return form;
    }

private slots:
    void init() { fx.Open(People, Dates); }
    void cleanup() { fx.Close(); }

    // Edit Roster's Close with a birth date typed in its Important Dates window: the dates
    // window asks, and both stay open with the date pending; once posted, both close.
    void closingEditRosterAsksItsDatesWindowFirst() {
        auto* edit = Open<TRosterEditForm>();
        QVERIFY(fx.GoTo(2));
        QTest::mouseClick(edit->ImportantDatesButton, Qt::LeftButton);
        QPointer<TRosterDatesEditForm> dates = edit->findChild<TRosterDatesEditForm*>();
        QVERIFY(dates && dates->isVisible());
        dates->BirthDateEdit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(dates->BirthDateEdit, "5/3/62");
        dates->CloseButton->setFocus(Qt::TabFocusReason);
        QCOMPARE(DataMod->RosterDatesT->State(), DataSetState::Insert);

        QPointer<TRosterEditForm> owner = edit;
        QTest::mouseClick(edit->CloseButton, Qt::LeftButton);
        FlushDeletes();
        QCOMPARE(fx.Shown(), QStringList({"Please Post or Cancel the changes."}));
        QVERIFY(owner && owner->isVisible());
        QVERIFY(dates && dates->isVisible());
        QCOMPARE(DataMod->RosterDatesT->State(), DataSetState::Insert);

        // The two-digit year is read into the last hundred years.
        Click(dates->DatesNavigator, TNavButton::Post);
        QCOMPARE(DataMod->RosterDatesT->FieldByName("BirthDate")->AsDate(), QDate(1962, 5, 3));
        QCOMPARE(dates->BirthDateEdit->text(), QString("5/3/1962"));
        QTest::mouseClick(edit->CloseButton, Qt::LeftButton);
        FlushDeletes();
        QVERIFY(owner.isNull() && dates.isNull());
        QCOMPARE(fx.Shown().size(), 1);
    }

    // Opened from the main menu the roster windows belong to the main window; the small
    // windows belong to the window that opened them; all stay windows of their own.
    void rosterWindowsStayAboveTheirOwner() {
        QWidget main;
        main.setObjectName("MainForm");
        main.resize(800, 600);
        ShowActive(&main);
        QCOMPARE(RunMenuRow(*FindMenuRow("Roster1"), &main), TMenuOutcome::WindowShown);
        auto* view = qobject_cast<TRosterViewForm*>(LatestWindow("TRosterViewForm"));
        QVERIFY(view);
        QTest::mouseClick(view->MemoButton, Qt::LeftButton);
        QTest::mouseClick(view->ImportantDatesButton, Qt::LeftButton);
        auto* edit = Open<TRosterEditForm>(&main);
        QTest::mouseClick(edit->ImportantDatesButton, Qt::LeftButton);
        const QList<std::pair<QWidget*, QWidget*>> owners = {
            {view, &main},
            {edit, &main},
            {view->findChild<TMemoForm*>(), view},
            {view->findChild<TRosterDatesViewForm*>(), view},
            {edit->findChild<TRosterDatesEditForm*>(), edit}};
        for (const auto& [window, owner] : owners) {
            QVERIFY(window && window->isVisible() && window->isWindow());
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QCOMPARE(window->windowType(), Qt::Dialog);
            QCOMPARE(window->windowHandle()->transientParent(), owner->windowHandle());
        }
        QVERIFY(CloseOtherWindows(&main));
    }

    // Two View Roster windows share the roster's filter: each shows the filter as it is.
    void gridViewFollowsTheSharedFilter() {
        auto* first = Open<TRosterViewForm>();
        auto* second = Open<TRosterViewForm>();
        QTest::mouseClick(first->MembersOnlyRadio, Qt::LeftButton);
        QCOMPARE(CheckedView(second), int(TRosterViewForm::MembersOnly));
        QVERIFY(second->RecordPosition->isHidden());
        // A new window finds the roster filtered and says so.
        auto* third = Open<TRosterViewForm>();
        QCOMPARE(CheckedView(third), int(TRosterViewForm::MembersOnly));
        QVERIFY(third->RecordPosition->isHidden());
        QCOMPARE(third->RosterGrid->model()->rowCount(), 2);
        // Closing one switches the filter off: the others show all names again.
        QVERIFY(first->close());
        QVERIFY(!fx.Roster()->Filtered());
        for (TRosterViewForm* view : {second, third}) {
            QCOMPARE(CheckedView(view), int(TRosterViewForm::AllNames));
            QVERIFY(view->RecordPosition->isVisible());
        }
        // A filter of another kind is none of the items.
        fx.Roster()->SetFilter("State = 'MN'");
        fx.Roster()->SetFiltered(true);
        QCOMPARE(CheckedView(second), -1);
    }

    // After a roster report the roster is in record-number order: the arrow leaves City.
    void sortArrowAfterARosterReport() {
        auto* view = Open<TRosterViewForm>();
        ClickTitle(view->RosterGrid, "City");
        QCOMPARE(view->RosterGrid->SortColumn(), ColumnTitled(view->RosterGrid, "City"));
        QCOMPARE(RunMenuRow(*FindMenuRow("RosterNameandAddress1"), nullptr),
                 TMenuOutcome::ReportShown);
        QCOMPARE(fx.RosterNumbers(), QList<int>({1, 2, 3, 4}));
        QCOMPARE(view->RosterGrid->SortColumn(), -1);
        ClickTitle(view->RosterGrid, "Last Name");
        QCOMPARE(view->RosterGrid->SortColumn(), ColumnTitled(view->RosterGrid, "Last Name"));
    }

    // Whose dates: the entry window follows the active record, the view keeps the name it
    // opened with, as it keeps its dates.
    void datesWindowsSayWhoseDates() {
        auto* entry = Open<TRosterDatesEditForm>();
        auto* view = Open<TRosterDatesViewForm>();
        QCOMPARE(entry->MemberName->text(), QString("Olson, Cora "));
        QCOMPARE(view->MemberName->text(), QString("Olson, Cora "));
        QVERIFY(fx.GoTo(2));
        QCOMPARE(entry->MemberName->text(), QString("Berg, Bob "));
        QCOMPARE(view->MemberName->text(), QString("Olson, Cora "));
        // A click into a date box selects the date, to be typed over.
        QVERIFY(fx.GoTo(1));
        ShowActive(entry);
        QTest::mouseClick(entry->JoinedDateEdit, Qt::LeftButton);
        QTest::mouseClick(entry->BirthDateEdit, Qt::LeftButton, {}, QPoint(6, 6));
        QTRY_COMPARE(entry->BirthDateEdit->selectedText(), QString("5/6/1950"));
        // The view window has one size: no maximize button.
        QVERIFY(!view->windowHandle()->flags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(entry->windowHandle()->flags().testFlag(Qt::WindowMaximizeButtonHint));
    }

    // A new member posted without an address: the refusal names the field and the focus
    // goes to its box.
    void refusalPutsTheFocusOnTheMissingField() {
        auto* edit = Open<TRosterEditForm>();
        Click(edit->RosterNavigator, TNavButton::Insert);
        for (auto [box, text] : {std::pair{edit->FNameEdit, QString("Dana")},
                                 std::pair{edit->LNameEdit, QString("Lund")}}) {
            box->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(box, text);
        }
        Click(edit->RosterNavigator, TNavButton::Post);
        QCOMPARE(fx.Shown(), QStringList({"Field 'Address1' must have a value"}));
        QTRY_VERIFY(edit->Address1Edit->hasFocus());
        QCOMPARE(fx.Roster()->State(), DataSetState::Insert);
    }

    // The export says in the window's hint line where it wrote the file.
    void exportSaysWhereItWroteTheFile() {
        auto* view = Open<TRosterViewForm>();
        QCOMPARE(view->HintLine->text(), QString());
        QVERIFY(view->ExportButtonClick());
        QCOMPARE(view->HintLine->text(),
                 "Written to " + QDir::toNativeSeparators(TRosterViewForm::ExportFileName()));
        QVERIFY(view->HintLine->isVisible());
    }

    // Escape closes the view windows; Edit Roster keeps Escape for its boxes.
    void escapeClosesViewWindows() {
        auto* view = Open<TRosterViewForm>();
        QTest::mouseClick(view->MemoButton, Qt::LeftButton);
        QTest::mouseClick(view->ImportantDatesButton, Qt::LeftButton);
        QPointer<QWidget> memo = view->findChild<TMemoForm*>();
        QPointer<QWidget> dates = view->findChild<TRosterDatesViewForm*>();
        QTest::mouseClick(view->MembersOnlyRadio, Qt::LeftButton);
        for (QWidget* window : {memo.data(), dates.data()}) {
            ShowActive(window);
            QTest::keyClick(window, Qt::Key_Escape);
        }
        FlushDeletes();
        QVERIFY(memo.isNull() && dates.isNull());
        QPointer<QWidget> viewLeft = view;
        QTest::keyClick(view->RosterGrid, Qt::Key_Escape);
        FlushDeletes();
        QVERIFY(viewLeft.isNull());
        QVERIFY(!fx.Roster()->Filtered()); // through its closing step

        QPointer<TRosterEditForm> edit = Open<TRosterEditForm>();
        QTest::keyClick(edit->CityEdit, Qt::Key_Escape);
        FlushDeletes();
        QVERIFY(edit && edit->isVisible());
        QCOMPARE(fx.Shown(), QStringList());
    }

    // Made as small as it goes, Edit Roster still shows a dozen characters in each box, and
    // View Roster keeps the active record's row in view.
    void shrunkWindowsStayReadable() {
        auto* edit = Open<TRosterEditForm>();
        edit->resize(50, 50);
        QCoreApplication::processEvents();
        const int digit = edit->CityEdit->fontMetrics().horizontalAdvance('0');
        for (QLineEdit* box : edit->findChildren<QLineEdit*>())
            QVERIFY2(box->width() >= qMin(12, qMax(3, box->maxLength())) * digit,
                     qPrintable(box->objectName()));

        fx.Open(People + QList<RosterPerson>{{5, "Dahl", "Eve"},
                                             {6, "Ek", "Finn"},
                                             {7, "Falk", "Gus"},
                                             {8, "Gran", "Hal"},
                                             {9, "Holm", "Ida"},
                                             {10, "Isak", "Jon"},
                                             {11, "Jarl", "Kim"},
                                             {12, "Krog", "Liv"},
                                             {13, "Lind", "Mia"},
                                             {14, "Moe", "Nils"},
                                             {15, "Nord", "Ola"},
                                             {16, "Ost", "Per"},
                                             {17, "Pihl", "Rut"},
                                             {18, "Rask", "Siv"},
                                             {19, "Sund", "Tor"},
                                             {20, "Tell", "Ulf"}});
        auto* view = Open<TRosterViewForm>();
        QVERIFY(fx.GoTo(19));
        view->resize(view->width(), 200);
        QCoreApplication::processEvents();
        TDBGrid* grid = view->RosterGrid;
        QVERIFY(grid->viewport()->rect().contains(grid->visualRect(grid->currentIndex())));
    }
};

VTX_REGISTER_TEST(TestRosterWindowHabits)
#include "tst_RosterWindowHabits.moc"
