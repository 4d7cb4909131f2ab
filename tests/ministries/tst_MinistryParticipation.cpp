// The Lay Ministries Participation window: the active record's enrolments whatever other
// windows left on the shared table, the ministry list with its status panel, enrolling a
// member (twice in one ministry refused), the date check, the Select Active Record window
// beside it, and names changed while it is open.

#include "MinistriesFixture.h"
#include "app/vtxOptionsU.h"
#include "ministries/vtxLayMinistriesEditF.h"
#include "ministries/vtxLayMinistriesRostersView.h"
#include "ministries/vtxLayMinistriesViewF.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxDateEdit.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace {

const QString TwiceText =
    "An error occurred attempting to post to the Lay Ministry Roster Table..\n\n"
    "Be sure that the number for the record is not already in use.\n\n"
    "Also be sure you are not trying to schedule someone\n"
    "for the same lay ministry or activity more than once.";

// The window and the cells of its grid.
struct Participation {
    TEditLayMinistriesForm* form;
    TDBGrid* grid;

    Participation() : form(new TEditLayMinistriesForm), grid(form->EnrolmentGrid) {
        ShowActive(form);
    }
    QModelIndex Cell(int row, const QString& field) const {
        return grid->model()->index(row, grid->ColumnOfField(field));
    }
    void Click(int row, const QString& field) {
        const QModelIndex cell = Cell(row, field);
        grid->scrollTo(cell);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    }
    // Entering the ministry cell of the cursor's row opens the list of ministries.
    QComboBox* OpenList() {
        Click(grid->CursorRow(), "MinistryName");
        return qobject_cast<QComboBox*>(grid->indexWidget(Cell(grid->CursorRow(), "MinistryName")));
    }
    static void Pick(QComboBox* list, const QString& name) {
        Q_EMIT list->activated(list->findText(name));
    }
    // Types a date into a date cell of the cursor's row, replacing what it held.
    TDateEdit* TypeDate(const QString& field, const QString& text) {
        const QModelIndex cell = Cell(grid->CursorRow(), field);
        if (!grid->indexWidget(cell))
            Click(grid->CursorRow(), field);
        auto* box = qobject_cast<TDateEdit*>(grid->indexWidget(cell));
        if (box) {
            box->selectAll();
            if (text.isEmpty())
                QTest::keyClick(box, Qt::Key_Delete);
            else
                QTest::keyClicks(box, text);
        }
        return box;
    }
    static void Tab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
    QStringList Panel() const {
        return {form->GoverningValue->text(), form->MaximumValue->text(), form->CountValue->text(),
                form->NeededValue->text()};
    }
    QColor NeededColour() const { return form->NeededValue->palette().color(QPalette::WindowText); }
    void Navigate(TNavButton button) {
        QTest::mouseClick(form->EnrolmentNavigator->Button(button), Qt::LeftButton);
    }
};

// Lets the messages the window queued be shown.
void Settle() {
    QCoreApplication::processEvents();
}

} // namespace

class TestMinistryParticipation : public QObject {
    Q_OBJECT

    MinistriesFixture fx;

private slots:
    void initTestCase() { LinkSelectActiveRecord(); }
    void init() {
        fx.OpenParish();
        OptionsRecord.ConfirmCritical = true;
    }
    void cleanup() { fx.Close(); }

    void listsTheActiveRecordsEnrolments_data() {
        QTest::addColumn<QString>("openedBefore");
        QTest::newRow("first in the run") << "";
        QTest::newRow("after the member's ministries") << "view";
        QTest::newRow("after the ministry rosters") << "rosters";
    }

    void listsTheActiveRecordsEnrolments() {
        QFETCH(QString, openedBefore);
        QVERIFY(fx.GoTo(2));
        if (openedBefore == "view")
            (new TLayMinistriesViewForm)->close();
        if (openedBefore == "rosters") {
            QVERIFY(fx.GoToMinistry(3));
            (new TLayMinistriesRostersViewForm)->close();
            QVERIFY(fx.Enrolled()->Filtered());
        }
        FlushDeletes();
        Participation p;
        QCOMPARE(p.form->windowTitle(), QString("Lay Ministries Participation"));
        QCOMPARE(p.form->ActiveRecordName->text(), QString("Berg, Bob "));
        QCOMPARE(fx.Numbers(fx.Enrolled(), "MinistryNumber"), QList<int>({1, 3, 4, 6}));
        QCOMPARE(p.grid->model()->rowCount(), 4);
        QCOMPARE(p.Cell(1, "LayMinisterName").data().toString(), QString("Berg, Bob "));
        QCOMPARE(p.Cell(1, "MinistryName").data().toString(), QString("Ushers"));
        QCOMPARE(p.Cell(1, "StartDate").data().toString(), QString("5/3/2020"));
        QCOMPARE(p.form->StatusPanel->isVisible(), false);

        // The heading and the list follow the active record.
        QVERIFY(fx.GoTo(5));
        QCOMPARE(p.form->ActiveRecordName->text(), QString("Eklund, Eve "));
        QCOMPARE(fx.Numbers(fx.Enrolled(), "MinistryNumber"), QList<int>({2, 3, 6}));
    }

    void thePanelTellsOfTheChosenMinistry_data() {
        QTest::addColumn<int>("ministry");
        QTest::addColumn<QStringList>("panel");
        QTest::addColumn<bool>("red");
        QTest::newRow("governing, 2 of 12") << 1 << QStringList{"True", "12", "2", "10"} << true;
        QTest::newRow("3 of 5, one ended") << 2 << QStringList{"False", "5", "3", "2"} << true;
        QTest::newRow("5 of 5, one ended long ago")
            << 3 << QStringList{"False", "5", "5", "0"} << false;
        QTest::newRow("7 of 5") << 6 << QStringList{"False", "5", "7", "0"} << false;
        QTest::newRow("maximum 0") << 4 << QStringList{"False", "None", "1", "Unlimited"} << false;
        QTest::newRow("no maximum") << 5 << QStringList{"False", "None", "0", "Unlimited"} << false;
    }

    void thePanelTellsOfTheChosenMinistry() {
        QFETCH(int, ministry);
        QFETCH(QStringList, panel);
        QFETCH(bool, red);
        QVERIFY(fx.GoTo(1));
        QVERIFY(fx.GoToMinistry(ministry));
        Participation p;
        QCOMPARE(p.Panel(), panel); // set when the window opens, though hidden
        QVERIFY(!p.form->StatusPanel->isVisible());

        // Picking the ministry in the list of another row tells the same.
        QVERIFY(fx.GoToMinistry(ministry == 1 ? 2 : 1));
        QComboBox* list = p.OpenList();
        QVERIFY(list);
        QVERIFY(p.form->StatusPanel->isVisible());
        Participation::Pick(list, Ministries[ministry - 1].name);
        QCOMPARE(CurrentMinistryNumber, ministry);
        QCOMPARE(p.Panel(), panel);
        QCOMPARE(p.NeededColour(), red ? QColor(Qt::red) : QColor(Qt::black));
        fx.Enrolled()->Cancel();
    }

    void withoutAnyMinistryTheGoverningBodyIsUnknown() {
        fx.OpenParish({}, {});
        Participation p;
        QCOMPARE(p.Panel(), QStringList({"Unknown", "None", "0", "Unlimited"}));
        QCOMPARE(p.NeededColour(), QColor(Qt::black));
    }

    void enrollingAMemberOnceInAMinistry() {
        QVERIFY(fx.GoTo(7));
        Participation p;
        Table* enrolled = fx.Enrolled();
        QCOMPARE(fx.Numbers(enrolled, "MinistryNumber"), QList<int>({6}));
        p.Navigate(TNavButton::Insert);
        QCOMPARE(enrolled->State(), DataSetState::Insert);
        QCOMPARE(enrolled->FieldByName("RosterRecordNumber")->AsInteger(), 7);
        QCOMPARE(p.Cell(p.grid->CursorRow(), "LayMinisterName").data().toString(),
                 QString("Gustafson, Greta "));

        QComboBox* list = p.OpenList();
        QVERIFY(list);
        QCOMPARE(list->count(), Ministries.size());
        QCOMPARE(list->itemText(0), QString("Church Council"));
        Participation::Pick(list, "Altar Guild");
        QCOMPARE(enrolled->FieldByName("MinistryName")->AsString(), QString("Altar Guild"));
        QCOMPARE(enrolled->FieldByName("MinistryNumber")->AsInteger(), 2);
        QCOMPARE(CurrentMinistryNumber, 2);
        QCOMPARE(p.Panel(), QStringList({"False", "5", "3", "2"}));
        Participation::Tab();
        QVERIFY(!p.form->StatusPanel->isVisible());
        QVERIFY(p.TypeDate("StartDate", "9/1/2024"));
        p.Navigate(TNavButton::Post);
        QCOMPARE(enrolled->State(), DataSetState::Browse);
        // In record-number order, then in the order they were made.
        QCOMPARE(fx.Numbers(enrolled, "MinistryNumber"), QList<int>({6, 2}));
        QCOMPARE(TEditLayMinistriesForm::CountParticipants(2), 4);

        // The same ministry again is refused with the data module's message; another one
        // is taken.
        p.Navigate(TNavButton::Insert);
        list = p.OpenList();
        QVERIFY(list);
        Participation::Pick(list, "Altar Guild");
        QCOMPARE(p.Panel(), QStringList({"False", "5", "4", "1"}));
        p.Navigate(TNavButton::Post);
        QCOMPARE(fx.Shown(), QStringList({TwiceText}));
        QCOMPARE(enrolled->State(), DataSetState::Insert);
        QCOMPARE(enrolled->FieldByName("MinistryName")->AsString(), QString("Altar Guild"));
        list = p.OpenList();
        QVERIFY(list);
        Participation::Pick(list, "Lectors");
        QCOMPARE(enrolled->FieldByName("MinistryNumber")->AsInteger(), 5);
        p.Navigate(TNavButton::Post);
        QCOMPARE(enrolled->State(), DataSetState::Browse);
        QCOMPARE(fx.Numbers(enrolled, "MinistryNumber"), QList<int>({6, 2, 5}));
        QCOMPARE(fx.Shown().size(), 1);
    }

    void leavingTheListWithoutAPickWritesNothing_data() {
        QTest::addColumn<bool>("editing");
        QTest::newRow("browsing") << false;
        QTest::newRow("editing the remark first") << true;
    }

    void leavingTheListWithoutAPickWritesNothing() {
        QFETCH(bool, editing);
        QVERIFY(fx.GoTo(4)); // in ministries 1 and 6
        QVERIFY(fx.GoToMinistry(5));
        Participation p;
        Table* enrolled = fx.Enrolled();
        if (editing) {
            p.Click(0, "Remark");
            QTest::keyClicks(QApplication::focusWidget(), " too");
            QVERIFY(p.grid->CommitEditor());
            QCOMPARE(enrolled->State(), DataSetState::Edit);
        }
        QVERIFY(p.OpenList());
        QVERIFY(p.form->StatusPanel->isVisible());
        Participation::Tab();
        QVERIFY(!p.form->StatusPanel->isVisible());
        QCOMPARE(enrolled->State(), editing ? DataSetState::Edit : DataSetState::Browse);
        QCOMPARE(enrolled->FieldByName("MinistryNumber")->AsInteger(), 1);
        QCOMPARE(enrolled->FieldByName("MinistryName")->AsString(), QString("Church Council"));
        QCOMPARE(CurrentMinistryNumber, 5);
    }

    void leavingTheEndDateChecksTheDates_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("informative");
        QTest::addColumn<QString>("message");
        const QString same = "Start and end dates are in the same week.";
        const QString earlier = "End date is earlier than the start date!";
        QTest::newRow("three days later") << "3/10/2024"
                                          << "3/13/2024" << true << same;
        QTest::newRow("six days later") << "3/10/2024"
                                        << "3/16/2024" << true << same;
        QTest::newRow("the same day") << "3/10/2024"
                                      << "3/10/2024" << false << same;
        QTest::newRow("four days earlier") << "3/10/2024"
                                           << "3/6/2024" << true << earlier;
        QTest::newRow("seven days earlier") << "3/10/2024"
                                            << "3/3/2024" << true << earlier;
        QTest::newRow("a week later") << "3/10/2024"
                                      << "3/17/2024" << true << "Dates are 1 weeks apart.";
        QTest::newRow("a year later") << "3/10/2024"
                                      << "3/10/2025" << true << "Dates are 52 weeks apart.";
        QTest::newRow("a year later, informative messages off") << "3/10/2024"
                                                                << "3/10/2025" << false << "";
        QTest::newRow("no end date") << "3/10/2024"
                                     << "" << true << "";
        QTest::newRow("no start date") << ""
                                       << "3/13/2024" << true << "";
        QTest::newRow("no dates") << ""
                                  << "" << true << "";
    }

    void leavingTheEndDateChecksTheDates() {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(bool, informative);
        QFETCH(QString, message);
        OptionsRecord.ConfirmCritical = informative;
        QVERIFY(fx.GoTo(8)); // in ministry 3 only
        Participation p;
        QVERIFY(p.TypeDate("StartDate", start));
        QVERIFY(p.TypeDate("EndDate", end));
        Participation::Tab();
        Settle();
        QCOMPARE(fx.Shown(), message.isEmpty() ? QStringList() : QStringList({message}));
        // The check only informs: the row is kept as typed and can be posted.
        QCOMPARE(fx.Enrolled()->FieldByName("EndDate")->AsDate(),
                 QDate::fromString(end, "M/d/yyyy"));
        p.Navigate(TNavButton::Post);
        QCOMPARE(fx.Enrolled()->State(), DataSetState::Browse);
    }

    void aRefusedEndDateIsNotChecked() {
        QVERIFY(fx.GoTo(8));
        Participation p;
        QVERIFY(p.TypeDate("EndDate", "2/30/2024"));
        Participation::Tab();
        Settle();
        QCOMPARE(fx.Shown(), QStringList({"'2/30/2024' is not a valid date"}));
        QVERIFY(fx.Enrolled()->FieldByName("EndDate")->IsNull());
    }

    void selectActiveRecordStaysBesideTheWindow() {
        QVERIFY(fx.GoTo(1));
        Participation p;
        QTest::mouseClick(p.form->SelectActiveRecordButton, Qt::LeftButton);
        QVERIFY2(Dialogs::ShownLog().isEmpty(), qPrintable(fx.Shown().join('|'))); // not modal
        auto* select = p.form->findChild<QDialog*>("SelectActiveRecordForm");
        QVERIFY(select);
        QVERIFY(select->isVisible());
        auto* roster = select->findChild<TDBGrid*>("RosterGrid");
        QVERIFY(roster);
        const QModelIndex carl = roster->model()->index(2, 2);
        QTest::mouseClick(roster->viewport(), Qt::LeftButton, {},
                          roster->visualRect(carl).center());
        QCOMPARE(p.form->ActiveRecordName->text(), QString("Carlson, Carl "));
        QCOMPARE(fx.Numbers(fx.Enrolled(), "MinistryNumber"), QList<int>({2, 6}));
        // It closes with the window.
        QPointer<QDialog> watched = select;
        p.form->close();
        FlushDeletes();
        QVERIFY(watched.isNull());
    }

    void closingLeavesAPendingEnrolmentPending() {
        QPointer<TEditLayMinistriesForm> form;
        {
            Participation p;
            form = p.form;
            p.Navigate(TNavButton::Insert);
            p.form->close();
        }
        FlushDeletes();
        QVERIFY(form.isNull());
        QCOMPARE(fx.Shown(), QStringList());
        QCOMPARE(fx.Enrolled()->State(), DataSetState::Insert);
    }

    void namesChangedWhileTheWindowIsOpen() {
        QVERIFY(fx.GoTo(2));
        Participation p;
        // A member's new name: the heading and the lay minister's column show it.
        Table* roster = fx.Roster();
        roster->Edit();
        roster->FieldByName("FName")->SetAsString("Robert");
        roster->Post();
        QVERIFY(fx.GoTo(2));
        QCOMPARE(p.form->ActiveRecordName->text(), QString("Berg, Robert "));
        QCOMPARE(p.Cell(0, "LayMinisterName").data().toString(), QString("Berg, Robert "));

        // A ministry's new name: the enrolments keep the old one, the list offers the new.
        Table* ministries = fx.MinistriesTable();
        QVERIFY(fx.GoToMinistry(3));
        ministries->Edit();
        ministries->FieldByName("MinistryName")->SetAsString("Greeters");
        ministries->Post();
        QCOMPARE(p.Cell(1, "MinistryName").data().toString(), QString("Ushers"));
        QComboBox* list = p.OpenList();
        QVERIFY(list);
        QCOMPARE(list->itemText(2), QString("Greeters"));
    }
};

VTX_REGISTER_TEST(TestMinistryParticipation)
#include "tst_MinistryParticipation.moc"
