// The Birth Records view window and the Births entry window: the search box that moves the
// active record, the " Grid View " link set again on close, and an entry window that opens
// without an active record.

#include "RecordsFixture.h"
#include "app/vtxMenuTable.h"
#include "records/vtxBirthEditF.h"
#include "records/vtxBirthViewF.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxSearchBox.h"

#include <QPushButton>
#include <QRadioButton>

namespace {

const QList<RecordsPerson> People = {
    {1, "Lund", "Erik", "Carl"},
    {2, "Berg", "Anna"},
    {3, "Dahl", "Olaf"},
};

const QList<StoredRow> Births = {Birth(1, "Karin", "Lund"), Birth(3, "Ole", "Dahl"),
                                 Birth(3, "Lars", "Dahl"), Birth(2, "Bo", "Berg")};

} // namespace

class TestBirthWindows : public QObject {
    Q_OBJECT
    RecordsFixture fx;

    TBirthViewForm* OpenView() {
        auto* view = new TBirthViewForm;
        ShowActive(view);
        return view;
    }
    TBirthEditForm* OpenEntry() {
        auto* entry = new TBirthEditForm;
        ShowActive(entry);
        return entry;
    }

private slots:
    void init() { fx.Open(People, Births); }
    void cleanup() { fx.Close(); }

    void viewShowsTheActiveRecordsBirths() {
        QVERIFY(fx.Activate(3));
        TBirthViewForm* view = OpenView();
        QCOMPARE(view->windowTitle(), QString("Birth Records"));
        QCOMPARE(VisibleTitles(view->Grid),
                 QStringList({"First Name", "Middle Name", "Last Name", "Father's Last Name",
                              "Father's First Name", "Mother's Last Name", "Mother's First Name",
                              "Birth Date", "Grandparent 1", "Grandparent 2", "Grandparent 3",
                              "Grandparent 4", "Place Of Birth", "Remark"}));
        // The record-number column is hidden; columns keep their width.
        QCOMPARE(view->Grid->Column(0).FieldName, QString("RecordNumber"));
        QVERIFY(!view->Grid->Column(0).Visible);
        QCOMPARE(view->Grid->horizontalHeader()->sectionResizeMode(1), QHeaderView::Fixed);
        QCOMPARE(fx.Texts(DataMod->BirthT, "FName"), QStringList({"Ole", "Lars"}));
        ClickTitle(view->Grid, "Last Name");
        QCOMPARE(DataMod->BirthT->IndexName(), QString("BiRecNo"));
    }

    // Typing a last name changes the active record; the list follows while it is linked,
    // and shows all births still when it is not.
    void searchBoxMovesTheActiveRecord_data() {
        QTest::addColumn<bool>("all");
        QTest::addColumn<QStringList>("births");
        QTest::newRow("linked") << false << QStringList({"Ole", "Lars"});
        QTest::newRow("all births") << true << QStringList({"Karin", "Bo", "Ole", "Lars"});
    }
    void searchBoxMovesTheActiveRecord() {
        QFETCH(bool, all);
        QFETCH(QStringList, births);
        QVERIFY(fx.Activate(1));
        TBirthViewForm* view = OpenView();
        if (all)
            Click(view->GridView->AllRadio);
        TypeKeys(view->SearchBox, "da");
        QCOMPARE(ActiveRecordNumber, 3);
        QCOMPARE(view->SearchBox->text(), QString("Dahl"));
        QCOMPARE(view->ActiveRecordName->text(), QString("Dahl, Olaf "));
        QCOMPARE(view->ActiveRecordName->isEnabled(), !all);
        QCOMPARE(fx.Texts(DataMod->BirthT, "FName"), births);
    }

    void closingInAllBirthsLeavesTheTableLinked() {
        QVERIFY(fx.Activate(3));
        TBirthViewForm* view = OpenView();
        Click(view->GridView->AllRadio);
        QCOMPARE(DataMod->BirthT->RecordCount(), 4);
        QVERIFY(view->close());
        TBirthEditForm* entry = OpenEntry();
        QCOMPARE(entry->RecordPosition->text(), QString("1:2"));
        QCOMPARE(DataMod->BirthT->MasterSource(), DataMod->RosterS);
    }

    // On an empty roster the entry window opens with no name; a birth record cannot be
    // stored for nobody.
    void entryOpensWithoutAnActiveRecord() {
        fx.Open({}, {});
        const TMenuRow* row = FindMenuRow("EditBirthData1");
        QVERIFY(row);
        QCOMPARE(RunMenuRow(*row, nullptr), TMenuOutcome::WindowShown);
        auto* entry = qobject_cast<TBirthEditForm*>(LatestWindow("TBirthEditForm"));
        QVERIFY(entry);
        QVERIFY(QTest::qWaitForWindowActive(entry));
        QCOMPARE(entry->ActiveRecordName->text(), QString());
        QCOMPARE(entry->windowTitle(), QString("Births"));
        QCOMPARE(QApplication::focusWidget(), entry->BirthDateEdit);
        QTest::keyClicks(entry->BirthDateEdit, "3/4/2024");
        QTest::keyClick(entry->BirthDateEdit, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), entry->FNameEdit);
        QTest::keyClicks(entry->FNameEdit, "Baby");
        Click(entry->Navigator->Button(TNavButton::Post));
        QCOMPARE(fx.Shown(), QStringList{"There must be an active record in the roster\n"
                                         "before this record can be created."});
        QCOMPARE(DataMod->BirthT->State(), DataSetState::Insert);
        QCOMPARE(DataMod->BirthT->StoredRowCount(), 0);
    }

    // The mother's button moves on to the birth date; both buttons warn of identical names.
    void useButtonsFillTheParents() {
        QVERIFY(fx.Activate(2));
        TBirthEditForm* entry = OpenEntry();
        Click(entry->Navigator->Button(TNavButton::Insert));
        Click(entry->MotherUseButton);
        QCOMPARE(entry->MotherFNameEdit->text(), QString("Anna"));
        QCOMPARE(entry->MotherLNameEdit->text(), QString("Berg"));
        QCOMPARE(QApplication::focusWidget(), entry->BirthDateEdit);
        QVERIFY(fx.Shown().isEmpty());
        Click(entry->FatherUseButton);
        QCOMPARE(QApplication::focusWidget(), entry->MotherFNameEdit);
        QCOMPARE(fx.Shown(), QStringList{TBirthEditForm::IdenticalText});
        TypeKeys(entry->FNameEdit, "Kim");
        Click(entry->Navigator->Button(TNavButton::Post));
        QCOMPARE(DataMod->BirthT->State(), DataSetState::Browse);
        QCOMPARE(DataMod->BirthT->FieldByName("RecordNumber")->AsInteger(), 2);
        QCOMPARE(fx.Texts(DataMod->BirthT, "FatherFName"), QStringList({"", "Anna"}));
    }

    void menuBarOpensTheView() {
        QCOMPARE(RunMenuRow(*FindMenuRow("BIIrths1"), nullptr), TMenuOutcome::WindowShown);
        auto* view = qobject_cast<TBirthViewForm*>(LatestWindow("TBirthViewForm"));
        QVERIFY(view && view->isVisible());
    }
};

VTX_REGISTER_TEST(TestBirthWindows)
#include "tst_BirthWindows.moc"
