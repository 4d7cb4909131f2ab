// The Passing Record view window and the Passing entry window: the active record's
// passing record shown and entered, nothing else of the member changed, and an entry
// window that opens on an empty roster but stores no passing for nobody.

#include "RecordsFixture.h"
#include "app/vtxMenuTable.h"
#include "records/vtxPassingF.h"
#include "records/vtxPassingViewF.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxSearchBox.h"

#include <QPushButton>

namespace {

const QList<RecordsPerson> People = {
    {1, "Lund", "Erik", "Carl"},
    {2, "Berg", "Anna"},
    {3, "Dahl", "Olaf"},
};

const QList<StoredRow> Rows = {
    Passing(3, QDate(2023, 11, 5), "Northfield Hospital"),
    {"RosterDatesT", {{"RecordNumber", 1}, {"BirthDate", QDate(1950, 2, 1)}}},
};

} // namespace

class TestPassingWindows : public QObject {
    Q_OBJECT
    RecordsFixture fx;

    TViewPassingForm* OpenView() {
        auto* view = new TViewPassingForm;
        ShowActive(view);
        return view;
    }
    TEditPassingForm* OpenEntry() {
        auto* entry = new TEditPassingForm;
        ShowActive(entry);
        return entry;
    }

private slots:
    void init() { fx.Open(People, Rows); }
    void cleanup() { fx.Close(); }

    // The view's search box moves the active record and the list follows it; a member
    // without a passing record shows an empty list and empty boxes.
    void viewFollowsTheActiveRecord() {
        QVERIFY(fx.Activate(1));
        TViewPassingForm* view = OpenView();
        QCOMPARE(view->windowTitle(), QString("Passing Record"));
        QVERIFY(!view->GridView);
        QCOMPARE(VisibleTitles(view->Grid),
                 QStringList({"Passing Date", "Place Of Death", "Service Date", "Burial Site",
                              "Officiant", "Remark"}));
        QCOMPARE(view->Grid->horizontalHeader()->sectionResizeMode(1), QHeaderView::Fixed);
        QCOMPARE(view->Grid->model()->rowCount(), 0);
        TEditPassingForm* entry = OpenEntry();
        QCOMPARE(entry->PlaceOfDeathEdit->text(), QString());
        QCOMPARE(entry->RecordPosition->text(), QString("0:0"));
        TypeKeys(view->SearchBox, "d");
        QCOMPARE(ActiveRecordNumber, 3);
        QCOMPARE(view->Grid->model()->rowCount(), 1);
        QCOMPARE(entry->PlaceOfDeathEdit->text(), QString("Northfield Hospital"));
        QCOMPARE(entry->ActiveRecordName->text(), QString("Dahl, Olaf "));
    }

    // Recording a passing changes neither the member's membership nor the important dates.
    void recordingAPassingChangesNothingElse() {
        QVERIFY(fx.Activate(1));
        TEditPassingForm* entry = OpenEntry();
        QCOMPARE(entry->Navigator->VisibleButtons(),
                 QList<TNavButton>({TNavButton::Insert, TNavButton::Delete, TNavButton::Edit,
                                    TNavButton::Post, TNavButton::Cancel, TNavButton::Refresh}));
        Click(entry->Navigator->Button(TNavButton::Insert));
        TypeKeys(entry->PassingDateEdit, "2/3/2024");
        TypeKeys(entry->PlaceOfDeathEdit, "At home");
        TypeKeys(entry->FuneralDateEdit, "2/9/2024");
        Click(entry->Navigator->Button(TNavButton::Post));
        QVERIFY2(fx.Shown().isEmpty(), qPrintable(fx.Shown().join('|')));
        Table* passing = DataMod->PassingT;
        QCOMPARE(passing->State(), DataSetState::Browse);
        QCOMPARE(passing->FieldByName("RecordNumber")->AsInteger(), 1);
        QCOMPARE(passing->FieldByName("FuneralDate")->AsDate(), QDate(2024, 2, 9));
        QCOMPARE(entry->RecordPosition->text(), QString("1:1"));
        QCOMPARE(DataMod->RosterT->FieldByName("IsMember")->AsBoolean(), true);
        QCOMPARE(DataMod->RosterDatesT->RecordCount(), 1);
        QVERIFY(DataMod->RosterDatesT->FieldByName("PassingDate")->IsNull());
    }

    // Typing into a box of the existing passing record edits it.
    void typingEditsTheExistingRecord() {
        QVERIFY(fx.Activate(3));
        TEditPassingForm* entry = OpenEntry();
        TypeKeys(entry->BurialSiteEdit, "Oaklawn");
        QCOMPARE(DataMod->PassingT->State(), DataSetState::Edit);
        QVERIFY(!entry->close());
        QCOMPARE(fx.Shown(), QStringList{"Please Post or Cancel the changes."});
        Click(entry->Navigator->Button(TNavButton::Post));
        QCOMPARE(DataMod->PassingT->State(), DataSetState::Browse);
        QCOMPARE(DataMod->PassingT->StoredRowCount(), 1);
        QCOMPARE(DataMod->PassingT->FieldByName("BurialSite")->AsString(), QString("Oaklawn"));
        QCOMPARE(DataMod->PassingT->FieldByName("PlaceOfDeath")->AsString(),
                 QString("Northfield Hospital"));
        QVERIFY(entry->close());
    }

    // On an empty roster the entry window opens with no name; a passing entered then is
    // refused with the active-record message rather than stored under no member.
    void entryOnAnEmptyRoster() {
        fx.Open({}, {});
        QCOMPARE(RunMenuRow(*FindMenuRow("EditPassingData1"), nullptr), TMenuOutcome::WindowShown);
        auto* entry = qobject_cast<TEditPassingForm*>(LatestWindow("TEditPassingForm"));
        QVERIFY(entry);
        QVERIFY(QTest::qWaitForWindowActive(entry));
        QCOMPARE(entry->windowTitle(), QString("Passing"));
        QCOMPARE(entry->ActiveRecordName->text(), QString());
        // Its designed size: one size, so no maximize button.
        QCOMPARE(entry->minimumSize(), entry->maximumSize());
        QVERIFY(!entry->windowHandle()->flags().testFlag(Qt::WindowMaximizeButtonHint));
        Click(entry->Navigator->Button(TNavButton::Insert));
        TypeKeys(entry->PlaceOfDeathEdit, "Unknown");
        Click(entry->Navigator->Button(TNavButton::Post));
        QCOMPARE(fx.Shown(), QStringList{"There must be an active record in the roster\n"
                                         "before this record can be created."});
        QCOMPARE(DataMod->PassingT->State(), DataSetState::Insert);
        QCOMPARE(DataMod->PassingT->StoredRowCount(), 0);
    }

    void menuBarOpensTheView() {
        QCOMPARE(RunMenuRow(*FindMenuRow("Passings1"), nullptr), TMenuOutcome::WindowShown);
        QVERIFY(qobject_cast<TViewPassingForm*>(LatestWindow("TViewPassingForm")));
    }
};

VTX_REGISTER_TEST(TestPassingWindows)
#include "tst_PassingWindows.moc"
