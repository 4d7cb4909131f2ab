// The Baptism Records view window and the Baptisms entry window: the grid and its search
// box, the " Grid View " link cut and set again, sorting by title, the Select Active
// Record window beside them, the "Use Active Record" buttons and the close check.

#include "RecordsFixture.h"
#include "app/vtxMenuTable.h"
#include "records/vtxBaptismEditF.h"
#include "records/vtxBaptismVewF.h"
#include "roster/vtxSelectActiveRecordF.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxSearchBox.h"

#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

const QList<RecordsPerson> People = {
    {1, "Lund", "Erik", "Carl"},
    {2, "Berg", "Anna"},
    {3, "Dahl", "Olaf"},
};

// In last-name order: Ahl (1), Berg (2), Bergman (2), Dahl (3), Lund (1).
const QList<StoredRow> Baptisms = {
    Baptism(1, "Karin", "Lund"), Baptism(2, "Berit", "Berg"), Baptism(3, "Ole", "Dahl"),
    Baptism(1, "Per", "Ahl"),    Baptism(2, "Bo", "Bergman"),
};

QString Value(const QString& name) {
    return DataMod->BaptismT->FieldByName(name)->AsString();
}

} // namespace

class TestBaptismWindows : public QObject {
    Q_OBJECT
    RecordsFixture fx;

    TBaptismViewForm* OpenView() {
        auto* view = new TBaptismViewForm;
        ShowActive(view);
        return view;
    }
    TEditBaptismForm* OpenEntry() {
        auto* entry = new TEditBaptismForm;
        ShowActive(entry);
        return entry;
    }

private slots:
    void init() { fx.Open(People, Baptisms); }
    void cleanup() { fx.Close(); }

    void viewOpensOnTheActiveRecordsBaptisms() {
        QVERIFY(fx.Activate(2));
        TBaptismViewForm* view = OpenView();
        QCOMPARE(view->windowTitle(), QString("Baptism Records"));
        TDBGrid* grid = view->Grid;
        QCOMPARE(VisibleTitles(grid),
                 QStringList({"First Name", "Middle Name", "Last Name", "Father's Last Name",
                              "Father's First Name", "Mother's Last Name", "Mother's First Name",
                              "Date", "God Parent(s) 1", "God Parent(s) 2", "God Parent(s) 3",
                              "God Parent(s) 4", "Officiant", "Remark"}));
        const int record = ColumnTitled(grid, "Record");
        QVERIFY(record >= 0 && !grid->Column(record).Visible);
        QCOMPARE(grid->model()->rowCount(), 2);
        QCOMPARE(fx.Texts(DataMod->BaptismT, "FName"), QStringList({"Berit", "Bo"}));
        QVERIFY(view->GridView->LinkedRadio->isChecked());
        QCOMPARE(view->ActiveRecordName->text(), QString("Berg, Anna "));
        QVERIFY(view->ActiveRecordName->isEnabled());
        const int father = ColumnTitled(grid, "Father's Last Name");
        QCOMPARE(grid->model()->headerData(father, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QString("Father's Last Name"));
        QCOMPARE(
            grid->model()->headerData(father, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(),
            QColor(0, 255, 255));
        QCOMPARE(ActiveRecordNumber, 2);
    }

    // The search box finds a baptized person's last name among the records shown, letter
    // case ignored, and never moves the roster.
    void searchBoxMovesTheBaptismsOnly_data() {
        QTest::addColumn<bool>("all");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("box");
        QTest::newRow("all, berg") << true << "berg"
                                   << "Berit"
                                   << "Berg";
        QTest::newRow("all, bergm") << true << "BERGM"
                                    << "Bo"
                                    << "Bergman";
        QTest::newRow("all, l") << true << "l"
                                << "Karin"
                                << "Lund";
        QTest::newRow("linked, a") << false << "a"
                                   << "Per"
                                   << "Ahl";
        QTest::newRow("linked, another's name") << false << "berg"
                                                << "Karin"
                                                << "berg";
    }
    void searchBoxMovesTheBaptismsOnly() {
        QFETCH(bool, all);
        QFETCH(QString, typed);
        QFETCH(QString, first);
        QFETCH(QString, box);
        QVERIFY(fx.Activate(1));
        TBaptismViewForm* view = OpenView();
        if (all)
            Click(view->GridView->AllRadio);
        DataMod->BaptismT->First();
        QCOMPARE(Value("FName"), QString("Karin"));
        TypeKeys(view->SearchBox, typed);
        QCOMPARE(Value("FName"), first);
        QCOMPARE(view->SearchBox->text(), box);
        QCOMPARE(ActiveRecordNumber, 1);
        QCOMPARE(DataMod->RosterT->FieldByName("RecordNumber")->AsInteger(), 1);
    }

    void gridViewCutsAndSetsTheLink() {
        QVERIFY(fx.Activate(1));
        TBaptismViewForm* view = OpenView();
        Click(view->GridView->AllRadio);
        QCOMPARE(view->Grid->model()->rowCount(), 5);
        QVERIFY(!view->ActiveRecordName->isEnabled());
        QVERIFY(fx.Activate(3)); // the active record changes, the list does not
        QCOMPARE(view->Grid->model()->rowCount(), 5);
        QCOMPARE(view->ActiveRecordName->text(), QString("Dahl, Olaf "));
        Click(view->GridView->LinkedRadio);
        QCOMPARE(fx.Texts(DataMod->BaptismT, "FName"), QStringList({"Ole"}));
        QVERIFY(view->ActiveRecordName->isEnabled());
    }

    // Two views on the one baptism table show the choice in force.
    void twoViewsShowTheLinkInForce() {
        TBaptismViewForm* first = OpenView();
        Click(first->GridView->AllRadio);
        TBaptismViewForm* second = OpenView(); // opens linked, for both
        QVERIFY(first->GridView->LinkedRadio->isChecked());
        QVERIFY(first->ActiveRecordName->isEnabled());
        Click(second->GridView->AllRadio);
        QVERIFY(first->GridView->AllRadio->isChecked());
        QVERIFY(!first->ActiveRecordName->isEnabled());
        second->close();
        QVERIFY(first->GridView->LinkedRadio->isChecked());
    }

    // Whatever the choice when the view closes, the next window shows the active record's
    // baptisms only.
    void closingLinksTheTableAgain_data() {
        QTest::addColumn<bool>("all");
        QTest::newRow("all baptisms") << true;
        QTest::newRow("linked") << false;
    }
    void closingLinksTheTableAgain() {
        QFETCH(bool, all);
        QVERIFY(fx.Activate(1));
        QPointer<TBaptismViewForm> view = OpenView();
        if (all)
            Click(view->GridView->AllRadio);
        QVERIFY(view->close());
        FlushDeletes();
        QVERIFY(view.isNull());
        QCOMPARE(DataMod->BaptismT->MasterSource(), DataMod->RosterS);
        TEditBaptismForm* entry = OpenEntry();
        QCOMPARE(entry->RecordPosition->text(), QString("1:2"));
        TBaptismViewForm* next = OpenView();
        QCOMPARE(next->Grid->model()->rowCount(), 2);
    }

    // A title sorts the shared table by the index of its field; the order stays linked to
    // the active record.
    void titleSortsByItsIndex_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("index");
        QTest::newRow("first") << "First Name"
                               << "BFN";
        QTest::newRow("middle") << "Middle Name"
                                << "BMN";
        QTest::newRow("last") << "Last Name"
                              << "BLN";
        QTest::newRow("father last") << "Father's Last Name"
                                     << "BDadN";
        QTest::newRow("father first") << "Father's First Name"
                                      << "BDadN";
        QTest::newRow("mother last") << "Mother's Last Name"
                                     << "BMomN";
        QTest::newRow("mother first") << "Mother's First Name"
                                      << "BMomN";
        QTest::newRow("date") << "Date"
                              << "BDat";
        QTest::newRow("god parent 1") << "God Parent(s) 1"
                                      << "BGP1";
        QTest::newRow("god parent 4") << "God Parent(s) 4"
                                      << "BGP4";
        QTest::newRow("officiant") << "Officiant"
                                   << "BOff";
        QTest::newRow("remark: no index") << "Remark"
                                          << "BRecNo";
    }
    void titleSortsByItsIndex() {
        QFETCH(QString, title);
        QFETCH(QString, index);
        QVERIFY(fx.Activate(1));
        TBaptismViewForm* view = OpenView();
        ClickTitle(view->Grid, title);
        QCOMPARE(DataMod->BaptismT->IndexName(), index);
        QCOMPARE(view->Grid->model()->rowCount(), 2);
    }

    void selectActiveRecordIsModalAndTheGridFollows() {
        QVERIFY(fx.Activate(1));
        TBaptismViewForm* view = OpenView();
        QWidget* owner = nullptr;
        Dialogs::QueueModal([&](QDialog* dialog) {
            owner = dialog->parentWidget();
            auto* select = qobject_cast<TSelectActiveRecordForm*>(dialog);
            if (select)
                ClickRow(select->RosterGrid, 2); // Dahl
            return int(QDialog::Rejected);
        });
        Click(view->SelectActiveRecordButton);
        QCOMPARE(Dialogs::ShownLog().value(0).text, QString("SelectActiveRecordForm"));
        QCOMPARE(owner, view);
        QCOMPARE(ActiveRecordNumber, 3);
        QCOMPARE(view->ActiveRecordName->text(), QString("Dahl, Olaf "));
        QCOMPARE(fx.Texts(DataMod->BaptismT, "FName"), QStringList({"Ole"}));
        QCOMPARE(view->SelectActiveRecordButton->toolTip(),
                 QString("Click this button to select a record to which this baptism record "
                         "will be linked."));
    }

    // Both buttons for the same active record give the father and the mother the same
    // names: the warning is shown and the record is still stored as entered.
    void bothUseButtonsWarnAndStillPost() {
        QVERIFY(fx.Activate(1));
        TEditBaptismForm* entry = OpenEntry();
        Click(entry->Navigator->Button(TNavButton::Insert));
        Click(entry->FatherUseButton);
        QCOMPARE(entry->FatherFNameEdit->text(), QString("Erik"));
        QCOMPARE(entry->FatherLNameEdit->text(), QString("Lund"));
        QCOMPARE(QApplication::focusWidget(), entry->MotherFNameEdit);
        QVERIFY(fx.Shown().isEmpty());
        Click(entry->MotherUseButton);
        QCOMPARE(entry->MotherFNameEdit->text(), QString("Erik"));
        QCOMPARE(entry->MotherLNameEdit->text(), QString("Lund"));
        QCOMPARE(QApplication::focusWidget(), entry->BaptismDateEdit);
        QCOMPARE(fx.Shown(), QStringList{TEditBaptismForm::IdenticalText});
        TypeKeys(entry->BaptismDateEdit, "5/2/2021");
        TypeKeys(entry->FNameEdit, "Nils");
        TypeKeys(entry->LNameEdit, "Lund");
        Click(entry->Navigator->Button(TNavButton::Post));
        QCOMPARE(DataMod->BaptismT->State(), DataSetState::Browse);
        QVERIFY(DataMod->BaptismT->Locate("FName", {"Nils"}));
        QCOMPARE(Value("MotherFName"), QString("Erik"));
        QCOMPARE(Value("MotherLName"), QString("Lund"));
        QCOMPARE(Value("FatherFName"), QString("Erik"));
        QCOMPARE(DataMod->BaptismT->FieldByName("RecordNumber")->AsInteger(), 1);
        QCOMPARE(entry->RecordPosition->text(), QString("3:3"));
    }

    void useButtonWhileBrowsingChangesNothing() {
        QVERIFY(fx.Activate(2));
        TEditBaptismForm* entry = OpenEntry();
        entry->FNameEdit->setFocus();
        Click(entry->MotherUseButton);
        QCOMPARE(fx.Shown(), QStringList{"Dataset not in edit or insert mode"});
        QCOMPARE(DataMod->BaptismT->State(), DataSetState::Browse);
        QVERIFY(Value("MotherFName").isEmpty());
        QVERIFY(entry->MotherFNameEdit->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), entry->FNameEdit);
    }

    // The Select Active Record window stays open beside the entry window; each name clicked
    // there changes the name and the position the entry window shows.
    void entryFollowsTheSelectActiveRecordWindow() {
        QVERIFY(fx.Activate(1));
        QPointer<TEditBaptismForm> entry = OpenEntry();
        QCOMPARE(entry->ActiveRecordName->text(), QString("Lund, Erik Carl"));
        Click(entry->SelectActiveRecordButton);
        QVERIFY(Dialogs::ShownLog().isEmpty()); // not modal
        QPointer<TSelectActiveRecordForm> select =
            entry->findChild<TSelectActiveRecordForm*>("SelectActiveRecordForm");
        QVERIFY(select && select->isVisible());
        ClickRow(select->RosterGrid, 2);
        QCOMPARE(entry->ActiveRecordName->text(), QString("Dahl, Olaf "));
        QCOMPARE(entry->RecordPosition->text(), QString("1:1"));
        ClickRow(select->RosterGrid, 1);
        QCOMPARE(entry->ActiveRecordName->text(), QString("Berg, Anna "));
        QCOMPARE(entry->RecordPosition->text(), QString("1:2"));
        QVERIFY(entry->close());
        FlushDeletes();
        QVERIFY(select.isNull());
    }

    // A baptism that cannot be stored yet keeps its member the active record: a click on
    // another name is refused with the baptism's message, the roster, the active record and
    // the entry's name stay; completed, the baptism is stored for the member it names.
    void unfinishedBaptismKeepsTheActiveRecord() {
        QVERIFY(fx.Activate(1));
        TEditBaptismForm* entry = OpenEntry();
        Click(entry->SelectActiveRecordButton);
        auto* select = entry->findChild<TSelectActiveRecordForm*>("SelectActiveRecordForm");
        QVERIFY(select);
        Click(entry->Navigator->Button(TNavButton::Insert));
        TypeKeys(entry->FNameEdit, "Karin");
        ClickRow(select->RosterGrid, 2);
        QCOMPARE(fx.Shown(), QStringList{"Field 'LName' must have a value"});
        QCOMPARE(ActiveRecordNumber, 1);
        QCOMPARE(DataMod->RosterT->FieldByName("RecordNumber")->AsInteger(), 1);
        QCOMPARE(entry->ActiveRecordName->text(), QString("Lund, Erik Carl"));
        QCOMPARE(DataMod->BaptismT->State(), DataSetState::Insert);
        TypeKeys(entry->LNameEdit, "Lind");
        TypeKeys(entry->BaptismDateEdit, "6/7/2022");
        Click(entry->Navigator->Button(TNavButton::Post));
        QCOMPARE(DataMod->BaptismT->State(), DataSetState::Browse);
        QCOMPARE(Value("RecordNumber"), QString("1"));
        ClickRow(select->RosterGrid, 2);
        QCOMPARE(entry->ActiveRecordName->text(), QString("Dahl, Olaf "));
    }

    void entryRefusesToCloseWhilePending() {
        TEditBaptismForm* entry = OpenEntry();
        Click(entry->Navigator->Button(TNavButton::Insert));
        QCOMPARE(entry->StateLabel->text(), QString("BaptismT: Insert"));
        QVERIFY(!entry->close());
        QCOMPARE(fx.Shown(), QStringList{"Please Post or Cancel the changes."});
        QVERIFY(entry->isVisible());
        Click(entry->Navigator->Button(TNavButton::Cancel));
        QVERIFY(entry->close());
    }

    // A missing required field and a second baptism of the same full name for the same
    // member are refused with the engine's messages; the entries stay.
    void refusedPostsKeepTheEntries() {
        QVERIFY(fx.Activate(1));
        TEditBaptismForm* entry = OpenEntry();
        Click(entry->Navigator->Button(TNavButton::Insert));
        TypeKeys(entry->FNameEdit, "Karin");
        Click(entry->Navigator->Button(TNavButton::Post));
        QCOMPARE(fx.Shown(), QStringList{"Field 'LName' must have a value"});
        QCOMPARE(DataMod->BaptismT->State(), DataSetState::Insert);
        Dialogs::ClearScript();
        TypeKeys(entry->LNameEdit, "Lund");
        TypeKeys(entry->BaptismDateEdit, "6/7/2022");
        Click(entry->Navigator->Button(TNavButton::Post));
        QCOMPARE(fx.Shown().size(), 1);
        QVERIFY2(fx.Shown()[0].contains("Key violation"), qPrintable(fx.Shown()[0]));
        QCOMPARE(DataMod->BaptismT->State(), DataSetState::Insert);
        QCOMPARE(entry->FNameEdit->text(), QString("Karin"));
        // Another middle name makes it another person.
        TypeKeys(entry->MNameEdit, "Maria");
        Click(entry->Navigator->Button(TNavButton::Post));
        QCOMPARE(DataMod->BaptismT->State(), DataSetState::Browse);
        QCOMPARE(DataMod->BaptismT->RecordCount(), 3);
    }

    // A baptism date that is no date is refused when the box is left; the box keeps the
    // focus and the record is not posted with an empty date.
    void badDateKeepsTheFocus() {
        QVERIFY(fx.Activate(1));
        TEditBaptismForm* entry = OpenEntry();
        Click(entry->Navigator->Button(TNavButton::Insert));
        TypeKeys(entry->FNameEdit, "Nils");
        TypeKeys(entry->LNameEdit, "Lund");
        TypeKeys(entry->BaptismDateEdit, "2/30/2021");
        QTest::keyClick(entry->BaptismDateEdit, Qt::Key_Tab);
        QCOMPARE(fx.Shown(), QStringList{"'2/30/2021' is not a valid date"});
        QTRY_COMPARE(QApplication::focusWidget(), entry->BaptismDateEdit);
        QVERIFY(DataMod->BaptismT->FieldByName("BaptismDate")->IsNull());
        QCOMPARE(DataMod->BaptismT->State(), DataSetState::Insert);
    }

    // Files, "B&aptisms" needs an active record; the bar's "&Baptisms" opens the view.
    void menuCommands() {
        fx.Open({}, {});
        const TMenuRow* entryRow = FindMenuRow("EditBAptismData1");
        QVERIFY(entryRow);
        QCOMPARE(RunMenuRow(*entryRow, nullptr), TMenuOutcome::NoActiveRecord);
        QCOMPARE(fx.Shown(), QStringList{"There must be an active record in the roster\n"
                                         "before this record can be created."});
        fx.Open(People, Baptisms);
        QCOMPARE(RunMenuRow(*entryRow, nullptr), TMenuOutcome::WindowShown);
        QVERIFY(qobject_cast<TEditBaptismForm*>(LatestWindow("TEditBaptismForm")));
        QCOMPARE(RunMenuRow(*FindMenuRow("Baptisms1"), nullptr), TMenuOutcome::WindowShown);
        auto* view = qobject_cast<TBaptismViewForm*>(LatestWindow("TBaptismViewForm"));
        QVERIFY(view && view->isVisible());
    }
};

VTX_REGISTER_TEST(TestBaptismWindows)
#include "tst_BaptismWindows.moc"
